#include "DetBook.h"
#include "Error.h"
#include "ViewsFixture.h"

#include <gtest/gtest.h>

namespace {

class DetBookTest : public ViewsTest {};

TEST_F(DetBookTest, ABookHoldsLinksOfItsObject)
{
    TObj* obj = Obj("OBJ");
    const int book = AddDetBook(obj, "book", true);
    TObjLink* fields = obj->ChildList->GetByChiObjTable("FLD");
    TObjLink* cards = obj->ChildList->GetByChiObjTable("CARD");
    AddDetDep(book, fields->Id);
    AddDetDep(book, cards->Id);
    TDetBook det;
    ASSERT_TRUE(det.LoadById(book));
    ASSERT_EQ(det.Count(), 2);
    EXPECT_TRUE((det[0] == fields && det[1] == cards) || (det[0] == cards && det[1] == fields));
    EXPECT_EQ(det.Obj, obj);
    EXPECT_TRUE(det.Default);
    EXPECT_EQ(det.Name, "book");

    const int empty = AddDetBook(Obj("TBL"), "empty", false);
    TDetBook none;
    ASSERT_TRUE(none.LoadById(empty));
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(DetBookTest, TheUsersChoiceWinsOverTheDefault)
{
    TObj* obj = Obj("OBJ");
    TDetBook det;
    EXPECT_FALSE(det.LoadCurrent(obj, 1));  // no book at all: no details
    const int def = AddDetBook(obj, "def", true);
    const int mine = AddDetBook(obj, "mine", false);
    ASSERT_TRUE(det.LoadCurrent(obj, 1));
    EXPECT_EQ(det.Id, def);
    Exec(QString("insert into USRDET (USR_ID, DETBOOK_ID) values (1, %1)").arg(mine));
    TDetBook chosen;
    ASSERT_TRUE(chosen.LoadCurrent(obj, 1));
    EXPECT_EQ(chosen.Id, mine);
    TDetBook byName;
    ASSERT_TRUE(byName.LoadByName(obj, "def"));
    EXPECT_EQ(byName.Id, def);
}

TEST_F(DetBookTest, ALinkOfAnotherObjectFailsTheLoad)
{
    TObj* obj = Obj("OBJ");
    const int book = AddDetBook(obj, "bad", false);
    TObjLink* own = obj->ChildList->GetByChiObjTable("TBL");
    TObjLink* foreign = Obj("DEP")->ChildList->GetByChiObjTable("TBL");  // TBL.DEP_ID -> DEP
    ASSERT_TRUE(own && foreign);
    AddDetDep(book, own->Id);
    AddDetDep(book, foreign->Id);
    TDetBook det;
    try {
        det.LoadById(book);
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), QString("TDetBook.Load: Для объекта \"Объекты\" (OBJ) в наборе деталей (%1) не найдена "
                                       "деталь с кодом %2").arg(book).arg(foreign->Id));
    }
    EXPECT_LE(det.Count(), 1);  // the links read before the bad one stay
}

TEST_F(DetBookTest, NotFoundMessagesAndCreation)
{
    TObj* obj = Obj("CARD");
    TDetBook det;
    det.RaiseLoad = true;
    const struct {
        std::function<void()> Run;
        const char* Says;
    } cases[] = {
        {[&] { det.LoadById(5555); }, "Набор деталей не найден"},
        {[&] { det.LoadByName(obj, "x"); }, "Для объекта \"Карточки\" (CARD) набор деталей не создан"},
        {[&] { det.LoadCurrent(obj, 1); }, "Для объекта \"Карточки\" (CARD) набор деталей не создан"},
    };
    for (const auto& c : cases) {
        try {
            c.Run();
            ADD_FAILURE() << c.Says;
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Says));
        }
    }

    QStringList statements;
    SqlMonitor = [&](const QString& sql) { statements << sql; };
    TDetBook created;
    created.Id = GenId("DETBOOK_ID");
    created.Obj = obj;
    created.Capt = "Детали";
    created.Name = "Main";
    created.Default = true;
    created.CreateDetBook();
    SqlMonitor = nullptr;
    EXPECT_EQ(statements.last(),
              "insert into DETBOOK \r(DETBOOK_ID, OBJ_ID, DETBOOK_CAPT, DETBOOK_DEFAULT, DETBOOK_NAME, DETBOOK_DEV) "
              "VALUES\r(:DETBOOK_ID, :OBJ_ID, :DETBOOK_CAPT, :DETBOOK_DEFAULT, :DETBOOK_NAME, :DETBOOK_DEV);");
    TDetBook loaded;
    ASSERT_TRUE(loaded.LoadCurrent(obj, 1));
    EXPECT_EQ(loaded.Id, created.Id);
    EXPECT_EQ(loaded.Capt, "Детали");
    EXPECT_EQ(loaded.Count(), 0);
}

}  // namespace
