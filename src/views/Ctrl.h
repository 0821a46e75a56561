#pragma once

// Nodes of a card's control tree (CTRL rows) and the control kinds.

#include "Tree.h"

#include <QString>

class TFld;

enum TCtrlType {
    ctRoot,
    ctPageControl,
    ctTabSheet,
    ctEditStr,
    ctEditInt,
    ctEditNum134,
    ctEditNum143,
    ctEditNum152,
    ctEditObj,
    ctDateEdit,
    ctBoolean
};

// The control kinds by their CTRLTYPE codes, read once per program run.
class TCodeTable;
TCodeTable& CtrlTypeTable();
TCtrlType CtrlTypeByCode(int code);
int CtrlTypeCode(TCtrlType type);

// True for the kinds that edit a field (everything but the root, page
// controls and tab sheets).
bool IsEditorCtrl(TCtrlType type);

// One control. A control whose field is missing from the catalogue keeps
// its place without a field; the next save drops it.
class TCtrl : public TTreeNode<TCtrl> {
public:
    int CLeft = 0;
    int CTop = 0;
    int CWidth = 0;
    int CHeight = 0;
    int LLeft = 0;
    int LTop = 0;
    int LWidth = 0;
    int LHeight = 0;
    TCtrlType CtrlType = ctRoot;
    QString Capt;
    bool ROAdd = false;
    bool ROEdt = false;
    TFld* Fld = nullptr;  // not owned
    // The stored field is not in the catalogue (deleted since): the next save
    // drops the control with its subtree.
    bool FldMissing = false;

    // The field's caption when there is a field, else the control's own.
    QString GetCapt() const;
};
