#include "ExampleCatalogue.h"

#include "Obj.h"
#include "Session.h"

namespace {

TObj* NewObj(const QString& table, const QString& capt)
{
    auto obj = std::make_unique<TObj>();
    obj->Table = table;
    obj->Capt = capt;
    obj->CreateTable();
    return ObjList->Add(std::move(obj));
}

TFld* NewFld(TObj* obj, const QString& name, TFldType type, const QString& capt, int size = 0)
{
    auto fld = std::make_unique<TFld>();
    fld->Obj = obj;
    fld->Field = name;
    fld->FldType = type;
    fld->Capt = capt;
    fld->Size = size;
    fld->CreateField();
    return obj->FldList->Add(std::move(fld));
}

TObjLink* NewLink(TObj* parent, TFld* child)
{
    auto link = std::make_unique<TObjLink>(parent, child);
    link->DeleteRule = fkNoAction;
    link->Main = true;
    link->CreateLink();
    TObjLink* raw = link.release();
    parent->ChildList->Add(raw);
    child->Obj->ParentList->Add(raw);
    return raw;
}

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

TExampleCatalogue BuildExampleCatalogue()
{
    if (!ObjList)
        LoadMeta();
    TObj* city = NewObj("CITY", "Города");
    TFld* cityName = NewFld(city, "CITY_NAME", ftString, "Город", 60);
    TObj* cust = NewObj("CUST", "Клиенты");
    TFld* custName = NewFld(cust, "CUST_NAME", ftString, "Клиент", 100);
    TFld* custCity = NewFld(cust, "CITY_ID", ftFK, "Город клиента");
    TObj* emp = NewObj("EMP", "Сотрудники");
    TFld* empActive = NewFld(emp, "EMP_ACTIVE", ftBoolean, "Работает");
    TObj* ord = NewObj("ORD", "Заказы");
    TFld* ordNum = NewFld(ord, "ORD_NUM", ftString, "Номер", 20);
    TFld* ordDate = NewFld(ord, "ORD_DATE", ftDate, "Дата");
    TFld* ordCust = NewFld(ord, "CUST_ID", ftFK, "Покупатель");
    TFld* ordMgr = NewFld(ord, "MGR_ID", ftFK, "Менеджер");
    NewLink(city, custCity);
    TObjLink* byCust = NewLink(cust, ordCust);
    NewLink(emp, ordMgr);

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
