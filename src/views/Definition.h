#pragma once

// What grid, card, detail-book and filter definitions share when they load.

#include <QString>
#include <QStringList>
#include <functional>

class TIBSQL;

// Runs a select on the definition's own statement and reads its first row
// with read(); true when there was one. The statement is closed in every case.
bool ReadFirstRow(TIBSQL& query, const QStringList& sql, const std::function<void(TIBSQL&)>& bind,
                  const std::function<void(TIBSQL&)>& read);

// The order line that puts developer definitions first in developer mode and
// last otherwise: "order by COLUMN desc" or "order by COLUMN".
QString DevOrderLine(const QString& column);
