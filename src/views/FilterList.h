#pragma once

// The always-on filters that apply to a grid definition.

#include "Filter.h"

#include <memory>
#include <vector>

class TTbl;

class TFilterList {
public:
    TFilterList();
    virtual ~TFilterList();
    TFilterList(const TFilterList&) = delete;
    TFilterList& operator=(const TFilterList&) = delete;

    int Count() const { return int(FItems.size()); }
    TFilter* operator[](int index) const { return FItems[index].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }
    TFilter* Add(std::unique_ptr<TFilter> filter);
    void Clear() { FItems.clear(); }

    // Replaces the content by the always-on filters of the definition's
    // object bound to the definition, to its link, or to neither.
    void Load(TTbl* ATbl);
    TFilter* GetByName(const QString& AName) const;

private:
    std::vector<std::unique_ptr<TFilter>> FItems;
    std::unique_ptr<TIBSQL> FQuery;
};
