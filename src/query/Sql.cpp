#include "Sql.h"

#include "Error.h"
#include "FilterList.h"
#include "Format.h"
#include "Obj.h"
#include "Tbl.h"

namespace {

// A node whose value goes into a numbered parameter.
bool TakesParam(const TFilterTreeItem* node)
{
    return node->Fld && node->FilterTreeType != ftEmpty && node->Fld->FldType != ftBoolean;
}

QString NodeName(const TFilterTreeItem* node) { return node->Name.isEmpty() ? QString::number(node->Id) : node->Name; }

// "Фильтр "CAPTION" (ID): условие "NODE" " - how builder errors name a filter's node.
QString Where(const TFilter* filter, const TFilterTreeItem* node)
{
    return Format("Фильтр \"%s\" (%d): условие \"%s\"", {filter->Capt.isEmpty() ? filter->Name : filter->Capt,
                                                           filter->Id, NodeName(node)});
}

// The comparisons that take one value, as operators plain and negated.
struct TComparison {
    TFilterTreeType Type;
    const char* Plain;
    const char* Negated;
};
constexpr TComparison Comparisons[] = {
    {ftEqual, "=", "<>"},
    {ftGreater, ">", "<="},
    {ftLess, "<", ">="},
    {ftContaining, "containing", "not containing"},
};

const char* KindName(TFilterTreeType type)
{
    static const char* const names[] = {"And", "Or", "Equal", "Greater", "Less", "Empty", "Containing", "Between", "In",
                                        "Exist"};
    return type >= ftAnd && type <= ftExist ? names[type] : "?";
}

// The key field of an object; every object has one.
TFld* KeyOf(TObj* obj)
{
    TFld* key = obj->FldList ? obj->FldList->GetPKFld() : nullptr;
    if (!key)
        throw Error(Format("Объект %d (%s) не имеет поля первичного ключа", {obj->Id, obj->Table}));
    return key;
}

// The link whose child field is the foreign key fld of obj.
TObjLink* LinkOf(TObj* obj, TFld* fld)
{
    TObjLink* link = obj->ParentList ? obj->ParentList->GetByFld(fld) : nullptr;
    if (!link)
        throw Error(Format("Поле %s.%s: связь не найдена", {obj->Table, fld->Field}));
    return link;
}

}  // namespace

// ---------------------------------------------------------------------------
// Texts

QString TSelectFld::AsString() const { return Format("T%d.%s as T%0:d%1:s", {Index, TblFld->Fld->Field}); }

QString TJoin::AsFromString() const { return Format("%s T%d", {Obj1->Table, Ind1}); }

QString TJoin::AsJoinString(bool AAlwaysLeft) const
{
    return Format("%sjoin %s T%d on T%2:d.%s = T%d.%s",
                  {(AAlwaysLeft || Left) ? "left " : "", Obj1->Table, Ind1, Fld1->Field, Ind2, Fld2->Field});
}

// ---------------------------------------------------------------------------
// TTblSql

TTblSql::TTblSql() : FilterList(std::make_unique<TFilterList>()) {}

TTblSql::~TTblSql() = default;

void TTblSql::Clear()
{
    Tbl = nullptr;
    AliasIndex = 0;
    ParamIndex = 0;
    SelectFldList.clear();
    JoinList.clear();
    WhereSelectList.clear();
    WhereRefreshList.clear();
    WhereDeleteList.clear();
    FilterList->Clear();
    ParentFilter = nullptr;
    RefreshFilter.reset();
    DeleteFilter.reset();
}

TJoin* TTblSql::AddJoin(bool left, TObj* obj, TFld* key, int alias, TFld* ref, int refAlias, bool refresh)
{
    auto join = std::make_unique<TJoin>();
    join->Left = left;
    join->Obj1 = obj;
    join->Fld1 = key;
    join->Ind1 = alias;
    join->Fld2 = ref;
    join->Ind2 = refAlias;
    join->Refresh = refresh;
    JoinList.push_back(std::move(join));
    return JoinList.back().get();
}

void TTblSql::CreateBaseSQL(TTbl* ATbl)
{
    Tbl = ATbl;
    if (!Tbl->TblFld)
        throw Error(Format("Таблица \"%s\" (%d): нет дерева колонок", {Tbl->Capt, Tbl->Id}));
    const TFld* root = Tbl->TblFld->Fld;
    if (!root || root->FldType != ftPK || root->Obj != Tbl->Obj)
        throw Error(Format("Таблица \"%s\" (%d): корень дерева колонок не является ключом объекта", {Tbl->Capt, Tbl->Id}));
    WalkColumns(Tbl->TblFld.get(), AliasIndex);
}

void TTblSql::WalkColumns(TTblFld* node, int alias)
{
    TFld* fld = node->Fld;
    if (!fld)
        return;  // a field deleted since: no column, no join, nothing below
    if (fld->FldType != ftFK) {
        if (fld->FldType != ftPK || AliasIndex != 0 || node->Lft == 1) {
            auto select = std::make_unique<TSelectFld>();
            select->Index = alias;
            select->TblFld = node;
            SelectFldList.push_back(std::move(select));
        }
        if (fld->FldType == ftPK && AliasIndex == 0 && node->Lft != 1)
            ShowPKCol = true;
    }
    if (fld->FldType == ftPK && node->Lft == 1) {
        AddJoin(false, fld->Obj, nullptr, alias, nullptr, 0, true);
        for (const auto& child : *node)
            WalkColumns(child.get(), alias);
    } else if (fld->FldType == ftFK) {
        TObjLink* link = LinkOf(fld->Obj, fld);
        ++AliasIndex;
        const int joined = AliasIndex;
        AddJoin(true, link->ParentObj, KeyOf(link->ParentObj), joined, fld, alias, true);
        for (const auto& child : *node)
            WalkColumns(child.get(), joined);
    }
}

std::unique_ptr<TFilter> TTblSql::MakeKeyFilter(TFld* fld) const
{
    auto filter = std::make_unique<TFilter>();
    filter->Obj = Tbl->Obj;
    filter->FilterTree = std::make_unique<TFilterTreeItem>();
    filter->FilterTree->FilterTreeType = ftEqual;
    filter->FilterTree->Fld = fld;
    return filter;
}

TJoin* TTblSql::BaseJoin() const
{
    if (JoinList.empty())
        throw Error("TTblSql: the statements are not built (CreateBaseSQL first)");
    return JoinList.front().get();
}

void TTblSql::LoadFilters()
{
    if (!Tbl)
        throw Error("TTblSql: no grid definition (CreateBaseSQL first)");
    RefreshFilter.reset();
    FilterList->Load(Tbl);
    if (Tbl->ObjLink) {
        ParentFilter = FilterList->Add(MakeKeyFilter(Tbl->ObjLink->ChildFld));
    }
    RefreshFilter = MakeKeyFilter(KeyOf(Tbl->Obj));
    DeleteFilter = MakeKeyFilter(KeyOf(Tbl->Obj));
}

void TTblSql::AddFilters()
{
    for (const auto& filter : *FilterList)
        RenderFilter(filter.get(), WhereSelectList);
    if (RefreshFilter)
        RenderFilter(RefreshFilter.get(), WhereRefreshList);
    if (DeleteFilter)
        RenderFilter(DeleteFilter.get(), WhereDeleteList);
}

void TTblSql::RenderFilter(TFilter* filter, std::vector<QStringList>& where)
{
    if (!filter->FilterTree)
        return;
    QStringList lines;
    RenderNode(filter, filter->FilterTree.get(), lines);
    where.push_back(lines);
}

int TTblSql::PathAlias(TFilter* filter, TFilterTreeItem* node)
{
    TJoin* current = BaseJoin();
    for (TFld* step : node->FldList) {
        TJoin* next = nullptr;
        for (size_t i = 1; i < JoinList.size() && !next; ++i)
            if (JoinList[i]->Fld2 == step && JoinList[i]->Ind2 == current->Ind1)
                next = JoinList[i].get();
        if (!next) {
            TObjLink* link = current->Obj1->ParentList ? current->Obj1->ParentList->GetByFld(step) : nullptr;
            if (!link)
                throw Error(Where(filter, node) + Format(": путь проходит через поле %s, которое не ссылается из объекта %s",
                                                         {step->Field, current->Obj1->Table}));
            ++AliasIndex;
            next = AddJoin(false, link->ParentObj, KeyOf(link->ParentObj), AliasIndex, step, current->Ind1, false);
        }
        current = next;
    }
    return current->Ind1;
}

void TTblSql::RenderNode(TFilter* filter, TFilterTreeItem* node, QStringList& lines)
{
    const TFilterTreeType kind = node->FilterTreeType;
    if (kind == ftBetween || kind == ftIn || kind == ftExist)
        throw Error(Where(filter, node) + Format(" вида %s не поддерживается", {KindName(kind)}));

    // A node with a field finds its table and takes its parameter number
    // first, whatever its kind.
    int alias = 0;
    if (node->Fld) {
        alias = PathAlias(filter, node);
        if (TakesParam(node))
            node->ParamIndex = Variant(ParamIndex++);
    }
    if (kind == ftAnd || kind == ftOr) {
        lines << "  (";
        bool first = true;
        for (const auto& child : *node) {
            if (!first)
                lines << (kind == ftAnd ? "  and" : "  or");
            first = false;
            RenderNode(filter, child.get(), lines);
        }
        lines << "  )";
        return;
    }
    if (!node->Fld)
        throw Error(Where(filter, node) + " не задаёт поле");

    const QString& f = node->Fld->Field;
    const bool boolean = node->Fld->FldType == ftBoolean;
    if (kind == ftEmpty) {
        lines << Format(node->No ? "  T%d.%s is not null" : "  T%d.%s is null", {alias, f});
        return;
    }
    if (kind == ftEqual && boolean) {
        lines << Format(node->No ? "  T%d.%s <> 1" : "  T%d.%s = 1", {alias, f});
        return;
    }
    if ((kind == ftGreater || kind == ftLess) && boolean)
        throw Error(Where(filter, node) + Format(" вида %s неприменимо к логическому полю %s", {KindName(kind), f}));
    for (const TComparison& c : Comparisons)
        if (c.Type == kind) {
            lines << Format("  T%d.%s %s :%d", {alias, f, node->No ? c.Negated : c.Plain, VarToIntNotNull(node->ParamIndex)});
            return;
        }
}

void TTblSql::SetSQL(QStringList& ASelectStrings, QStringList& ARefreshStrings, QStringList& ADeleteStrings) const
{
    const TJoin* base = BaseJoin();
    QStringList fields;
    for (size_t i = 0; i < SelectFldList.size(); ++i)
        fields << "  " + SelectFldList[i]->AsString() + (i + 1 < SelectFldList.size() ? "," : "");
    auto conditions = [](const std::vector<QStringList>& where) {
        QStringList lines;
        for (size_t i = 0; i < where.size(); ++i) {
            if (i > 0)
                lines << "and";
            lines << where[i];
        }
        return lines;
    };

    ASelectStrings.clear();
    ASelectStrings << "select" << fields << "from";
    for (size_t i = 0; i < JoinList.size(); ++i)
        ASelectStrings << "  " + (i == 0 ? JoinList[i]->AsFromString() : JoinList[i]->AsJoinString(false));
    if (!WhereSelectList.empty())
        ASelectStrings << "where" << conditions(WhereSelectList);

    ARefreshStrings.clear();
    ARefreshStrings << "select" << fields << "from";
    for (size_t i = 0; i < JoinList.size(); ++i)
        if (JoinList[i]->Refresh)
            ARefreshStrings << "  " + (i == 0 ? JoinList[i]->AsFromString() : JoinList[i]->AsJoinString(true));
    ARefreshStrings << "where" << conditions(WhereRefreshList);

    ADeleteStrings.clear();
    ADeleteStrings << "delete" << "from" << "  " + base->AsFromString() << "where"
                   << conditions(WhereDeleteList);
}

void TTblSql::SetParams(TIBSQL& AIBSQL, TSQLType ASQLType) const
{
    std::function<void(TFilterTreeItem*)> bind = [&](TFilterTreeItem* node) {
        if (TakesParam(node)) {
            CheckNotNull(node->Value);
            AIBSQL.ParamByName(QString::number(VarToIntNotNull(node->ParamIndex))).SetAsVariant(node->Value);
        }
        if (node->FilterTreeType == ftAnd || node->FilterTreeType == ftOr)
            for (const auto& child : *node)
                bind(child.get());
    };
    auto bindFilter = [&](const TFilter* filter) {
        if (filter && filter->FilterTree)
            bind(filter->FilterTree.get());
    };
    switch (ASQLType) {
    case stSelect:
        for (const auto& filter : *FilterList)
            bindFilter(filter.get());
        break;
    case stRefresh: bindFilter(RefreshFilter.get()); break;
    case stDelete: bindFilter(DeleteFilter.get()); break;
    case stUpdate: break;
    }
}
