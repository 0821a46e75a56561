#include "ExampleCatalogue.h"

#include "Obj.h"
#include "Session.h"

namespace {

void Exec(const QString& sql)
{
    auto q = NewIBSQL();
    q->SQL << sql;
    q->ExecQuery();
}

void AddTblFld(int tbl, const TFld* fld, int lft, int rgt)
{
    Exec(QString("insert into TBLFLD (TBLFLD_ID, TBL_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT) values (%1, %2, %3, %4, %5)")
             .arg(GenId("TBLFLD_ID")).arg(tbl).arg(fld->Id).arg(lft).arg(rgt));
}

}  // namespace

TObj* AddObject(const QString& table, const QString& capt)
{
    auto obj = std::make_unique<TObj>();
    obj->Table = table;
    obj->Capt = capt.isEmpty() ? table : capt;
    obj->CreateTable();
    return ObjList->Add(std::move(obj));
}

TFld* AddField(TObj* obj, const QString& name, TFldType type, int size, bool notNull, const QString& capt)
{
    auto fld = std::make_unique<TFld>();
    fld->Obj = obj;
    fld->Field = name;
    fld->FldType = type;
    fld->Size = size;
    fld->NotNull = notNull;
    fld->Capt = capt;
    fld->CreateField();
    return obj->FldList->Add(std::move(fld));
}

TObjLink* AddLink(TObj* parent, TFld* child, TFKRule rule, bool main)
{
    auto link = std::make_unique<TObjLink>(parent, child);
    link->DeleteRule = rule;
    link->Main = main;
    link->CreateLink();
    TObjLink* raw = link.release();
    parent->ChildList->Add(raw);
    child->Obj->ParentList->Add(raw);
    return raw;
}

TExampleCatalogue BuildExampleCatalogue()
{
    if (!ObjList)
        LoadMeta();
    TObj* city = AddObject("CITY", "Города");
    TFld* cityName = AddField(city, "CITY_NAME", ftString, 60, false, "Город");
    TObj* cust = AddObject("CUST", "Клиенты");
    TFld* custName = AddField(cust, "CUST_NAME", ftString, 100, false, "Клиент");
    TFld* custCity = AddField(cust, "CITY_ID", ftFK, 0, false, "Город клиента");
    TObj* emp = AddObject("EMP", "Сотрудники");
    TFld* empActive = AddField(emp, "EMP_ACTIVE", ftBoolean, 0, false, "Работает");
    TObj* ord = AddObject("ORD", "Заказы");
    TFld* ordNum = AddField(ord, "ORD_NUM", ftString, 20, false, "Номер");
    TFld* ordDate = AddField(ord, "ORD_DATE", ftDate, 0, false, "Дата");
    TFld* ordCust = AddField(ord, "CUST_ID", ftFK, 0, false, "Покупатель");
    TFld* ordMgr = AddField(ord, "MGR_ID", ftFK, 0, false, "Менеджер");
    AddLink(city, custCity, fkNoAction, true);
    TObjLink* byCust = AddLink(cust, ordCust, fkNoAction, true);
    AddLink(emp, ordMgr, fkNoAction, true);

    TExampleCatalogue ex;
    for (int* id : {&ex.OrdTbl, &ex.OrdDetailTbl}) {
        *id = GenId("TBL_ID");
        Exec(QString("insert into TBL (TBL_ID, OBJ_ID, DEP_ID, TBL_CAPT, TBL_NAME, TBL_DEFAULT, TBL_DEV) values "
                     "(%1, %2, %3, 'Заказы', 'Orders', 1, 0)")
                 .arg(*id).arg(ord->Id).arg(id == &ex.OrdTbl ? QString("null") : QString::number(byCust->Id)));
        AddTblFld(*id, ord->FldList->GetPKFld(), 1, 14);
        AddTblFld(*id, ordNum, 2, 3);
        AddTblFld(*id, ordCust, 4, 11);
        AddTblFld(*id, custName, 5, 6);
        AddTblFld(*id, custCity, 7, 10);
        AddTblFld(*id, cityName, 8, 9);
        AddTblFld(*id, ordDate, 12, 13);
    }

    ex.Filter = GenId("FLTR_ID");
    Exec(QString("insert into FLTR (FLTR_ID, OBJ_ID, FLTR_CAPT, FLTR_NAME, FLTR_ALWAYS, FLTR_DEV) values "
                 "(%1, %2, 'Город и менеджер', 'CityMgr', 1, 0)").arg(ex.Filter).arg(ord->Id));
    auto node = [&](int lft, int rgt, const char* kind, const TFld* fld, const QString& name) {
        const int id = GenId("FLTRTREE_ID");
        Exec(QString("insert into FLTRTREE (FLTRTREE_ID, FLTR_ID, FLTRTREE_LFT, FLTRTREE_RGT, FLTRTRTP_ID, "
                     "FLTRTREE_NOT, FLD_ID, FLTRTREE_NAME) select %1, %2, %3, %4, FLTRTRTP_ID, 0, %5, '%6' from "
                     "FLTRTRTP where FLTRTRTP_NAME = '%7'")
                 .arg(id).arg(ex.Filter).arg(lft).arg(rgt)
                 .arg(fld ? QString::number(fld->Id) : QString("null"), name, kind));
        return id;
    };
    auto step = [&](int nodeId, const TFld* fld) {
        Exec(QString("insert into FLTRTRPT (FLTRTRPT_ID, FLTRTREE_ID, FLD_ID) values (%1, %2, %3)")
                 .arg(GenId("FLTRTRPT_ID")).arg(nodeId).arg(fld->Id));
    };
    node(1, 6, "And", nullptr, "Root");
    ex.CityNode = node(2, 3, "Equal", cityName, "City");
    step(ex.CityNode, ordCust);
    step(ex.CityNode, custCity);
    const int active = node(4, 5, "Equal", empActive, "Active");
    step(active, ordMgr);
    DBCommit();

    FreeMeta();
    LoadMeta();
    return ex;
}
