#include "Ctrl.h"

#include "CodeTable.h"
#include "Obj.h"

TCodeTable& CtrlTypeTable()
{
    static TCodeTable table("CTRLTYPE",
                            {{0, "Root", ctRoot},
                             {0, "PageControl", ctPageControl},
                             {0, "TabSheet", ctTabSheet},
                             {0, "EditStr", ctEditStr},
                             {0, "EditInt", ctEditInt},
                             {0, "EditNum134", ctEditNum134},
                             {0, "EditNum143", ctEditNum143},
                             {0, "EditNum152", ctEditNum152},
                             {0, "EditObj", ctEditObj},
                             {0, "DateEdit", ctDateEdit},
                             {0, "CheckBox", ctBoolean}},
                            "CtrlType with code %d not found", "CtrlType \"%d\" not found");
    return table;
}

TCtrlType CtrlTypeByCode(int code) { return TCtrlType(CtrlTypeTable().ValueByCode(code)); }
int CtrlTypeCode(TCtrlType type) { return CtrlTypeTable().CodeOfValue(type); }

bool IsEditorCtrl(TCtrlType type) { return type >= ctEditStr && type <= ctBoolean; }

QString TCtrl::GetCapt() const { return Fld ? Fld->Capt : Capt; }
