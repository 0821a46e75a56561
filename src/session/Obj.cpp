#include "Obj.h"

#include "CodeTable.h"
#include "Error.h"
#include "Format.h"
#include "Rate.h"
#include "Session.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// Code tables

TCodeTable& FldTypeTable()
{
    static TCodeTable table("FLDTYPE",
                            {{0, "pk", ftPK},
                             {0, "string", ftString},
                             {0, "fk", ftFK},
                             {0, "integer", ftInteger},
                             {0, "boolean", ftBoolean},
                             {0, "num134", ftNum134},
                             {0, "num143", ftNum143},
                             {0, "num152", ftNum152},
                             {0, "date", ftDate}},
                            "FieldType with code %d not found", "FieldType %d not found");
    return table;
}

TCodeTable& FKRuleTable()
{
    static TCodeTable table("FKRULE", {{0, "NoAction", fkNoAction}, {0, "Cascade", fkCascade}, {0, "SetNull", fkSetNull}},
                            "FKRule with code %d not found", "FKRule \"%d\" not found");
    return table;
}

TFldType FldTypeByCode(int code) { return TFldType(FldTypeTable().ValueByCode(code)); }
int FldTypeCode(TFldType type) { return FldTypeTable().CodeOfValue(type); }
TFKRule FKRuleByCode(int code) { return TFKRule(FKRuleTable().ValueByCode(code)); }
int FKRuleCode(TFKRule rule) { return FKRuleTable().CodeOfValue(rule); }

QString FKRuleSqlText(TFKRule rule)
{
    static const char* const texts[] = {"*NO FKRULE*", "NO ACTION", "CASCADE", "SET NULL"};
    return rule >= fkNone && rule <= fkSetNull ? texts[rule] : texts[fkNone];
}

// ---------------------------------------------------------------------------
// TFldList

TFld* TFldList::Add(std::unique_ptr<TFld> fld)
{
    fld->Obj = FObj;
    FItems.push_back(std::move(fld));
    return FItems.back().get();
}

void TFldList::Remove(TFld* fld)
{
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [&](const auto& f) { return f.get() == fld; }),
                 FItems.end());
}

TFld* TFldList::GetFldById(int id) const
{
    for (const auto& f : FItems)
        if (f->Id == id)
            return f.get();
    return nullptr;
}

TFld* TFldList::GetFldByFldName(const QString& name) const
{
    for (const auto& f : FItems)
        if (f->Field == name)
            return f.get();
    return nullptr;
}

TFld* TFldList::GetPKFld() const
{
    for (const auto& f : FItems)
        if (f->FldType == ftPK)
            return f.get();
    return nullptr;
}

TFld* TFldList::GetMainFld(bool raise) const
{
    for (const auto& f : FItems)
        if (f->Main)
            return f.get();
    if (raise)
        throw Error(Format("Главное поле для объекта \"%s\" (%s) не определено", {FObj->Capt, FObj->Table}));
    return nullptr;
}

// ---------------------------------------------------------------------------
// TObjLinkList

TObjLinkList::TObjLinkList(TObj* obj, bool ownsItems) : FObj(obj), FOwnsItems(ownsItems), FQuery(NewIBSQL()) {}

TObjLinkList::~TObjLinkList() { Clear(); }

void TObjLinkList::Add(TObjLink* link) { FItems.push_back(link); }

void TObjLinkList::Remove(TObjLink* link)
{
    const auto it = std::find(FItems.begin(), FItems.end(), link);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    if (FOwnsItems)
        delete link;
}

void TObjLinkList::Clear()
{
    if (FOwnsItems)
        for (TObjLink* link : FItems)
            delete link;
    FItems.clear();
}

void TObjLinkList::Load()
{
    if (!ObjList)
        throw Error("TObjLinkList.Load: the catalogue is not loaded");
    Clear();
    const TFld* pk = FObj->FldList ? FObj->FldList->GetPKFld() : nullptr;
    if (!pk)
        throw Error(Format("Объект %d (%s) не имеет поля первичного ключа", {FObj->Id, FObj->Table}));
    FQuery->SQL = QStringList{"select D.DEP_ID, F.OBJ_ID, F.FLD_ID, D.DEP_MAIN, D.FKRULE_ID, D.DEP_DET, D.DEP_CAPT",
                              "from DEP D", "join FLD F on F.FLD_ID = D.FLD_ID_CHI", "where",
                              "D.FLD_ID_PAR = " + QString::number(pk->Id)};
    // The text names this object's key and runs once per load: the server
    // need not keep it prepared.
    TQueryCloser closer(*FQuery, true);
    for (FQuery->ExecQuery(); !FQuery->Eof(); FQuery->Next()) {
        const int linkId = FQuery->Fields(0).AsLong();
        const int childObjId = FQuery->Fields(1).AsLong();
        const int childFldId = FQuery->Fields(2).AsLong();
        TObj* child = ObjList->GetObjById(childObjId);
        if (!child)
            throw Error(Format("Связь %d: объект %d не загружен", {linkId, childObjId}));
        TFld* childFld = child->FldList->GetFldById(childFldId);
        if (!childFld)
            throw Error(Format("Связь %d: поле %d объекта %d (%s) не загружено",
                               {linkId, childFldId, childObjId, child->Table}));
        if (childFld->FldType != ftFK)
            throw Error(Format("Связь %d: поле %d (%s.%s) не является ссылкой",
                               {linkId, childFldId, child->Table, childFld->Field}));
        auto link = std::make_unique<TObjLink>(FObj, childFld);
        link->Id = linkId;
        link->Main = FQuery->Fields(3).AsLong() == 1;
        link->DeleteRule = FKRuleByCode(FQuery->Fields(4).AsLong());
        link->Det = FQuery->Fields(5).AsLong() == 1;
        link->Capt = FQuery->Fields(6).AsString();
        TObjLink* raw = link.release();
        Add(raw);
        child->ParentList->Add(raw);
    }
}

TObjLink* TObjLinkList::GetByFld(const TFld* fld) const
{
    for (TObjLink* link : FItems)
        if (link->ChildFld == fld)
            return link;
    return nullptr;
}

TObjLink* TObjLinkList::GetById(int id) const
{
    for (TObjLink* link : FItems)
        if (link->Id == id)
            return link;
    return nullptr;
}

TObjLink* TObjLinkList::GetByChiObjTable(const QString& table) const
{
    for (TObjLink* link : FItems)
        if (link->ChildFld->Obj->Table == table)
            return link;
    return nullptr;
}

// ---------------------------------------------------------------------------
// TObj

TObj::TObj() : FQuery(NewIBSQL()) {}

TObj::~TObj()
{
    ParentList.reset();
    ChildList.reset();
    FldList.reset();
    FQuery.reset();
}

void TObj::CreateLists()
{
    FldList = std::make_unique<TFldList>(this);
    ChildList = std::make_unique<TObjLinkList>(this, true);
    ParentList = std::make_unique<TObjLinkList>(this, false);
}

void TObj::LoadFields()
{
    FldList->Clear();
    FQuery->SQL = QStringList{"select F.*", "from FLD F, FLDTYPE T", "where F.FLDTYPE_ID = T.FLDTYPE_ID",
                              "and F.OBJ_ID = " + QString::number(Id)};
    // The text names this object and runs once per load: the server need not
    // keep it prepared.
    TQueryCloser closer(*FQuery, true);
    TIBSQL& q = *FQuery;
    for (q.ExecQuery(); !q.Eof(); q.Next()) {
        auto fld = std::make_unique<TFld>();
        fld->Obj = this;
        fld->Id = q.FieldByName("FLD_ID").AsLong();
        fld->Field = q.FieldByName("FLD_FIELD").AsString();
        fld->FldType = FldTypeByCode(q.FieldByName("FLDTYPE_ID").AsLong());
        fld->Size = q.FieldByName("FLD_SIZE").AsLong();
        fld->NotNull = q.FieldByName("FLD_NOTNULL").AsShort() == 1;
        fld->Capt = q.FieldByName("FLD_CAPT").AsString();
        fld->UniqFld = q.FieldByName("UNIQFLD_ID").AsLong();
        fld->Def = q.FieldByName("FLD_DEF").AsString();
        fld->Main = q.FieldByName("FLD_MAIN").AsShort() == 1;
        fld->Formula = q.FieldByName("FLD_FORMULA").AsString();
        const Variant agrLink = q.FieldByName("DEP_ID_AGR").AsVariant();
        if (!agrLink.IsNull())
            fld->FAgrLinkId = agrLink.AsInteger();
        const Variant agrFld = q.FieldByName("FLD_ID_AGR").AsVariant();
        if (!agrFld.IsNull())
            fld->FAgrFldId = agrFld.AsInteger();
        fld->Virt = q.FieldByName("FLD_VIRT").AsShort() == 1;
        fld->Sys = q.FieldByName("FLD_SYS").AsShort() == 1;
        FldList->Add(std::move(fld));
    }
}

void TObj::LoadRefs()
{
    for (const auto& fld : *FldList) {
        if (!fld->FAgrLinkId)
            continue;
        TObjLink* link = ChildList->GetById(*fld->FAgrLinkId);
        if (!link)
            throw Error(Format("TObj.LoadRefs: Не удалось найти связь по коду \"%d\"", {*fld->FAgrLinkId}));
        fld->AgrObjLink = link;
        const int agrFldId = fld->FAgrFldId.value_or(0);
        TFld* agrFld = link->ChildFld->Obj->FldList->GetFldById(agrFldId);
        if (!agrFld)
            throw Error(Format("TObj.LoadRefs: Не удалось найти поле по коду \"%d\"", {agrFldId}));
        fld->AgrFld = agrFld;
    }
}

int TObj::GetNewId() { return GenId(Table + "_ID"); }

QString TObj::GetLikeFldName(const QString& name) const
{
    if (!FldList || !FldList->GetFldByFldName(name))
        return name;
    for (int n = 2;; ++n) {
        const QString candidate = name + QString::number(n);
        if (!FldList->GetFldByFldName(candidate))
            return candidate;
    }
}

// ---------------------------------------------------------------------------
// TObjList

namespace {

// Every object has exactly one key field, named after its table with "_ID".
void CheckKeyField(const TObj& obj)
{
    const auto keys = std::count_if(obj.FldList->begin(), obj.FldList->end(),
                                    [](const auto& f) { return f->FldType == ftPK; });
    const TFld* key = obj.FldList->GetPKFld();
    if (keys == 1 && key->Field == obj.Table + "_ID")
        return;
    throw Error(Format("Объект %d (%s) должен иметь ровно одно поле первичного ключа %s_ID", {obj.Id, obj.Table,
                                                                                              obj.Table}));
}

}  // namespace

TObjList::TObjList() : FQuery(NewIBSQL()) {}

TObjList::~TObjList()
{
    FItems.clear();
    FQuery.reset();
}

TObj* TObjList::Add(std::unique_ptr<TObj> obj)
{
    FItems.push_back(std::move(obj));
    return FItems.back().get();
}

void TObjList::Remove(TObj* obj)
{
    FItems.erase(std::remove_if(FItems.begin(), FItems.end(), [&](const auto& o) { return o.get() == obj; }),
                 FItems.end());
}

void TObjList::Clear()
{
    // Child lists own the links that other objects' parent lists refer to:
    // empty the referring lists first.
    for (const auto& obj : FItems)
        if (obj->ParentList)
            obj->ParentList->Clear();
    FItems.clear();
}

void TObjList::Load()
{
    Clear();
    FQuery->SQL = QStringList{"select count(*) from OBJ"};
    FQuery->ExecQuery();
    const int total = FQuery->Fields(0).AsLong();
    FQuery->Close();

    FQuery->SQL = QStringList{"select * from OBJ"};
    {
        TQueryCloser closer(*FQuery);
        TIBSQL& q = *FQuery;
        for (q.ExecQuery(); !q.Eof(); q.Next()) {
            auto obj = std::make_unique<TObj>();
            obj->Id = q.FieldByName("OBJ_ID").AsLong();
            obj->Table = q.FieldByName("OBJ_TABLE").AsString();
            obj->Capt = q.FieldByName("OBJ_CAPT").AsString();
            obj->Ref = q.FieldByName("OBJ_REF").AsLong() == 1;
            obj->Meta = q.FieldByName("OBJ_META").AsLong() == 1;
            obj->Sys = q.FieldByName("OBJ_SYS").AsLong() == 1;
            obj->CreateLists();
            obj->LoadFields();
            CheckKeyField(*obj);
            Add(std::move(obj));
            if (LoadProgress)
                LoadProgress(q.RecordCount(), total);
        }
    }

    for (const auto& obj : FItems) {
        obj->ChildList->Load();
        obj->LoadRefs();
    }

    for (const auto& obj : FItems)
        for (const auto& fld : *obj->FldList) {
            if (fld->FldType != ftFK || fld->Virt)
                continue;
            TObjLink* link = obj->ParentList->GetByFld(fld.get());
            if (!link)
                throw Error(Format("Поле %d (%s.%s) является ссылкой, но связь для него не найдена",
                                   {fld->Id, obj->Table, fld->Field}));
            const auto links = std::count_if(obj->ParentList->begin(), obj->ParentList->end(),
                                             [&](const TObjLink* l) { return l->ChildFld == fld.get(); });
            if (links > 1)
                throw Error(Format("Поле %d (%s.%s) является ссылкой сразу нескольких связей",
                                   {fld->Id, obj->Table, fld->Field}));
            fld->FKObj = link->ParentObj;
            fld->FKRule = link->DeleteRule;
        }
}

TObj* TObjList::GetObjById(int id) const
{
    for (const auto& obj : FItems)
        if (obj->Id == id)
            return obj.get();
    return nullptr;
}

TObj* TObjList::GetObjByTable(const QString& table) const
{
    for (const auto& obj : FItems)
        if (obj->Table == table)
            return obj.get();
    return nullptr;
}

TFld* TObjList::GetFldById(int id) const
{
    for (const auto& obj : FItems)
        if (obj->FldList)
            if (TFld* fld = obj->FldList->GetFldById(id))
                return fld;
    return nullptr;
}

TObjLink* TObjList::GetObjLinkById(int id) const
{
    for (const auto& obj : FItems)
        if (obj->ChildList)
            if (TObjLink* link = obj->ChildList->GetById(id))
                return link;
    return nullptr;
}

// ---------------------------------------------------------------------------
// TFldValueList

void TFldValueList::AddItem(TFld* fld, const Variant& value)
{
    FItems.push_back(std::make_unique<TFldValue>(TFldValue{fld, value}));
}

TFldValue* TFldValueList::GetByFld(const TFld* fld) const
{
    for (const auto& item : FItems)
        if (item->Fld == fld)
            return item.get();
    return nullptr;
}

// ---------------------------------------------------------------------------
// Loading and freeing the catalogue

void LoadMeta()
{
    ObjList = std::make_unique<TObjList>();
    ObjList->Load();
    CurrRateTable = std::make_unique<TCurrRateTable>();
    MetaLoaded = true;
}

void FreeMeta()
{
    CurrRateTable.reset();
    if (ObjList)
        ObjList->Clear();
    ObjList.reset();
    MetaLoaded = false;
}
