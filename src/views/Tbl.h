#pragma once

// Grid definitions (TBL rows) and their column trees (TBLFLD rows).

#include "Tree.h"

#include <QString>
#include <memory>

class TFld;
class TObj;
class TObjLink;
class TIBSQL;

// One node of a column tree. A node whose field is missing from the
// catalogue (deleted since) has no Fld: it stays in the tree with its numbers,
// every user of the tree skips it with its subtree, and the next save drops it.
class TTblFld : public TTreeNode<TTblFld> {
public:
    TFld* Fld = nullptr;  // not owned
    QString LongCapt;     // the column heading
};

// One grid definition.
class TTbl {
public:
    TTbl();
    virtual ~TTbl();
    TTbl(const TTbl&) = delete;
    TTbl& operator=(const TTbl&) = delete;

    int Id = 0;
    QString Capt;
    bool Default = false;
    QString Name;
    TObj* Obj = nullptr;           // not owned
    TObjLink* ObjLink = nullptr;   // the link of a detail grid; not owned
    bool Dev = false;
    std::unique_ptr<TTblFld> TblFld;  // root of the column tree
    bool RaiseLoad = false;

    // The user's chosen grid for the object and link, else the default one.
    bool LoadCurrent(TObj* AObj, TObjLink* AObjLink, int AUserId);
    bool LoadById(int AId);
    bool LoadByName(TObj* AObj, TObjLink* AObjLink, const QString& AName);
    void LoadTree();
    // Inserts the definition from its fields with a one-node column tree; not committed.
    void CreateTbl();
    // Replaces the stored column tree by the one in memory; not committed.
    void SaveTree();

private:
    bool Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind);
    void ReadRow(TIBSQL& query);
    void BuildHeadings();
    [[noreturn]] void RaiseNotCreated(TObj* AObj) const;

    std::unique_ptr<TIBSQL> FQuery;
};
