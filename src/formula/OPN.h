#pragma once

#include "Variant.h"

#include <QString>
#include <QStringList>
#include <functional>

// Evaluates the function "Rate" for TCalc: Par1 and Par2 are its two
// arguments (integers), Par3 is 0, AOper the function's name; the answer goes
// into AValue (left empty it counts as 0).
using TExtCalc = std::function<void(const Variant& Par1, const Variant& Par2, const Variant& Par3,
                                    const QString& AOper, Variant& AValue)>;

// The formula engine. ConvertToOpn turns the infix text ExpStr into reverse
// Polish tokens (OpnList); the caller may then replace operands (field
// references) in OpnList; Compute evaluates it into Value.
//
// Operators, all binary and left-associative: "+" "-" (priority 1), "*" "/"
// (2), "^" (3), and the functions "Add" and "Rate" (4), written
// Name(a; b). Every token that is not an operator, a parenthesis or ";" is an
// operand: a number in the locale's notation.
class TCalc {
public:
    TCalc() = default;
    virtual ~TCalc() = default;

    // Appends the reverse Polish form of ExpStr to OpnList. ExpStr is
    // rewritten with its tokens separated by single blanks; ExpList holds
    // those tokens. Raises "\"(\" not found" for a ")" or ";" without an open
    // "(", and "\")\" not found" for a "(" that is never closed.
    void ConvertToOpn();

    // Evaluates OpnList (left unchanged) into Value. Every intermediate
    // result is written as locale text with 15 significant digits and read
    // back. Raises on a malformed list, an operand that is not a number,
    // division by zero, an invalid power, an overflow, or "Rate" without
    // ExtCalc; Value then keeps its previous value.
    void Compute();

    // OpnList as one text, tokens separated by blanks, and back.
    QString OpnListText() const { return OpnList.join(' '); }
    void SetOpnListText(const QString& text);

    QString ExpStr;
    QStringList ExpList;
    QStringList OpnList;
    double Value = 0;
    TExtCalc ExtCalc;

private:
    QString Evaluate(const QString& oper, const QString& left, const QString& right) const;

    QStringList OperList;     // the operator stack of the conversion; top is the first item
    QStringList OpnListTemp;  // the working copy that Compute consumes
};
