#include "Card.h"
#include "CodeTable.h"
#include "Error.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

class CardTest : public ViewsTest {};

TEST_F(CardTest, ControlTreesLoadFromNestedSets)
{
    const TTreeCase cases[] = {
        {"root only", {{1, 2}}, "(1,2)", false},
        {"pages", {{1, 10}, {2, 9}, {3, 6}, {4, 5}, {7, 8}}, "(1,10 (2,9 (3,6 (4,5)) (7,8)))", false},
        {"three siblings", {{1, 8}, {2, 3}, {4, 5}, {6, 7}}, "(1,8 (2,3) (4,5) (6,7))", false},
        {"gap before a first child", {{1, 8}, {3, 4}}, "(1,8)", true},
        {"row after the root right end", {{1, 4}, {2, 3}, {5, 6}}, "(1,4 (2,3))", true},
    };
    TObj* obj = Obj("OBJ");
    for (const TTreeCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const int id = AddCard(obj, c.Name, false);
        for (const auto& [lft, rgt] : c.Rows)
            AddCtrl(id, lft == 1 ? "Root" : "EditStr", QString::number(Fld("OBJ", "OBJ_CAPT")->Id), lft, rgt);
        TCard card;
        if (c.Fails) {
            try {
                card.LoadById(id);
                ADD_FAILURE() << "loaded";
            } catch (const Error& e) {
                EXPECT_EQ(e.Message(), QString("Обнаружено нарушение структуры дерева для карточки \"%1\" (объект: "
                                               "\"Объекты\")").arg(c.Name));
            }
        } else {
            EXPECT_TRUE(card.LoadById(id));
        }
        EXPECT_EQ(Shape(card.RootCtrl.get()), c.Shape);
    }
}

TEST_F(CardTest, FieldsComeFromTheCardsObjectAndForSomeEditorsFromAnyObject)
{
    const int id = AddCard(Obj("TBL"), "fields", false);
    const QString own = QString::number(Fld("TBL", "TBL_CAPT")->Id);
    const QString other = QString::number(Fld("OBJ", "OBJ_CAPT")->Id);
    AddCtrl(id, "Root", "null", 1, 10);
    AddCtrl(id, "EditStr", own, 2, 3);
    AddCtrl(id, "EditObj", other, 4, 5);
    AddCtrl(id, "DateEdit", other, 6, 7);
    AddCtrl(id, "CheckBox", other, 8, 9);
    TCard card;
    ASSERT_TRUE(card.LoadById(id));
    TCtrl* root = card.RootCtrl.get();
    EXPECT_EQ(root->Fld, nullptr);
    EXPECT_EQ((*root)[0]->Fld, Fld("TBL", "TBL_CAPT"));
    EXPECT_EQ((*root)[1]->Fld, Fld("OBJ", "OBJ_CAPT"));
    EXPECT_EQ((*root)[1]->CtrlType, ctEditObj);
    EXPECT_EQ((*root)[2]->Fld, nullptr);
    EXPECT_EQ((*root)[3]->Fld, nullptr);
    EXPECT_TRUE((*root)[0]->ROEdt);
    EXPECT_FALSE((*root)[0]->ROAdd);
    EXPECT_EQ(card.Width, 500);
    EXPECT_EQ(card.HeightAtr, 300);
    EXPECT_EQ(card.HeightDet, 200);
}

TEST_F(CardTest, SaveStoresGeometryByKindAndLoadGivesItBack)
{
    TCard card;
    card.Id = GenId("CARD_ID");
    card.Obj = Obj("OBJ");
    card.Capt = "Геометрия";
    card.CreateCard();
    TFld* capt = Fld("OBJ", "OBJ_CAPT");
    TFld* sys = Fld("OBJ", "OBJ_SYS");
    auto add = [](TCtrl* parent, TCtrlType type, TFld* fld, const QString& capt) {
        auto c = std::make_unique<TCtrl>();
        c->CtrlType = type;
        c->Fld = fld;
        c->Capt = capt;
        c->CLeft = 1, c->CTop = 2, c->CWidth = 3, c->CHeight = 4, c->LLeft = 5, c->LTop = 6, c->LWidth = 7,
        c->LHeight = 8;
        return parent->Add(std::move(c));
    };
    card.RootCtrl->CLeft = 9;
    TCtrl* pages = add(card.RootCtrl.get(), ctPageControl, nullptr, "");
    TCtrl* tab = add(pages, ctTabSheet, nullptr, "Страница");
    TCtrl* edit = add(tab, ctEditStr, capt, "своя");
    add(tab, ctBoolean, sys, "");
    card.SaveTree();
    EXPECT_EQ(Shape(card.RootCtrl.get()), "(1,10 (2,9 (3,8 (4,5) (6,7))))");
    EXPECT_EQ(edit->GetCapt(), capt->Capt);  // the field's caption wins
    EXPECT_EQ(tab->GetCapt(), "Страница");

    // Kind, then the stored CLEFT CTOP CWIDTH CHEIGHT LLEFT LTOP LWIDTH LHEIGHT and caption.
    const QStringList rows = Column(
        QString("select T.CTRLTYPE_NAME || ':' || coalesce(C.CTRL_CLEFT, '-') || coalesce(C.CTRL_CTOP, '-') || "
                "coalesce(C.CTRL_CWIDTH, '-') || coalesce(C.CTRL_CHEIGHT, '-') || coalesce(C.CTRL_LLEFT, '-') || "
                "coalesce(C.CTRL_LTOP, '-') || coalesce(C.CTRL_LWIDTH, '-') || coalesce(C.CTRL_LHEIGHT, '-') || ':' || "
                "coalesce(C.CTRL_CAPT, '<null>') from CTRL C join CTRLTYPE T on T.CTRLTYPE_ID = C.CTRLTYPE_ID "
                "where C.CARD_ID = %1 order by C.CTRL_LFT").arg(card.Id));
    EXPECT_EQ(rows, QStringList({"Root:--------:<null>", "PageControl:1234----:<null>", "TabSheet:--------:Страница",
                                 "EditStr:123-56--:своя", "CheckBox:123456--:<null>"}));

    TCard loaded;
    ASSERT_TRUE(loaded.LoadById(card.Id));
    TCtrl* e = (*(*(*loaded.RootCtrl)[0])[0])[0];
    EXPECT_EQ(e->CHeight, 0);
    EXPECT_EQ(e->CWidth, 3);
    EXPECT_EQ(e->LWidth, 0);
    EXPECT_EQ((*loaded.RootCtrl)[0]->CHeight, 4);
    EXPECT_EQ((*loaded.RootCtrl)[0]->Capt, "");
    EXPECT_EQ(loaded.RootCtrl->CLeft, 0);
}

TEST_F(CardTest, DeleteCtrlRemovesASubtreeAndTheSaveLeavesNoGaps)
{
    const int id = AddCard(Obj("OBJ"), "pages", false);
    const QString f = QString::number(Fld("OBJ", "OBJ_CAPT")->Id);
    AddCtrl(id, "Root", "null", 1, 14);
    AddCtrl(id, "PageControl", "null", 2, 11);
    AddCtrl(id, "TabSheet", "null", 3, 6);
    AddCtrl(id, "EditStr", f, 4, 5);
    AddCtrl(id, "TabSheet", "null", 7, 10);
    AddCtrl(id, "EditStr", f, 8, 9);
    AddCtrl(id, "EditStr", f, 12, 13);
    TCard card;
    ASSERT_TRUE(card.LoadById(id));
    TCtrl* firstTab = (*(*card.RootCtrl)[0])[0];
    card.DeleteCtrl(firstTab);
    EXPECT_EQ(Shape(card.RootCtrl.get()), "(1,14 (2,11 (7,10 (8,9))) (12,13))");
    card.SaveTree();
    TCard loaded;
    ASSERT_TRUE(loaded.LoadById(id));
    EXPECT_EQ(Shape(loaded.RootCtrl.get()), "(1,10 (2,7 (3,6 (4,5))) (8,9))");
}

TEST_F(CardTest, AnEditorOfAMissingFieldIsDroppedAtTheNextSave)
{
    const int id = AddCard(Obj("OBJ"), "missing", false);
    AddCtrl(id, "Root", "null", 1, 10);
    AddCtrl(id, "EditInt", "99999", 2, 3);  // a field deleted since
    AddCtrl(id, "TabSheet", "null", 4, 5);
    AddCtrl(id, "EditStr", QString::number(Fld("OBJ", "OBJ_CAPT")->Id), 6, 7);
    AddCtrl(id, "DateEdit", QString::number(Fld("TBL", "TBL_ID")->Id), 8, 9);  // another object's field
    TCard card;
    ASSERT_TRUE(card.LoadById(id));
    EXPECT_EQ((*card.RootCtrl)[0]->Fld, nullptr);
    EXPECT_TRUE((*card.RootCtrl)[0]->FldMissing);
    EXPECT_EQ((*card.RootCtrl)[3]->Fld, nullptr);
    EXPECT_FALSE((*card.RootCtrl)[3]->FldMissing);
    card.SaveTree();
    // The tab sheet and the date editor without a field of the card's object stay.
    EXPECT_EQ(Shape(card.RootCtrl.get()), "(1,8 (2,3) (4,5) (6,7))");
    EXPECT_EQ((*card.RootCtrl)[0]->CtrlType, ctTabSheet);
    EXPECT_EQ((*card.RootCtrl)[2]->CtrlType, ctDateEdit);
}

TEST_F(CardTest, ChoosingACard)
{
    TObj* obj = Obj("OBJ");
    const int def = AddCard(obj, "def", true);
    const int chosen = AddCard(obj, "chosen", false, 1);
    for (bool dev : {false, true}) {
        DevMode = dev;
        TCard card;
        ASSERT_TRUE(card.LoadCurrent(obj, 1));
        EXPECT_EQ(card.Id, def);
        ASSERT_TRUE(card.LoadByName(obj, "chosen"));
        EXPECT_TRUE(card.Dev);
    }
    Exec(QString("insert into USRCARD (USR_ID, CARD_ID) values (1, %1)").arg(chosen));
    TCard card;
    ASSERT_TRUE(card.LoadCurrent(obj, 1));
    EXPECT_EQ(card.Id, chosen);
    EXPECT_EQ(card.RootCtrl, nullptr);  // no control rows
}

TEST_F(CardTest, Messages)
{
    TObj* obj = Obj("TBL");
    TCard card;
    EXPECT_FALSE(card.LoadById(777777));
    EXPECT_FALSE(card.LoadCurrent(obj, 1));
    card.RaiseLoad = true;
    const struct {
        std::function<void()> Run;
        QString Says;
    } cases[] = {
        {[&] { card.LoadById(777777); }, "Карточка не найдена"},
        {[&] { card.LoadByName(obj, "x"); }, "Для объекта \"Таблицы\" (TBL) карточка не создана"},
        {[&] { card.LoadCurrent(obj, 1); }, "Для объекта \"Таблицы\" (TBL) карточка не создана"},
        {[&] {
             const int id = AddCard(obj, "badkind", false);
             Exec(QString("insert into CTRLTYPE (CTRLTYPE_ID, CTRLTYPE_NAME) values (50, 'Unknown')"));
             Exec(QString("insert into CTRL (CTRL_ID, CARD_ID, CTRLTYPE_ID, CTRL_LFT, CTRL_RGT, CTRL_ROADD, CTRL_ROEDT) "
                          "values (%1, %2, 50, 1, 2, 0, 0)").arg(GenId("CTRL_ID")).arg(id));
             card.LoadById(id);
         },
         "CtrlType with code 50 not found"},
        {[] { CtrlTypeCode(TCtrlType(11)); }, "CtrlType \"11\" not found"},
    };
    for (const auto& c : cases) {
        try {
            c.Run();
            ADD_FAILURE() << c.Says.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), c.Says);
        }
    }
}

}  // namespace
