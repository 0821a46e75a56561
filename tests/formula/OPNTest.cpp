#include "OPN.h"

#include "Error.h"
#include "Format.h"
#include "Locale.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// Sets the decimal separator for one case and restores the settings after it.
class TSeparator {
public:
    explicit TSeparator(QChar sep) : FSaved(FormatSettings) { FormatSettings.DecimalSeparator = sep; }
    ~TSeparator() { FormatSettings = FSaved; }
    TSeparator(const TSeparator&) = delete;
    TSeparator& operator=(const TSeparator&) = delete;

private:
    TFormatSettings FSaved;
};

// Runs an action and gives back the message it raised, nothing when it
// succeeded.
template <typename F>
std::optional<QString> Raised(F action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.Message();
    }
    return std::nullopt;
}

// Value before each Compute: a failure must leave it as it was.
constexpr double PreviousValue = -123.25;

struct TCalcCase {
    const char* Expr;
    char Sep;
    const char* Opn;      // the reverse Polish tokens; nullptr: ConvertToOpn fails with Message
    const char* Value;    // the result as locale text; nullptr: Compute fails with Message
    const char* Message;
};

TEST(OPNTest, ConvertsAndComputesExpressions)
{
    const char* const NoRate = "TCalc.Compute: function \"Rate\" is not assigned";
    const TCalcCase cases[] = {
        // Priorities and associativity.
        {"2 ^ 3 ^ 2", '.', "2 3 ^ 2 ^", "64", nullptr},
        {"2 + 3 * 4", '.', "2 3 4 * +", "14", nullptr},
        {"(2 + 3) * 4", '.', "2 3 + 4 *", "20", nullptr},
        {"5 - 3 - 1", '.', "5 3 - 1 -", "1", nullptr},
        {"12 / 3 / 2", '.', "12 3 / 2 /", "2", nullptr},
        {"2*3", '.', "2 3 *", "6", nullptr},
        {"  2 \t+\n 3  ", '.', "2 3 +", "5", nullptr},
        {"((1))", '.', "1", "1", nullptr},
        // Functions bind tighter than every operator.
        {"Add(2; 3) * 2", '.', "2 3 Add 2 *", "10", nullptr},
        {"2 * Add(2; 3)", '.', "2 2 3 Add *", "10", nullptr},
        {"Add(2; 3) ^ 2", '.', "2 3 Add 2 ^", "25", nullptr},
        {"Add(2 + 3; 4 * 5)", '.', "2 3 + 4 5 * Add", "25", nullptr},
        {"2 Add 3", '.', "2 3 Add", "5", nullptr},
        {"Add(1; 2; 3)", '.', "1 2 3 Add", nullptr, "TCalc.Compute: list index out of bounds (2)"},
        {"add(2; 3)", '.', "add 2 3", nullptr, "TCalc.Compute: list index out of bounds (3)"},
        // Every intermediate result is rounded to 15 significant digits.
        {"10 / 3 * 3", '.', "10 3 / 3 *", "9.99999999999999", nullptr},
        {"10 / 3 * 3", ',', "10 3 / 3 *", "9,99999999999999", nullptr},
        {"1 / 3", '.', "1 3 /", "0.333333333333333", nullptr},
        {"2 ^ 0.5", '.', "2 0.5 ^", "1.4142135623731", nullptr},
        // No unary minus.
        {"-5", '.', "5 -", nullptr, "TCalc.Compute: list index out of bounds (-1)"},
        {"0 - 5", '.', "0 5 -", "-5", nullptr},
        {"7", '.', "7", "7", nullptr},
        // The locale's decimal separator, and only it.
        {"1,5 * 2", ',', "1,5 2 *", "3", nullptr},
        {"1.5 * 2", ',', "1.5 2 *", nullptr, "'1.5' is not a valid floating point value"},
        {"1.5 * 2", '.', "1.5 2 *", "3", nullptr},
        {"10 / 4", ',', "10 4 /", "2,5", nullptr},
        {"Rate(2; 7)", '.', "2 7 Rate", nullptr, NoRate},
        // Unbalanced parentheses and separators.
        {"(2 + 3", '.', nullptr, nullptr, "\")\" not found"},
        {"2 + 3)", '.', nullptr, nullptr, "\"(\" not found"},
        {"2 ; 3", '.', nullptr, nullptr, "\"(\" not found"},
        {")(", '.', nullptr, nullptr, "\"(\" not found"},
        // Malformed expressions never read outside the list.
        {"", '.', "", nullptr, "TCalc.Compute: list index out of bounds (0)"},
        {"   ", '.', "", nullptr, "TCalc.Compute: list index out of bounds (0)"},
        {"2 + * 3", '.', "2 3 * +", nullptr, "TCalc.Compute: list index out of bounds (-1)"},
        {"2 * + 3", '.', "2 * 3 +", nullptr, "TCalc.Compute: list index out of bounds (-1)"},
        {"2 3", '.', "2 3", nullptr, "TCalc.Compute: list index out of bounds (2)"},
        {"1 + 2 3", '.', "1 2 3 +", nullptr, "TCalc.Compute: list index out of bounds (2)"},
        {"Rate(2)", '.', "2 Rate", nullptr, "TCalc.Compute: list index out of bounds (-1)"},
        {"()", '.', "", nullptr, "TCalc.Compute: list index out of bounds (0)"},
        {"2 + x", '.', "2 x +", nullptr, "'x' is not a valid floating point value"},
        {"PRICE", '.', "PRICE", nullptr, "'PRICE' is not a valid floating point value"},
        // Floating-point faults raise instead of giving INF or NAN.
        {"1 / 0", '.', "1 0 /", nullptr, "Division by zero"},
        {"0 / 0", '.', "0 0 /", nullptr, "Division by zero"},
        {"1 / (2 - 2)", '.', "1 2 2 - /", nullptr, "Division by zero"},
        {"0 ^ (0 - 1)", '.', "0 0 1 - ^", nullptr, "Division by zero"},
        {"(0 - 8) ^ 0.5", '.', "0 8 - 0.5 ^", nullptr, "Invalid floating point operation"},
        {"(0 - 8) ^ (1 / 3)", '.', "0 8 - 1 3 / ^", nullptr, "Invalid floating point operation"},
        {"(0 - 2) ^ 3", '.', "0 2 - 3 ^", "-8", nullptr},
        {"0 ^ 0", '.', "0 0 ^", "1", nullptr},
        {"10 ^ 400", '.', "10 400 ^", nullptr, "Floating point overflow"},
        {"1E300 * 1E300", '.', "1E300 1E300 *", nullptr, "Floating point overflow"},
        // Finite, but its 15-digit text rounds past the largest double.
        {"1E308 * 1.7976931348623157", '.', "1E308 1.7976931348623157 *", nullptr, "Floating point overflow"},
        {"1E400", '.', "1E400", nullptr, "'1E400' is not a valid floating point value"},
        // A minus inside a number is an operator too.
        {"1E-5", '.', "1E 5 -", nullptr, "'1E' is not a valid floating point value"},
    };
    for (const TCalcCase& c : cases) {
        SCOPED_TRACE(QString("%1 [%2]").arg(c.Expr, QChar(c.Sep)).toStdString());
        TSeparator sep{QChar(c.Sep)};
        TCalc calc;
        calc.ExpStr = QString::fromUtf8(c.Expr);
        const std::optional<QString> convertError = Raised([&] { calc.ConvertToOpn(); });
        if (!c.Opn) {
            EXPECT_EQ(convertError, QString::fromUtf8(c.Message));
            continue;
        }
        ASSERT_EQ(convertError, std::nullopt);
        EXPECT_EQ(calc.OpnListText(), QString::fromUtf8(c.Opn));

        calc.Value = PreviousValue;
        const std::optional<QString> computeError = Raised([&] { calc.Compute(); });
        if (c.Value) {
            ASSERT_EQ(computeError, std::nullopt);
            EXPECT_EQ(FloatToStr(calc.Value), QString::fromUtf8(c.Value));
        } else {
            EXPECT_EQ(computeError, QString::fromUtf8(c.Message));
            EXPECT_EQ(calc.Value, PreviousValue);
        }
        EXPECT_EQ(calc.OpnListText(), QString::fromUtf8(c.Opn)) << "Compute changed OpnList";
    }
}

TEST(OPNTest, SpacesOutTheExpressionIntoItsTokens)
{
    TCalc calc;
    calc.ExpStr = "Add(PRICE;2)*(QTY-1)^2";
    calc.ConvertToOpn();
    EXPECT_EQ(calc.ExpStr, "Add ( PRICE ; 2 ) * ( QTY - 1 ) ^ 2");
    EXPECT_EQ(calc.ExpList, QStringList({"Add", "(", "PRICE", ";", "2", ")", "*", "(", "QTY", "-", "1", ")", "^", "2"}));
    EXPECT_EQ(calc.OpnListText(), "PRICE 2 Add QTY 1 - 2 ^ *");
}

// The caller replaces field names in the token text by values, then computes
// as often as the values change.
TEST(OPNTest, ComputesTheTokenTextTheCallerRewrote)
{
    TSeparator sep{','};
    TCalc calc;
    calc.ExpStr = "PRICE * QTY - 1";
    calc.ConvertToOpn();
    const QString opn = calc.OpnListText();
    ASSERT_EQ(opn, "PRICE QTY * 1 -");

    const struct {
        const char* Price;
        const char* Qty;
        const char* Value;
    } rows[] = {{"2,5", "4", "9"}, {"0,1", "3", "-0,7"}, {"100", "0", "-1"}, {"1E-200", "1E-200", "-1"}};
    for (const auto& r : rows) {
        QString text = opn;
        text.replace("PRICE", r.Price).replace("QTY", r.Qty);
        calc.SetOpnListText(text);
        calc.Compute();
        EXPECT_EQ(FloatToStr(calc.Value), QString::fromUtf8(r.Value)) << text.toStdString();
    }
}

TEST(OPNTest, ValueKeepsThePreviousResultAfterAFailure)
{
    TCalc calc;
    calc.ExpStr = "A / B";
    calc.ConvertToOpn();
    calc.SetOpnListText("7 2 /");
    calc.Compute();
    ASSERT_EQ(calc.Value, 3.5);

    for (const char* bad : {"7 0 /", "7 x /", "7 /", "", "7 2"}) {
        calc.SetOpnListText(bad);
        EXPECT_THROW(calc.Compute(), Error) << bad;
        EXPECT_EQ(calc.Value, 3.5) << bad;
    }
    // Computing again after failures works from the list as it is now.
    calc.SetOpnListText("9 2 /");
    calc.Compute();
    EXPECT_EQ(calc.Value, 4.5);
}

TEST(OPNTest, RateAsksExtCalcWithItsTwoArgumentsAsIntegers)
{
    struct TCall {
        Variant Par1, Par2, Par3, AValueOnEntry;
        QString AOper;
    };
    const struct {
        const char* Expr;
        std::optional<Variant> Answer;  // nothing: ExtCalc leaves AValue as it is
        const char* Value;              // nullptr: Compute fails with Message
        const char* Message;
        int Par1, Par2;                 // the arguments ExtCalc must see (when it is called)
    } cases[] = {
        {"Rate(2; 7)", Variant(95.5), "95.5", nullptr, 2, 7},
        {"Rate(1 + 1; 14 / 2) * 2", Variant(95.5), "191", nullptr, 2, 7},
        {"Add(Rate(3; 8); 1)", Variant(qint64(40)), "41", nullptr, 3, 8},
        {"Rate(2; 7)", std::nullopt, "0", nullptr, 2, 7},
        {"Rate(2; 7)", Variant("1.25"), "1.25", nullptr, 2, 7},
        {"Rate(2; 7)", Variant::Null(), nullptr, "Could not convert variant of type (Null) into type (Double)", 2, 7},
        {"Rate(2.5; 7)", Variant(1.0), nullptr, "'2.5' is not a valid integer value", 0, 0},
        {"Rate(2; 3000000000)", Variant(1.0), nullptr, "'3000000000' is not a valid integer value", 0, 0},
        {"Rate(2; x)", Variant(1.0), nullptr, "'x' is not a valid integer value", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expr);
        std::vector<TCall> calls;
        TCalc calc;
        calc.ExtCalc = [&](const Variant& Par1, const Variant& Par2, const Variant& Par3, const QString& AOper,
                           Variant& AValue) {
            calls.push_back({Par1, Par2, Par3, AValue, AOper});
            if (c.Answer)
                AValue = *c.Answer;
        };
        calc.ExpStr = c.Expr;
        calc.ConvertToOpn();
        calc.Value = PreviousValue;
        const std::optional<QString> error = Raised([&] { calc.Compute(); });
        if (c.Value) {
            ASSERT_EQ(error, std::nullopt);
            EXPECT_EQ(FloatToStr(calc.Value), QString::fromUtf8(c.Value));
        } else {
            EXPECT_EQ(error, QString::fromUtf8(c.Message));
            EXPECT_EQ(calc.Value, PreviousValue);
        }
        if (c.Par1 == 0) {
            EXPECT_TRUE(calls.empty()) << "ExtCalc called with an argument that is not an integer";
            continue;
        }
        ASSERT_EQ(calls.size(), 1u);
        const TCall& call = calls[0];
        EXPECT_EQ(call.Par1.Type(), TVarType::Integer);
        EXPECT_EQ(call.Par1.AsInteger(), c.Par1);
        EXPECT_EQ(call.Par2.Type(), TVarType::Integer);
        EXPECT_EQ(call.Par2.AsInteger(), c.Par2);
        EXPECT_EQ(call.Par3.Type(), TVarType::Integer);
        EXPECT_EQ(call.Par3.AsInteger(), 0);
        EXPECT_EQ(call.AOper, "Rate");
        EXPECT_TRUE(call.AValueOnEntry.IsUnassigned());
    }
}

TEST(OPNTest, AnErrorRaisedByExtCalcReachesTheCaller)
{
    TCalc calc;
    calc.ExtCalc = [](const Variant&, const Variant&, const Variant&, const QString&, Variant&) {
        throw Error("No exchange rate for currency (code 2) on date 01.01.2024");
    };
    calc.ExpStr = "Rate(2; 7) + 1";
    calc.ConvertToOpn();
    calc.Value = PreviousValue;
    EXPECT_EQ(Raised([&] { calc.Compute(); }), QString("No exchange rate for currency (code 2) on date 01.01.2024"));
    EXPECT_EQ(calc.Value, PreviousValue);
}

}  // namespace
