#pragma once

#include <QString>

// The longest name Firebird 3 accepts for a table, column or sequence.
constexpr int MaxSqlNameLength = 31;

// A name that may stand unquoted in a statement: a Latin letter, then Latin
// letters, digits, "_" or "$", at most 31 characters.
bool IsPlainSqlName(const QString& name);

// The name with its ASCII letters a to z upper-cased; every other character
// stays as it is (so a non-Latin letter can never turn into a Latin one).
QString AsciiUpper(const QString& name);

// Raises a Russian message naming the name when it is not a plain SQL name
// of at most maxLength characters; what says what is named ("таблицы", ...).
void CheckNewName(const QString& name, const char* what, int maxLength = MaxSqlNameLength);
