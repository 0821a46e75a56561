#include "Variant.h"

#include "Error.h"
#include "Format.h"
#include "Locale.h"

#include <cmath>
#include <limits>

namespace {

// Days between the toolkit's date origin (1899-12-30) and a date, used when a
// date is read as a number.
constexpr qint64 DateOriginJulianDay = 2415019;

bool ParseLocaleFloat(const QString& text, double& value) { return TryStrToFloat(text, value); }

}  // namespace

Variant Variant::Null()
{
    Variant v;
    v.FType = TVarType::Null;
    return v;
}

Variant Variant::FromCurrency(qint64 scaled)
{
    Variant v;
    v.FType = TVarType::Currency;
    v.FInt = scaled;
    return v;
}

QString Variant::TypeName(TVarType type)
{
    switch (type) {
    case TVarType::Unassigned: return "Empty";
    case TVarType::Null: return "Null";
    case TVarType::Integer: return "Integer";
    case TVarType::Float: return "Double";
    case TVarType::Currency: return "Currency";
    case TVarType::Date: return "Date";
    case TVarType::String: return "String";
    case TVarType::Boolean: return "Boolean";
    }
    return "Unknown";
}

void Variant::RaiseConversion(const char* target) const
{
    throw Error(QString("Could not convert variant of type (%1) into type (%2)")
                    .arg(TypeName(FType), QString::fromLatin1(target)));
}

qint64 Variant::AsInt64() const
{
    switch (FType) {
    case TVarType::Unassigned: return 0;
    case TVarType::Integer:
    case TVarType::Boolean: return FInt;
    case TVarType::Currency: return qint64(std::nearbyint(double(FInt) / 10000.0));
    case TVarType::Float:
        if (!std::isfinite(FFloat) || std::fabs(FFloat) > 9.2e18)
            RaiseConversion("Integer");
        return qint64(std::nearbyint(FFloat));
    case TVarType::Date: return FDate.toJulianDay() - DateOriginJulianDay;
    case TVarType::String: {
        bool ok = false;
        const qint64 v = FStr.trimmed().toLongLong(&ok);
        if (ok)
            return v;
        double f = 0;
        if (ParseLocaleFloat(FStr, f) && std::fabs(f) < 9.2e18)
            return qint64(std::nearbyint(f));
        RaiseConversion("Integer");
    }
    case TVarType::Null: break;
    }
    RaiseConversion("Integer");
}

int Variant::AsInteger() const
{
    const qint64 v = AsInt64();
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw Error(QString("Integer overflow: %1").arg(v));
    return int(v);
}

double Variant::AsFloat() const
{
    switch (FType) {
    case TVarType::Unassigned: return 0;
    case TVarType::Integer:
    case TVarType::Boolean: return double(FInt);
    case TVarType::Currency: return double(FInt) / 10000.0;
    case TVarType::Float: return FFloat;
    case TVarType::Date: return double(FDate.toJulianDay() - DateOriginJulianDay);
    case TVarType::String: {
        double f = 0;
        if (ParseLocaleFloat(FStr, f))
            return f;
        RaiseConversion("Double");
    }
    case TVarType::Null: break;
    }
    RaiseConversion("Double");
}

qint64 Variant::AsCurrency() const
{
    switch (FType) {
    case TVarType::Currency: return FInt;
    case TVarType::Integer:
    case TVarType::Boolean:
        if (FInt > std::numeric_limits<qint64>::max() / 10000 || FInt < std::numeric_limits<qint64>::min() / 10000)
            RaiseConversion("Currency");
        return FInt * 10000;
    default: {
        const double f = AsFloat() * 10000.0;
        if (!std::isfinite(f) || std::fabs(f) > 9.2e18)
            RaiseConversion("Currency");
        return qint64(std::nearbyint(f));
    }
    }
}

QString Variant::AsString() const
{
    switch (FType) {
    case TVarType::Unassigned:
    case TVarType::Null: return QString();
    case TVarType::Integer: return QString::number(FInt);
    case TVarType::Float: return FloatToStr(FFloat);
    case TVarType::Currency: return CurrToStr(FInt);
    case TVarType::Date: return FDate.toString(FormatSettings.ShortDateFormat);
    case TVarType::String: return FStr;
    case TVarType::Boolean: return FInt ? "True" : "False";
    }
    return QString();
}

QDate Variant::AsDate() const
{
    switch (FType) {
    case TVarType::Date: return FDate;
    case TVarType::String: {
        const QDate d = QDate::fromString(FStr.trimmed(), FormatSettings.ShortDateFormat);
        if (d.isValid())
            return d;
        break;
    }
    case TVarType::Integer:
    case TVarType::Float:
    case TVarType::Currency: return QDate::fromJulianDay(DateOriginJulianDay + qint64(std::floor(AsFloat())));
    default: break;
    }
    RaiseConversion("Date");
}

bool Variant::AsBoolean() const
{
    switch (FType) {
    case TVarType::Unassigned: return false;
    case TVarType::Integer:
    case TVarType::Boolean:
    case TVarType::Currency: return FInt != 0;
    case TVarType::Float: return FFloat != 0;
    case TVarType::String: {
        const QString s = FStr.trimmed();
        if (s.compare("True", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare("False", Qt::CaseInsensitive) == 0)
            return false;
        double f = 0;
        if (ParseLocaleFloat(s, f))
            return f != 0;
        break;
    }
    default: break;
    }
    RaiseConversion("Boolean");
}

bool Variant::operator==(const Variant& other) const
{
    if (FType != other.FType)
        return false;
    switch (FType) {
    case TVarType::Unassigned:
    case TVarType::Null: return true;
    case TVarType::Integer:
    case TVarType::Currency:
    case TVarType::Boolean: return FInt == other.FInt;
    case TVarType::Float: return FFloat == other.FFloat;
    case TVarType::Date: return FDate == other.FDate;
    case TVarType::String: return FStr == other.FStr;
    }
    return false;
}

void CheckNotNull(const Variant& value)
{
    if (value.IsUnassigned())
        throw Error("Variant is empty");
    if (value.IsNull())
        throw Error("Variant is null");
}

int VarToIntNotNull(const Variant& value)
{
    CheckNotNull(value);
    return value.AsInteger();
}
