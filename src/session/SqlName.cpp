#include "SqlName.h"

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
