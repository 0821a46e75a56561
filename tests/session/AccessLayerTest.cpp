#include "Error.h"
#include "Session.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// A scratch table with one column of every type the catalogue and the data
// tables use.
class AccessLayerTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        Exec("create table TT (ID integer not null primary key, S smallint, B bigint, N4 NUM134, "
             "N3 NUM143, N2 NUM152, V varchar(10) character set UTF8 collate UNICODE, D DATEONLY, "
             "F BOOL, I INTEG, K FK)");
        DBCommit();
    }

    // Inserts one row whose columns all hold one value (a flag and a date made
    // from it for F and D).
    void InsertRow(int id, const Variant& value)
    {
        auto q = NewIBSQL();
        q->SQL << "insert into TT (ID, S, B, N4, N3, N2, V, D, F, I, K)"
               << "values (:ID, :S, :B, :N4, :N3, :N2, :V, :D, :F, :I, :K)";
        q->ParamByName("ID").SetAsInteger(id);
        for (const char* name : {"S", "B", "N4", "N3", "N2", "V", "I", "K"})
            q->ParamByName(name).SetAsVariant(value);
        q->ParamByName("F").SetAsVariant(value.IsNull() ? value : Variant(value.AsInteger() != 0));
        q->ParamByName("D").SetAsVariant(value.IsNull() ? value : Variant(QDate(2026, 1, 1).addDays(value.AsInteger())));
        q->ExecQuery();
    }

    std::unique_ptr<TIBSQL> SelectRow(int id)
    {
        auto q = NewIBSQL();
        q->SQL << "select * from TT where ID = :ID";
        q->ParamByName("ID").SetAsInteger(id);
        q->ExecQuery();
        return q;
    }
};

TEST_F(AccessLayerTest, NullReadsAsEmptyZeroAndNullValue)
{
    InsertRow(1, Variant::Null());
    auto q = SelectRow(1);
    ASSERT_FALSE(q->Eof());
    for (const char* name : {"S", "B", "N4", "N3", "N2", "V", "D", "F", "I", "K"}) {
        TIBXSQLVAR& f = q->FieldByName(name);
        EXPECT_TRUE(f.IsNull()) << name;
        EXPECT_EQ(f.AsString(), "") << name;
        EXPECT_EQ(f.AsLong(), 0) << name;
        EXPECT_EQ(f.AsShort(), 0) << name;
        EXPECT_EQ(f.AsCurrency(), 0) << name;
        EXPECT_TRUE(f.AsVariant().IsNull()) << name;
    }
}

TEST_F(AccessLayerTest, ValuesRoundTripThroughEveryColumnType)
{
    auto q = NewIBSQL();
    q->SQL << "insert into TT (ID, S, B, N4, N3, N2, V, D, F, I, K)"
           << "values (1, :S, :B, :N4, :N3, :N2, :V, :D, :F, :I, :K)";
    q->ParamByName("S").SetAsInteger(-32768);
    q->ParamByName("B").SetAsVariant(Variant(qint64(9000000000)));
    q->ParamByName("N4").SetAsVariant(Variant::FromCurrency(-123456789));  // -12345.6789
    q->ParamByName("N3").SetAsVariant(Variant(2.5));
    q->ParamByName("N2").SetAsString("19.99");
    q->ParamByName("V").SetAsString("Привет мир");  // ten characters, nineteen bytes
    q->ParamByName("D").SetAsDate(QDate(2026, 12, 10));
    q->ParamByName("F").SetAsBoolean(true);
    q->ParamByName("I").SetAsInteger(2147483647);
    q->ParamByName("K").SetAsVariant(Variant(5));
    q->ExecQuery();

    auto r = SelectRow(1);
    EXPECT_EQ(r->FieldByName("S").AsShort(), -32768);
    EXPECT_EQ(r->FieldByName("B").AsVariant(), Variant(qint64(9000000000)));
    EXPECT_THROW(r->FieldByName("B").AsLong(), Error);  // does not fit 32 bits
    EXPECT_EQ(r->FieldByName("N4").AsCurrency(), -123456789);
    EXPECT_EQ(r->FieldByName("N4").AsVariant(), Variant::FromCurrency(-123456789));
    EXPECT_EQ(r->FieldByName("N3").AsCurrency(), 25000);
    EXPECT_EQ(r->FieldByName("N3").AsString(), "2.5");
    EXPECT_EQ(r->FieldByName("N2").AsCurrency(), 199900);
    EXPECT_EQ(r->FieldByName("V").AsString(), "Привет мир");
    EXPECT_EQ(r->FieldByName("D").AsVariant(), Variant(QDate(2026, 12, 10)));
    EXPECT_EQ(r->FieldByName("D").AsString(), "10.12.2026");
    EXPECT_EQ(r->FieldByName("F").AsVariant(), Variant(1));  // stored as 1, read as an integer
    EXPECT_EQ(r->FieldByName("F").AsShort(), 1);
    EXPECT_EQ(r->FieldByName("I").AsLong(), 2147483647);
    EXPECT_EQ(r->FieldByName("K").AsLong(), 5);

    // The domains keep their scales: four, three and two decimals.
    EXPECT_EQ(Scalar("select cast(N4 as varchar(30)) from TT"), "-12345.6789");
    EXPECT_EQ(Scalar("select cast(N3 as varchar(30)) from TT"), "2.500");
    EXPECT_EQ(Scalar("select cast(N2 as varchar(30)) from TT"), "19.99");
    EXPECT_EQ(Scalar("select F from TT where F = 1"), "1");
}

TEST_F(AccessLayerTest, FalseIsStoredAsZeroAndTooLongTextFails)
{
    InsertRow(1, Variant::Null());
    auto q = NewIBSQL();
    q->SQL << "update TT set F = :F, V = :V where ID = 1";
    q->ParamByName("F").SetAsBoolean(false);
    q->ParamByName("V").SetAsString("01234567890");  // eleven characters in varchar(10)
    try {
        q->ExecQuery();
        FAIL() << "an overlong text was accepted";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("string truncation")) << e.Message().toStdString();
    }
    q->ParamByName("V").SetAsString("ёёёёёёёёёё");  // ten two-byte characters fit
    q->ExecQuery();
    EXPECT_EQ(Scalar("select F from TT"), "0");
    EXPECT_EQ(Scalar("select V from TT"), "ёёёёёёёёёё");
}

TEST_F(AccessLayerTest, SelectStandsOnTheFirstRowAndCountsFetchedRows)
{
    for (int id = 1; id <= 3; ++id)
        InsertRow(id, Variant(id));
    auto q = NewIBSQL();
    q->SQL << "select ID from TT where ID >= :FROM_ID order by ID";
    q->Close();  // harmless before the first run
    q->ParamByName("FROM_ID").SetAsInteger(2);
    q->ExecQuery();
    EXPECT_TRUE(q->Open());
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(q->Fields(0).AsLong(), 2);
    EXPECT_EQ(q->RecordCount(), 1);
    q->Next();
    EXPECT_EQ(q->FieldByName("id").AsLong(), 3);
    EXPECT_EQ(q->RecordCount(), 2);
    q->Next();
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->RecordCount(), 2);
    q->Close();
    q->Close();
    EXPECT_FALSE(q->Open());

    // Runs again with the same text and a new value.
    q->ParamByName("FROM_ID").SetAsInteger(4);
    q->ExecQuery();
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->RecordCount(), 0);
    EXPECT_THROW(q->Fields(0).AsLong(), Error);  // no current row
    q->Close();
    q->ParamByName("FROM_ID").SetAsInteger(1);
    q->ExecQuery();
    EXPECT_EQ(q->Fields(0).AsLong(), 1);
}

TEST_F(AccessLayerTest, OneNameStandingTwiceGetsOneValue)
{
    InsertRow(1, Variant(1));
    InsertRow(2, Variant(2));
    auto q = NewIBSQL();
    q->SQL << "select count(*) from TT where I = :X or K = :x /* :Y is not a parameter */";
    q->ParamByName("X").SetAsInteger(2);
    q->ExecQuery();
    EXPECT_EQ(q->Fields(0).AsLong(), 1);
    EXPECT_THROW(q->ParamByName("Y"), Error);
}

TEST_F(AccessLayerTest, UnknownNamesRaiseErrorsNamingThem)
{
    auto q = NewIBSQL();
    q->SQL << "select ID from TT where ID = :ID";
    try {
        q->ParamByName("NOPE");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Parameter \"NOPE\" not found");
    }
    q->ParamByName("ID").SetAsInteger(1);
    q->ExecQuery();
    try {
        q->FieldByName("MISSING");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Field \"MISSING\" not found");
    }
}

TEST_F(AccessLayerTest, ServerErrorsCarryTheServersText)
{
    auto q = NewIBSQL();
    q->SQL << "select * from NO_SUCH_TABLE";
    try {
        q->ExecQuery();
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("Table unknown")) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("NO_SUCH_TABLE"));
        EXPECT_EQ(e.SqlState(), "42S02");
        EXPECT_EQ(e.Sql(), "select * from NO_SUCH_TABLE");
    }
    InsertRow(1, Variant(1));
    try {
        InsertRow(1, Variant(1));
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("violation of PRIMARY or UNIQUE KEY constraint"))
            << e.Message().toStdString();
    }
}

// Counts the statements of this attachment with the given text through a
// second attachment, whose fresh transactions see fresh monitoring data.
int PreparedCount(const QString& path, const QString& text)
{
    TIBDatabase db;
    db.DatabaseName = path;
    db.Params << "user_name=SYSDBA";
    db.Open();
    TIBTransaction tr(&db);
    tr.StartTransaction();
    TIBSQL q(&db, &tr);
    q.SQL << "select count(*) from MON$STATEMENTS S join MON$ATTACHMENTS A"
          << "on A.MON$ATTACHMENT_ID = S.MON$ATTACHMENT_ID"
          << "where A.MON$ATTACHMENT_ID <> current_connection and cast(S.MON$SQL_TEXT as varchar(1000)) = :T";
    q.ParamByName("T").SetAsString(text);
    q.ExecQuery();
    return q.Fields(0).AsLong();
}

TEST_F(AccessLayerTest, AStatementIsPreparedOncePerText)
{
    auto q = NewIBSQL();
    q->SQL << "select count(*) from TT where ID = :ID";
    for (int i = 0; i < 5; ++i) {
        q->ParamByName("ID").SetAsInteger(i);
        q->ExecQuery();
        q->Close();
    }
    EXPECT_EQ(PreparedCount(DbPath, "select count(*) from TT where ID = ?"), 1);
    q->SQL = QStringList{"select count(*) from TT where I = :I"};
    q->ParamByName("I").SetAsInteger(1);
    q->ExecQuery();
    q->Close();
    EXPECT_EQ(PreparedCount(DbPath, "select count(*) from TT where ID = ?"), 0);
    EXPECT_EQ(PreparedCount(DbPath, "select count(*) from TT where I = ?"), 1);
}

TEST_F(AccessLayerTest, ALockConflictFailsAtOnceAndSucceedsAfterCommit)
{
    InsertRow(1, Variant(1));
    DBCommit();
    Exec("update TT set I = 2 where ID = 1");  // not committed yet

    auto other = CreateDatabase();
    other->DatabaseName = DbPath;
    other->Params << "user_name=SYSDBA" << "lc_ctype=UTF8";
    other->Open();
    auto otherTr = CreateTransaction(other.get());
    otherTr->StartTransaction();
    TIBSQL update(other.get(), otherTr.get());
    update.SQL << "update TT set I = 3 where ID = 1";
    try {
        update.ExecQuery();
        FAIL() << "the update waited or succeeded";
    } catch (const Error& e) {
        EXPECT_TRUE(e.Message().contains("update conflicts with concurrent update")) << e.Message().toStdString();
    }
    // The second transaction reads the last committed version meanwhile.
    TIBSQL read(other.get(), otherTr.get());
    read.SQL << "select I from TT where ID = 1";
    read.ExecQuery();
    EXPECT_EQ(read.Fields(0).AsLong(), 1);
    read.Close();

    DBCommit();
    update.ExecQuery();
    otherTr->CommitRetaining();
    EXPECT_EQ(Scalar("select I from TT where ID = 1"), "3");
}

TEST_F(AccessLayerTest, ClosingTheConnectionCommitsTheActiveTransaction)
{
    InsertRow(7, Variant(7));
    auto open = NewIBSQL();
    open->SQL << "select ID from TT";
    open->ExecQuery();  // an open cursor does not stop the close
    Database->Close();
    EXPECT_FALSE(Transaction->InTransaction());
    EXPECT_FALSE(open->Open());
    Database->Open();
    Transaction->StartTransaction();
    EXPECT_EQ(Scalar("select count(*) from TT where ID = 7"), "1");
    // The statement prepares again on the new connection.
    open->ExecQuery();
    EXPECT_EQ(open->Fields(0).AsLong(), 7);
}

TEST_F(AccessLayerTest, RollbackRetainingUndoesAndKeepsStatementsUsable)
{
    auto q = NewIBSQL();
    q->SQL << "select count(*) from TT";
    InsertRow(1, Variant(1));
    DBRollback();
    q->ExecQuery();
    EXPECT_EQ(q->Fields(0).AsLong(), 0);
    q->Close();
    InsertRow(2, Variant(2));
    DBCommit();
    DBRollback();
    q->ExecQuery();
    EXPECT_EQ(q->Fields(0).AsLong(), 1);
}

}  // namespace
