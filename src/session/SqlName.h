#pragma once

#include <QString>

// The longest name Firebird 3 accepts for a table, column or sequence.
constexpr int MaxSqlNameLength = 31;

// A name that may stand unquoted in a statement: a Latin letter, then Latin
// letters, digits, "_" or "$", at most 31 characters.
bool IsPlainSqlName(const QString& name);
