#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

enum class TVarType { Unassigned, Null, Integer, Float, Currency, Date, String, Boolean };

// The value of fields, parameters and filter values. Currency holds a 64-bit
// integer scaled by 10000 (four decimals). Unassigned reads as 0 as a number
// and as an empty string; null reads as an empty string but raises when read
// as a number, a date or a boolean.
class Variant {
public:
    Variant() = default;
    Variant(int value) : FType(TVarType::Integer), FInt(value) {}
    Variant(qint64 value) : FType(TVarType::Integer), FInt(value) {}
    Variant(double value) : FType(TVarType::Float), FFloat(value) {}
    Variant(bool value) : FType(TVarType::Boolean), FInt(value ? 1 : 0) {}
    Variant(const QString& value) : FType(TVarType::String), FStr(value) {}
    Variant(const char* value) : FType(TVarType::String), FStr(QString::fromUtf8(value)) {}
    Variant(const QDate& value) : FType(TVarType::Date), FDate(value) {}

    static Variant Null();
    static Variant FromCurrency(qint64 scaled);  // value * 10000

    TVarType Type() const { return FType; }
    bool IsUnassigned() const { return FType == TVarType::Unassigned; }
    bool IsNull() const { return FType == TVarType::Null; }
    bool IsUnassignedOrNull() const { return IsUnassigned() || IsNull(); }

    qint64 AsInt64() const;
    int AsInteger() const;  // raises when the value does not fit 32 bits
    double AsFloat() const;
    qint64 AsCurrency() const;  // scaled by 10000
    QString AsString() const;
    QDate AsDate() const;
    bool AsBoolean() const;

    // The type's name as used in conversion messages ("Integer", "Null", ...).
    static QString TypeName(TVarType type);

    bool operator==(const Variant& other) const;
    bool operator!=(const Variant& other) const { return !(*this == other); }

private:
    [[noreturn]] void RaiseConversion(const char* target) const;

    TVarType FType = TVarType::Unassigned;
    qint64 FInt = 0;  // Integer, Currency (scaled), Boolean (1/0)
    double FFloat = 0;
    QString FStr;
    QDate FDate;
};

// Raises "Variant is empty" for an unassigned value, "Variant is null" for null.
void CheckNotNull(const Variant& value);
// CheckNotNull, then the value as an integer.
int VarToIntNotNull(const Variant& value);
