#include "Error.h"
#include "FilterList.h"
#include "Tbl.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

class FilterTest : public ViewsTest {};

TEST_F(FilterTest, ConditionTreesAttachOnlyAsFirstOrLastChild)
{
    const TTreeCase cases[] = {
        {"two levels", {{1, 8}, {2, 5}, {3, 4}, {6, 7}}, "(1,8 (2,5 (3,4)) (6,7))", false},
        {"three children", {{1, 8}, {2, 3}, {4, 5}, {6, 7}}, "(1,8 (2,3))", true},
        {"deep chain", {{1, 8}, {2, 7}, {3, 6}, {4, 5}}, "(1,8 (2,7 (3,6 (4,5))))", false},
        {"root only", {{1, 2}}, "(1,2)", false},
        {"stray row", {{1, 4}, {2, 3}, {10, 11}}, "(1,4 (2,3))", true},
    };
    for (const TTreeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const int id = AddFltr(Obj("OBJ"), "null", "null", c.Name);
        for (const auto& [lft, rgt] : c.Rows)
            AddNode(id, lft == 1 ? "And" : "Equal", lft, rgt);
        TFilter filter;
        if (c.Fails) {
            try {
                filter.LoadById(id);
                ADD_FAILURE() << "loaded";
            } catch (const Error& e) {
                EXPECT_EQ(e.Message(), "Дерево фильтра испорчено");
            }
        } else {
            EXPECT_TRUE(filter.LoadById(id));
        }
        EXPECT_EQ(Shape(filter.FilterTree.get()), c.Shape);
    }
}

TEST_F(FilterTest, NodesReadTheirValueFieldLinkAndPath)
{
    TObj* tbl = Obj("TBL");
    const int id = AddFltr(tbl, "null", "null", "Named");
    TFld* depRef = Fld("TBL", "DEP_ID");
    TFld* chiRef = Fld("DEP", "FLD_ID_CHI");
    TFld* capt = Fld("FLD", "FLD_CAPT");
    TObjLink* link = Obj("DEP")->ChildList->GetByFld(depRef);
    AddNode(id, "And", 1, 6, "null", "null", "Root");
    const int leaf = AddNode(id, "Containing", 2, 3, QString::number(capt->Id), "'abc'", "Capt");
    AddPathStep(leaf, depRef->Id);
    AddPathStep(leaf, chiRef->Id);
    const int empty = AddNode(id, "Equal", 4, 5, "null", "null", "capt", QString::number(link->Id));
    TFilter filter;
    ASSERT_TRUE(filter.LoadById(id));
    EXPECT_EQ(filter.Obj, tbl);
    EXPECT_EQ(filter.TblId, 0);
    TFilterTreeItem* a = filter.GetFilterTreeItemByName("Capt");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->Id, leaf);
    EXPECT_EQ(a->FilterTreeType, ftContaining);
    EXPECT_EQ(a->Value, Variant("abc"));
    EXPECT_EQ(a->Fld, capt);
    EXPECT_EQ(a->FldList, (std::vector<TFld*>{depRef, chiRef}));
    EXPECT_TRUE(a->ParamIndex.IsUnassigned());
    TFilterTreeItem* b = filter.GetFilterTreeItemByName("capt");  // case counts
    ASSERT_TRUE(b);
    EXPECT_EQ(b->Id, empty);
    EXPECT_TRUE(b->Value.IsUnassigned());
    EXPECT_EQ(b->ObjLink, link);
    EXPECT_TRUE(b->FldList.empty());
    EXPECT_EQ(filter.GetFilterTreeItemByName("Root"), filter.FilterTree.get());
    EXPECT_EQ(filter.GetFilterTreeItemByName("none"), nullptr);
}

TEST_F(FilterTest, WhichFiltersApplyToAGrid)
{
    TObj* fld = Obj("FLD");
    TObjLink* link = Obj("OBJ")->ChildList->GetByChiObjTable("FLD");
    const int own = AddTbl(fld, nullptr, "own", true);
    const int detail = AddTbl(fld, link, "detail", true);
    const int other = AddTbl(fld, nullptr, "other", false);
    const QString ownId = QString::number(own), detailId = QString::number(detail), linkId = QString::number(link->Id);
    AddFltr(fld, ownId, "null", "ForOwn");
    AddFltr(fld, detailId, "null", "ForDetail");
    AddFltr(fld, "null", linkId, "ForLink");
    AddFltr(fld, "null", "null", "ForAll");
    AddFltr(fld, QString::number(other), "null", "ForOther");
    AddFltr(fld, "null", "null", "NotAlways", "0", 0);
    AddFltr(fld, "null", "null", "Dev", "1");
    AddFltr(fld, "null", "null", "DevNull", "null");
    AddFltr(Obj("OBJ"), "null", "null", "OtherObject");
    auto names = [](const TFilterList& list) {
        QStringList n;
        for (const auto& f : list)
            n << f->Name;
        n.sort();
        return n;
    };
    const struct {
        int Tbl;
        bool Dev;
        QStringList Loaded;
    } cases[] = {
        {own, false, {"Dev", "DevNull", "ForAll", "ForOwn"}},
        {detail, false, {"Dev", "DevNull", "ForAll", "ForDetail", "ForLink"}},
        {own, true, {"ForAll", "ForOwn"}},
        {detail, true, {"ForAll", "ForDetail", "ForLink"}},
    };
    for (const auto& c : cases) {
        DevMode = c.Dev;
        TTbl tbl;
        ASSERT_TRUE(tbl.LoadById(c.Tbl));
        QStringList statements;
        SqlMonitor = [&](const QString& sql) { statements << sql; };
        TFilterList list;
        list.Load(&tbl);
        SqlMonitor = nullptr;
        EXPECT_EQ(names(list), c.Loaded) << c.Tbl << " " << c.Dev;
        QStringList expected{"select FLTR_ID", "from FLTR F", "where F.OBJ_ID = :OBJ_ID", "and F.FLTR_ALWAYS = 1"};
        if (c.Dev)
            expected << "and F.FLTR_DEV <> 1";
        expected << "and ((F.TBL_ID = :TBL_ID)";
        if (tbl.ObjLink)
            expected << "  or (F.TBL_ID is null and F.DEP_ID = :DEP_ID)";
        expected << "  or (F.TBL_ID is null and F.DEP_ID is null))";
        EXPECT_EQ(statements.first(), expected.join('\n'));
        if (!c.Dev) {
            EXPECT_EQ(list.GetByName("ForAll")->Name, "ForAll");
        }
        EXPECT_EQ(list.GetByName("forall"), nullptr);
    }
}

// A condition on a field or link that is gone makes the filter fail to load,
// naming the filter: the grid then refuses to open rather than show rows the
// filter should hide.
TEST_F(FilterTest, AConditionOnAMissingFieldOrLinkFailsTheFilter)
{
    TObj* obj = Obj("OBJ");
    const int byField = AddFltr(obj, "null", "null", "ByField");
    AddNode(byField, "And", 1, 4);
    const int n1 = AddNode(byField, "Equal", 2, 3, "99999", "'1'");
    const int byLink = AddFltr(obj, "null", "null", "ByLink");
    const int n2 = AddNode(byLink, "Exist", 1, 2, "null", "null", "", "88888");
    const int byPath = AddFltr(obj, "null", "null", "ByPath");
    const int n3 = AddNode(byPath, "Equal", 1, 2, QString::number(Fld("OBJ", "OBJ_CAPT")->Id), "'x'");
    AddPathStep(n3, 77777);
    const struct {
        int Id;
        QString Says;
    } cases[] = {
        {byField, QString("Фильтр \"ByField\" (%1): условие %2 ссылается на поле 99999, которого нет в каталоге")
                      .arg(byField).arg(n1)},
        {byLink, QString("Фильтр \"ByLink\" (%1): условие %2 ссылается на связь 88888, которой нет в каталоге")
                     .arg(byLink).arg(n2)},
        {byPath, QString("Фильтр \"ByPath\" (%1): путь условия %2 ссылается на поле 77777, которого нет в каталоге")
                     .arg(byPath).arg(n3)},
    };
    for (const auto& c : cases) {
        TFilter filter;
        try {
            filter.LoadById(c.Id);
            ADD_FAILURE() << c.Says.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), c.Says);
        }
    }
    // Through the list a grid loads its filters with: the whole load fails.
    const int tblId = AddTbl(obj, nullptr, "t", true);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(tblId));
    TFilterList list;
    EXPECT_THROW(list.Load(&tbl), Error);
}

TEST_F(FilterTest, OtherMessages)
{
    TFilter filter;
    EXPECT_FALSE(filter.LoadById(4321));
    filter.RaiseLoad = true;
    try {
        filter.LoadById(4321);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "Фильтр не найден");
    }
    Exec("insert into FLTRTRTP (FLTRTRTP_ID, FLTRTRTP_NAME) values (40, 'Strange')");
    const int id = AddFltr(Obj("OBJ"), "null", "null", "Strange");
    Exec(QString("insert into FLTRTREE (FLTRTREE_ID, FLTR_ID, FLTRTREE_LFT, FLTRTREE_RGT, FLTRTRTP_ID, FLTRTREE_NOT) "
                 "values (%1, %2, 1, 2, 40, 1)").arg(GenId("FLTRTREE_ID")).arg(id));
    try {
        filter.LoadById(id);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), "FilterTreeType with code 40 not found");
    }
}

}  // namespace
