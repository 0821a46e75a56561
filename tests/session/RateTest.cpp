#include "Error.h"
#include "Locale.h"
#include "Obj.h"
#include "Rate.h"
#include "Session.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Rates: currency 2 at 90 from 2026-01-01 and 95 from 2026-02-01; currency 1
// has a row too, which must never be read.
class RateTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        Exec("insert into CURRATE (CURRATE_ID, CURR_ID, CURRATE_DATE, CURRATE_VALUE) values (1, 2, '2026-01-01', 90)");
        Exec("insert into CURRATE (CURRATE_ID, CURR_ID, CURRATE_DATE, CURRATE_VALUE) values (2, 2, '2026-02-01', 95.1234)");
        Exec("insert into CURRATE (CURRATE_ID, CURR_ID, CURRATE_DATE, CURRATE_VALUE) values (3, 1, '2026-01-01', 5)");
        DBCommit();
        SqlMonitor = [this](const QString& sql) { Queries << sql; };
    }
    void TearDown() override
    {
        SqlMonitor = nullptr;
        SessionTest::TearDown();
    }
    QStringList Queries;
};

TEST_F(RateTest, BaseCurrencyIsOneWithoutAQuery)
{
    TCurrRateTable rates;
    EXPECT_EQ(rates.GetRate(1, QDate(2026, 1, 15)), 10000);
    EXPECT_EQ(rates.GetRate(1, QDate(1900, 1, 1)), 10000);
    EXPECT_TRUE(Queries.isEmpty());
    EXPECT_EQ(rates.Count(), 0);
}

TEST_F(RateTest, OneQueryPerCurrencyAndDate)
{
    TCurrRateTable rates;
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 1, 15)), 900000);
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 1, 15)), 900000);
    EXPECT_EQ(Queries.size(), 1);
    EXPECT_EQ(Queries[0], "select C.CURRATE_VALUE\nfrom CURRATE C\nwhere C.CURR_ID = :CURR_ID\n"
                          "and C.CURRATE_DATE <= :CURRATE_DATE\norder by CURRATE_DATE desc");
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 1, 20)), 900000);  // same period, another date
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 3, 1)), 951234);
    EXPECT_EQ(Queries.size(), 3);
    ASSERT_EQ(rates.Count(), 3);
    EXPECT_EQ(rates[0].Value, rates[1].Value);
    // A rate changed during the login is seen only for new pairs.
    Exec("update CURRATE set CURRATE_VALUE = 1 where CURRATE_ID = 1");
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 1, 15)), 900000);
    EXPECT_EQ(rates.GetRate(2, QDate(2026, 1, 16)), 10000);
}

TEST_F(RateTest, NoRateBeforeTheFirstDate)
{
    TCurrRateTable rates;
    FormatSettings.ShortDateFormat = "dd.MM.yyyy";
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            rates.GetRate(2, QDate(2025, 12, 31));
            FAIL();
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), "No exchange rate for currency (code 2) on date 31.12.2025");
        }
    }
    EXPECT_EQ(Queries.size(), 2);  // nothing cached: asked again
    EXPECT_EQ(rates.Count(), 0);
    EXPECT_THROW(rates.GetRate(3, QDate(2026, 5, 5)), Error);
}

TEST_F(RateTest, TheLookUpIsShownWhenDebugIsOn)
{
    QStringList shown;
    DebMsgHandler = [&](const QString& text) { shown << text; };
    ShowDebMsg = true;
    TCurrRateTable rates;
    rates.GetRate(2, QDate(2026, 3, 1));
    rates.GetRate(2, QDate(2026, 3, 1));
    DebMsgHandler = nullptr;
    EXPECT_EQ(shown, QStringList({"Запрошен курс для валюты с кодом 2. Он равен 95.1234"}));
}

TEST_F(RateTest, LoadMetaCreatesTheCacheAndFreeMetaDropsIt)
{
    LoadMeta();
    ASSERT_TRUE(CurrRateTable);
    CurrRateTable->GetRate(2, QDate(2026, 3, 1));
    FreeMeta();
    LoadMeta();
    EXPECT_EQ(CurrRateTable->Count(), 0);
}

}  // namespace
