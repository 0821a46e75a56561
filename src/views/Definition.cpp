#include "Definition.h"

#include "IBSQL.h"
#include "Session.h"

bool ReadFirstRow(TIBSQL& query, const QStringList& sql, const std::function<void(TIBSQL&)>& bind,
                  const std::function<void(TIBSQL&)>& read)
{
    TQueryCloser closer(query);
    query.SQL = sql;
    if (bind)
        bind(query);
    query.ExecQuery();
    if (query.Eof())
        return false;
    read(query);
    return true;
}

QString DevOrderLine(const QString& column) { return "order by " + column + (DevMode ? " desc" : ""); }
