#include "DetBook.h"

#include "Definition.h"
#include "Error.h"
#include "Format.h"
#include "Obj.h"
#include "Session.h"

TDetBook::TDetBook() : FQuery(NewIBSQL()) {}

TDetBook::~TDetBook() = default;

bool TDetBook::Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind)
{
    if (!ReadFirstRow(*FQuery, sql, bind, [this](TIBSQL& q) { ReadRow(q); }))
        return false;
    LoadLinks();
    return true;
}

void TDetBook::ReadRow(TIBSQL& q)
{
    const int objId = q.FieldByName("OBJ_ID").AsLong();
    TObj* obj = ObjList ? ObjList->GetObjById(objId) : nullptr;
    if (!obj)
        throw Error(Format("Набор деталей %d: объект %d не загружен", {q.FieldByName("DETBOOK_ID").AsLong(), objId}));
    Id = q.FieldByName("DETBOOK_ID").AsLong();
    Capt = q.FieldByName("DETBOOK_CAPT").AsString();
    Default = q.FieldByName("DETBOOK_DEFAULT").AsLong() != 0;
    Name = q.FieldByName("DETBOOK_NAME").AsString();
    Obj = obj;
    Dev = q.FieldByName("DETBOOK_DEV").AsLong() != 0;
}

void TDetBook::LoadLinks()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"select *", "from DETDEP D", "where D.DETBOOK_ID = " + QString::number(Id)};
    for (FQuery->ExecQuery(); !FQuery->Eof(); FQuery->Next()) {
        const int depId = FQuery->FieldByName("DEP_ID").AsLong();
        TObjLink* link = Obj->ChildList->GetById(depId);
        if (!link)
            throw Error(Format("TDetBook.Load: Для объекта \"%s\" (%s) в наборе деталей (%d) не найдена деталь с кодом %d",
                               {Obj->Capt, Obj->Table, Id, depId}));
        FLinks.push_back(link);
    }
}

void TDetBook::RaiseNotCreated(TObj* AObj) const
{
    throw Error(Format("Для объекта \"%s\" (%s) набор деталей не создан", {AObj->Capt, AObj->Table}));
}

bool TDetBook::LoadById(int AId)
{
    if (Load({"select D.*", "from DETBOOK D", "where D.DETBOOK_ID = " + QString::number(AId)}, nullptr))
        return true;
    if (RaiseLoad)
        throw Error("Набор деталей не найден");
    return false;
}

bool TDetBook::LoadByName(TObj* AObj, const QString& AName)
{
    if (Load({"select D.*", "from DETBOOK D", "where D.OBJ_ID = " + QString::number(AObj->Id),
              "and D.DETBOOK_NAME = :DETBOOK_NAME"},
             [&](TIBSQL& q) { q.ParamByName("DETBOOK_NAME").SetAsString(AName); }))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

bool TDetBook::LoadCurrent(TObj* AObj, int AUserId)
{
    const QString objLine = "where D.OBJ_ID = " + QString::number(AObj->Id);
    if (Load({"select D.*", "from USRDET U", "join DETBOOK D on D.DETBOOK_ID = U.DETBOOK_ID", objLine,
              "and U.USR_ID = " + QString::number(AUserId)},
             nullptr))
        return true;
    if (Load({"select D.*", "from DETBOOK D", objLine, "and D.DETBOOK_DEFAULT = 1"}, nullptr))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

void TDetBook::CreateDetBook()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{
        "insert into DETBOOK \r(DETBOOK_ID, OBJ_ID, DETBOOK_CAPT, DETBOOK_DEFAULT, DETBOOK_NAME, DETBOOK_DEV) VALUES\r"
        "(:DETBOOK_ID, :OBJ_ID, :DETBOOK_CAPT, :DETBOOK_DEFAULT, :DETBOOK_NAME, :DETBOOK_DEV);"};
    TIBSQL& q = *FQuery;
    q.ParamByName("DETBOOK_ID").SetAsInteger(Id);
    q.ParamByName("OBJ_ID").SetAsInteger(Obj->Id);
    q.ParamByName("DETBOOK_CAPT").SetAsString(Capt);
    q.ParamByName("DETBOOK_DEFAULT").SetAsBoolean(Default);
    q.ParamByName("DETBOOK_NAME").SetAsString(Name);
    q.ParamByName("DETBOOK_DEV").SetAsBoolean(Dev);
    q.ExecQuery();
}
