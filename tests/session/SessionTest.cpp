#include "Error.h"
#include "Session.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

// A session created the way the program starts: nothing connected.
class ConnectTest : public ::testing::Test {
protected:
    void SetUp() override { InitSession(); }
    void TearDown() override { DoneSession(); }
};

TEST_F(ConnectTest, ConnectsWithClientIniBesideTheExecutable)
{
    const QString db = FreshDatabaseCopy();
    TClientIni ini("[DataBase]\nDataBaseName=" + db.toUtf8() + "\nuser_name=SYSDBA\n");
    EXPECT_FALSE(Connected);
    Connect();
    EXPECT_TRUE(Connected);
    EXPECT_EQ(Database->DatabaseName, db);
    EXPECT_EQ(Database->Params, QStringList({"user_name=SYSDBA", "password=quintavel", "lc_ctype=UTF8"}));
    EXPECT_TRUE(Transaction->InTransaction());
    EXPECT_EQ(Transaction->Params, QStringList({"read_committed", "rec_version", "nowait"}));
    auto q = NewIBSQL();
    q->SQL << "select USR_NAME from USR where USR_LOGIN = :USR_LOGIN";
    q->ParamByName("USR_LOGIN").SetAsString("demouser");
    q->ExecQuery();
    EXPECT_FALSE(q->Eof());
    q->Close();
    Disconnect();
    EXPECT_FALSE(Connected);
    EXPECT_FALSE(Database->Connected());
    QFile::remove(db);
}

TEST_F(ConnectTest, ARelativeNameResolvesBesideTheExecutable)
{
    const QString name = "relative-test.fdb";
    const QString beside = QDir(ExeDir()).filePath(name);
    QFile::remove(beside);
    ASSERT_TRUE(QFile::copy(TemplateDatabasePath(), beside));
    TClientIni ini("[DataBase]\nDataBaseName=" + name.toUtf8() + "\n");
    Connect();
    EXPECT_EQ(Database->DatabaseName, beside);
    Disconnect();
    QFile::remove(beside);
}

TEST_F(ConnectTest, AMissingDatabaseRaisesTheClientsMessage)
{
    TClientIni ini("[DataBase]\nDataBaseName=/nonexistent/dir/none.fdb\n");
    try {
        Connect();
        FAIL() << "connected to a missing database";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("/nonexistent/dir/none.fdb")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("I/O error")) << e.Message().toStdString();
    }
    EXPECT_FALSE(Connected);
    EXPECT_FALSE(Database->Connected());
    EXPECT_FALSE(Transaction->InTransaction());
}

TEST_F(ConnectTest, AFileThatIsNoDatabaseRaisesAndStaysDisconnected)
{
    const QString path = QDir(ScratchDir()).filePath("garbage.fdb");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray(8192, 'x'));
    f.close();
    TClientIni ini("[DataBase]\nDataBaseName=" + path.toUtf8() + "\n");
    EXPECT_THROW(Connect(), Error);
    EXPECT_FALSE(Connected);
}

TEST_F(SessionTest, GenIdDrawsSuccessiveValuesNotGivenBackByRollback)
{
    const int first = GenId("TBL_ID");
    const int second = GenId("TBL_ID");
    EXPECT_EQ(second, first + 1);
    DBRollback();
    EXPECT_EQ(GenId("TBL_ID"), second + 1);
    EXPECT_THROW(GenId("NO_SUCH_SEQUENCE"), Error);
    EXPECT_EQ(GenId("TBL_ID"), second + 2);  // the statement stays usable after a failure
    try {
        GenId("X; drop table OBJ");
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("X; drop table OBJ"));
    }
}

TEST_F(SessionTest, CommitAndRollbackRetainTheTransaction)
{
    Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (100, 'a', 'A')");
    DBRollback();
    EXPECT_EQ(Scalar("select count(*) from USR where USR_ID = 100"), "0");
    Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (100, 'a', 'A')");
    DBCommit();
    DBRollback();
    EXPECT_TRUE(Transaction->InTransaction());
    EXPECT_EQ(Scalar("select count(*) from USR where USR_ID = 100"), "1");
}

TEST_F(SessionTest, AChangeGuardRollsBackUnlessCommitted)
{
    try {
        TDBChange change;
        Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (101, 'b', 'B')");
        Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (101, 'b', 'B')");
        change.Commit();
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("PRIMARY")) << e.Message().toStdString();
    }
    EXPECT_EQ(Scalar("select count(*) from USR where USR_ID = 101"), "0");
    {
        TDBChange change;
        Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (102, 'c', 'C')");
        change.Commit();
    }
    DBRollback();
    EXPECT_EQ(Scalar("select count(*) from USR where USR_ID = 102"), "1");
}

TEST_F(SessionTest, DebugMessagesShowOnlyWhenSwitchedOn)
{
    QStringList shown;
    DebMsgHandler = [&](const QString& text) { shown << text; };
    DebMsg("hidden");
    DebFmt("%d %d %d", {"not", "numbers"});  // not even formatted while off
    EXPECT_TRUE(shown.isEmpty());
    ShowDebMsg = true;
    DebMsg("shown");
    DebFmt("%s = %d", {"X", 5});
    EXPECT_EQ(shown, QStringList({"shown", "X = 5"}));
    EXPECT_THROW(DebFmt("%d", {"text"}), Error);
    DebMsgHandler = nullptr;
}

TEST_F(SessionTest, DisconnectCommitsTheActiveTransaction)
{
    Exec("insert into USR (USR_ID, USR_LOGIN, USR_NAME) values (103, 'd', 'D')");
    Disconnect();
    EXPECT_FALSE(Connected);
    Database->Open();
    Transaction->StartTransaction();
    EXPECT_EQ(Scalar("select count(*) from USR where USR_ID = 103"), "1");
}

}  // namespace
