#pragma once

#include "Obj.h"

#include <QString>

// Schema changes for test catalogues, each added to the loaded ObjList.
TObj* AddObject(const QString& table, const QString& capt = QString());
TFld* AddField(TObj* obj, const QString& name, TFldType type, int size = 0, bool notNull = false,
               const QString& capt = QString());
TObjLink* AddLink(TObj* parent, TFld* child, TFKRule rule, bool main = false);

// A small order catalogue made through the model's schema changes: ORD
// (ORD_NUM, ORD_DATE, CUST_ID -> CUST, MGR_ID -> EMP), CUST (CUST_NAME,
// CITY_ID -> CITY), CITY (CITY_NAME), EMP (EMP_ACTIVE); a grid of ORD with
// the column tree ORD_ID [ORD_NUM, CUST_ID [CUST_NAME, CITY_ID [CITY_NAME]],
// ORD_DATE]; and an always-on filter on ORD: CITY_NAME (through CUST_ID,
// CITY_ID) equals a value, and EMP_ACTIVE (through MGR_ID) is set.

struct TExampleCatalogue {
    int OrdTbl = 0;        // the grid of ORD
    int OrdDetailTbl = 0;  // the same tree as a detail grid of ORD under CUST
    int Filter = 0;
    int CityNode = 0;      // the filter's condition on CITY_NAME
};

// Needs a connected session; commits and reloads the catalogue (LoadMeta).
TExampleCatalogue BuildExampleCatalogue();
