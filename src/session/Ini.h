#pragma once

#include <QHash>
#include <QString>

// A read-only ini file: "[Section]" lines, then "key=value" lines. Section
// and key names compare without regard to letter case; blanks around names
// and values are ignored; lines starting with ";" or "#" are comments. A
// missing or unreadable file reads as empty.
class TIniFile {
public:
    explicit TIniFile(const QString& path);

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    bool ValueExists(const QString& section, const QString& key) const;

private:
    static QString Key(const QString& section, const QString& key);
    QHash<QString, QString> FValues;  // "section\nkey" in lower case -> value
};
