#include "Tbl.h"

#include "Definition.h"
#include "Error.h"
#include "Format.h"
#include "Obj.h"
#include "Session.h"

namespace {

QString LinkLine(const QString& alias, TObjLink* link)
{
    return link ? "and " + alias + ".DEP_ID = " + QString::number(link->Id) : "and " + alias + ".DEP_ID is null";
}

}  // namespace

TTbl::TTbl() : FQuery(NewIBSQL()) {}

TTbl::~TTbl()
{
    FQuery.reset();
    TblFld.reset();
}

bool TTbl::Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind)
{
    if (!ReadFirstRow(*FQuery, sql, bind, [this](TIBSQL& q) { ReadRow(q); }))
        return false;
    LoadTree();
    return true;
}

void TTbl::ReadRow(TIBSQL& q)
{
    const int objId = q.FieldByName("OBJ_ID").AsLong();
    TObj* obj = ObjList ? ObjList->GetObjById(objId) : nullptr;
    if (!obj)
        throw Error(Format("Таблица %d: объект %d не загружен", {q.FieldByName("TBL_ID").AsLong(), objId}));
    Id = q.FieldByName("TBL_ID").AsLong();
    Capt = q.FieldByName("TBL_CAPT").AsString();
    Default = q.FieldByName("TBL_DEFAULT").AsLong() != 0;
    Name = q.FieldByName("TBL_NAME").AsString();
    Obj = obj;
    Dev = q.FieldByName("TBL_DEV").AsLong() != 0;
    const Variant link = q.FieldByName("DEP_ID").AsVariant();
    ObjLink = link.IsNull() ? nullptr : ObjList->GetObjLinkById(link.AsInteger());
}

void TTbl::RaiseNotCreated(TObj* AObj) const
{
    throw Error(Format("Для объекта \"%s\" (%s) таблица не создана", {AObj->Capt, AObj->Table}));
}

bool TTbl::LoadById(int AId)
{
    if (Load({"select T.*", "from TBL T", "where T.TBL_ID = " + QString::number(AId)}, nullptr))
        return true;
    if (RaiseLoad)
        throw Error("Таблица не найдена");
    return false;
}

bool TTbl::LoadByName(TObj* AObj, TObjLink* AObjLink, const QString& AName)
{
    if (Load({"select T.*", "from TBL T", "where T.OBJ_ID = " + QString::number(AObj->Id), LinkLine("T", AObjLink),
              "and T.TBL_NAME = :TBL_NAME", DevOrderLine("T.TBL_DEV")},
             [&](TIBSQL& q) { q.ParamByName("TBL_NAME").SetAsString(AName); }))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

bool TTbl::LoadCurrent(TObj* AObj, TObjLink* AObjLink, int AUserId)
{
    const QString objLine = "where T.OBJ_ID = " + QString::number(AObj->Id);
    if (Load({"select T.*", "from USRTBL U", "join TBL T on T.TBL_ID = U.TBL_ID", objLine, LinkLine("T", AObjLink),
              "and U.USR_ID = " + QString::number(AUserId)},
             nullptr))
        return true;
    if (Load({"select T.*", "from TBL T", objLine, LinkLine("T", AObjLink), "and T.TBL_DEFAULT = 1",
              DevOrderLine("T.TBL_DEV")},
             nullptr))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

void TTbl::LoadTree()
{
    TblFld.reset();
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"select *", "from TBLFLD", "where TBL_ID = :TBL_ID", "order by TBLFLD_LFT"};
    FQuery->ParamByName("TBL_ID").SetAsInteger(Id);
    LoadNestedSet<TTblFld>(
        TblFld, *FQuery, "TBLFLD_LFT",
        [](TIBSQL& q) {
            auto node = std::make_unique<TTblFld>();
            node->Lft = q.FieldByName("TBLFLD_LFT").AsLong();
            node->Rgt = q.FieldByName("TBLFLD_RGT").AsLong();
            node->Fld = ObjList->GetFldById(q.FieldByName("FLD_ID").AsLong());
            return node;
        },
        [this] {
            throw Error(Format("Обнаружено нарушение структуры дерева для таблицы \"%s\" (объект: \"%s\")",
                               {Capt, Obj->Capt}));
        });
    BuildHeadings();
}

void TTbl::BuildHeadings()
{
    if (!TblFld)
        return;
    TblFld->LongCapt = TblFld->Fld ? TblFld->Fld->Capt : QString();
    std::function<void(TTblFld*, const QString&)> head = [&](TTblFld* node, const QString& prefix) {
        for (const auto& child : *node) {
            if (!child->Fld) {
                child->LongCapt.clear();
                continue;  // a missing field: its subtree shows nothing
            }
            child->LongCapt = prefix + child->Fld->Capt;
            head(child.get(), child->LongCapt + " - ");
        }
    };
    head(TblFld.get(), QString());
}

void TTbl::SaveTree()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{Format("delete from TBLFLD where TBL_ID = %d", {Id})};
    FQuery->ExecQuery();
    FQuery->Close();
    if (!TblFld)
        return;
    PruneTree<TTblFld>(TblFld.get(), [](TTblFld* node) { return node->Fld != nullptr; });
    FQuery->SQL = QStringList{"insert into TBLFLD (TBLFLD_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT, TBL_ID) VALUES "
                              "(:TBLFLD_ID, :FLD_ID, :TBLFLD_LFT, :TBLFLD_RGT, :TBL_ID)"};
    SaveNestedSet<TTblFld>(TblFld.get(), [this](TTblFld* node) {
        FQuery->ParamByName("TBLFLD_ID").SetAsInteger(GenId("TBLFLD_ID"));
        FQuery->ParamByName("FLD_ID").SetAsVariant(node->Fld ? Variant(node->Fld->Id) : Variant::Null());
        FQuery->ParamByName("TBLFLD_LFT").SetAsInteger(node->Lft);
        FQuery->ParamByName("TBLFLD_RGT").SetAsInteger(node->Rgt);
        FQuery->ParamByName("TBL_ID").SetAsInteger(Id);
        FQuery->ExecQuery();
        FQuery->Close();
    });
    BuildHeadings();
}

void TTbl::CreateTbl()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"insert into TBL", "(TBL_ID, DEP_ID, TBL_CAPT, OBJ_ID, TBL_DEFAULT, TBL_NAME, TBL_DEV)",
                              "values", "(:TBL_ID, :DEP_ID, :TBL_CAPT, :OBJ_ID, :TBL_DEFAULT, :TBL_NAME, :TBL_DEV)"};
    FQuery->ParamByName("TBL_ID").SetAsInteger(Id);
    FQuery->ParamByName("DEP_ID").SetAsVariant(ObjLink ? Variant(ObjLink->Id) : Variant::Null());
    FQuery->ParamByName("TBL_CAPT").SetAsString(Capt);
    FQuery->ParamByName("OBJ_ID").SetAsInteger(Obj->Id);
    FQuery->ParamByName("TBL_DEFAULT").SetAsBoolean(Default);
    FQuery->ParamByName("TBL_NAME").SetAsString(Name);
    FQuery->ParamByName("TBL_DEV").SetAsBoolean(Dev);
    FQuery->ExecQuery();
    FQuery->Close();
    TblFld = std::make_unique<TTblFld>();
    TblFld->Fld = Obj->FldList->GetPKFld();
    SaveTree();
}
