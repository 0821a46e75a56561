#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace Firebird {
class IAttachment;
class ITransaction;
}

class TIBSQL;
class TIBTransaction;

// One connection to a Firebird database. A name without a host opens in the
// engine inside this process; "host:/path" or "host/port:/path" goes to a
// server. Params are lines such as "user_name=SYSDBA", "password=...",
// "lc_ctype=UTF8", "sql_role_name=...".
class TIBDatabase {
public:
    TIBDatabase();
    ~TIBDatabase();
    TIBDatabase(const TIBDatabase&) = delete;
    TIBDatabase& operator=(const TIBDatabase&) = delete;

    QString DatabaseName;
    QStringList Params;
    bool LoginPrompt = false;  // never prompts; kept for callers that switch it off

    void Open();
    // Ends active transactions with a commit, frees the statements' server
    // handles (they prepare again on next use) and detaches.
    void Close();
    bool Connected() const { return FAttachment != nullptr; }

    // Creates a new database (dialect 3) with the given default character set
    // and leaves it open. Fails when the file exists.
    void CreateDatabase(const QString& defaultCharSet = "UTF8");
    // Drops the open database: the file is removed and the connection closed.
    void DropDatabase();

    Firebird::IAttachment* Handle() const { return FAttachment; }

private:
    friend class TIBTransaction;
    friend class TIBSQL;

    QByteArray BuildDpb(const QString& createCharSet) const;
    void ReleaseChildren();

    Firebird::IAttachment* FAttachment = nullptr;
    std::vector<TIBTransaction*> FTransactions;
    std::vector<TIBSQL*> FStatements;
};

// One transaction. Params are lines such as "read_committed", "rec_version",
// "nowait", "concurrency", "wait", "read", "write".
class TIBTransaction {
public:
    explicit TIBTransaction(TIBDatabase* database = nullptr);
    ~TIBTransaction();
    TIBTransaction(const TIBTransaction&) = delete;
    TIBTransaction& operator=(const TIBTransaction&) = delete;

    TIBDatabase* DefaultDatabase() const { return FDatabase; }
    void SetDefaultDatabase(TIBDatabase* database);

    QStringList Params;

    void StartTransaction();
    void Commit();
    void Rollback();
    // Make the work durable (or undo it) and keep the transaction and its open
    // statements usable.
    void CommitRetaining();
    void RollbackRetaining();
    bool InTransaction() const { return FHandle != nullptr; }

    Firebird::ITransaction* Handle() const { return FHandle; }

private:
    friend class TIBDatabase;

    QByteArray BuildTpb() const;
    void CheckActive(const char* operation) const;
    void Finish(bool commit);
    void ReleaseHandle();

    TIBDatabase* FDatabase = nullptr;
    Firebird::ITransaction* FHandle = nullptr;
};
