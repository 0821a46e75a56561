#include "Error.h"
#include "Locale.h"
#include "Variant.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class VariantTest : public ::testing::Test {
protected:
    void TearDown() override { FormatSettings = TFormatSettings{'.', "dd.MM.yyyy"}; }
};

TEST_F(VariantTest, UnassignedReadsAsZeroAndEmpty)
{
    const Variant v;
    EXPECT_TRUE(v.IsUnassigned());
    EXPECT_EQ(v.AsInteger(), 0);
    EXPECT_EQ(v.AsFloat(), 0.0);
    EXPECT_EQ(v.AsCurrency(), 0);
    EXPECT_EQ(v.AsString(), "");
}

TEST_F(VariantTest, NullRaisesAsNumberButReadsAsEmptyText)
{
    const Variant v = Variant::Null();
    EXPECT_EQ(v.AsString(), "");
    EXPECT_EQ(Raised([&] { v.AsInteger(); }), "Could not convert variant of type (Null) into type (Integer)");
    EXPECT_EQ(Raised([&] { v.AsFloat(); }), "Could not convert variant of type (Null) into type (Double)");
    EXPECT_EQ(Raised([&] { v.AsDate(); }), "Could not convert variant of type (Null) into type (Date)");
}

TEST_F(VariantTest, CheckNotNullAndVarToIntNotNull)
{
    EXPECT_EQ(Raised([] { CheckNotNull(Variant()); }), "Variant is empty");
    EXPECT_EQ(Raised([] { CheckNotNull(Variant::Null()); }), "Variant is null");
    EXPECT_EQ(Raised([] { VarToIntNotNull(Variant()); }), "Variant is empty");
    EXPECT_EQ(Raised([] { VarToIntNotNull(Variant::Null()); }), "Variant is null");
    EXPECT_EQ(VarToIntNotNull(Variant("42")), 42);
    EXPECT_EQ(VarToIntNotNull(Variant(qint64(7))), 7);
    EXPECT_EQ(Raised([] { VarToIntNotNull(Variant(qint64(1) << 40)); }), "Integer overflow: 1099511627776");
}

struct TNumberCase {
    Variant Value;
    QChar Separator;
    double Float;
    qint64 Currency;
    QString Text;
};

TEST_F(VariantTest, NumbersConvertWithTheLocaleSeparator)
{
    const TNumberCase cases[] = {
        {Variant(12), '.', 12, 120000, "12"},
        {Variant(2.5), '.', 2.5, 25000, "2.5"},
        {Variant(2.5), ',', 2.5, 25000, "2,5"},
        {Variant::FromCurrency(-12345), ',', -1.2345, -12345, "-1,2345"},
        {Variant::FromCurrency(150000), '.', 15, 150000, "15"},
        {Variant("3,25"), ',', 3.25, 32500, "3,25"},
        {Variant(" 7.5 "), '.', 7.5, 75000, " 7.5 "},
        {Variant(true), '.', 1, 10000, "True"},
    };
    for (const TNumberCase& c : cases) {
        FormatSettings.DecimalSeparator = c.Separator;
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_DOUBLE_EQ(c.Value.AsFloat(), c.Float);
        EXPECT_EQ(c.Value.AsCurrency(), c.Currency);
        EXPECT_EQ(c.Value.AsString(), c.Text);
    }
}

TEST_F(VariantTest, BadTextRaisesAConversionError)
{
    EXPECT_EQ(Raised([] { Variant("abc").AsInteger(); }),
              "Could not convert variant of type (String) into type (Integer)");
    EXPECT_EQ(Raised([] { Variant("").AsFloat(); }), "Could not convert variant of type (String) into type (Double)");
    EXPECT_EQ(Raised([] { Variant("31.02.2020").AsDate(); }),
              "Could not convert variant of type (String) into type (Date)");
}

TEST_F(VariantTest, DatesUseTheShortDateFormat)
{
    const QDate d(2026, 3, 9);
    EXPECT_EQ(Variant(d).AsString(), "09.03.2026");
    EXPECT_EQ(Variant("09.03.2026").AsDate(), d);
    FormatSettings.ShortDateFormat = "yyyy-MM-dd";
    EXPECT_EQ(Variant(d).AsString(), "2026-03-09");
}

TEST_F(VariantTest, EqualityComparesTypeAndValue)
{
    EXPECT_EQ(Variant(1), Variant(qint64(1)));
    EXPECT_NE(Variant(1), Variant(1.0));
    EXPECT_NE(Variant(1), Variant::FromCurrency(10000));
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_NE(Variant::Null(), Variant());
    EXPECT_EQ(Variant("a"), Variant(QString("a")));
}

}  // namespace
