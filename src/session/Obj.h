#pragma once

// The in-memory catalogue: objects (data tables), their fields and the links
// between them, loaded once per login into the session's ObjList.

#include "Variant.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class TIBSQL;
class TObj;
class TObjLink;

enum TFldType { ftPK, ftString, ftFK, ftInteger, ftBoolean, ftNum134, ftNum143, ftNum152, ftDate };
enum TFKRule { fkNone, fkNoAction, fkCascade, fkSetNull };

class TCodeTable;
// The field-type and delete-rule code tables (FLDTYPE, FKRULE), read once
// per program run.
TCodeTable& FldTypeTable();
TCodeTable& FKRuleTable();
TFldType FldTypeByCode(int code);
int FldTypeCode(TFldType type);
TFKRule FKRuleByCode(int code);
int FKRuleCode(TFKRule rule);
// The delete rule as foreign key statements write it ("NO ACTION", ...).
QString FKRuleSqlText(TFKRule rule);

// One field (an FLD row).
class TFld {
public:
    TObj* Obj = nullptr;  // owning object; not owned
    int Id = 0;
    QString Field;
    TFldType FldType = ftPK;
    int Size = 0;
    bool NotNull = false;
    QString Capt;
    int UniqFld = 0;
    QString Def;
    bool Main = false;
    QString Formula;
    TObjLink* AgrObjLink = nullptr;  // aggregate: the summed link; not owned
    TFld* AgrFld = nullptr;          // aggregate: the summed child field; not owned
    bool Virt = false;
    bool Sys = false;
    TObj* FKObj = nullptr;   // non-virtual ftFK: the parent of its link; not owned
    TFKRule FKRule = fkNone; // non-virtual ftFK: the delete rule of its link

    // Schema changes (ObjSchema.cpp): not committed; the caller commits.
    void CreateField();
    void DropField();
    // Recomputes the aggregate column of every parent row that has child rows; committed.
    void ReCalcAgrFld();

private:
    friend class TObj;
    // Ids read with the row, replaced by references in TObj::LoadRefs.
    std::optional<int> FAgrLinkId;
    std::optional<int> FAgrFldId;
};

// The ordered fields of one object; owns them.
class TFldList {
public:
    explicit TFldList(TObj* obj) : FObj(obj) {}

    int Count() const { return int(FItems.size()); }
    TFld* operator[](int index) const { return FItems[index].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    TFld* Add(std::unique_ptr<TFld> fld);
    void Remove(TFld* fld);  // frees the field
    void Clear() { FItems.clear(); }

    TFld* GetFldById(int id) const;
    TFld* GetFldByFldName(const QString& name) const;
    TFld* GetPKFld() const;
    // The first main field; with raise set, a missing one is an error.
    TFld* GetMainFld(bool raise) const;

private:
    TObj* FObj;
    std::vector<std::unique_ptr<TFld>> FItems;
};

// One link (a DEP row): the child object's foreign-key field refers to the
// parent object.
class TObjLink {
public:
    TObjLink(TObj* parentObj, TFld* childFld) : ParentObj(parentObj), ChildFld(childFld) {}
    virtual ~TObjLink() = default;

    int Id = 0;
    TObj* ParentObj;  // not owned
    TFld* ChildFld;   // not owned; the child object is ChildFld->Obj
    bool Main = false;
    TFKRule DeleteRule = fkNone;
    bool Det = false;
    QString Capt;

    // Schema changes (ObjSchema.cpp): not committed; the caller commits.
    void CreateLink();
    void DropLink();
};

// An ordered list of links; owns them or only refers to them.
class TObjLinkList {
public:
    TObjLinkList(TObj* obj, bool ownsItems);
    virtual ~TObjLinkList();
    TObjLinkList(const TObjLinkList&) = delete;
    TObjLinkList& operator=(const TObjLinkList&) = delete;

    int Count() const { return int(FItems.size()); }
    TObjLink* operator[](int index) const { return FItems[index]; }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    void Add(TObjLink* link);
    // Takes the link out of the list; an owning list frees it.
    void Remove(TObjLink* link);
    void Clear();

    // Loads the child links of the list's object (run on a ChildList).
    void Load();
    TObjLink* GetByFld(const TFld* fld) const;
    TObjLink* GetById(int id) const;
    TObjLink* GetByChiObjTable(const QString& table) const;

private:
    TObj* FObj;
    bool FOwnsItems;
    std::vector<TObjLink*> FItems;
    std::unique_ptr<TIBSQL> FQuery;
};

using TFldArray = std::vector<TFld*>;

// One object (an OBJ row) with its fields and links.
class TObj {
public:
    TObj();
    virtual ~TObj();
    TObj(const TObj&) = delete;
    TObj& operator=(const TObj&) = delete;

    int Id = 0;
    QString Table;
    QString Capt;
    bool Ref = false;
    bool Meta = false;
    bool Sys = false;
    std::unique_ptr<TFldList> FldList;
    std::unique_ptr<TObjLinkList> ParentList;  // links where this is the child; not owning
    std::unique_ptr<TObjLinkList> ChildList;   // links where this is the parent; owning

    void LoadFields();
    // Replaces the kept aggregate ids of the fields by references.
    void LoadRefs();
    int GetNewId();
    // The name, or the name followed by 2, 3, ... that no field has yet.
    QString GetLikeFldName(const QString& name) const;

    // Schema changes (ObjSchema.cpp), each committed.
    void CreateTable();
    void DropTable();
    void CreateIndex(const TFldArray& fields);

private:
    friend class TObjList;
    friend class TFld;
    void CreateLists();
    void Execute(const QString& sql);

    std::unique_ptr<TIBSQL> FQuery;
};

// The loaded catalogue; owns its objects.
class TObjList {
public:
    TObjList();
    virtual ~TObjList();
    TObjList(const TObjList&) = delete;
    TObjList& operator=(const TObjList&) = delete;

    int Count() const { return int(FItems.size()); }
    TObj* operator[](int index) const { return FItems[index].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    TObj* Add(std::unique_ptr<TObj> obj);
    void Remove(TObj* obj);  // frees the object
    void Clear();

    void Load();
    TObj* GetObjById(int id) const;
    TObj* GetObjByTable(const QString& table) const;
    TFld* GetFldById(int id) const;
    TObjLink* GetObjLinkById(int id) const;

private:
    std::vector<std::unique_ptr<TObj>> FItems;
    std::unique_ptr<TIBSQL> FQuery;
};

// The context a grid hands to the cards it opens; neither is owned.
struct TInfo {
    TObj* ParentObj = nullptr;
    TObjLink* ObjLink = nullptr;
};

struct TFldValue {
    TFld* Fld = nullptr;  // not owned
    Variant Value;
};

class TFldValueList {
public:
    int Count() const { return int(FItems.size()); }
    TFldValue* operator[](int index) const { return FItems[index].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    void AddItem(TFld* fld, const Variant& value);
    TFldValue* GetByFld(const TFld* fld) const;
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TFldValue>> FItems;
};

// Creates and loads the catalogue into ObjList and creates the rate cache.
void LoadMeta();
// Frees the rate cache and the catalogue.
void FreeMeta();
