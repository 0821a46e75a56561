#include "TestDatabase.h"

#include "Error.h"
#include "Schema.h"
#include "Session.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

namespace {

QTemporaryDir& Scratch()
{
    static QTemporaryDir dir(QDir::tempPath() + "/milentra-test-XXXXXX");
    return dir;
}

}  // namespace

QString Raised(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.Message();
    }
    return "<no error>";
}

QString ScratchDir() { return Scratch().path(); }

QString TemplateDatabasePath()
{
    static const QString path = [] {
        const QString p = Scratch().filePath("template.fdb");
        CreateCatalogueDatabase(p, "SYSDBA", QString());
        return p;
    }();
    return path;
}

QString FreshDatabaseCopy()
{
    const QString copy = Scratch().filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + ".fdb");
    if (!QFile::copy(TemplateDatabasePath(), copy))
        throw std::runtime_error("cannot copy the template database");
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

void SessionTest::SetUp()
{
    DbPath = FreshDatabaseCopy();
    InitSession();
    Database->DatabaseName = DbPath;
    Database->Params << "user_name=SYSDBA" << "lc_ctype=UTF8";
    Database->Open();
    Transaction->StartTransaction();
    Connected = true;
}

void SessionTest::TearDown()
{
    DoneSession();
    QFile::remove(DbPath);
}

QString SessionTest::Scalar(const QString& sql)
{
    auto q = NewIBSQL();
    q->SQL << sql;
    q->ExecQuery();
    return q->Eof() ? QString() : q->Fields(0).AsString();
}

QStringList SessionTest::Column(const QString& sql)
{
    auto q = NewIBSQL();
    q->SQL << sql;
    QStringList values;
    for (q->ExecQuery(); !q->Eof(); q->Next())
        values << q->Fields(0).AsString();
    return values;
}

void SessionTest::Exec(const QString& sql)
{
    auto q = NewIBSQL();
    q->SQL << sql;
    q->ExecQuery();
}

TClientIni::TClientIni(const QByteArray& content) : FPath(QDir(ExeDir()).filePath("client.ini"))
{
    QFile f(FPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        throw std::runtime_error("cannot write client.ini beside the test executable");
}

TClientIni::~TClientIni() { QFile::remove(FPath); }

TTestServer TestServer()
{
    return {qEnvironmentVariable("MILENTRA_FB_SERVER"), qEnvironmentVariable("MILENTRA_FB_PASSWORD"),
            qEnvironmentVariable("MILENTRA_FB_DIR")};
}
