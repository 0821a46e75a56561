#include "Error.h"
#include "ExampleCatalogue.h"
#include "FilterList.h"
#include "Obj.h"
#include "Session.h"
#include "Sql.h"
#include "Tbl.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The order catalogue and a builder run the way a grid runs it.
class SqlTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        Ex = BuildExampleCatalogue();
        Sql = std::make_unique<TTblSql>();
    }
    void TearDown() override
    {
        Sql.reset();
        SessionTest::TearDown();
    }

    void Build(TTbl& tbl)
    {
        Sql->Clear();
        Sql->CreateBaseSQL(&tbl);
        Sql->LoadFilters();
        Sql->AddFilters();
        Sql->SetSQL(Select, Refresh, Delete);
    }
    TFld* Fld(const char* table, const char* field) const
    {
        return ObjList->GetObjByTable(table)->FldList->GetFldByFldName(field);
    }
    // A column tree node in memory.
    static TTblFld* Node(TTblFld* parent, TFld* fld)
    {
        auto n = std::make_unique<TTblFld>();
        n->Fld = fld;
        return parent->Add(std::move(n));
    }
    // A definition in memory with a root on the object's key; Id 0 matches no filter row.
    std::unique_ptr<TTbl> MemoryTbl(const char* table)
    {
        auto tbl = std::make_unique<TTbl>();
        tbl->Obj = ObjList->GetObjByTable(table);
        tbl->Capt = table;
        tbl->TblFld = std::make_unique<TTblFld>();
        tbl->TblFld->Fld = tbl->Obj->FldList->GetPKFld();
        tbl->TblFld->Lft = 1;
        return tbl;
    }
    void Run(const QStringList& sql, TSQLType type, const std::function<void(TIBSQL&)>& check = nullptr)
    {
        auto q = NewIBSQL();
        q->SQL = sql;
        Sql->SetParams(*q, type);
        q->ExecQuery();
        if (check)
            check(*q);
    }

    TExampleCatalogue Ex;
    std::unique_ptr<TTblSql> Sql;  // made once the session is up
    QStringList Select, Refresh, Delete;
};

const QStringList ExampleFields{"select",
                                "  T0.ORD_ID as T0ORD_ID,",
                                "  T0.ORD_NUM as T0ORD_NUM,",
                                "  T1.CUST_NAME as T1CUST_NAME,",
                                "  T2.CITY_NAME as T2CITY_NAME,",
                                "  T0.ORD_DATE as T0ORD_DATE"};

TEST_F(SqlTest, TheOrderGridComesOutLineForLine)
{
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
    Build(tbl);
    EXPECT_EQ(Select, (ExampleFields + QStringList{"from", "  ORD T0", "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID",
                                                  "  left join CITY T2 on T2.CITY_ID = T1.CITY_ID",
                                                  "  join EMP T3 on T3.EMP_ID = T0.MGR_ID", "where", "  (",
                                                  "  T2.CITY_NAME = :0", "  and", "  T3.EMP_ACTIVE = 1", "  )"}));
    EXPECT_EQ(Refresh, (ExampleFields + QStringList{"from", "  ORD T0", "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID",
                                                   "  left join CITY T2 on T2.CITY_ID = T1.CITY_ID", "where",
                                                   "  T0.ORD_ID = :1"}));
    EXPECT_EQ(Delete, QStringList({"delete", "from", "  ORD T0", "where", "  T0.ORD_ID = :2"}));
    EXPECT_FALSE(Sql->ShowPKCol);
    EXPECT_EQ(Sql->AliasIndex, 3);
    EXPECT_EQ(Sql->ParamIndex, 3);
    EXPECT_EQ(Sql->SelectFldList[2]->TblFld->LongCapt, "Покупатель - Клиент");
}

TEST_F(SqlTest, TheStatementsRunWithTheirBoundValues)
{
    Exec("insert into CITY (CITY_ID, CITY_NAME) values (1, 'Казань')");
    Exec("insert into CITY (CITY_ID, CITY_NAME) values (2, 'Тула')");
    Exec("insert into CUST (CUST_ID, CUST_NAME, CITY_ID) values (1, 'Иванов', 1)");
    Exec("insert into CUST (CUST_ID, CUST_NAME, CITY_ID) values (2, 'Петров', 2)");
    Exec("insert into EMP (EMP_ID, EMP_ACTIVE) values (1, 1)");
    Exec("insert into EMP (EMP_ID, EMP_ACTIVE) values (2, 0)");
    Exec("insert into ORD (ORD_ID, ORD_NUM, CUST_ID, MGR_ID) values (15, 'A-15', 1, 1)");
    Exec("insert into ORD (ORD_ID, ORD_NUM, CUST_ID, MGR_ID) values (16, 'A-16', 1, 2)");
    Exec("insert into ORD (ORD_ID, ORD_NUM, CUST_ID, MGR_ID) values (17, 'A-17', 2, 1)");
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
    Build(tbl);

    TFilterTreeItem* city = Sql->FilterList->GetByName("CityMgr")->GetFilterTreeItemByName("City");
    try {
        Run(Select, stSelect);
        FAIL() << "ran without a value";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Variant is empty");
    }
    city->Value = Variant::Null();
    try {
        Run(Select, stSelect);
        FAIL() << "ran with a null value";
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Variant is null");
    }
    city->Value = Variant("Казань");
    Run(Select, stSelect, [](TIBSQL& q) {
        ASSERT_FALSE(q.Eof());
        EXPECT_EQ(q.Fields(0).AsLong(), 15);
        EXPECT_EQ(q.Fields(3).AsString(), "Казань");
        EXPECT_EQ(q.FieldByName("T1CUST_NAME").AsString(), "Иванов");
        q.Next();
        EXPECT_TRUE(q.Eof());  // 16 has an inactive manager, 17 another city
    });
    Sql->RefreshFilter->FilterTree->Value = Variant(16);
    Run(Refresh, stRefresh, [](TIBSQL& q) { EXPECT_EQ(q.FieldByName("T0ORD_NUM").AsString(), "A-16"); });
    Sql->DeleteFilter->FilterTree->Value = Variant(17);
    Run(Delete, stDelete);
    EXPECT_EQ(Scalar("select count(*) from ORD"), "2");
}

TEST_F(SqlTest, ADetailGridEndsWithItsParentFilter)
{
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdDetailTbl));
    Build(tbl);
    ASSERT_TRUE(Sql->ParentFilter);
    EXPECT_EQ(Sql->FilterList->Count(), 2);
    EXPECT_EQ((*Sql->FilterList)[1], Sql->ParentFilter);
    EXPECT_EQ(Select.mid(Select.size() - 3), QStringList({"  )", "and", "  T0.CUST_ID = :1"}));
    EXPECT_EQ(Refresh.last(), "  T0.ORD_ID = :2");
    EXPECT_EQ(Delete.last(), "  T0.ORD_ID = :3");
}

TEST_F(SqlTest, ARootOnlyGridWithoutFilters)
{
    TTbl tbl;
    tbl.Obj = ObjList->GetObjByTable("CITY");
    tbl.Id = GenId("TBL_ID");
    tbl.Capt = "Города";
    tbl.CreateTbl();
    Build(tbl);
    EXPECT_EQ(Select, QStringList({"select", "  T0.CITY_ID as T0CITY_ID", "from", "  CITY T0"}));
    EXPECT_EQ(Refresh, QStringList({"select", "  T0.CITY_ID as T0CITY_ID", "from", "  CITY T0", "where",
                                    "  T0.CITY_ID = :0"}));
    EXPECT_EQ(Delete, QStringList({"delete", "from", "  CITY T0", "where", "  T0.CITY_ID = :1"}));
}

TEST_F(SqlTest, ColumnWalkRules)
{
    // Two nodes on the same link give two joins of one table; a key inside a
    // link's subtree selects the joined key; the example filter's path through
    // CUST_ID reuses the first of the two joins.
    auto twice = MemoryTbl("ORD");
    TTblFld* c1 = Node(twice->TblFld.get(), Fld("ORD", "CUST_ID"));
    Node(c1, Fld("CUST", "CUST_ID"));
    TTblFld* c2 = Node(twice->TblFld.get(), Fld("ORD", "CUST_ID"));
    Node(c2, Fld("CUST", "CUST_NAME"));
    Build(*twice);
    EXPECT_EQ(Select, QStringList({"select", "  T0.ORD_ID as T0ORD_ID,", "  T1.CUST_ID as T1CUST_ID,",
                                   "  T2.CUST_NAME as T2CUST_NAME", "from", "  ORD T0",
                                   "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID",
                                   "  left join CUST T2 on T2.CUST_ID = T0.CUST_ID",
                                   "  join CITY T3 on T3.CITY_ID = T1.CITY_ID", "  join EMP T4 on T4.EMP_ID = T0.MGR_ID",
                                   "where", "  (", "  T3.CITY_NAME = :0", "  and", "  T4.EMP_ACTIVE = 1", "  )"}));
    EXPECT_EQ(Refresh.mid(4, 4), QStringList({"from", "  ORD T0", "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID",
                                              "  left join CUST T2 on T2.CUST_ID = T0.CUST_ID"}));

    Exec(QString("delete from FLTR where FLTR_ID = %1").arg(Ex.Filter));
    // A key below the root before any link shows the key column; after a link
    // it is a column of its own. A link without children joins but selects nothing.
    auto before = MemoryTbl("ORD");
    Node(before->TblFld.get(), Fld("ORD", "ORD_ID"));
    Node(before->TblFld.get(), Fld("ORD", "MGR_ID"));
    Build(*before);
    EXPECT_TRUE(Sql->ShowPKCol);
    EXPECT_EQ(Select, QStringList({"select", "  T0.ORD_ID as T0ORD_ID", "from", "  ORD T0",
                                   "  left join EMP T1 on T1.EMP_ID = T0.MGR_ID"}));

    Sql->ShowPKCol = false;
    auto after = MemoryTbl("ORD");
    Node(after->TblFld.get(), Fld("ORD", "MGR_ID"));
    Node(after->TblFld.get(), Fld("ORD", "ORD_ID"));
    Build(*after);
    EXPECT_FALSE(Sql->ShowPKCol);
    EXPECT_EQ(Select.mid(1, 2), QStringList({"  T0.ORD_ID as T0ORD_ID,", "  T0.ORD_ID as T0ORD_ID"}));

    // A node whose field is gone adds nothing, its subtree neither.
    auto missing = MemoryTbl("ORD");
    TTblFld* gone = Node(missing->TblFld.get(), nullptr);
    Node(gone, Fld("CUST", "CUST_NAME"));
    Node(missing->TblFld.get(), Fld("ORD", "ORD_NUM"));
    Build(*missing);
    EXPECT_EQ(Select, QStringList({"select", "  T0.ORD_ID as T0ORD_ID,", "  T0.ORD_NUM as T0ORD_NUM", "from", "  ORD T0"}));
}

// Filters added straight to the catalogue for ORD grids; the grid is the
// plain ORD tree of the example.
class SqlFilterTest : public SqlTest {
protected:
    int AddFilter(const QString& name)
    {
        const int id = GenId("FLTR_ID");
        Exec(QString("insert into FLTR (FLTR_ID, OBJ_ID, TBL_ID, FLTR_CAPT, FLTR_NAME, FLTR_ALWAYS, FLTR_DEV) values "
                     "(%1, %2, %3, '%4', '%4', 1, 0)").arg(id).arg(ObjList->GetObjByTable("ORD")->Id).arg(Ex.OrdTbl).arg(name));
        return id;
    }
    int AddNode(int filter, int lft, int rgt, const char* kind, TFld* fld, int no = 0, const QString& name = "n")
    {
        const int id = GenId("FLTRTREE_ID");
        Exec(QString("insert into FLTRTREE (FLTRTREE_ID, FLTR_ID, FLTRTREE_LFT, FLTRTREE_RGT, FLTRTRTP_ID, "
                     "FLTRTREE_NOT, FLD_ID, FLTRTREE_NAME) select %1, %2, %3, %4, FLTRTRTP_ID, %5, %6, '%7' from "
                     "FLTRTRTP where FLTRTRTP_NAME = '%8'")
                 .arg(id).arg(filter).arg(lft).arg(rgt).arg(no)
                 .arg(fld ? QString::number(fld->Id) : QString("null"), name, kind));
        return id;
    }
    void AddStep(int node, TFld* fld)
    {
        Exec(QString("insert into FLTRTRPT (FLTRTRPT_ID, FLTRTREE_ID, FLD_ID) values (%1, %2, %3)")
                 .arg(GenId("FLTRTRPT_ID")).arg(node).arg(fld->Id));
    }
    void SetUp() override
    {
        SqlTest::SetUp();
        Exec(QString("delete from FLTR where FLTR_ID = %1").arg(Ex.Filter));  // only the filters of each test
    }
    QStringList Where() const { return Select.mid(Select.indexOf("where") + 1); }
};

TEST_F(SqlFilterTest, ConditionTextsByKind)
{
    const int f = AddFilter("Kinds");
    AddNode(f, 1, 12, "And", nullptr);
    AddNode(f, 2, 3, "Equal", Fld("ORD", "ORD_NUM"), 0, "A");
    AddNode(f, 4, 11, "Or", nullptr);
    AddNode(f, 5, 6, "Empty", Fld("ORD", "ORD_DATE"), 1);
    AddNode(f, 7, 10, "And", nullptr, 1);
    AddNode(f, 8, 9, "Containing", Fld("ORD", "ORD_NUM"), 1);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
    Build(tbl);
    EXPECT_EQ(Where(), QStringList({"  (", "  T0.ORD_NUM = :0", "  and", "  (", "  T0.ORD_DATE is not null", "  or", "  (",
                                    "  T0.ORD_NUM not containing :1", "  )", "  )", "  )"}));
    EXPECT_EQ(Refresh.last(), "  T0.ORD_ID = :2");
    EXPECT_EQ(Delete.last(), "  T0.ORD_ID = :3");
}

TEST_F(SqlFilterTest, ComparisonsPlainAndNegated)
{
    const struct {
        const char* Kind;
        int No;
        const char* Line;
    } cases[] = {
        {"Equal", 0, "  T0.ORD_NUM = :0"},          {"Equal", 1, "  T0.ORD_NUM <> :0"},
        {"Greater", 0, "  T0.ORD_NUM > :0"},        {"Greater", 1, "  T0.ORD_NUM <= :0"},
        {"Less", 0, "  T0.ORD_NUM < :0"},           {"Less", 1, "  T0.ORD_NUM >= :0"},
        {"Empty", 0, "  T0.ORD_NUM is null"},       {"Containing", 0, "  T0.ORD_NUM containing :0"},
    };
    for (const auto& c : cases) {
        Exec("delete from FLTR");
        AddNode(AddFilter("One"), 1, 2, c.Kind, Fld("ORD", "ORD_NUM"), c.No);
        TTbl tbl;
        ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
        Build(tbl);
        EXPECT_EQ(Where(), QStringList({c.Line})) << c.Kind << c.No;
        // The texts are valid statements.
        if (TFilterTreeItem* n = (*Sql->FilterList)[0]->FilterTree.get(); !n->ParamIndex.IsUnassigned())
            n->Value = Variant("A");
        Run(Select, stSelect);
    }
}

TEST_F(SqlFilterTest, AnEmptyTestAndAValueTakeOneParameter)
{
    const int f = AddFilter("Two");
    const int a = AddNode(f, 1, 6, "And", nullptr);
    const int eq = AddNode(f, 2, 3, "Equal", Fld("ORD", "ORD_NUM"), 0, "Num");
    AddNode(f, 4, 5, "Empty", Fld("ORD", "ORD_DATE"), 1);
    Q_UNUSED(a);
    Q_UNUSED(eq);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
    Build(tbl);
    EXPECT_EQ(Where(), QStringList({"  (", "  T0.ORD_NUM = :0", "  and", "  T0.ORD_DATE is not null", "  )"}));
    (*Sql->FilterList)[0]->GetFilterTreeItemByName("Num")->Value = Variant("A-1");
    auto q = NewIBSQL();
    q->SQL = Select;
    Sql->SetParams(*q, stSelect);
    EXPECT_EQ(q->ParamByName("0").AsString(), "A-1");
    EXPECT_THROW(q->ParamByName("1"), Error);  // there is no second parameter
    Sql->SetParams(*q, stUpdate);                // binds nothing
    q->ExecQuery();
}

TEST_F(SqlFilterTest, TwoFiltersAndPathJoins)
{
    const int f1 = AddFilter("First");
    AddNode(f1, 1, 2, "Equal", Fld("ORD", "ORD_NUM"));
    const int f2 = AddFilter("Second");
    const int n = AddNode(f2, 1, 2, "Equal", Fld("EMP", "EMP_ACTIVE"));
    AddStep(n, Fld("ORD", "MGR_ID"));
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
    Build(tbl);
    // Two groups joined by "and", in the order the list holds them.
    const QStringList where = Where();
    ASSERT_EQ(where.size(), 3);
    EXPECT_EQ(where[1], "and");
    EXPECT_TRUE(where.contains("  T0.ORD_NUM = :0") || where.contains("  T0.ORD_NUM = :1"));
    EXPECT_TRUE(where.contains("  T3.EMP_ACTIVE = 1"));
    // The path through MGR_ID is covered by no column: an inner join of the select only.
    EXPECT_TRUE(Select.contains("  join EMP T3 on T3.EMP_ID = T0.MGR_ID"));
    EXPECT_FALSE(Refresh.join('\n').contains("EMP"));
}

TEST_F(SqlFilterTest, KindsWithoutATextAreRefusedNamingFilterAndNode)
{
    for (const char* kind : {"Between", "In", "Exist"}) {
        Exec("delete from FLTR");
        const int f = AddFilter("Odd");
        AddNode(f, 1, 2, kind, Fld("ORD", "ORD_NUM"), 0, "Node1");
        TTbl tbl;
        ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
        EXPECT_EQ(Raised([&] { Build(tbl); }),
                  QString("Фильтр \"Odd\" (%1): условие \"Node1\" вида %2 не поддерживается").arg(f).arg(kind));
    }
    const struct {
        const char* Kind;
        QString Says;
    } booleans[] = {
        {"Containing", "Variant is empty"},  // a boolean field has no parameter
        {"Greater", "вида Greater неприменимо к логическому полю EMP_ACTIVE"},
        {"Less", "вида Less неприменимо к логическому полю EMP_ACTIVE"},
    };
    for (const auto& b : booleans) {
        Exec("delete from FLTR");
        const int n = AddNode(AddFilter("Bool"), 1, 2, b.Kind, Fld("EMP", "EMP_ACTIVE"), 0, "Flag");
        AddStep(n, Fld("ORD", "MGR_ID"));
        TTbl tbl;
        ASSERT_TRUE(tbl.LoadById(Ex.OrdTbl));
        EXPECT_TRUE(Raised([&] { Build(tbl); }).endsWith(b.Says)) << b.Kind;
    }
}

TEST_F(SqlTest, TheBuilderRefusesWhatItCannotBuild)
{
    // Statements asked for before anything is built.
    QStringList a, b, c;
    EXPECT_EQ(Raised([&] { Sql->SetSQL(a, b, c); }), "TTblSql: the statements are not built (CreateBaseSQL first)");
    EXPECT_EQ(Raised([&] { Sql->LoadFilters(); }), "TTblSql: no grid definition (CreateBaseSQL first)");
    // A root that is not the object's key.
    auto tbl = MemoryTbl("ORD");
    tbl->TblFld->Fld = Fld("ORD", "CUST_ID");
    EXPECT_EQ(Raised([&] { Sql->CreateBaseSQL(tbl.get()); }),
              "Таблица \"ORD\" (0): корень дерева колонок не является ключом объекта");
    // A detail grid opened before its parent key is set.
    TTbl detail;
    ASSERT_TRUE(detail.LoadById(Ex.OrdDetailTbl));
    Build(detail);
    Sql->FilterList->GetByName("CityMgr")->GetFilterTreeItemByName("City")->Value = Variant("Тула");
    EXPECT_EQ(Raised([&] { Run(Select, stSelect); }), "Variant is empty");
    Sql->ParentFilter->FilterTree->Value = Variant(1);
    Run(Select, stSelect, [](TIBSQL& q) { EXPECT_TRUE(q.Eof()); });
}

}  // namespace
