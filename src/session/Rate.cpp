#include "Rate.h"

#include "Error.h"
#include "Format.h"
#include "Session.h"

TCurrRateTable::TCurrRateTable() : FQuery(NewIBSQL())
{
    FQuery->SQL = QStringList{"select C.CURRATE_VALUE", "from CURRATE C", "where C.CURR_ID = :CURR_ID",
                              "and C.CURRATE_DATE <= :CURRATE_DATE", "order by CURRATE_DATE desc"};
}

TCurrRateTable::~TCurrRateTable()
{
    FQuery.reset();
    FItems.clear();
}

qint64 TCurrRateTable::GetRate(int curr, const QDate& date)
{
    constexpr qint64 baseRate = 10000;  // 1 with four decimals
    if (curr == 1)
        return baseRate;
    for (const auto& rate : FItems)
        if (rate->Curr == curr && rate->Date == date)
            return rate->Value;

    TQueryCloser closer(*FQuery);
    FQuery->ParamByName("CURR_ID").SetAsInteger(curr);
    FQuery->ParamByName("CURRATE_DATE").SetAsDate(date);
    FQuery->ExecQuery();
    if (FQuery->Eof())
        throw Error(Format("No exchange rate for currency (code %d) on date %s", {curr, Variant(date)}));
    const qint64 value = FQuery->FieldByName("CURRATE_VALUE").AsCurrency();
    FItems.push_back(std::make_unique<TCurrRate>(TCurrRate{curr, date, value}));
    DebFmt("Запрошен курс для валюты с кодом %d. Он равен %g", {curr, Variant::FromCurrency(value)});
    return value;
}
