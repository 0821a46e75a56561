#pragma once

// A loaded catalogue (the self-description) and helpers that write
// definition rows straight into the catalogue tables.

#include "Obj.h"
#include "Session.h"
#include "TestDatabase.h"

#include <QString>
#include <utility>
#include <vector>

class ViewsTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        LoadMeta();
    }

    TObj* Obj(const char* table) const { return ObjList->GetObjByTable(table); }
    TFld* Fld(const char* table, const char* field) const { return Obj(table)->FldList->GetFldByFldName(field); }
    int Code(const char* table, const char* name)
    {
        return Scalar(QString("select %1_ID from %1 where %1_NAME = '%2'").arg(table, name)).toInt();
    }

    int AddTbl(TObj* obj, TObjLink* link, const QString& name, bool isDefault, const QString& dev = "0")
    {
        const int id = GenId("TBL_ID");
        Exec(QString("insert into TBL (TBL_ID, OBJ_ID, DEP_ID, TBL_CAPT, TBL_NAME, TBL_DEFAULT, TBL_DEV) values "
                     "(%1, %2, %3, '%4', '%4', %5, %6)")
                 .arg(id)
                 .arg(obj->Id)
                 .arg(link ? QString::number(link->Id) : "null", name)
                 .arg(isDefault ? 1 : 0)
                 .arg(dev));
        return id;
    }
    void AddTblFld(int tbl, int fld, int lft, int rgt)
    {
        Exec(QString("insert into TBLFLD (TBLFLD_ID, TBL_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT) values (%1, %2, %3, %4, %5)")
                 .arg(GenId("TBLFLD_ID")).arg(tbl).arg(fld).arg(lft).arg(rgt));
    }
    int AddCard(TObj* obj, const QString& name, bool isDefault, int dev = 0)
    {
        const int id = GenId("CARD_ID");
        Exec(QString("insert into CARD (CARD_ID, OBJ_ID, CARD_CAPT, CARD_NAME, CARD_DEFAULT, CARD_DEV, CARD_WIDTH, "
                     "CARD_HEIGHTATR, CARD_HEIGHTDET) values (%1, %2, '%3', '%3', %4, %5, 500, 300, 200)")
                 .arg(id).arg(obj->Id).arg(name).arg(isDefault ? 1 : 0).arg(dev));
        return id;
    }
    void AddCtrl(int card, const char* kind, const QString& fld, int lft, int rgt)
    {
        Exec(QString("insert into CTRL (CTRL_ID, CARD_ID, FLD_ID, CTRLTYPE_ID, CTRL_LFT, CTRL_RGT, CTRL_ROADD, "
                     "CTRL_ROEDT) values (%1, %2, %3, %4, %5, %6, 0, 1)")
                 .arg(GenId("CTRL_ID")).arg(card).arg(fld).arg(Code("CTRLTYPE", kind)).arg(lft).arg(rgt));
    }
    int AddDetBook(TObj* obj, const QString& name, bool isDefault)
    {
        const int id = GenId("DETBOOK_ID");
        Exec(QString("insert into DETBOOK (DETBOOK_ID, OBJ_ID, DETBOOK_CAPT, DETBOOK_NAME, DETBOOK_DEFAULT, "
                     "DETBOOK_DEV) values (%1, %2, '%3', '%3', %4, 0)")
                 .arg(id).arg(obj->Id).arg(name).arg(isDefault ? 1 : 0));
        return id;
    }
    void AddDetDep(int book, int dep)
    {
        Exec(QString("insert into DETDEP (DETDEP_ID, DETBOOK_ID, DEP_ID) values (gen_id(DETDEP_ID, 1), %1, %2)")
                 .arg(book).arg(dep));
    }
    int AddFltr(TObj* obj, const QString& tbl, const QString& dep, const QString& name, const QString& dev = "0",
                int always = 1)
    {
        const int id = GenId("FLTR_ID");
        Exec(QString("insert into FLTR (FLTR_ID, OBJ_ID, TBL_ID, DEP_ID, FLTR_CAPT, FLTR_NAME, FLTR_ALWAYS, FLTR_DEV) "
                     "values (%1, %2, %3, %4, '%5', '%5', %6, %7)")
                 .arg(id).arg(obj->Id).arg(tbl, dep, name).arg(always).arg(dev));
        return id;
    }
    int AddNode(int fltr, const char* kind, int lft, int rgt, const QString& fld = "null", const QString& value = "null",
                const QString& name = "", const QString& dep = "null")
    {
        const int id = GenId("FLTRTREE_ID");
        Exec(QString("insert into FLTRTREE (FLTRTREE_ID, FLTR_ID, FLTRTREE_LFT, FLTRTREE_RGT, FLTRTRTP_ID, "
                     "FLTRTREE_NOT, FLTRTREE_VALUE, FLD_ID, DEP_ID, FLTRTREE_NAME) values (%1, %2, %3, %4, %5, 0, %6, "
                     "%7, %8, '%9')")
                 .arg(id).arg(fltr).arg(lft).arg(rgt).arg(Code("FLTRTRTP", kind)).arg(value, fld, dep, name));
        return id;
    }
    void AddPathStep(int node, int fld)
    {
        Exec(QString("insert into FLTRTRPT (FLTRTRPT_ID, FLTRTREE_ID, FLD_ID) values (%1, %2, %3)")
                 .arg(GenId("FLTRTRPT_ID")).arg(node).arg(fld));
    }
};

// A tree as text: "(lft,rgt child child ...)".
template <typename T>
QString Shape(const T* node)
{
    if (!node)
        return "none";
    QString s = QString("(%1,%2").arg(node->Lft).arg(node->Rgt);
    for (const auto& child : *node)
        s += " " + Shape<T>(child.get());
    return s + ")";
}

// Rows of a nested set as (lft, rgt) pairs, and the tree they should give.
struct TTreeCase {
    const char* Name;
    std::vector<std::pair<int, int>> Rows;
    const char* Shape;   // the tree loaded (up to the bad row when one fails)
    bool Fails;          // loading raises the tree-structure error
};
