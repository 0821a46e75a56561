#include "SqlParams.h"

namespace {

bool IsNameChar(QChar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'
        || c == '$';
}

// Copies a quoted run (string literal or quoted identifier) starting at i;
// a doubled quote stands for itself. Returns the index after the run.
int CopyQuoted(const QString& text, int i, QString& out)
{
    const QChar quote = text[i];
    const int n = text.size();
    out += text[i++];
    while (i < n) {
        out += text[i];
        if (text[i] == quote) {
            if (i + 1 < n && text[i + 1] == quote) {
                out += text[++i];
            } else {
                return i + 1;
            }
        }
        ++i;
    }
    return i;
}

}  // namespace

TParsedSql ParseNamedParams(const QString& text)
{
    TParsedSql result;
    QString& out = result.Sql;
    out.reserve(text.size());
    const int n = text.size();
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == '\'' || c == '"') {
            i = CopyQuoted(text, i, out);
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const int end = text.indexOf("*/", i + 2);
            const int stop = end < 0 ? n : end + 2;
            out += QStringView(text).mid(i, stop - i);
            i = stop;
        } else if (c == '-' && i + 1 < n && text[i + 1] == '-') {
            int stop = i;
            while (stop < n && text[stop] != '\n' && text[stop] != '\r')
                ++stop;
            out += QStringView(text).mid(i, stop - i);
            i = stop;
        } else if (c == ':' && i + 1 < n && IsNameChar(text[i + 1])) {
            int stop = i + 1;
            while (stop < n && IsNameChar(text[stop]))
                ++stop;
            result.Positions << text.mid(i + 1, stop - i - 1);
            out += '?';
            i = stop;
        } else {
            out += c;
            ++i;
        }
    }
    return result;
}
