#pragma once

// Nodes of a filter's condition tree (FLTRTREE rows) and their kinds.

#include "Tree.h"
#include "Variant.h"

#include <QString>
#include <memory>
#include <vector>

class TFld;
class TObjLink;
class TIBSQL;

enum TFilterTreeType { ftAnd, ftOr, ftEqual, ftGreater, ftLess, ftEmpty, ftContaining, ftBetween, ftIn, ftExist };

// The node kinds by their FLTRTRTP codes, read once per program run.
class TCodeTable;
TCodeTable& FilterTreeTypeTable();
TFilterTreeType FilterTreeTypeByCode(int code);

class TFilterTreeItem : public TTreeNode<TFilterTreeItem> {
public:
    TFilterTreeItem();
    ~TFilterTreeItem() override;

    int Id = 0;
    TFilterTreeType FilterTreeType = ftAnd;
    bool No = false;           // negated
    Variant Value;             // unassigned when the stored value is null
    TObjLink* ObjLink = nullptr;  // not owned
    TFld* Fld = nullptr;          // not owned
    QString Name;
    // The path of foreign-key fields from the filtered object to Fld's object; not owned.
    std::vector<TFld*> FldList;
    Variant ParamIndex;        // the statement parameter carrying Value, set by the SQL builder

    // Appends the stored path fields to FldList. Returns the id of the first
    // path field missing from the catalogue, 0 when all were found.
    int LoadPath();

private:
    std::unique_ptr<TIBSQL> FQuery;
};
