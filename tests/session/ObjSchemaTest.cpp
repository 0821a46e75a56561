#include "Error.h"
#include "ExampleCatalogue.h"
#include "Obj.h"
#include "Session.h"
#include "SqlName.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// A loaded catalogue and a record of the statements that change something.
class ObjSchemaTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        LoadMeta();
        // The changes only: the tests' own reads and identifier draws are left out.
        SqlMonitor = [this](const QString& sql) {
            if (!sql.startsWith("select"))
                Statements << sql;
        };
    }
    void TearDown() override
    {
        SqlMonitor = nullptr;
        SessionTest::TearDown();
    }

    int Count(const QString& sql) { return Scalar(sql).toInt(); }
    bool ColumnExists(const QString& table, const QString& column)
    {
        return Count(QString("select count(*) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = '%1' and "
                             "RDB$FIELD_NAME = '%2'").arg(table, column)) == 1;
    }
    QString Sum(const QString& table, int id)
    {
        return Scalar(QString("select cast(TOTAL as varchar(20)) from %1 where %1_ID = %2").arg(table).arg(id));
    }

    QStringList Statements;
};

TEST_F(ObjSchemaTest, CreateTableWithAnEmptyNameUsesTheId)
{
    TObj obj;
    obj.Capt = "Новый";
    obj.Id = 7;
    obj.CreateTable();
    EXPECT_EQ(obj.Table, "TBL7");
    EXPECT_EQ(Statements.mid(0, 4),
              QStringList({"create table TBL7 (TBL7_ID PK NOT NULL)",
                           "alter table TBL7 add constraint PK_TBL7 primary key (TBL7_ID)", "create sequence TBL7_ID",
                           "insert into OBJ\n(OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS)\nvalues\n"
                           "(:OBJ_ID, :OBJ_TABLE, :OBJ_CAPT, :OBJ_REF, :OBJ_META, :OBJ_SYS)"}));
    EXPECT_EQ(Count("select count(*) from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME = 'PK_TBL7' and "
                    "RDB$RELATION_NAME = 'TBL7' and RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'"),
              1);
    EXPECT_EQ(Count("select count(*) from RDB$GENERATORS where RDB$GENERATOR_NAME = 'TBL7_ID'"), 1);
    EXPECT_EQ(Scalar("select OBJ_CAPT from OBJ where OBJ_ID = 7"), "Новый");
    ASSERT_EQ(obj.FldList->Count(), 1);
    TFld* key = (*obj.FldList)[0];
    EXPECT_EQ(key->Field, "TBL7_ID");
    EXPECT_EQ(key->FldType, ftPK);
    EXPECT_EQ(key->Capt, "Код");
    EXPECT_TRUE(key->Sys);
    EXPECT_TRUE(key->NotNull);
    // Committed: a rollback keeps it.
    DBRollback();
    EXPECT_EQ(Scalar("select count(*) from OBJ where OBJ_ID = 7"), "1");
    EXPECT_EQ(GenId("TBL7_ID"), 1);
}

TEST_F(ObjSchemaTest, AFailedCreateTableLeavesNothingAndKeepsItsNames)
{
    AddObject("DUP");
    TObj again;
    again.Table = "dup";
    EXPECT_THROW(again.CreateTable(), Error);
    EXPECT_NE(again.Id, 0);
    EXPECT_EQ(again.Table, "DUP");
    EXPECT_EQ(Count(QString("select count(*) from OBJ where OBJ_ID = %1").arg(again.Id)), 0);
    EXPECT_FALSE(again.FldList);
}

TEST_F(ObjSchemaTest, AChangeThatFailsHalfwayLeavesNothingBehind)
{
    // The table and its key go in, then the sequence fails: all of it is undone.
    Exec("create sequence HALF_ID");
    DBCommit();
    TObj half;
    half.Table = "HALF";
    EXPECT_THROW(half.CreateTable(), Error);
    EXPECT_EQ(Count("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'HALF'"), 0);
    EXPECT_EQ(Count("select count(*) from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME = 'PK_HALF'"), 0);
    EXPECT_EQ(Count("select count(*) from OBJ where OBJ_TABLE = 'HALF'"), 0);
    EXPECT_EQ(Count("select count(*) from FLD where FLD_FIELD = 'HALF_ID'"), 0);

    // An aggregate whose second trigger cannot be made: after the caller's
    // rollback there is no column, no catalogue row and no first trigger.
    TObj* p = AddObject("P");
    TObj* c = AddObject("C");
    TFld* amount = AddField(c, "AMOUNT", ftNum152);
    TObjLink* link = AddLink(p, AddField(c, "P_ID", ftFK), fkCascade);
    DBCommit();
    Exec("create trigger SUMMA_AD for C active after delete position 5 as begin end");
    DBCommit();
    TFld sum;
    sum.Obj = p;
    sum.Field = "SUMMA";
    sum.FldType = ftNum152;
    sum.AgrObjLink = link;
    sum.AgrFld = amount;
    EXPECT_THROW(sum.CreateField(), Error);
    DBRollback();
    EXPECT_FALSE(ColumnExists("P", "SUMMA"));
    EXPECT_EQ(Count("select count(*) from FLD where FLD_FIELD = 'SUMMA'"), 0);
    EXPECT_EQ(Count("select count(*) from RDB$TRIGGERS where RDB$TRIGGER_NAME = 'SUMMA_AI'"), 0);
}

struct TFieldCase {
    const char* Name;
    TFldType Type;
    bool NotNull;
    int Size;
    const char* Statement;  // empty: none
    bool StoredNotNull;
};

TEST_F(ObjSchemaTest, CreateFieldStatementsByType)
{
    TObj* t = AddObject("T");
    const TFieldCase cases[] = {
        {"s40", ftString, false, 40, "alter table T add S40 varchar(40) character set UTF8  collate UNICODE", false},
        {"S100", ftString, true, 100, "alter table T add S100 varchar(100) character set UTF8 not null collate UNICODE",
         true},
        {"Ref", ftFK, false, 0, "alter table T add REF FK ", false},
        {"REF2", ftFK, true, 0, "alter table T add REF2 FK not null", true},
        {"summa", ftInteger, false, 0, "alter table T add SUMMA INTEG ", false},
        {"FLAG", ftBoolean, false, 0, "alter table T add FLAG BOOL", true},
        {"N4", ftNum134, false, 0, "alter table T add N4 NUM134", true},
        {"N3", ftNum143, false, 0, "alter table T add N3 NUM143", true},
        {"N2", ftNum152, false, 0, "alter table T add N2 NUM152", true},
        {"D", ftDate, true, 0, "alter table T add D DATEONLY not null", true},
    };
    for (const TFieldCase& c : cases) {
        Statements.clear();
        TFld* f = AddField(t, c.Name, c.Type, c.Size, c.NotNull);
        SCOPED_TRACE(c.Name);
        ASSERT_EQ(Statements.size(), 2);
        EXPECT_EQ(Statements[0], QString::fromUtf8(c.Statement));
        EXPECT_TRUE(Statements[1].startsWith("insert into FLD \n(FLD_ID, OBJ_ID, FLD_FIELD"));
        EXPECT_EQ(f->Field, QString(c.Name).toUpper());
        EXPECT_EQ(f->NotNull, c.StoredNotNull);
        EXPECT_TRUE(ColumnExists("T", f->Field));
        EXPECT_EQ(Scalar(QString("select FLD_NOTNULL from FLD where FLD_ID = %1").arg(f->Id)), c.StoredNotNull ? "1" : "0");
        EXPECT_EQ(Count(QString("select count(*) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = 'T' and "
                                "RDB$FIELD_NAME = '%1' and RDB$NULL_FLAG = 1").arg(f->Field)),
                  c.NotNull && c.Type != ftBoolean ? 1 : 0);
    }
    // An empty name takes the id; a virtual field has no column.
    Statements.clear();
    auto unnamed = std::make_unique<TFld>();
    unnamed->Obj = t;
    unnamed->Id = 123;
    unnamed->FldType = ftInteger;
    unnamed->CreateField();
    EXPECT_EQ(unnamed->Field, "FLD123");
    EXPECT_EQ(Statements[0], "alter table T add FLD123 INTEG ");
    Statements.clear();
    auto virt = std::make_unique<TFld>();
    virt->Obj = t;
    virt->Field = "V";
    virt->FldType = ftString;
    virt->Virt = true;
    virt->CreateField();
    ASSERT_EQ(Statements.size(), 1);
    EXPECT_FALSE(ColumnExists("T", "V"));
    EXPECT_EQ(Count(QString("select count(*) from FLD where FLD_ID = %1 and FLD_VIRT = 1").arg(virt->Id)), 1);
}

TEST_F(ObjSchemaTest, BadNamesAreRefusedBeforeAnythingReachesTheDatabase)
{
    TObj* t = AddObject("GOOD");
    // Non-Latin letters stay as typed: none of them turns into a Latin one.
    const QString bad[] = {"A B", "A\"B", "A;DROP", "Таблица", QString(32, 'A'), "1ABC", "A-B", "A'B", "straße",
                           "ıd", "ſumma"};
    for (const QString& name : bad) {
        Statements.clear();
        TObj obj;
        obj.Table = name;
        try {
            obj.CreateTable();
            ADD_FAILURE() << "table accepted: " << name.toStdString();
        } catch (const Error& e) {
            EXPECT_TRUE(e.Message().contains("\"" + AsciiUpper(name) + "\"")) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().startsWith("Недопустимое имя таблицы")) << e.Message().toStdString();
        }
        EXPECT_EQ(obj.Id, 0);
        TFld fld;
        fld.Obj = t;
        fld.Field = name;
        fld.FldType = ftInteger;
        try {
            fld.CreateField();
            ADD_FAILURE() << "field accepted: " << name.toStdString();
        } catch (const Error& e) {
            EXPECT_TRUE(e.Message().startsWith("Недопустимое имя поля \"" + AsciiUpper(name) + "\""))
                << e.Message().toStdString();
        }
        EXPECT_EQ(fld.Id, 0);
        EXPECT_TRUE(Statements.isEmpty()) << Statements.join(" | ").toStdString();
    }
    // The longest names that fit: 28 for a table (its key column adds "_ID"), 31 for a field.
    TObj* longest = AddObject(QString(28, 'T'));
    AddField(longest, "F" + QString(30, 'x'), ftInteger);
    EXPECT_TRUE(ColumnExists(QString(28, 'T'), "F" + QString(30, 'X')));

    // Names made from valid ones must fit too: a link's constraint
    // FK_<table>_<field>, and a summing field's triggers <field>_AI.
    TObj* items = AddObject("ORDER_ITEMS");
    TFld* ref = AddField(items, "PRODUCT_CATEGORY_ID", ftFK);
    Statements.clear();
    TObjLink link(t, ref);
    link.DeleteRule = fkCascade;
    EXPECT_TRUE(Raised([&] { link.CreateLink(); })
                    .startsWith("Недопустимое имя ограничения \"FK_ORDER_ITEMS_PRODUCT_CATEGORY_ID\""));
    TFld sum;
    sum.Obj = t;
    sum.Field = QString(29, 'S');
    sum.FldType = ftNum152;
    sum.AgrObjLink = &link;
    sum.AgrFld = ref;
    EXPECT_TRUE(Raised([&] { sum.CreateField(); }).startsWith("Недопустимое имя поля \"" + QString(29, 'S') + "\""));
    sum.AgrFld = nullptr;
    sum.Field = "S";
    EXPECT_EQ(Raised([&] { sum.CreateField(); }), "Агрегатное поле S: не задано суммируемое поле");
    EXPECT_TRUE(Statements.isEmpty()) << Statements.join(" | ").toStdString();
}

TEST_F(ObjSchemaTest, DropFieldAndDropTable)
{
    TObj* t = AddObject("T");
    TFld* f = AddField(t, "F", ftString, 10, false);
    const int key = t->FldList->GetPKFld()->Id;
    Statements.clear();
    try {
        t->FldList->GetPKFld()->DropField();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Неизвестный подтип поля 0");
    }
    EXPECT_TRUE(Statements.isEmpty());
    f->DropField();
    EXPECT_EQ(Statements, QStringList({"alter table T drop F", QString("delete from FLD where FLD_ID = %1").arg(f->Id)}));
    EXPECT_FALSE(ColumnExists("T", "F"));
    DBCommit();

    Statements.clear();
    const int id = t->Id;
    t->DropTable();
    EXPECT_EQ(Statements, QStringList({"drop table T", "drop sequence T_ID",
                                       QString("delete from OBJ where OBJ_ID = %1").arg(id)}));
    EXPECT_EQ(Count("select count(*) from RDB$RELATIONS where RDB$RELATION_NAME = 'T'"), 0);
    EXPECT_EQ(Count("select count(*) from RDB$GENERATORS where RDB$GENERATOR_NAME = 'T_ID'"), 0);
    EXPECT_EQ(Count(QString("select count(*) from FLD where FLD_ID = %1").arg(key)), 0);
}

TEST_F(ObjSchemaTest, LinksAndTheirFailure)
{
    TObj* p = AddObject("P");
    TObj* c = AddObject("C");
    TFld* ref = AddField(c, "P_REF", ftFK);
    Statements.clear();
    TObjLink* link = AddLink(p, ref, fkCascade);
    EXPECT_EQ(Statements[0], "alter table C add constraint FK_C_P_REF\nforeign key (P_REF) references P(P_ID)\n"
                             "on delete CASCADE on update CASCADE");
    EXPECT_NE(link->Id, 0);
    EXPECT_EQ(Count(QString("select count(*) from DEP where DEP_ID = %1").arg(link->Id)), 1);
    EXPECT_EQ(Scalar("select trim(RDB$DELETE_RULE) || '/' || trim(RDB$UPDATE_RULE) from RDB$REF_CONSTRAINTS where "
                     "RDB$CONSTRAINT_NAME = 'FK_C_P_REF'"),
              "CASCADE/CASCADE");
    DBCommit();

    // A link without a delete rule fails at its constraint; after the
    // caller's rollback nothing of it remains.
    TFld* bad = AddField(c, "P_BAD", ftFK);
    auto none = std::make_unique<TObjLink>(p, bad);
    EXPECT_THROW(none->CreateLink(), Error);
    DBRollback();
    EXPECT_FALSE(ColumnExists("C", "P_BAD"));
    EXPECT_EQ(Count(QString("select count(*) from FLD where FLD_ID = %1").arg(bad->Id)), 0);
    EXPECT_EQ(Count("select count(*) from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME = 'FK_C_P_BAD'"), 0);
    c->FldList->Remove(bad);

    // Dropping the link drops its column, constraint, FLD row and DEP row.
    link->DropLink();
    DBCommit();
    EXPECT_FALSE(ColumnExists("C", "P_REF"));
    EXPECT_EQ(Count("select count(*) from RDB$RELATION_CONSTRAINTS where RDB$CONSTRAINT_NAME = 'FK_C_P_REF'"), 0);
    EXPECT_EQ(Count(QString("select count(*) from DEP where DEP_ID = %1").arg(link->Id)), 0);
}

TEST_F(ObjSchemaTest, UniqueIndexOverTwoFields)
{
    TObj* t = AddObject("T");
    TFld* f1 = AddField(t, "F1", ftInteger);
    TFld* f2 = AddField(t, "F2", ftInteger);
    DBCommit();
    Statements.clear();
    t->CreateIndex({f1, f2});
    EXPECT_EQ(Statements[0], "alter table T\nadd constraint UN_F1_F2\nunique (F1,F2)");
    EXPECT_NE(f1->UniqFld, 0);
    EXPECT_EQ(f1->UniqFld, f2->UniqFld);
    EXPECT_EQ(Count(QString("select count(*) from FLD where UNIQFLD_ID = %1").arg(f1->UniqFld)), 2);
    EXPECT_EQ(Count(QString("select count(*) from UNIQFLD where UNIQFLD_ID = %1").arg(f1->UniqFld)), 1);
    Exec("insert into T (T_ID, F1, F2) values (1, 1, 1)");
    EXPECT_THROW(Exec("insert into T (T_ID, F1, F2) values (2, 1, 1)"), Error);
    try {
        t->CreateIndex({f2});
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "TObj.CreateIndex: field F2 already use in unique index");
    }
}

// P has an aggregate TOTAL summing C.AMOUNT over the link C.P_ID -> P.
class AggregateTest : public ObjSchemaTest {
protected:
    void SetUp() override
    {
        ObjSchemaTest::SetUp();
        P = AddObject("P");
        C = AddObject("C");
        Amount = AddField(C, "AMOUNT", ftNum152);
        TFld* ref = AddField(C, "P_ID", ftFK);
        Link = AddLink(P, ref, fkCascade);
        DBCommit();
        for (int id = 1; id <= 3; ++id)
            Exec(QString("insert into P (P_ID) values (%1)").arg(id));
        Exec("insert into C (C_ID, P_ID, AMOUNT) values (100, 3, 7)");  // before the aggregate exists
        DBCommit();
        Statements.clear();
        auto total = std::make_unique<TFld>();
        total->Obj = P;
        total->Field = "TOTAL";
        total->FldType = ftNum152;
        total->AgrObjLink = Link;
        total->AgrFld = Amount;
        total->CreateField();
        Total = P->FldList->Add(std::move(total));
        Created = Statements;
        DBCommit();
        Exec("update P set TOTAL = 0");  // rows that existed before the column
    }

    TObj* P = nullptr;
    TObj* C = nullptr;
    TFld* Amount = nullptr;
    TFld* Total = nullptr;
    TObjLink* Link = nullptr;
    QStringList Created;  // the statements that created TOTAL
};

TEST_F(AggregateTest, TriggerTexts)
{
    ASSERT_EQ(Created.size(), 5);
    EXPECT_EQ(Created[0], "alter table P add TOTAL NUM152");
    EXPECT_EQ(Created[2], "CREATE trigger TOTAL_AI for C\nactive after insert position 0\nAS\nbegin\n"
                             "  if (NEW.AMOUNT <> 0) then\n    update P T\n    set T.TOTAL = T.TOTAL + NEW.AMOUNT\n"
                             "    where T.P_ID = NEW.P_ID;\nend");
    EXPECT_EQ(Created[3], "CREATE trigger TOTAL_AD for C\nactive after delete position 0\nAS\nbegin\n"
                             "  if (OLD.AMOUNT <> 0) then\n    update P T\n    set T.TOTAL = T.TOTAL - OLD.AMOUNT\n"
                             "    where T.P_ID = OLD.P_ID;\nend");
    EXPECT_EQ(Created[4],
              "CREATE trigger TOTAL_AU for C\nactive after update position 0\nAS\nbegin\n"
              "  if (NEW.P_ID = OLD.P_ID) then\n    if (NEW.AMOUNT <> OLD.AMOUNT) then\n      update P T\n"
              "      set T.TOTAL = T.TOTAL + NEW.AMOUNT - OLD.AMOUNT\n      where T.P_ID = NEW.P_ID;\n    else\n"
              "    begin\n    end\n  else\n    begin\n      if (OLD.AMOUNT <> 0) then\n        update P T\n"
              "        set T.TOTAL = T.TOTAL - OLD.AMOUNT\n        where T.P_ID = OLD.P_ID;\n"
              "      if (NEW.AMOUNT <> 0) then\n        update P T\n        set T.TOTAL = T.TOTAL + NEW.AMOUNT\n"
              "        where T.P_ID = NEW.P_ID;\n    end\nend");
    EXPECT_EQ(Count("select count(*) from RDB$TRIGGERS where RDB$RELATION_NAME = 'C' and RDB$TRIGGER_NAME in "
                    "('TOTAL_AI', 'TOTAL_AD', 'TOTAL_AU')"),
              3);
}

TEST_F(AggregateTest, TriggersKeepTheParentsSum)
{
    const struct {
        const char* Sql;
        const char* Totals;  // P1, P2, P3
    } steps[] = {
        {"insert into C (C_ID, P_ID, AMOUNT) values (1, 1, 10.5)", "10.50 0.00 0.00"},
        {"insert into C (C_ID, P_ID, AMOUNT) values (2, 1, 4)", "14.50 0.00 0.00"},
        {"insert into C (C_ID, P_ID, AMOUNT) values (3, 2, 0)", "14.50 0.00 0.00"},
        {"update C set AMOUNT = 6 where C_ID = 2", "16.50 0.00 0.00"},
        {"update C set P_ID = 2 where C_ID = 1", "6.00 10.50 0.00"},
        {"update C set P_ID = 1, AMOUNT = 1 where C_ID = 1", "7.00 0.00 0.00"},
        {"update C set AMOUNT = 0 where C_ID = 2", "1.00 0.00 0.00"},
        {"delete from C where C_ID = 1", "0.00 0.00 0.00"},
        {"delete from C where C_ID = 3", "0.00 0.00 0.00"},
    };
    for (const auto& s : steps) {
        Exec(s.Sql);
        EXPECT_EQ(Sum("P", 1) + " " + Sum("P", 2) + " " + Sum("P", 3), s.Totals) << s.Sql;
    }
}

TEST_F(AggregateTest, ReCalcSetsParentsWithChildrenOnly)
{
    Exec("update P set TOTAL = 99");
    Exec("insert into C (C_ID, P_ID, AMOUNT) values (1, 1, 2)");  // P1 = 101 by the trigger
    QStringList shown;
    DebMsgHandler = [&](const QString& text) { shown << text; };
    ShowDebMsg = true;
    Total->ReCalcAgrFld();
    DebMsgHandler = nullptr;
    EXPECT_EQ(Sum("P", 1), "2.00");
    EXPECT_EQ(Sum("P", 2), "99.00");  // no children: untouched
    EXPECT_EQ(Sum("P", 3), "7.00");
    const QString sql = "update P T1\nset T1.TOTAL = (\n  select sum(T2.AMOUNT)\n  from C T2\n  where T2.P_ID = T1.P_ID)\n"
                        "where\nexists (\n  select *\n  from C T2\n  where T2.P_ID = T1.P_ID)";
    EXPECT_EQ(shown, QStringList({"Запрос для обновления агрегатного поля:\n" + sql}));
    EXPECT_EQ(Statements.last(), sql);
    DBRollback();
    EXPECT_EQ(Sum("P", 3), "7.00");  // committed
}

TEST_F(AggregateTest, DroppingTheAggregateDropsItsTriggers)
{
    Statements.clear();
    Total->DropField();
    EXPECT_EQ(Statements.mid(0, 4), QStringList({"drop trigger TOTAL_AI", "drop trigger TOTAL_AD",
                                                 "drop trigger TOTAL_AU", "alter table P drop TOTAL"}));
    DBCommit();
    EXPECT_EQ(Count("select count(*) from RDB$TRIGGERS where RDB$RELATION_NAME = 'C'"), 0);
    Exec("insert into C (C_ID, P_ID, AMOUNT) values (1, 1, 2)");
}

}  // namespace
