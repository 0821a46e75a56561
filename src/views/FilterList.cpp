#include "FilterList.h"

#include "Obj.h"
#include "Session.h"
#include "Tbl.h"

TFilterList::TFilterList() : FQuery(NewIBSQL()) {}

TFilterList::~TFilterList()
{
    FQuery.reset();
    FItems.clear();
}

TFilter* TFilterList::Add(std::unique_ptr<TFilter> filter)
{
    FItems.push_back(std::move(filter));
    return FItems.back().get();
}

void TFilterList::Load(TTbl* ATbl)
{
    Clear();
    QStringList sql{"select FLTR_ID", "from FLTR F", "where F.OBJ_ID = :OBJ_ID", "and F.FLTR_ALWAYS = 1"};
    if (DevMode)
        sql << "and F.FLTR_DEV <> 1";
    sql << "and ((F.TBL_ID = :TBL_ID)";
    if (ATbl->ObjLink)
        sql << "  or (F.TBL_ID is null and F.DEP_ID = :DEP_ID)";
    sql << "  or (F.TBL_ID is null and F.DEP_ID is null))";

    TQueryCloser closer(*FQuery);
    FQuery->SQL = sql;
    FQuery->ParamByName("OBJ_ID").SetAsInteger(ATbl->Obj->Id);
    FQuery->ParamByName("TBL_ID").SetAsInteger(ATbl->Id);
    if (ATbl->ObjLink)
        FQuery->ParamByName("DEP_ID").SetAsInteger(ATbl->ObjLink->Id);
    for (FQuery->ExecQuery(); !FQuery->Eof(); FQuery->Next()) {
        auto filter = std::make_unique<TFilter>();
        filter->RaiseLoad = true;
        filter->LoadById(FQuery->Fields(0).AsLong());
        Add(std::move(filter));
    }
}

TFilter* TFilterList::GetByName(const QString& AName) const
{
    for (const auto& f : FItems)
        if (f->Name == AName)
            return f.get();
    return nullptr;
}
