#pragma once

#include <QString>
#include <QStringList>

class TIBDatabase;

// Splits a catalogue script into statements: each ends with ";" as the last
// character of a line; whole lines starting with "--" are comments.
QStringList SplitSqlScript(const QString& script);

// The catalogue scripts built into the program, in the order they run.
QStringList CatalogueScriptNames();

// Runs the catalogue scripts into an open, empty database in a transaction
// of its own, committing after each script (a table must be committed before
// it takes rows).
void RunCatalogueScripts(TIBDatabase& database);

// Creates a new database (UTF8 default character set, dialect 3) holding the
// catalogue. name is a file path for the embedded engine or "host:path" for
// a server. An existing file is refused; on any failure the half-made
// database is dropped again.
void CreateCatalogueDatabase(const QString& name, const QString& user, const QString& password);
