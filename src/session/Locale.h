#pragma once

#include <QChar>
#include <QString>

// The user's number and date conventions. Filled from the system locale at
// start; tests set it explicitly.
struct TFormatSettings {
    QChar DecimalSeparator = '.';
    QString ShortDateFormat = "dd.MM.yyyy";  // a QDate format string
};

extern TFormatSettings FormatSettings;

// Reads the decimal separator and short date format of QLocale::system().
void LoadSystemFormatSettings();
