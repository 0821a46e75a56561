#pragma once

// Catalogue trees (column trees, control trees, filter condition trees) are
// nested sets: each node holds a left and a right number. A node is the
// ordered list of its children and owns them.

#include "IBSQL.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

template <typename T>
class TTreeNode {
public:
    virtual ~TTreeNode() = default;

    int Lft = 0;
    int Rgt = 0;
    T* Parent = nullptr;

    int Count() const { return int(FItems.size()); }
    T* operator[](int index) const { return FItems[index].get(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

    // Appends a child as the last one.
    T* Add(std::unique_ptr<T> child)
    {
        child->Parent = static_cast<T*>(this);
        FItems.push_back(std::move(child));
        return FItems.back().get();
    }
    // Takes a child out of the list and gives it to the caller.
    std::unique_ptr<T> Take(T* child)
    {
        const auto it = std::find_if(FItems.begin(), FItems.end(), [&](const auto& c) { return c.get() == child; });
        if (it == FItems.end())
            return nullptr;
        std::unique_ptr<T> taken = std::move(*it);
        FItems.erase(it);
        taken->Parent = nullptr;
        return taken;
    }
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<T>> FItems;
};

// Visits a node before its children, children in list order.
template <typename T>
void ForEachDepthFirst(T* node, const std::function<void(T*)>& visit)
{
    visit(node);
    for (const auto& child : *node)
        ForEachDepthFirst<T>(child.get(), visit);
}

// The first node, depth-first, for which the test holds; none when no node does.
template <typename T>
T* FindDepthFirst(T* node, const std::function<bool(T*)>& test)
{
    if (test(node))
        return node;
    for (const auto& child : *node)
        if (T* found = FindDepthFirst<T>(child.get(), test))
            return found;
    return nullptr;
}

// The parent of a row with left number lft: the node whose left number is
// lft - 1 (the row is its first child), or the parent of the node whose right
// number is lft - 1 (the row follows it); none when neither is in the tree.
template <typename T>
T* NestedSetParent(T* node, int lft)
{
    if (lft == node->Lft + 1)
        return node;
    if (lft == node->Rgt + 1)
        return node->Parent;  // none at the root: the row lies outside the tree
    for (const auto& child : *node)
        if (T* parent = NestedSetParent<T>(child.get(), lft))
            return parent;
    return nullptr;
}

// Reads a tree from rows in ascending left number (the query is set up and
// closed by the caller). The first row is the root; a row whose parent cannot
// be found raises through broken(); the nodes attached before it stay.
template <typename T>
void LoadNestedSet(std::unique_ptr<T>& root, TIBSQL& query, const QString& lftColumn,
                   const std::function<std::unique_ptr<T>(TIBSQL&)>& makeNode,
                   const std::function<void()>& broken)
{
    root.reset();
    for (query.ExecQuery(); !query.Eof(); query.Next()) {
        if (!root) {
            root = makeNode(query);
            continue;
        }
        T* parent = NestedSetParent<T>(root.get(), query.FieldByName(lftColumn).AsLong());
        if (!parent)
            broken();
        parent->Add(makeNode(query));
    }
}

// Drops the nodes (with their subtrees) below the root for which keep() is false.
template <typename T>
void PruneTree(T* node, const std::function<bool(T*)>& keep)
{
    std::vector<T*> dropped;
    for (const auto& child : *node)
        if (!keep(child.get()))
            dropped.push_back(child.get());
    for (T* child : dropped)
        node->Take(child);
    for (const auto& child : *node)
        PruneTree<T>(child.get(), keep);
}

// Numbers the tree from 1 at the root's left to 2n at its right, a node's
// left before its children, its right after them.
template <typename T>
void RenumberNestedSet(T* root)
{
    int counter = 0;
    std::function<void(T*)> number = [&](T* node) {
        node->Lft = ++counter;
        for (const auto& child : *node)
            number(child.get());
        node->Rgt = ++counter;
    };
    number(root);
}

// Writes a tree back: renumbers it and inserts one row per node, a parent
// before its children.
template <typename T>
void SaveNestedSet(T* root, const std::function<void(T*)>& insertRow)
{
    RenumberNestedSet<T>(root);
    ForEachDepthFirst<T>(root, insertRow);
}
