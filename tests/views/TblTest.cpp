#include "Error.h"
#include "Tbl.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

class TblTest : public ViewsTest {};

// The rows name the key field of OBJ at every node: the shape is what counts.
TEST_F(TblTest, ColumnTreesLoadFromNestedSets)
{
    const TTreeCase cases[] = {
        {"chain", {{1, 6}, {2, 5}, {3, 4}}, "(1,6 (2,5 (3,4)))", false},
        {"two children", {{1, 6}, {2, 3}, {4, 5}}, "(1,6 (2,3) (4,5))", false},
        {"root wider than needed", {{1, 10}, {2, 3}, {4, 5}}, "(1,10 (2,3) (4,5))", false},
        {"gap between siblings", {{1, 10}, {2, 3}, {7, 8}}, "(1,10 (2,3))", true},
        {"row after the root right end", {{1, 2}, {3, 4}}, "(1,2)", true},
        {"left number that matches nothing", {{1, 6}, {4, 5}}, "(1,6)", true},
        {"deep and wide", {{1, 12}, {2, 7}, {3, 4}, {5, 6}, {8, 11}, {9, 10}}, "(1,12 (2,7 (3,4) (5,6)) (8,11 (9,10)))",
         false},
        {"root only", {{1, 2}}, "(1,2)", false},
        {"no rows", {}, "none", false},
    };
    TObj* obj = Obj("OBJ");
    const int key = obj->FldList->GetPKFld()->Id;
    for (const TTreeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const int id = AddTbl(obj, nullptr, c.Name, false);
        for (const auto& [lft, rgt] : c.Rows)
            AddTblFld(id, key, lft, rgt);
        TTbl tbl;
        if (c.Fails) {
            try {
                tbl.LoadById(id);
                ADD_FAILURE() << "loaded";
            } catch (const Error& e) {
                EXPECT_EQ(e.Message(), QString("Обнаружено нарушение структуры дерева для таблицы \"%1\" (объект: "
                                               "\"Объекты\")").arg(c.Name));
            }
        } else {
            EXPECT_TRUE(tbl.LoadById(id));
        }
        EXPECT_EQ(Shape(tbl.TblFld.get()), c.Shape);
        EXPECT_EQ(tbl.Id, id);  // the row's fields stay as read
    }
}

TEST_F(TblTest, HeadingsJoinTheCaptionsBelowTheRoot)
{
    // TBL -> DEP_ID (a link to DEP) -> FLD_ID_CHI (a link to FLD) -> FLD_CAPT.
    const int id = AddTbl(Obj("TBL"), nullptr, "heads", false);
    AddTblFld(id, Fld("TBL", "TBL_ID")->Id, 1, 10);
    AddTblFld(id, Fld("TBL", "DEP_ID")->Id, 2, 7);
    AddTblFld(id, Fld("DEP", "FLD_ID_CHI")->Id, 3, 6);
    AddTblFld(id, Fld("FLD", "FLD_CAPT")->Id, 4, 5);
    AddTblFld(id, Fld("TBL", "TBL_CAPT")->Id, 8, 9);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(id));
    TTblFld* root = tbl.TblFld.get();
    EXPECT_EQ(root->LongCapt, Fld("TBL", "TBL_ID")->Capt);
    TTblFld* a = (*root)[0];
    TTblFld* c = (*(*a)[0])[0];
    EXPECT_EQ(a->LongCapt, "Связь");
    EXPECT_EQ(c->LongCapt, "Связь - " + Fld("DEP", "FLD_ID_CHI")->Capt + " - Наименование");
    EXPECT_EQ((*root)[1]->LongCapt, "Наименование");
    EXPECT_EQ(c->Fld, Fld("FLD", "FLD_CAPT"));
    EXPECT_EQ(c->Parent->Parent, a);
}

TEST_F(TblTest, SaveRenumbersAndLoadGivesTheSameTree)
{
    const int id = AddTbl(Obj("TBL"), nullptr, "saved", false);
    AddTblFld(id, Fld("TBL", "TBL_ID")->Id, 1, 30);
    AddTblFld(id, Fld("TBL", "TBL_CAPT")->Id, 2, 3);
    AddTblFld(id, Fld("TBL", "DEP_ID")->Id, 4, 9);
    AddTblFld(id, Fld("DEP", "DEP_CAPT")->Id, 5, 6);
    AddTblFld(id, Fld("TBL", "TBL_NAME")->Id, 10, 11);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(id));
    const QStringList idsBefore = Column(QString("select TBLFLD_ID from TBLFLD where TBL_ID = %1").arg(id));
    tbl.SaveTree();
    EXPECT_EQ(Shape(tbl.TblFld.get()), "(1,10 (2,3) (4,7 (5,6)) (8,9))");
    const QStringList idsAfter = Column(QString("select TBLFLD_ID from TBLFLD where TBL_ID = %1").arg(id));
    EXPECT_EQ(idsAfter.size(), 5);
    for (const QString& old : idsBefore)
        EXPECT_FALSE(idsAfter.contains(old));  // fresh row ids

    TTbl again;
    ASSERT_TRUE(again.LoadById(id));
    EXPECT_EQ(Shape(again.TblFld.get()), "(1,10 (2,3) (4,7 (5,6)) (8,9))");
    QStringList fields;
    ForEachDepthFirst<TTblFld>(again.TblFld.get(), [&](TTblFld* n) { fields << n->Fld->Field; });
    EXPECT_EQ(fields, QStringList({"TBL_ID", "TBL_CAPT", "DEP_ID", "DEP_CAPT", "TBL_NAME"}));
    EXPECT_EQ((*(*again.TblFld)[1])[0]->LongCapt, "Связь - Наименование");
}

TEST_F(TblTest, ANodeOfAMissingFieldStaysUntilTheNextSave)
{
    const int id = AddTbl(Obj("TBL"), nullptr, "missing", false);
    AddTblFld(id, Fld("TBL", "TBL_ID")->Id, 1, 10);
    AddTblFld(id, 99999, 2, 5);  // a field deleted since, with a child of its own
    AddTblFld(id, Fld("DEP", "DEP_CAPT")->Id, 3, 4);
    AddTblFld(id, Fld("TBL", "TBL_CAPT")->Id, 6, 7);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadById(id));
    EXPECT_EQ(Shape(tbl.TblFld.get()), "(1,10 (2,5 (3,4)) (6,7))");
    TTblFld* gone = (*tbl.TblFld)[0];
    EXPECT_EQ(gone->Fld, nullptr);
    EXPECT_EQ(gone->LongCapt, "");
    EXPECT_EQ((*gone)[0]->LongCapt, "");
    tbl.SaveTree();
    EXPECT_EQ(Shape(tbl.TblFld.get()), "(1,4 (2,3))");
    EXPECT_EQ(Column(QString("select FLD_ID from TBLFLD where TBL_ID = %1 order by TBLFLD_LFT").arg(id)),
              QStringList({QString::number(Fld("TBL", "TBL_ID")->Id), QString::number(Fld("TBL", "TBL_CAPT")->Id)}));
}

TEST_F(TblTest, TheUsersChoiceComesBeforeTheDefault)
{
    TObj* obj = Obj("OBJ");
    const int plain = AddTbl(obj, nullptr, "plain", true);
    const int chosen = AddTbl(obj, nullptr, "chosen", false);
    TTbl tbl;
    EXPECT_TRUE(tbl.LoadCurrent(obj, nullptr, 1));
    EXPECT_EQ(tbl.Id, plain);
    Exec(QString("insert into USRTBL (USR_ID, TBL_ID) values (1, %1)").arg(chosen));
    EXPECT_TRUE(tbl.LoadCurrent(obj, nullptr, 1));
    EXPECT_EQ(tbl.Id, chosen);
    EXPECT_EQ(tbl.Name, "chosen");
    EXPECT_FALSE(tbl.Default);
    EXPECT_TRUE(tbl.LoadCurrent(obj, nullptr, 2));  // another user
    EXPECT_EQ(tbl.Id, plain);
}

TEST_F(TblTest, DeveloperDefinitionsComeFirstOnlyInDeveloperMode)
{
    TObj* obj = Obj("OBJ");
    const int ordinary = AddTbl(obj, nullptr, "Same", true, "0");
    const int developer = AddTbl(obj, nullptr, "Same", true, "1");
    for (bool dev : {false, true}) {
        DevMode = dev;
        TTbl byDefault, byName;
        ASSERT_TRUE(byDefault.LoadCurrent(obj, nullptr, 1));
        ASSERT_TRUE(byName.LoadByName(obj, nullptr, "Same"));
        EXPECT_EQ(byDefault.Id, dev ? developer : ordinary);
        EXPECT_EQ(byName.Id, dev ? developer : ordinary);
        EXPECT_EQ(byName.Dev, dev);
    }
}

TEST_F(TblTest, TheLinkLineSeparatesDetailGridsFromTheObjectsOwn)
{
    TObj* fld = Obj("FLD");
    TObjLink* link = Obj("OBJ")->ChildList->GetByChiObjTable("FLD");
    ASSERT_TRUE(link);
    const int own = AddTbl(fld, nullptr, "grid", true);
    const int detail = AddTbl(fld, link, "grid", true);
    TTbl tbl;
    ASSERT_TRUE(tbl.LoadCurrent(fld, nullptr, 1));
    EXPECT_EQ(tbl.Id, own);
    EXPECT_EQ(tbl.ObjLink, nullptr);
    ASSERT_TRUE(tbl.LoadCurrent(fld, link, 1));
    EXPECT_EQ(tbl.Id, detail);
    EXPECT_EQ(tbl.ObjLink, link);
    ASSERT_TRUE(tbl.LoadByName(fld, link, "grid"));
    EXPECT_EQ(tbl.Id, detail);
    Exec(QString("insert into USRTBL (USR_ID, TBL_ID) values (1, %1)").arg(own));
    ASSERT_TRUE(tbl.LoadCurrent(fld, link, 1));
    EXPECT_EQ(tbl.Id, detail);  // the user's choice of the own grid does not serve the detail grid
}

TEST_F(TblTest, NotFoundReturnsFalseOrRaises)
{
    TObj* obj = Obj("CARD");
    TTbl tbl;
    EXPECT_FALSE(tbl.LoadById(424242));
    EXPECT_FALSE(tbl.LoadByName(obj, nullptr, "none"));
    EXPECT_FALSE(tbl.LoadCurrent(obj, nullptr, 1));
    EXPECT_EQ(tbl.Id, 0);
    tbl.RaiseLoad = true;
    const struct {
        std::function<void()> Load;
        const char* Says;
    } cases[] = {
        {[&] { tbl.LoadById(424242); }, "Таблица не найдена"},
        {[&] { tbl.LoadByName(obj, nullptr, "none"); }, "Для объекта \"Карточки\" (CARD) таблица не создана"},
        {[&] { tbl.LoadCurrent(obj, nullptr, 1); }, "Для объекта \"Карточки\" (CARD) таблица не создана"},
    };
    for (const auto& c : cases) {
        try {
            c.Load();
            ADD_FAILURE() << c.Says;
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Says));
        }
    }
}

TEST_F(TblTest, CreateTblStoresTheRowAndAOneNodeTree)
{
    QStringList statements;
    SqlMonitor = [&](const QString& sql) {
        if (!sql.startsWith("select"))
            statements << sql;
    };
    TTbl tbl;
    tbl.Id = GenId("TBL_ID");
    tbl.Capt = "Новая";
    tbl.Name = "New";
    tbl.Default = true;
    tbl.Dev = true;
    tbl.Obj = Obj("DEP");
    tbl.ObjLink = Obj("FLD")->ChildList->GetByFld(Fld("DEP", "FLD_ID_CHI"));
    tbl.CreateTbl();
    SqlMonitor = nullptr;
    EXPECT_EQ(statements[0], "insert into TBL\n(TBL_ID, DEP_ID, TBL_CAPT, OBJ_ID, TBL_DEFAULT, TBL_NAME, TBL_DEV)\nvalues\n"
                             "(:TBL_ID, :DEP_ID, :TBL_CAPT, :OBJ_ID, :TBL_DEFAULT, :TBL_NAME, :TBL_DEV)");
    EXPECT_EQ(statements[1], QString("delete from TBLFLD where TBL_ID = %1").arg(tbl.Id));
    EXPECT_EQ(statements[2], "insert into TBLFLD (TBLFLD_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT, TBL_ID) VALUES "
                             "(:TBLFLD_ID, :FLD_ID, :TBLFLD_LFT, :TBLFLD_RGT, :TBL_ID)");
    TTbl loaded;
    ASSERT_TRUE(loaded.LoadById(tbl.Id));
    EXPECT_EQ(loaded.Capt, "Новая");
    EXPECT_TRUE(loaded.Default);
    EXPECT_TRUE(loaded.Dev);
    EXPECT_EQ(loaded.ObjLink, tbl.ObjLink);
    EXPECT_EQ(Shape(loaded.TblFld.get()), "(1,2)");
    EXPECT_EQ(loaded.TblFld->Fld, Fld("DEP", "DEP_ID"));
}

}  // namespace
