#include "Locale.h"

#include <QLocale>

TFormatSettings FormatSettings;

void LoadSystemFormatSettings()
{
    const QLocale locale = QLocale::system();
    FormatSettings.DecimalSeparator = locale.decimalPoint().at(0);
    FormatSettings.ShortDateFormat = locale.dateFormat(QLocale::ShortFormat);
}
