#pragma once

// Card definitions (CARD rows) with their control trees.

#include "Ctrl.h"

#include <QString>
#include <memory>

class TObj;
class TIBSQL;

class TCard {
public:
    TCard();
    virtual ~TCard();
    TCard(const TCard&) = delete;
    TCard& operator=(const TCard&) = delete;

    int Id = 0;
    QString Capt;
    bool Default = false;
    int Width = 0;
    int HeightAtr = 0;
    int HeightDet = 0;
    TObj* Obj = nullptr;  // not owned
    QString Name;
    bool Dev = false;
    std::unique_ptr<TCtrl> RootCtrl;
    bool RaiseLoad = false;

    // The user's chosen card for the object, else the default one.
    bool LoadCurrent(TObj* AObj, int AUserId);
    bool LoadById(int AId);
    bool LoadByName(TObj* AObj, const QString& AName);
    // Inserts the card from its fields with a root-only control tree; not committed.
    void CreateCard();
    // Stores the three sizes; not committed.
    void SaveCard();
    // Replaces the stored control tree by the one in memory; not committed.
    void SaveTree();
    // Removes a node below the root, with its subtree, from the tree in memory.
    void DeleteCtrl(TCtrl* ADelCtrl);

private:
    bool Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind);
    void ReadRow(TIBSQL& query);
    void LoadTree();
    [[noreturn]] void RaiseNotCreated(TObj* AObj) const;

    std::unique_ptr<TIBSQL> FQuery;
};
