#pragma once

#include <QString>
#include <QStringList>

// A statement text with its named parameters (":NAME", the name may be
// digits) replaced by positional markers.
struct TParsedSql {
    QString Sql;            // the text with "?" in place of each parameter
    QStringList Positions;  // the parameter name of each "?", in order
};

// Finds the named parameters outside string literals, quoted identifiers and
// comments ("/* ... */", "-- ..." to the end of the line).
TParsedSql ParseNamedParams(const QString& text);
