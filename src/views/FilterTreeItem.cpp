#include "FilterTreeItem.h"

#include "CodeTable.h"
#include "Obj.h"
#include "Session.h"

TCodeTable& FilterTreeTypeTable()
{
    static TCodeTable table("FLTRTRTP",
                            {{0, "And", ftAnd},
                             {0, "Or", ftOr},
                             {0, "Equal", ftEqual},
                             {0, "Greater", ftGreater},
                             {0, "Less", ftLess},
                             {0, "Empty", ftEmpty},
                             {0, "Containing", ftContaining},
                             {0, "Between", ftBetween},
                             {0, "In", ftIn},
                             {0, "Exist", ftExist}},
                            "FilterTreeType with code %d not found", "FilterTreeType \"%d\" not found");
    return table;
}

TFilterTreeType FilterTreeTypeByCode(int code) { return TFilterTreeType(FilterTreeTypeTable().ValueByCode(code)); }

TFilterTreeItem::TFilterTreeItem() = default;

TFilterTreeItem::~TFilterTreeItem() = default;

int TFilterTreeItem::LoadPath()
{
    if (!FQuery)
        FQuery = NewIBSQL();
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"select FLD_ID from FLTRTRPT where FLTRTREE_ID = :FLTRTREE_ID order by FLTRTRPT_ID"};
    FQuery->ParamByName("FLTRTREE_ID").SetAsInteger(Id);
    int missing = 0;
    for (FQuery->ExecQuery(); !FQuery->Eof(); FQuery->Next()) {
        const int fldId = FQuery->Fields(0).AsLong();
        if (TFld* fld = ObjList->GetFldById(fldId))
            FldList.push_back(fld);
        else if (!missing)
            missing = fldId;
    }
    return missing;
}
