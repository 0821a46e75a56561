#pragma once

// Builds the select, refresh and delete statements of a grid from its
// definition and filters, and binds the filters' values to them.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TFld;
class TObj;
class TTbl;
class TTblFld;
class TFilter;
class TFilterList;
class TFilterTreeItem;
class TIBSQL;

enum TSQLType { stSelect, stUpdate, stRefresh, stDelete };

// One selected column.
struct TSelectFld {
    int Index = 0;               // alias number of the table it is read from
    TTblFld* TblFld = nullptr;   // not owned
    QString AsString() const;    // "T1.NAME as T1NAME"
};

// One table taking part in the statements.
struct TJoin {
    bool Left = false;
    TObj* Obj1 = nullptr;  // the joined object
    TFld* Fld1 = nullptr;  // its key
    int Ind1 = 0;          // its alias number
    TFld* Fld2 = nullptr;  // the foreign key that refers to it
    int Ind2 = 0;          // the alias number of the referring table
    bool Refresh = false;  // takes part in the refresh statement
    QString AsFromString() const;
    QString AsJoinString(bool AAlwaysLeft) const;
};

class TTblSql {
public:
    TTblSql();
    virtual ~TTblSql();
    TTblSql(const TTblSql&) = delete;
    TTblSql& operator=(const TTblSql&) = delete;

    TTbl* Tbl = nullptr;  // not owned
    int AliasIndex = 0;
    int ParamIndex = 0;
    std::vector<std::unique_ptr<TSelectFld>> SelectFldList;
    std::vector<std::unique_ptr<TJoin>> JoinList;  // the base join first
    std::vector<QStringList> WhereSelectList;
    std::vector<QStringList> WhereRefreshList;
    std::vector<QStringList> WhereDeleteList;
    std::unique_ptr<TFilterList> FilterList;  // the parent filter last
    TFilter* ParentFilter = nullptr;          // held in FilterList
    std::unique_ptr<TFilter> RefreshFilter;
    std::unique_ptr<TFilter> DeleteFilter;
    bool ShowPKCol = false;

    void Clear();
    void CreateBaseSQL(TTbl* ATbl);
    void LoadFilters();
    void AddFilters();
    void SetSQL(QStringList& ASelectStrings, QStringList& ARefreshStrings, QStringList& ADeleteStrings) const;
    void SetParams(TIBSQL& AIBSQL, TSQLType ASQLType) const;

private:
    void WalkColumns(TTblFld* node, int alias);
    TJoin* BaseJoin() const;
    TJoin* AddJoin(bool left, TObj* obj, TFld* key, int alias, TFld* ref, int refAlias, bool refresh);
    std::unique_ptr<TFilter> MakeKeyFilter(TFld* fld) const;
    void RenderFilter(TFilter* filter, std::vector<QStringList>& where);
    void RenderNode(TFilter* filter, TFilterTreeItem* node, QStringList& lines);
    int PathAlias(TFilter* filter, TFilterTreeItem* node);
};
