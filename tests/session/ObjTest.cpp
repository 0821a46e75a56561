#include "CodeTable.h"
#include "Error.h"
#include "Obj.h"
#include "Session.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class ObjTest : public SessionTest {};

TEST_F(ObjTest, LoadMetaLoadsTheSelfDescribedCatalogue)
{
    QList<QPair<int, int>> progress;
    LoadProgress = [&](int pos, int max) { progress << qMakePair(pos, max); };
    LoadMeta();
    ASSERT_TRUE(MetaLoaded);
    ASSERT_TRUE(ObjList);
    ASSERT_TRUE(CurrRateTable);
    const int total = Scalar("select count(*) from OBJ").toInt();
    ASSERT_EQ(ObjList->Count(), total);
    ASSERT_EQ(progress.size(), total);
    for (int i = 0; i < total; ++i)
        EXPECT_EQ(progress[i], qMakePair(i + 1, total));

    TObj* obj = ObjList->GetObjByTable("OBJ");
    TObj* fld = ObjList->GetObjByTable("FLD");
    TObj* dep = ObjList->GetObjByTable("DEP");
    ASSERT_TRUE(obj && fld && dep);
    EXPECT_TRUE(obj->Meta);
    EXPECT_TRUE(obj->Sys);
    EXPECT_EQ(ObjList->GetObjByTable("obj"), nullptr);  // letter case counts
    EXPECT_EQ(ObjList->GetObjById(obj->Id), obj);

    TFld* key = obj->FldList->GetPKFld();
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Field, "OBJ_ID");
    EXPECT_EQ(key->Capt, "Код");
    EXPECT_TRUE(key->NotNull);
    EXPECT_TRUE(key->Sys);
    EXPECT_EQ(key->Obj, obj);
    EXPECT_EQ(ObjList->GetFldById(key->Id), key);

    // The link FLD.OBJ_ID -> OBJ: owned by OBJ's child list, referred to from FLD's parent list.
    TFld* fldObjRef = fld->FldList->GetFldByFldName("OBJ_ID");
    ASSERT_TRUE(fldObjRef);
    EXPECT_EQ(fldObjRef->FldType, ftFK);
    TObjLink* link = obj->ChildList->GetByFld(fldObjRef);
    ASSERT_TRUE(link);
    EXPECT_EQ(fld->ParentList->GetByFld(fldObjRef), link);
    EXPECT_EQ(link->ParentObj, obj);
    EXPECT_EQ(link->ChildFld, fldObjRef);
    EXPECT_EQ(obj->ChildList->GetByChiObjTable("FLD"), link);
    EXPECT_EQ(ObjList->GetObjLinkById(link->Id), link);
    EXPECT_EQ(fldObjRef->FKObj, obj);
    EXPECT_EQ(fldObjRef->FKRule, link->DeleteRule);
    EXPECT_NE(link->DeleteRule, fkNone);

    // DEP has two links to FLD and the virtual fields the record editors expect.
    EXPECT_EQ(dep->ParentList->Count(), 2);
    for (const char* name : {"OBJ_ID_V", "FLD_FIELD_V", "FLD_CAPT_V", "FLD_NOTNULL_V"}) {
        TFld* v = dep->FldList->GetFldByFldName(name);
        ASSERT_TRUE(v) << name;
        EXPECT_TRUE(v->Virt) << name;
    }

    FreeMeta();
    EXPECT_FALSE(MetaLoaded);
    EXPECT_FALSE(ObjList);
    EXPECT_FALSE(CurrRateTable);
}

TEST_F(ObjTest, LookUpsAndTheirMessages)
{
    LoadMeta();
    TObj* obj = ObjList->GetObjByTable("OBJ");
    EXPECT_EQ(obj->FldList->GetMainFld(false), obj->FldList->GetFldByFldName("OBJ_CAPT"));

    TObj bare;
    bare.Table = "T";
    bare.Capt = "Тест";
    bare.FldList = std::make_unique<TFldList>(&bare);
    EXPECT_EQ(bare.FldList->GetMainFld(false), nullptr);
    EXPECT_EQ(Raised([&] { bare.FldList->GetMainFld(true); }), "Главное поле для объекта \"Тест\" (T) не определено");

    for (const char* name : {"SUMMA", "SUMMA2", "NAME3"}) {
        auto f = std::make_unique<TFld>();
        f->Field = name;
        bare.FldList->Add(std::move(f));
    }
    EXPECT_EQ(bare.GetLikeFldName("SUMMA"), "SUMMA3");
    EXPECT_EQ(bare.GetLikeFldName("NAME"), "NAME");
    EXPECT_EQ(bare.GetLikeFldName("summa"), "summa");
    EXPECT_EQ(bare.FldList->GetFldByFldName("summa"), nullptr);

    TFldValueList values;
    TFld* a = (*bare.FldList)[0];
    TFld* b = (*bare.FldList)[1];
    values.AddItem(a, Variant(1));
    values.AddItem(b, Variant::Null());
    values.AddItem(a, Variant(2));
    EXPECT_EQ(values.Count(), 3);
    EXPECT_EQ(values.GetByFld(a)->Value, Variant(1));
    EXPECT_TRUE(values.GetByFld(b)->Value.IsNull());
    EXPECT_EQ(values.GetByFld((*bare.FldList)[2]), nullptr);
}

TEST_F(ObjTest, CodeTablesAndTheirMessages)
{
    const int dateCode = Scalar("select FLDTYPE_ID from FLDTYPE where FLDTYPE_NAME = 'date'").toInt();
    EXPECT_EQ(FldTypeByCode(dateCode), ftDate);
    EXPECT_EQ(FldTypeCode(ftDate), dateCode);
    EXPECT_EQ(Raised([] { FldTypeByCode(999); }), "FieldType with code 999 not found");
    EXPECT_EQ(Raised([] { FldTypeCode(TFldType(42)); }), "FieldType 42 not found");
    EXPECT_EQ(Raised([] { FKRuleByCode(77); }), "FKRule with code 77 not found");
    EXPECT_EQ(Raised([] { FKRuleCode(fkNone); }), "FKRule \"0\" not found");
    EXPECT_EQ(FKRuleByCode(FKRuleCode(fkSetNull)), fkSetNull);
    EXPECT_EQ(FKRuleSqlText(fkNone), "*NO FKRULE*");
    EXPECT_EQ(FKRuleSqlText(fkNoAction), "NO ACTION");
    EXPECT_EQ(FKRuleSqlText(fkCascade), "CASCADE");
    EXPECT_EQ(FKRuleSqlText(fkSetNull), "SET NULL");
}

TEST_F(ObjTest, CodesAreReadOnceAndKeptAcrossLogins)
{
    FldTypeTable().Forget();
    const int dateCode = FldTypeCode(ftDate);
    // Another database (a new login) whose codes differ: the first codes stay.
    Exec("update FLDTYPE set FLDTYPE_NAME = 'gone' where FLDTYPE_NAME = 'date'");
    DBCommit();
    EXPECT_EQ(FldTypeCode(ftDate), dateCode);
    // Read afresh, the missing "date" row leaves its code 0, and code 0 then
    // reads as the first record whose code is 0.
    FldTypeTable().Forget();
    EXPECT_EQ(FldTypeCode(ftDate), 0);
    EXPECT_EQ(FldTypeByCode(0), ftDate);
    Exec("update FLDTYPE set FLDTYPE_NAME = 'date' where FLDTYPE_NAME = 'gone'");
    FldTypeTable().Forget();
    EXPECT_EQ(FldTypeCode(ftDate), dateCode);
}

// Catalogues that break the invariants fail the load with a message naming
// what is broken; nothing crashes and the session can free what was loaded.
struct TBrokenCase {
    const char* Name;
    QStringList Sql;
    const char* Says;
};

TEST_F(ObjTest, ABrokenCatalogueFailsTheLoadWithAClearMessage)
{
    const TBrokenCase cases[] = {
        {"object without key field",
         {"insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT) values (900, 'NOKEY', 'x')"},
         "Объект 900 (NOKEY) должен иметь ровно одно поле первичного ключа NOKEY_ID"},
        {"two key fields",
         {"insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT) values (903, 'T903', 'x')",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9030, 903, 'T903_ID', "
          "FLDTYPE_ID, 'k' from FLDTYPE where FLDTYPE_NAME = 'pk'",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9031, 903, 'OTHER_ID', "
          "FLDTYPE_ID, 'k' from FLDTYPE where FLDTYPE_NAME = 'pk'"},
         "Объект 903 (T903) должен иметь ровно одно поле первичного ключа T903_ID"},
        {"key field named otherwise",
         {"insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT) values (904, 'T904', 'x')",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9040, 904, 'ID', "
          "FLDTYPE_ID, 'k' from FLDTYPE where FLDTYPE_NAME = 'pk'"},
         "Объект 904 (T904) должен иметь ровно одно поле первичного ключа T904_ID"},
        {"reference field of two links",
         {"insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, FKRULE_ID) select 905, P.FLD_ID, C.FLD_ID, 2 from FLD P, "
          "FLD C where P.FLD_FIELD = 'OBJ_ID' and P.OBJ_ID = 1 and C.FLD_FIELD = 'OBJ_ID' and C.OBJ_ID = 4"},
         "является ссылкой сразу нескольких связей"},
        {"fk field without link",
         {"insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT) values (901, 'T901', 'x')",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9010, 901, 'T901_ID', "
          "FLDTYPE_ID, 'k' from FLDTYPE where FLDTYPE_NAME = 'pk'",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9011, 901, 'REF', "
          "FLDTYPE_ID, 'r' from FLDTYPE where FLDTYPE_NAME = 'fk'"},
         "Поле 9011 (T901.REF) является ссылкой, но связь для него не найдена"},
        {"link to a field that is not a reference",
         {"insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT) values (902, 'T902', 'x')",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9020, 902, 'T902_ID', "
          "FLDTYPE_ID, 'k' from FLDTYPE where FLDTYPE_NAME = 'pk'",
          "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_CAPT) select 9021, 902, 'NUM', "
          "FLDTYPE_ID, 'n' from FLDTYPE where FLDTYPE_NAME = 'integer'",
          "insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, FKRULE_ID) select 902, 9020, 9021, FKRULE_ID "
          "from FKRULE where FKRULE_NAME = 'Cascade'"},
         "Связь 902: поле 9021 (T902.NUM) не является ссылкой"},
        {"aggregate without summed field",
         {"update FLD set DEP_ID_AGR = (select min(DEP_ID) from DEP D join FLD P on P.FLD_ID = D.FLD_ID_PAR "
          "join OBJ O on O.OBJ_ID = P.OBJ_ID where O.OBJ_TABLE = 'OBJ') where FLD_FIELD = 'OBJ_CAPT'"},
         "TObj.LoadRefs: Не удалось найти поле по коду \"0\""},
        {"aggregate over a link of another object",
         {"update FLD set DEP_ID_AGR = (select min(DEP_ID) from DEP D join FLD P on P.FLD_ID = D.FLD_ID_PAR "
          "join OBJ O on O.OBJ_ID = P.OBJ_ID where O.OBJ_TABLE = 'FLD') where FLD_FIELD = 'OBJ_CAPT'"},
         "TObj.LoadRefs: Не удалось найти связь по коду"},
    };
    for (const TBrokenCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (const QString& sql : c.Sql)
            Exec(sql);
        const QString message = Raised([] { LoadMeta(); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.Says))) << message.toStdString();
        EXPECT_FALSE(MetaLoaded);
        FreeMeta();
        DBRollback();
    }
    LoadMeta();  // the catalogue as it was loads again
    EXPECT_TRUE(MetaLoaded);
}

}  // namespace
