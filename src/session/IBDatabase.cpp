#include "IBDatabase.h"

#include "Error.h"
#include "FbApi.h"
#include "IBSQL.h"

#include <algorithm>
#include <ibase.h>

namespace {

// The DPB tags of the connection params this system uses.
struct TDpbName {
    const char* Name;
    unsigned char Tag;
};
constexpr TDpbName DpbNames[] = {
    {"user_name", isc_dpb_user_name},
    {"password", isc_dpb_password},
    {"lc_ctype", isc_dpb_lc_ctype},
    {"sql_role_name", isc_dpb_sql_role_name},
};

struct TTpbName {
    const char* Name;
    unsigned char Tag;
};
constexpr TTpbName TpbNames[] = {
    {"read_committed", isc_tpb_read_committed}, {"rec_version", isc_tpb_rec_version},
    {"no_rec_version", isc_tpb_no_rec_version}, {"nowait", isc_tpb_nowait},
    {"wait", isc_tpb_wait},                     {"concurrency", isc_tpb_concurrency},
    {"consistency", isc_tpb_consistency},       {"read", isc_tpb_read},
    {"write", isc_tpb_write},
};

template <typename T>
void Forget(std::vector<T*>& list, T* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TIBDatabase::TIBDatabase() = default;

TIBDatabase::~TIBDatabase()
{
    try {
        Close();
    } catch (const Error&) {
        // the connection is going away; nothing is left to report to
    }
    for (TIBTransaction* t : FTransactions)
        t->FDatabase = nullptr;
    for (TIBSQL* s : FStatements)
        s->FDatabase = nullptr;
}

QByteArray TIBDatabase::BuildDpb(const QString& createCharSet) const
{
    fb::TStatus st;
    Firebird::IXpbBuilder* dpb = fb::Util()->getXpbBuilder(st.Fresh(), Firebird::IXpbBuilder::DPB, nullptr, 0);
    st.Check();
    struct TDisposer {
        Firebird::IXpbBuilder* B;
        ~TDisposer() { B->dispose(); }
    } disposer{dpb};

    for (const QString& line : Params) {
        if (line.trimmed().isEmpty())
            continue;
        const int eq = line.indexOf('=');
        const QString key = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
        const QByteArray value = eq < 0 ? QByteArray() : line.mid(eq + 1).toUtf8();
        const auto found = std::find_if(std::begin(DpbNames), std::end(DpbNames),
                                        [&](const TDpbName& d) { return key == d.Name; });
        if (found == std::end(DpbNames))
            throw Error(QString("Unknown database parameter \"%1\"").arg(key));
        dpb->insertString(st.Fresh(), found->Tag, value.constData());
        st.Check();
    }
    if (!createCharSet.isEmpty()) {
        dpb->insertString(st.Fresh(), isc_dpb_set_db_charset, createCharSet.toUtf8().constData());
        st.Check();
        dpb->insertInt(st.Fresh(), isc_dpb_sql_dialect, 3);
        st.Check();
    }
    return QByteArray(reinterpret_cast<const char*>(dpb->getBuffer(st.Fresh())), int(dpb->getBufferLength(st.Fresh())));
}

void TIBDatabase::Open()
{
    if (Connected())
        return;
    const QByteArray dpb = BuildDpb(QString());
    fb::TStatus st;
    Firebird::IAttachment* att = fb::Provider()->attachDatabase(
        st.Fresh(), DatabaseName.toUtf8().constData(), unsigned(dpb.size()),
        reinterpret_cast<const unsigned char*>(dpb.constData()));
    st.Check();
    FAttachment = att;
}

void TIBDatabase::CreateDatabase(const QString& defaultCharSet)
{
    if (Connected())
        throw Error("TIBDatabase.CreateDatabase: the connection is open");
    const QByteArray dpb = BuildDpb(defaultCharSet.isEmpty() ? QString("NONE") : defaultCharSet);
    fb::TStatus st;
    Firebird::IAttachment* att = fb::Provider()->createDatabase(
        st.Fresh(), DatabaseName.toUtf8().constData(), unsigned(dpb.size()),
        reinterpret_cast<const unsigned char*>(dpb.constData()));
    st.Check();
    FAttachment = att;
}

void TIBDatabase::ReleaseChildren()
{
    for (TIBTransaction* t : FTransactions)
        if (t->InTransaction())
            t->Commit();
    for (TIBSQL* s : FStatements)
        s->FreeHandle();
}

void TIBDatabase::Close()
{
    if (!Connected())
        return;
    try {
        ReleaseChildren();
    } catch (const Error&) {
        // A commit that fails on the way out still lets the connection close;
        // the rest of the work of that transaction is lost with it.
        for (TIBTransaction* t : FTransactions)
            t->ReleaseHandle();
        for (TIBSQL* s : FStatements)
            s->FreeHandle();
        fb::TStatus st;
        FAttachment->detach(st.Fresh());
        if (st.Failed())
            FAttachment->release();
        FAttachment = nullptr;
        throw;
    }
    fb::TStatus st;
    FAttachment->detach(st.Fresh());
    if (st.Failed()) {
        FAttachment->release();
        FAttachment = nullptr;
        st.Raise();
    }
    FAttachment = nullptr;
}

void TIBDatabase::DropDatabase()
{
    if (!Connected())
        throw Error("TIBDatabase.DropDatabase: the connection is not open");
    for (TIBTransaction* t : FTransactions)
        if (t->InTransaction())
            t->Rollback();
    for (TIBSQL* s : FStatements)
        s->FreeHandle();
    fb::TStatus st;
    FAttachment->dropDatabase(st.Fresh());
    st.Check();
    FAttachment = nullptr;
}

// ---------------------------------------------------------------------------

TIBTransaction::TIBTransaction(TIBDatabase* database) { SetDefaultDatabase(database); }

TIBTransaction::~TIBTransaction()
{
    if (InTransaction()) {
        try {
            Rollback();
        } catch (const Error&) {
            ReleaseHandle();
        }
    }
    if (FDatabase)
        Forget(FDatabase->FTransactions, this);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* database)
{
    if (database == FDatabase)
        return;
    if (InTransaction())
        throw Error("TIBTransaction: cannot change the database of an active transaction");
    if (FDatabase)
        Forget(FDatabase->FTransactions, this);
    FDatabase = database;
    if (FDatabase)
        FDatabase->FTransactions.push_back(this);
}

QByteArray TIBTransaction::BuildTpb() const
{
    QByteArray tpb;
    tpb += char(isc_tpb_version3);
    for (const QString& line : Params) {
        const QString name = line.trimmed().toLower();
        if (name.isEmpty())
            continue;
        const auto found = std::find_if(std::begin(TpbNames), std::end(TpbNames),
                                        [&](const TTpbName& t) { return name == t.Name; });
        if (found == std::end(TpbNames))
            throw Error(QString("Unknown transaction parameter \"%1\"").arg(name));
        tpb += char(found->Tag);
    }
    return tpb;
}

void TIBTransaction::StartTransaction()
{
    if (InTransaction())
        throw Error("Transaction is active");
    if (!FDatabase || !FDatabase->Connected())
        throw Error("Database not open");
    const QByteArray tpb = BuildTpb();
    fb::TStatus st;
    Firebird::ITransaction* handle = FDatabase->Handle()->startTransaction(
        st.Fresh(), unsigned(tpb.size()), reinterpret_cast<const unsigned char*>(tpb.constData()));
    st.Check();
    FHandle = handle;
}

void TIBTransaction::CheckActive(const char* operation) const
{
    if (!InTransaction())
        throw Error(QString("TIBTransaction.%1: transaction is not active").arg(QString::fromLatin1(operation)));
}

void TIBTransaction::ReleaseHandle()
{
    if (FDatabase)
        for (TIBSQL* s : FDatabase->FStatements)
            if (s->Transaction() == this)
                s->DropCursor();
    if (FHandle)
        FHandle->release();
    FHandle = nullptr;
}

void TIBTransaction::Finish(bool commit)
{
    // Cursors of this transaction end with it.
    if (FDatabase)
        for (TIBSQL* s : FDatabase->FStatements)
            if (s->Transaction() == this)
                s->Close();
    fb::TStatus st;
    if (commit)
        FHandle->commit(st.Fresh());
    else
        FHandle->rollback(st.Fresh());
    st.Check();
    FHandle = nullptr;  // commit and rollback release the interface
}

void TIBTransaction::Commit()
{
    CheckActive("Commit");
    Finish(true);
}

void TIBTransaction::Rollback()
{
    CheckActive("Rollback");
    Finish(false);
}

void TIBTransaction::CommitRetaining()
{
    CheckActive("CommitRetaining");
    fb::TStatus st;
    FHandle->commitRetaining(st.Fresh());
    st.Check();
}

void TIBTransaction::RollbackRetaining()
{
    CheckActive("RollbackRetaining");
    fb::TStatus st;
    FHandle->rollbackRetaining(st.Fresh());
    st.Check();
}
