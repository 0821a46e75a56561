#include "Ini.h"

#include <QFile>
#include <QTextStream>

TIniFile::TIniFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    QString section;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            const int end = line.indexOf(']');
            section = (end < 0 ? line.mid(1) : line.mid(1, end - 1)).trimmed();
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;  // not a key line
        const QString key = Key(section, line.left(eq).trimmed());
        if (!FValues.contains(key))
            FValues.insert(key, line.mid(eq + 1).trimmed());
    }
}

QString TIniFile::Key(const QString& section, const QString& key) { return (section + '\n' + key).toLower(); }

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    return FValues.value(Key(section, key), defaultValue);
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    return FValues.contains(Key(section, key));
}
