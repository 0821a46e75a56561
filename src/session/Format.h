#pragma once

#include "Variant.h"

#include <QList>
#include <QString>

// Fills a template: "%s" text, "%d" integer, "%g" a number in the shortest
// general form (15 significant digits, locale decimal separator), "%%" a
// percent sign. "%N:x" takes argument N (from 0); a directive without a
// number takes the argument after the one used last.
QString Format(const QString& templ, const QList<Variant>& args);

// A number in the general form with up to 15 significant digits and the
// locale's decimal separator; scientific ("1E20", "1,5E-7") for very large
// or very small magnitudes.
QString FloatToStr(double value);

// Reads a number written with the locale's decimal separator (blanks around
// it allowed); anything else raises "'TEXT' is not a valid floating point value".
double StrToFloat(const QString& text);
// The same without raising: false when the text is not such a number.
bool TryStrToFloat(const QString& text, double& value);

// A currency value (scaled by 10000) with up to four decimals, trailing
// zeros dropped.
QString CurrToStr(qint64 scaled);

// Appends a text to a list held in a string: the first text stands alone,
// each later one follows a comma and a carriage return.
void AppendText(QString& list, const QString& text);
