#include "OPN.h"

#include "Error.h"
#include "Format.h"

#include <cmath>

namespace {

// The priority of an operator token, 0 for anything else. Names are matched
// exactly, letter case included.
int Priority(const QString& token)
{
    if (token == "+" || token == "-")
        return 1;
    if (token == "*" || token == "/")
        return 2;
    if (token == "^")
        return 3;
    if (token == "Add" || token == "Rate")
        return 4;
    return 0;
}

bool IsOperator(const QString& token) { return Priority(token) > 0; }

// Reads a whole number (optional sign, decimal digits) that fits 32 bits.
int StrToInt(const QString& text)
{
    const QString s = text.trimmed();
    bool ok = !s.isEmpty();
    for (qsizetype i = 0; ok && i < s.size(); ++i)
        ok = s[i].isDigit() ? s[i].unicode() < 128 : (i == 0 && (s[i] == '+' || s[i] == '-') && s.size() > 1);
    const int value = ok ? s.toInt(&ok) : 0;
    if (!ok)
        throw Error(QString("'%1' is not a valid integer value").arg(text));
    return value;
}

// C++ arithmetic gives infinities and NaNs silently; the engine raises
// instead, as the user expects an error for 1 / 0 rather than "INF".
double CheckedResult(double value)
{
    if (std::isnan(value))
        throw Error("Invalid floating point operation");
    if (std::isinf(value))
        throw Error("Floating point overflow");
    return value;
}

double Power(double base, double exponent)
{
    if (base == 0 && exponent < 0)
        throw Error("Division by zero");
    if (base < 0 && exponent != std::trunc(exponent))
        throw Error("Invalid floating point operation");
    return std::pow(base, exponent);
}

}  // namespace

void TCalc::ConvertToOpn()
{
    // Space out the operators, parentheses and separators so that the text
    // splits at blanks ("2*3" is three tokens). Any white space counts as a
    // blank.
    QString text = ExpStr;
    for (const char* token : {"-", "+", "/", "*", "^", "(", ")", ";"})
        text.replace(QLatin1String(token), QLatin1String(" ") + QLatin1String(token) + QLatin1String(" "));
    ExpStr = text.simplified();
    ExpList = ExpStr.split(' ', Qt::SkipEmptyParts);

    // Moves operators from the stack to the output until the top is "(".
    const auto popUntilOpen = [this] {
        for (;;) {
            if (OperList.isEmpty())
                throw Error("\"(\" not found");
            if (OperList.first() == "(")
                return;
            OpnList << OperList.takeFirst();
        }
    };

    for (const QString& token : std::as_const(ExpList)) {
        if (const int priority = Priority(token)) {
            while (!OperList.isEmpty() && Priority(OperList.first()) >= priority)
                OpnList << OperList.takeFirst();
            OperList.prepend(token);
        } else if (token == "(") {
            OperList.prepend(token);
        } else if (token == ")") {
            popUntilOpen();
            OperList.removeFirst();
        } else if (token == ";") {
            popUntilOpen();
        } else {
            OpnList << token;
        }
    }
    while (!OperList.isEmpty()) {
        const QString top = OperList.takeFirst();
        if (top == "(")
            throw Error("\")\" not found");
        OpnList << top;
    }
}

void TCalc::Compute()
{
    OpnListTemp = OpnList;
    // Every position is checked: a list without enough operands (a leading
    // minus, two operators in a row, an empty expression) or with operands
    // left over raises instead of reading outside the list.
    const auto at = [this](qsizetype index) -> const QString& {
        if (index < 0 || index >= OpnListTemp.size())
            throw Error(QString("TCalc.Compute: list index out of bounds (%1)").arg(index));
        return OpnListTemp[index];
    };

    qsizetype pos = 0;
    while (OpnListTemp.size() > 1) {
        const QString token = at(pos);
        if (!IsOperator(token)) {
            ++pos;
            continue;
        }
        const QString result = Evaluate(token, at(pos - 2), at(pos - 1));
        OpnListTemp[pos - 2] = result;
        OpnListTemp.remove(pos - 1, 2);
        pos -= 2;
    }
    Value = StrToFloat(at(0));
}

QString TCalc::Evaluate(const QString& oper, const QString& left, const QString& right) const
{
    double result = 0;
    if (oper == "Rate") {
        if (!ExtCalc)
            throw Error(Format("TCalc.Compute: function \"%s\" is not assigned", {oper}));
        const int a = StrToInt(left);
        const int b = StrToInt(right);
        Variant answer;
        ExtCalc(Variant(a), Variant(b), Variant(0), oper, answer);
        result = answer.AsFloat();
    } else {
        const double a = StrToFloat(left);
        const double b = StrToFloat(right);
        if (oper == "+" || oper == "Add") {
            result = a + b;
        } else if (oper == "-") {
            result = a - b;
        } else if (oper == "*") {
            result = a * b;
        } else if (oper == "/") {
            if (b == 0)
                throw Error("Division by zero");
            result = a / b;
        } else {
            result = Power(a, b);
        }
    }
    // The text form rounds the result to 15 significant digits before the
    // next operator reads it. Rounding up can carry a value just below the
    // largest double past it ("1.79769313486232E308"), which would not read
    // back.
    const QString text = FloatToStr(CheckedResult(result));
    double readBack = 0;
    if (!TryStrToFloat(text, readBack))
        throw Error("Floating point overflow");
    return text;
}

void TCalc::SetOpnListText(const QString& text) { OpnList = text.simplified().split(' ', Qt::SkipEmptyParts); }
