#include "SqlName.h"

#include "Error.h"
#include "Format.h"

namespace {
bool IsLatinLetter(QChar c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

bool IsPlainSqlName(const QString& name)
{
    if (name.isEmpty() || name.size() > MaxSqlNameLength || !IsLatinLetter(name[0]))
        return false;
    for (const QChar c : name)
        if (!IsLatinLetter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '$')
            return false;
    return true;
}

QString AsciiUpper(const QString& name)
{
    QString upper = name;
    for (QChar& c : upper)
        if (c >= 'a' && c <= 'z')
            c = QChar(c.unicode() - ('a' - 'A'));
    return upper;
}

void CheckNewName(const QString& name, const char* what, int maxLength)
{
    if (IsPlainSqlName(name) && name.size() <= maxLength)
        return;
    throw Error(Format("Недопустимое имя %s \"%s\": имя должно начинаться с латинской буквы и состоять из "
                       "латинских букв, цифр, \"_\" и \"$\", не длиннее %d символов",
                       {what, name, maxLength}));
}
