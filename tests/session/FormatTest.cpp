#include "Error.h"
#include "Format.h"
#include "Locale.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class FormatTest : public ::testing::Test {
protected:
    void TearDown() override { FormatSettings = TFormatSettings{'.', "dd.MM.yyyy"}; }
};

struct TFormatCase {
    QString Templ;
    QList<Variant> Args;
    QString Expected;
};

TEST_F(FormatTest, Directives)
{
    const TFormatCase cases[] = {
        {"plain", {}, "plain"},
        {"%s and %d", {"a", 5}, "a and 5"},
        {"100%%", {}, "100%"},
        {"create table %s (%0:s_ID PK NOT NULL)", {"T"}, "create table T (T_ID PK NOT NULL)"},
        {"alter table %0:s add constraint FK_%0:s_%2:s foreign key (%2:s) references %1:s(%3:s) on delete %s",
         {"C", "P", "F", "P_ID", "CASCADE"},
         "alter table C add constraint FK_C_F foreign key (F) references P(P_ID) on delete CASCADE"},
        {"%1:s %s %0:s %s", {"a", "b", "c"}, "b c a b"},
        {"%g", {1.5}, "1.5"},
        {"%g", {3}, "3"},
        {"%g", {Variant::FromCurrency(12500)}, "1.25"},
        {"%s", {Variant::Null()}, ""},
        {"%d", {qint64(-9000000000)}, "-9000000000"},
        {"%s", {QDate(2020, 1, 2)}, "02.01.2020"},
    };
    for (const TFormatCase& c : cases)
        EXPECT_EQ(Format(c.Templ, c.Args), c.Expected) << c.Templ.toStdString();
}

TEST_F(FormatTest, BadTemplatesRaise)
{
    const TFormatCase cases[] = {
        {"%s %s", {"a"}, ""},
        {"%d", {"text"}, ""},
        {"%g", {"text"}, ""},
        {"%x", {1}, ""},
        {"trailing %", {}, ""},
        {"%5:s", {"a"}, ""},
    };
    for (const TFormatCase& c : cases) {
        try {
            Format(c.Templ, c.Args);
            ADD_FAILURE() << "no error for " << c.Templ.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), "Format '" + c.Templ + "' invalid or incompatible with argument");
        }
    }
}

struct TFloatCase {
    double Value;
    QChar Separator;
    QString Expected;
};

TEST_F(FormatTest, FloatToStrUsesFifteenDigitsAndTheLocaleSeparator)
{
    const TFloatCase cases[] = {
        {0, '.', "0"},
        {-0.0, '.', "0"},
        {10.0 / 3, '.', "3.33333333333333"},
        {10.0 / 3, ',', "3,33333333333333"},
        {3.33333333333333 * 3, '.', "9.99999999999999"},
        {0.1 + 0.2, '.', "0.3"},
        {-2.5, ',', "-2,5"},
        {123456789012345.0, '.', "123456789012345"},
        {1e15, '.', "1E15"},
        {1.5e20, ',', "1,5E20"},
        {0.0001, '.', "0.0001"},
        {0.00001, '.', "1E-5"},
        {-1.25e-7, '.', "-1.25E-7"},
        {100, '.', "100"},
    };
    for (const TFloatCase& c : cases) {
        FormatSettings.DecimalSeparator = c.Separator;
        EXPECT_EQ(FloatToStr(c.Value), c.Expected) << c.Value;
    }
}

TEST_F(FormatTest, StrToFloatReadsOnlyTheLocaleSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloat(" 1.5 "), 1.5);
    EXPECT_DOUBLE_EQ(StrToFloat("-2e3"), -2000);
    FormatSettings.DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    for (const char* bad : {"1.5", "", "abc", "1,5x", "inf", "nan", "0x10"}) {
        try {
            StrToFloat(bad);
            ADD_FAILURE() << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.Message(), QString("'%1' is not a valid floating point value").arg(bad));
        }
    }
}

TEST_F(FormatTest, CurrToStrDropsTrailingZeros)
{
    EXPECT_EQ(CurrToStr(0), "0");
    EXPECT_EQ(CurrToStr(10000), "1");
    EXPECT_EQ(CurrToStr(12340), "1.234");
    EXPECT_EQ(CurrToStr(-5), "-0.0005");
    FormatSettings.DecimalSeparator = ',';
    EXPECT_EQ(CurrToStr(25000), "2,5");
}

TEST_F(FormatTest, AppendTextJoinsWithCommaAndCarriageReturn)
{
    QString list;
    AppendText(list, "A");
    EXPECT_EQ(list, "A");
    AppendText(list, "B");
    AppendText(list, "C");
    EXPECT_EQ(list, "A,\rB,\rC");
}

}  // namespace
