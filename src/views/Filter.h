#pragma once

// Filters (FLTR rows) with their condition trees.

#include "FilterTreeItem.h"

#include <QString>
#include <memory>

class TObj;
class TIBSQL;

class TFilter {
public:
    TFilter();
    virtual ~TFilter();
    TFilter(const TFilter&) = delete;
    TFilter& operator=(const TFilter&) = delete;

    int Id = 0;
    QString Capt;
    QString Name;
    TObj* Obj = nullptr;  // not owned
    int TblId = 0;        // 0 when bound to no grid definition
    std::unique_ptr<TFilterTreeItem> FilterTree;
    bool RaiseLoad = false;

    bool LoadById(int AId);
    // The first node, depth-first, whose Name is the name; none without a tree.
    TFilterTreeItem* GetFilterTreeItemByName(const QString& AName) const;

private:
    void LoadTree();
    std::unique_ptr<TFilterTreeItem> ReadNode(TIBSQL& query) const;

    std::unique_ptr<TIBSQL> FQuery;
};
