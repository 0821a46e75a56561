#include "Session.h"

#include "Error.h"
#include "Ini.h"
#include "Obj.h"
#include "Rate.h"
#include "SqlName.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

std::unique_ptr<TIBDatabase> Database;
std::unique_ptr<TIBTransaction> Transaction;
std::unique_ptr<TObjList> ObjList;
std::unique_ptr<TCurrRateTable> CurrRateTable;
int UserId = 0;
QString UserName;
bool ShowDebMsg = false;
bool DevMode = false;
bool Connected = false;
bool MetaLoaded = false;
std::function<void(int, int)> LoadProgress;
std::function<void(const QString&)> DebMsgHandler;

namespace {
std::unique_ptr<TIBSQL> IdStatement;  // created by the first GenId
}  // namespace

void InitSession()
{
    Database = CreateDatabase();
    Transaction = CreateTransaction(Database.get());
}

void DoneSession()
{
    FreeMeta();
    // The connection goes first: closing it commits an active transaction.
    Database.reset();
    Transaction.reset();
    IdStatement.reset();
    UserId = 0;
    UserName.clear();
    ShowDebMsg = false;
    DevMode = false;
    Connected = false;
    MetaLoaded = false;
    LoadProgress = nullptr;
}

void InitDatabase(TIBDatabase& database, const QString& iniPath, const QString& defaultName,
                  const QString& charSet)
{
    const TIniFile ini(iniPath);
    const QString section = "DataBase";
    database.DatabaseName = ini.ReadString(section, "DataBaseName", defaultName);
    database.Params.clear();
    if (!ini.ValueExists(section, "crypt_user_name"))
        database.Params << "user_name=" + ini.ReadString(section, "user_name", "SYSDBA");
    if (!ini.ValueExists(section, "crypt_password"))
        database.Params << "password=" + ini.ReadString(section, "password", "quintavel");
    database.Params << "lc_ctype=" + charSet;
}

std::unique_ptr<TIBDatabase> CreateDatabase()
{
    auto database = std::make_unique<TIBDatabase>();
    database->LoginPrompt = false;
    return database;
}

std::unique_ptr<TIBTransaction> CreateTransaction(TIBDatabase* database)
{
    auto transaction = std::make_unique<TIBTransaction>(database ? database : Database.get());
    transaction->Params << "read_committed" << "rec_version" << "nowait";
    return transaction;
}

std::unique_ptr<TIBSQL> NewIBSQL() { return std::make_unique<TIBSQL>(Database.get(), Transaction.get()); }

void DBCommit() { Transaction->CommitRetaining(); }

void DBRollback() { Transaction->RollbackRetaining(); }

int GenId(const QString& sequence)
{
    if (!IsPlainSqlName(sequence))
        throw Error(QString("Недопустимое имя последовательности \"%1\"").arg(sequence));
    if (!IdStatement)
        IdStatement = NewIBSQL();
    IdStatement->SQL = QStringList{Format("select gen_id(%s, 1) from RDB$DATABASE", {sequence})};
    TQueryCloser closer(*IdStatement);
    IdStatement->ExecQuery();
    return IdStatement->Fields(0).AsLong();
}

void DebMsg(const QString& text)
{
    if (!ShowDebMsg)
        return;
    if (DebMsgHandler)
        DebMsgHandler(text);
    else
        qInfo().noquote() << text;
}

void DebFmt(const QString& templ, const QList<Variant>& args)
{
    if (ShowDebMsg)
        DebMsg(Format(templ, args));
}

QString ExeDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

QString ResolveDatabaseName(const QString& name, const QString& baseDir)
{
    if (name.contains(':') || QDir::isAbsolutePath(name))
        return name;  // a server name, or a path that needs no base
    return QDir(baseDir).filePath(name);
}

void Connect()
{
    if (Database->Connected())
        throw Error("Соединение с базой данных уже открыто");
    const QString dir = ExeDir();
    InitDatabase(*Database, QDir(dir).filePath("client.ini"), "base.fdb", "UTF8");
    Database->DatabaseName = ResolveDatabaseName(Database->DatabaseName, dir);
    Database->Open();
    try {
        Transaction->StartTransaction();
    } catch (...) {
        Database->Close();
        throw;
    }
    Connected = true;
}

void Disconnect()
{
    Connected = false;
    Database->Close();
}

TDBChange::~TDBChange()
{
    if (FDone)
        return;
    try {
        DBRollback();
    } catch (const Error&) {
        // the error that brought us here is the one the caller must see
    }
}

void TDBChange::Commit()
{
    DBCommit();
    FDone = true;
}
