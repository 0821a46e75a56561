#include "Filter.h"

#include "Definition.h"
#include "Error.h"
#include "Format.h"
#include "Obj.h"
#include "Session.h"

namespace {

// Offers a node to the tree: a node takes it as its first child (left
// numbers one apart) or its last child (right numbers one apart), else its
// children are offered it in turn, depth-first.
bool Attach(TFilterTreeItem* node, std::unique_ptr<TFilterTreeItem>& offered)
{
    if (offered->Lft - 1 == node->Lft || offered->Rgt + 1 == node->Rgt) {
        node->Add(std::move(offered));
        return true;
    }
    for (const auto& child : *node)
        if (Attach(child.get(), offered))
            return true;
    return false;
}

}  // namespace

TFilter::TFilter() : FQuery(NewIBSQL()) {}

TFilter::~TFilter()
{
    FQuery.reset();
    FilterTree.reset();
}

bool TFilter::LoadById(int AId)
{
    const bool found = ReadFirstRow(*FQuery, {"select F.*", "from FLTR F", "where F.FLTR_ID = " + QString::number(AId)},
                                    nullptr, [this](TIBSQL& q) {
                                        const int objId = q.FieldByName("OBJ_ID").AsLong();
                                        Id = q.FieldByName("FLTR_ID").AsLong();
                                        Capt = q.FieldByName("FLTR_CAPT").AsString();
                                        Name = q.FieldByName("FLTR_NAME").AsString();
                                        Obj = ObjList ? ObjList->GetObjById(objId) : nullptr;
                                        TblId = q.FieldByName("TBL_ID").AsLong();
                                        if (!Obj)
                                            throw Error(Format("Фильтр \"%s\" (%d): объект %d не загружен",
                                                               {Capt, Id, objId}));
                                    });
    if (!found) {
        if (RaiseLoad)
            throw Error("Фильтр не найден");
        return false;
    }
    LoadTree();
    return true;
}

std::unique_ptr<TFilterTreeItem> TFilter::ReadNode(TIBSQL& q) const
{
    auto node = std::make_unique<TFilterTreeItem>();
    node->Id = q.FieldByName("FLTRTREE_ID").AsLong();
    node->Lft = q.FieldByName("FLTRTREE_LFT").AsLong();
    node->Rgt = q.FieldByName("FLTRTREE_RGT").AsLong();
    node->No = q.FieldByName("FLTRTREE_NOT").AsLong() == 1;
    const Variant value = q.FieldByName("FLTRTREE_VALUE").AsVariant();
    if (!value.IsNull())
        node->Value = value;
    node->FilterTreeType = FilterTreeTypeByCode(q.FieldByName("FLTRTRTP_ID").AsLong());
    node->Name = q.FieldByName("FLTRTREE_NAME").AsString();

    // A condition on a field or link that is gone fails the whole filter:
    // a filter that cannot be built must not let its rows through.
    const Variant fldId = q.FieldByName("FLD_ID").AsVariant();
    if (!fldId.IsNull()) {
        node->Fld = ObjList->GetFldById(fldId.AsInteger());
        if (!node->Fld)
            throw Error(Format("Фильтр \"%s\" (%d): условие %d ссылается на поле %d, которого нет в каталоге",
                               {Capt, Id, node->Id, fldId}));
    }
    const Variant depId = q.FieldByName("DEP_ID").AsVariant();
    if (!depId.IsNull()) {
        node->ObjLink = ObjList->GetObjLinkById(depId.AsInteger());
        if (!node->ObjLink)
            throw Error(Format("Фильтр \"%s\" (%d): условие %d ссылается на связь %d, которой нет в каталоге",
                               {Capt, Id, node->Id, depId}));
    }
    if (node->Fld || node->ObjLink)
        if (const int missing = node->LoadPath())
            throw Error(Format("Фильтр \"%s\" (%d): путь условия %d ссылается на поле %d, которого нет в каталоге",
                               {Capt, Id, node->Id, missing}));
    return node;
}

void TFilter::LoadTree()
{
    FilterTree.reset();
    TQueryCloser closer(*FQuery);
    FQuery->SQL = QStringList{
        Format("select * from FLTRTREE F where F.FLTR_ID = %d order by F.FLTRTREE_LFT", {Id})};
    for (FQuery->ExecQuery(); !FQuery->Eof(); FQuery->Next()) {
        std::unique_ptr<TFilterTreeItem> node = ReadNode(*FQuery);
        if (!FilterTree)
            FilterTree = std::move(node);
        else if (!Attach(FilterTree.get(), node))
            throw Error("Дерево фильтра испорчено");
    }
}

TFilterTreeItem* TFilter::GetFilterTreeItemByName(const QString& AName) const
{
    if (!FilterTree)
        return nullptr;
    return FindDepthFirst<TFilterTreeItem>(FilterTree.get(), [&](TFilterTreeItem* n) { return n->Name == AName; });
}
