#pragma once

// The process-wide session: the one connection, the one transaction, the
// statement factory, commit and rollback, identifiers from sequences, debug
// output, connecting and disconnecting.

#include "Format.h"
#include "IBDatabase.h"
#include "IBSQL.h"

#include <functional>
#include <memory>

class TObjList;
class TCurrRateTable;

extern std::unique_ptr<TIBDatabase> Database;
extern std::unique_ptr<TIBTransaction> Transaction;
extern std::unique_ptr<TObjList> ObjList;              // set by LoadMeta
extern std::unique_ptr<TCurrRateTable> CurrRateTable;  // set by LoadMeta
extern int UserId;
extern QString UserName;
extern bool ShowDebMsg;
extern bool DevMode;
extern bool Connected;
extern bool MetaLoaded;
// Called by the catalogue load after each object with (position, maximum).
extern std::function<void(int, int)> LoadProgress;
// Shows a debug text and waits for the user; installed by the user interface.
extern std::function<void(const QString&)> DebMsgHandler;

// Program start: creates Database and Transaction, not connected.
void InitSession();
// Program end: frees the identifier statement, Transaction and Database, and
// resets every session value.
void DoneSession();

// Sets up a connection from client.ini at iniPath (section "DataBase").
void InitDatabase(TIBDatabase& database, const QString& iniPath, const QString& defaultName,
                  const QString& charSet);
std::unique_ptr<TIBDatabase> CreateDatabase();
// A read-committed, record-version, no-wait transaction on the given
// connection, or on Database when none is given.
std::unique_ptr<TIBTransaction> CreateTransaction(TIBDatabase* database = nullptr);
// A statement bound to Database and Transaction.
std::unique_ptr<TIBSQL> NewIBSQL();
void DBCommit();    // commit-retaining
void DBRollback();  // rollback-retaining
// The next value of a sequence; not given back by a rollback.
int GenId(const QString& sequence);
void DebMsg(const QString& text);
void DebFmt(const QString& templ, const QList<Variant>& args);
// Reads client.ini beside the executable, opens Database and starts Transaction.
void Connect();
void Disconnect();

// The directory of the running executable.
QString ExeDir();
// A local database name without a host, relative, resolves against baseDir;
// absolute paths and server names ("host:path", "host/port:path") stay.
QString ResolveDatabaseName(const QString& name, const QString& baseDir);

// Guards one change of the database: unless Commit() is reached, the
// destructor rolls the session transaction back (retaining), so an error
// leaves nothing half done and propagates unchanged.
class TDBChange {
public:
    TDBChange() = default;
    ~TDBChange();
    TDBChange(const TDBChange&) = delete;
    TDBChange& operator=(const TDBChange&) = delete;
    void Commit();

private:
    bool FDone = false;
};
