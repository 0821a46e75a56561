#include "Card.h"

#include "Definition.h"
#include "Error.h"
#include "Format.h"
#include "Obj.h"
#include "Session.h"

TCard::TCard() : FQuery(NewIBSQL()) {}

TCard::~TCard()
{
    FQuery.reset();
    RootCtrl.reset();
}

bool TCard::Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind)
{
    if (!ReadFirstRow(*FQuery, sql, bind, [this](TIBSQL& q) { ReadRow(q); }))
        return false;
    LoadTree();
    return true;
}

void TCard::ReadRow(TIBSQL& q)
{
    const int objId = q.FieldByName("OBJ_ID").AsLong();
    TObj* obj = ObjList ? ObjList->GetObjById(objId) : nullptr;
    if (!obj)
        throw Error(Format("Карточка %d: объект %d не загружен", {q.FieldByName("CARD_ID").AsLong(), objId}));
    Id = q.FieldByName("CARD_ID").AsLong();
    Capt = q.FieldByName("CARD_CAPT").AsString();
    Default = q.FieldByName("CARD_DEFAULT").AsLong() != 0;
    Name = q.FieldByName("CARD_NAME").AsString();
    Obj = obj;
    Width = q.FieldByName("CARD_WIDTH").AsLong();
    HeightAtr = q.FieldByName("CARD_HEIGHTATR").AsLong();
    HeightDet = q.FieldByName("CARD_HEIGHTDET").AsLong();
    Dev = q.FieldByName("CARD_DEV").AsLong() != 0;
}

void TCard::RaiseNotCreated(TObj* AObj) const
{
    throw Error(Format("Для объекта \"%s\" (%s) карточка не создана", {AObj->Capt, AObj->Table}));
}

bool TCard::LoadById(int AId)
{
    if (Load({"select C.*", "from CARD C", "where C.CARD_ID = " + QString::number(AId)}, nullptr))
        return true;
    if (RaiseLoad)
        throw Error("Карточка не найдена");
    return false;
}

bool TCard::LoadByName(TObj* AObj, const QString& AName)
{
    if (Load({"select C.*", "from CARD C", "where C.OBJ_ID = " + QString::number(AObj->Id),
              "and C.CARD_NAME = :CARD_NAME", DevOrderLine("C.CARD_DEV")},
             [&](TIBSQL& q) { q.ParamByName("CARD_NAME").SetAsString(AName); }))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

bool TCard::LoadCurrent(TObj* AObj, int AUserId)
{
    const QString objLine = "where C.OBJ_ID = " + QString::number(AObj->Id);
    if (Load({"select C.*", "from USRCARD U", "join CARD C on C.CARD_ID = U.CARD_ID", objLine,
              "and U.USR_ID = " + QString::number(AUserId)},
             nullptr))
        return true;
    if (Load({"select C.*", "from CARD C", objLine, "and C.CARD_DEFAULT = 1"}, nullptr))
        return true;
    if (RaiseLoad)
        RaiseNotCreated(AObj);
    return false;
}

void TCard::LoadTree()
{
    RootCtrl.reset();
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{Format("select * from CTRL C where C.CARD_ID = %d order by C.CTRL_LFT", {Id})};
    LoadNestedSet<TCtrl>(
        RootCtrl, *FQuery, "CTRL_LFT",
        [this](TIBSQL& q) {
            auto node = std::make_unique<TCtrl>();
            node->Lft = q.FieldByName("CTRL_LFT").AsLong();
            node->Rgt = q.FieldByName("CTRL_RGT").AsLong();
            node->CLeft = q.FieldByName("CTRL_CLEFT").AsLong();
            node->CTop = q.FieldByName("CTRL_CTOP").AsLong();
            node->CWidth = q.FieldByName("CTRL_CWIDTH").AsLong();
            node->CHeight = q.FieldByName("CTRL_CHEIGHT").AsLong();
            node->LLeft = q.FieldByName("CTRL_LLEFT").AsLong();
            node->LTop = q.FieldByName("CTRL_LTOP").AsLong();
            node->LWidth = q.FieldByName("CTRL_LWIDTH").AsLong();
            node->LHeight = q.FieldByName("CTRL_LHEIGHT").AsLong();
            const int fldId = q.FieldByName("FLD_ID").AsLong();
            node->Fld = Obj->FldList->GetFldById(fldId);
            node->CtrlType = CtrlTypeByCode(q.FieldByName("CTRLTYPE_ID").AsLong());
            // Editors of strings, numbers and links may show a field of another object.
            if (!node->Fld && node->CtrlType >= ctEditStr && node->CtrlType <= ctEditObj)
                node->Fld = ObjList->GetFldById(fldId);
            node->FldMissing = fldId != 0 && !ObjList->GetFldById(fldId);
            node->Capt = q.FieldByName("CTRL_CAPT").AsString();
            node->ROAdd = q.FieldByName("CTRL_ROADD").AsLong() != 0;
            node->ROEdt = q.FieldByName("CTRL_ROEDT").AsLong() != 0;
            return node;
        },
        [this] {
            throw Error(Format("Обнаружено нарушение структуры дерева для карточки \"%s\" (объект: \"%s\")",
                               {Capt, Obj->Capt}));
        });
}

void TCard::SaveTree()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"delete from CTRL where CARD_ID = " + QString::number(Id)};
    FQuery->ExecQuery();
    FQuery->Close();
    if (!RootCtrl)
        return;
    PruneTree<TCtrl>(RootCtrl.get(), [](TCtrl* c) { return !c->FldMissing; });
    FQuery->SQL = QStringList{
        "insert into CTRL",
        "(CTRL_ID, CARD_ID, FLD_ID, CTRL_LFT, CTRL_RGT, CTRL_CLEFT, CTRL_CTOP, CTRL_CHEIGHT, CTRL_CWIDTH, CTRL_LLEFT, "
        "CTRL_LTOP, CTRL_LWIDTH, CTRL_LHEIGHT, CTRLTYPE_ID, CTRL_CAPT, CTRL_ROADD, CTRL_ROEDT)",
        "values",
        "(:CTRL_ID, :CARD_ID, :FLD_ID, :CTRL_LFT, :CTRL_RGT, :CTRL_CLEFT, :CTRL_CTOP, :CTRL_CHEIGHT, :CTRL_CWIDTH, "
        ":CTRL_LLEFT, :CTRL_LTOP, :CTRL_LWIDTH, :CTRL_LHEIGHT, :CTRLTYPE_ID, :CTRL_CAPT, :CTRL_ROADD, :CTRL_ROEDT)"};
    SaveNestedSet<TCtrl>(RootCtrl.get(), [this](TCtrl* c) {
        // Which geometry a kind stores; the rest is written as null.
        const bool container = c->CtrlType == ctRoot || c->CtrlType == ctTabSheet;
        const bool place = !container;
        const bool height = c->CtrlType == ctPageControl || c->CtrlType == ctDateEdit || c->CtrlType == ctBoolean;
        const bool label = IsEditorCtrl(c->CtrlType);
        auto value = [](bool stored, int v) { return stored ? Variant(v) : Variant::Null(); };
        TIBSQL& q = *FQuery;
        q.ParamByName("CTRL_ID").SetAsInteger(GenId("CTRL_ID"));
        q.ParamByName("CARD_ID").SetAsInteger(Id);
        q.ParamByName("FLD_ID").SetAsVariant(c->Fld ? Variant(c->Fld->Id) : Variant::Null());
        q.ParamByName("CTRL_LFT").SetAsInteger(c->Lft);
        q.ParamByName("CTRL_RGT").SetAsInteger(c->Rgt);
        q.ParamByName("CTRL_CLEFT").SetAsVariant(value(place, c->CLeft));
        q.ParamByName("CTRL_CTOP").SetAsVariant(value(place, c->CTop));
        q.ParamByName("CTRL_CWIDTH").SetAsVariant(value(place, c->CWidth));
        q.ParamByName("CTRL_CHEIGHT").SetAsVariant(value(height, c->CHeight));
        q.ParamByName("CTRL_LLEFT").SetAsVariant(value(label, c->LLeft));
        q.ParamByName("CTRL_LTOP").SetAsVariant(value(label, c->LTop));
        q.ParamByName("CTRL_LWIDTH").SetNull();
        q.ParamByName("CTRL_LHEIGHT").SetNull();
        q.ParamByName("CTRLTYPE_ID").SetAsInteger(CtrlTypeCode(c->CtrlType));
        q.ParamByName("CTRL_CAPT").SetAsVariant(c->Capt.isEmpty() ? Variant::Null() : Variant(c->Capt));
        q.ParamByName("CTRL_ROADD").SetAsBoolean(c->ROAdd);
        q.ParamByName("CTRL_ROEDT").SetAsBoolean(c->ROEdt);
        q.ExecQuery();
        q.Close();
    });
}

void TCard::CreateCard()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{
        "insert into CARD",
        "(CARD_ID, OBJ_ID, CARD_CAPT, CARD_DEFAULT, CARD_WIDTH, CARD_HEIGHTATR, CARD_HEIGHTDET, CARD_NAME, CARD_DEV)",
        "values",
        "(:CARD_ID, :OBJ_ID, :CARD_CAPT, :CARD_DEFAULT, :CARD_WIDTH, :CARD_HEIGHTATR, :CARD_HEIGHTDET, :CARD_NAME, "
        ":CARD_DEV)"};
    TIBSQL& q = *FQuery;
    q.ParamByName("CARD_ID").SetAsInteger(Id);
    q.ParamByName("OBJ_ID").SetAsInteger(Obj->Id);
    q.ParamByName("CARD_CAPT").SetAsString(Capt);
    q.ParamByName("CARD_DEFAULT").SetAsBoolean(Default);
    q.ParamByName("CARD_WIDTH").SetAsInteger(Width);
    q.ParamByName("CARD_HEIGHTATR").SetAsInteger(HeightAtr);
    q.ParamByName("CARD_HEIGHTDET").SetAsInteger(HeightDet);
    q.ParamByName("CARD_NAME").SetAsString(Name);
    q.ParamByName("CARD_DEV").SetAsBoolean(Dev);
    q.ExecQuery();
    q.Close();
    RootCtrl = std::make_unique<TCtrl>();
    SaveTree();
}

void TCard::SaveCard()
{
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{"update CARD C set", "C.CARD_HEIGHTATR = " + QString::number(HeightAtr) + ",",
                              "C.CARD_HEIGHTDET = " + QString::number(HeightDet) + ",",
                              "C.CARD_WIDTH = " + QString::number(Width), "where C.CARD_ID = " + QString::number(Id)};
    FQuery->ExecQuery();
}

void TCard::DeleteCtrl(TCtrl* ADelCtrl)
{
    if (!RootCtrl)
        return;
    TCtrl* parent = FindDepthFirst<TCtrl>(RootCtrl.get(), [&](TCtrl* node) {
        return std::any_of(node->begin(), node->end(), [&](const auto& c) { return c.get() == ADelCtrl; });
    });
    if (parent)
        parent->Take(ADelCtrl);  // freed with its subtree
}
