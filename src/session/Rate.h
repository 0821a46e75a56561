#pragma once

#include <QDate>
#include <memory>
#include <vector>

class TIBSQL;

// One cached answer of the rate look-up.
struct TCurrRate {
    int Curr = 0;
    QDate Date;        // the date asked for
    qint64 Value = 0;  // the rate, scaled by 10000
};

// The rates of currencies on dates, read from CURRATE and kept for one login.
// Currency 1 is the base currency with rate 1.
class TCurrRateTable {
public:
    TCurrRateTable();
    virtual ~TCurrRateTable();
    TCurrRateTable(const TCurrRateTable&) = delete;
    TCurrRateTable& operator=(const TCurrRateTable&) = delete;

    // The rate (scaled by 10000) of the latest date on or before the date.
    qint64 GetRate(int curr, const QDate& date);
    int Count() const { return int(FItems.size()); }
    const TCurrRate& operator[](int index) const { return *FItems[index]; }

private:
    std::vector<std::unique_ptr<TCurrRate>> FItems;
    std::unique_ptr<TIBSQL> FQuery;
};
