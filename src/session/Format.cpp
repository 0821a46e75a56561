#include "Format.h"

#include "Error.h"
#include "Locale.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int GeneralPrecision = 15;

[[noreturn]] void RaiseFormat(const QString& templ)
{
    throw Error(QString("Format '%1' invalid or incompatible with argument").arg(templ));
}

QString FormatArg(QChar kind, const Variant& arg, const QString& templ)
{
    switch (kind.toLower().unicode()) {
    case 's': return arg.AsString();
    case 'd':
        if (arg.Type() != TVarType::Integer && arg.Type() != TVarType::Boolean)
            RaiseFormat(templ);
        return QString::number(arg.AsInt64());
    case 'g':
        if (arg.Type() != TVarType::Integer && arg.Type() != TVarType::Float
            && arg.Type() != TVarType::Currency)
            RaiseFormat(templ);
        return FloatToStr(arg.AsFloat());
    default: RaiseFormat(templ);
    }
}

}  // namespace

QString Format(const QString& templ, const QList<Variant>& args)
{
    QString out;
    out.reserve(templ.size() + 16 * args.size());
    int next = 0;
    const int n = templ.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = templ[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= n)
            RaiseFormat(templ);
        if (templ[i] == '%') {
            out += '%';
            continue;
        }
        int j = i;
        while (j < n && templ[j].isDigit())
            ++j;
        if (j > i && j < n && templ[j] == ':') {
            next = templ.mid(i, j - i).toInt();
            i = j + 1;
            if (i >= n)
                RaiseFormat(templ);
        }
        if (next < 0 || next >= args.size())
            RaiseFormat(templ);
        out += FormatArg(templ[i], args[next], templ);
        ++next;
    }
    return out;
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";

    // Round to the precision once, then lay the digits out by hand.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", GeneralPrecision - 1, value);
    const char* p = buf;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    QString digits;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += QChar(*p);
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    const QChar sep = FormatSettings.DecimalSeparator;
    QString out = negative ? "-" : "";
    if (exponent >= GeneralPrecision || exponent < -4) {
        out += digits[0];
        if (digits.size() > 1)
            out += sep + digits.mid(1);
        out += 'E' + QString::number(exponent);
    } else if (exponent >= 0) {
        const int intDigits = exponent + 1;
        out += digits.left(intDigits);
        if (digits.size() < intDigits)
            out += QString(intDigits - digits.size(), '0');
        else if (digits.size() > intDigits)
            out += sep + digits.mid(intDigits);
    } else {
        out += '0';
        out += sep;
        out += QString(-exponent - 1, '0');
        out += digits;
    }
    return out;
}

bool TryStrToFloat(const QString& text, double& value)
{
    QString s = text.trimmed();
    const QChar sep = FormatSettings.DecimalSeparator;
    if (s.isEmpty() || (sep != '.' && s.contains('.')))
        return false;
    for (const QChar c : s)
        if (!(c.isDigit() || c == sep || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;  // no "inf", "nan" or hexadecimal forms
    s.replace(sep, '.');
    bool ok = false;
    value = s.toDouble(&ok);
    return ok;
}

double StrToFloat(const QString& text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw Error(QString("'%1' is not a valid floating point value").arg(text));
    return value;
}

QString CurrToStr(qint64 scaled)
{
    const bool negative = scaled < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(scaled) : quint64(scaled);
    QString out = negative ? "-" : "";
    out += QString::number(magnitude / 10000);
    QString frac = QString::number(magnitude % 10000).rightJustified(4, '0');
    while (frac.endsWith('0'))
        frac.chop(1);
    if (!frac.isEmpty())
        out += FormatSettings.DecimalSeparator + frac;
    return out;
}

void AppendText(QString& list, const QString& text)
{
    if (list.isEmpty())
        list = text;
    else
        list += ",\r" + text;
}
