#include "Error.h"
#include "Schema.h"
#include "Session.h"
#include "TestDatabase.h"

#include <QUuid>
#include <gtest/gtest.h>

namespace {

// Client/server mode against the Firebird server that scripts/test starts on
// the loopback interface.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Server = TestServer();
        if (Server.Host.isEmpty())
            GTEST_SKIP() << "no Firebird server: run the tests through scripts/test, which starts one";
        Name = Server.Host + ":" + Server.Dir + "/" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ".fdb";
        CreateCatalogueDatabase(Name, "SYSDBA", Server.Password);
        InitSession();
    }

    void TearDown() override
    {
        if (Server.Host.isEmpty())
            return;
        DoneSession();
        TIBDatabase db;
        db.DatabaseName = Name;
        db.Params << "user_name=SYSDBA" << "password=" + Server.Password;
        db.Open();
        db.DropDatabase();
    }

    QByteArray Ini(const QString& password) const
    {
        return ("[DataBase]\nDataBaseName=" + Name + "\nuser_name=SYSDBA\npassword=" + password + "\n").toUtf8();
    }

    TTestServer Server;
    QString Name;
};

TEST_F(ServerTest, ConnectsThroughTheServerAndWorks)
{
    TClientIni ini(Ini(Server.Password));
    Connect();
    EXPECT_TRUE(Connected);
    auto q = NewIBSQL();
    q->SQL << "select USR_LOGIN, mon$remote_protocol from USR, MON$ATTACHMENTS where "
              "mon$attachment_id = current_connection";
    q->ExecQuery();
    EXPECT_EQ(q->Fields(0).AsString(), "demouser");
    EXPECT_EQ(q->Fields(1).AsString(), "TCPv4");  // really over the network
    q->Close();
    const int id = GenId("USR_ID");
    EXPECT_EQ(GenId("USR_ID"), id + 1);
    Disconnect();
}

TEST_F(ServerTest, AWrongPasswordRaisesTheServersMessage)
{
    TClientIni ini(Ini("wrong-password"));
    try {
        Connect();
        FAIL() << "connected with a wrong password";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("password")) << e.Message().toStdString();
    }
    EXPECT_FALSE(Connected);
}

TEST_F(ServerTest, TwoUsersConflictAtOnce)
{
    TClientIni ini(Ini(Server.Password));
    Connect();
    auto q = NewIBSQL();
    q->SQL << "update USR set USR_NAME = 'first' where USR_LOGIN = 'demouser'";
    q->ExecQuery();

    auto other = CreateDatabase();
    InitDatabase(*other, "/nonexistent.ini", Name, "UTF8");
    other->Params = QStringList{"user_name=SYSDBA", "password=" + Server.Password, "lc_ctype=UTF8"};
    other->Open();
    auto otherTr = CreateTransaction(other.get());
    otherTr->StartTransaction();
    TIBSQL update(other.get(), otherTr.get());
    update.SQL << "update USR set USR_NAME = 'second' where USR_LOGIN = 'demouser'";
    EXPECT_THROW(update.ExecQuery(), Error);
    DBCommit();
    update.ExecQuery();
    otherTr->Commit();
    other->Close();
}

}  // namespace
