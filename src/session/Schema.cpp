#include "Schema.h"

#include "Error.h"
#include "IBDatabase.h"
#include "IBSQL.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList SplitSqlScript(const QString& script)
{
    QStringList statements;
    QStringList current;
    for (const QString& line : script.split('\n')) {
        const QString trimmed = line.trimmed();
        if (current.isEmpty() && (trimmed.isEmpty() || trimmed.startsWith("--")))
            continue;
        if (trimmed.startsWith("--"))
            continue;
        QString text = line;
        if (text.endsWith('\r'))
            text.chop(1);
        if (trimmed.endsWith(';')) {
            text = text.trimmed();
            text.chop(1);
            current << text;
            statements << current.join('\n').trimmed();
            current.clear();
        } else {
            current << text;
        }
    }
    const QString rest = current.join('\n').trimmed();
    if (!rest.isEmpty())
        statements << rest;
    return statements;
}

QStringList CatalogueScriptNames()
{
    QStringList names = QDir(":/schema").entryList({"*.sql"}, QDir::Files, QDir::Name);
    for (QString& name : names)
        name.prepend(":/schema/");
    return names;
}

void RunCatalogueScripts(TIBDatabase& database)
{
    const QStringList scripts = CatalogueScriptNames();
    if (scripts.isEmpty())
        throw Error("The catalogue scripts are missing from the program");
    TIBTransaction transaction(&database);
    transaction.Params << "concurrency" << "nowait";
    TIBSQL query(&database, &transaction);
    for (const QString& path : scripts) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QString("Cannot read %1").arg(path));
        transaction.StartTransaction();
        for (const QString& statement : SplitSqlScript(QString::fromUtf8(file.readAll()))) {
            query.SQL = QStringList{statement};
            try {
                query.ExecQuery();
            } catch (const Error& e) {
                throw Error(QString("%1: %2\n%3").arg(QFileInfo(path).fileName(), e.Message(), statement),
                            e.SqlState(), e.GdsCode(), statement);
            }
            query.Close();
        }
        query.FreeHandle();  // a prepared statement would keep its tables in use
        transaction.Commit();
    }
}

void CreateCatalogueDatabase(const QString& name, const QString& user, const QString& password)
{
    const bool local = !name.contains(':');
    if (local && QFileInfo::exists(name))
        throw Error(QString("Файл \"%1\" уже существует").arg(name));
    TIBDatabase database;
    database.DatabaseName = name;
    database.Params << "user_name=" + user;
    if (!password.isEmpty())
        database.Params << "password=" + password;
    database.Params << "lc_ctype=UTF8";
    database.CreateDatabase("UTF8");
    try {
        RunCatalogueScripts(database);
        database.Close();
    } catch (...) {
        try {
            if (!database.Connected())
                database.Open();
            database.DropDatabase();
        } catch (const Error&) {
            if (local)
                QFile::remove(name);
        }
        throw;
    }
}
