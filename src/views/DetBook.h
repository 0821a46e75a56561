#pragma once

// Detail books (DETBOOK rows): which links of an object show as detail grids
// below its records (DETDEP rows).

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TObj;
class TObjLink;
class TIBSQL;

class TDetBook {
public:
    TDetBook();
    virtual ~TDetBook();
    TDetBook(const TDetBook&) = delete;
    TDetBook& operator=(const TDetBook&) = delete;

    int Id = 0;
    QString Capt;
    bool Default = false;
    QString Name;
    TObj* Obj = nullptr;  // not owned
    bool Dev = false;
    bool RaiseLoad = false;

    // The book's links, in the order read; not owned.
    int Count() const { return int(FLinks.size()); }
    TObjLink* operator[](int index) const { return FLinks[index]; }
    auto begin() const { return FLinks.begin(); }
    auto end() const { return FLinks.end(); }

    // The user's chosen book for the object, else the default one.
    bool LoadCurrent(TObj* AObj, int AUserId);
    bool LoadById(int AId);
    bool LoadByName(TObj* AObj, const QString& AName);
    // Inserts the book from its fields, without details; not committed.
    void CreateDetBook();

private:
    bool Load(const QStringList& sql, const std::function<void(TIBSQL&)>& bind);
    void ReadRow(TIBSQL& query);
    void LoadLinks();
    [[noreturn]] void RaiseNotCreated(TObj* AObj) const;

    std::vector<TObjLink*> FLinks;
    std::unique_ptr<TIBSQL> FQuery;
};
