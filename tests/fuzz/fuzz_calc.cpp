// Arbitrary text through the formula engine. Errors raised as Error are the
// engine's answer to a malformed formula; a crash, undefined behaviour or a
// broken invariant below is a finding.
//
// The first byte picks the decimal separator (bit 0: ',' instead of '.') and
// whether the rest is a formula for ConvertToOpn (bit 1 clear) or a token text
// the caller put into OpnList (bit 1 set).

#include "Error.h"
#include "FuzzCheck.h"
#include "Locale.h"
#include "OPN.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr double PreviousValue = -7.25;

// Answers "Rate" in three ways, picked by the first argument: an error, an
// untouched value, or a number made of both arguments.
void ExtCalc(const Variant& Par1, const Variant& Par2, const Variant& Par3, const QString& AOper,
             Variant& AValue)
{
    FUZZ_CHECK(Par1.Type() == TVarType::Integer && Par2.Type() == TVarType::Integer);
    FUZZ_CHECK(Par3.Type() == TVarType::Integer && Par3.AsInteger() == 0);
    FUZZ_CHECK(AOper == "Rate");
    FUZZ_CHECK(AValue.IsUnassigned());
    switch (Par1.AsInt64() % 3) {
    case 0: throw Error("no rate");
    case 1: break;
    default: AValue = Variant(Par1.AsFloat() * 0.5 + Par2.AsFloat());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FormatSettings.DecimalSeparator = (data[0] & 1) ? ',' : '.';
    const bool tokenText = data[0] & 2;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    TCalc calc;
    calc.ExtCalc = ExtCalc;
    if (tokenText) {
        calc.SetOpnListText(text);
    } else {
        calc.ExpStr = text;
        try {
            calc.ConvertToOpn();
        } catch (const Error&) {
            return 0;
        }
        // The spaced-out text is exactly the tokens; none of them reaches the
        // reverse Polish list as a parenthesis or separator.
        FUZZ_CHECK(calc.ExpList.join(' ') == calc.ExpStr);
        for (const QString& token : calc.OpnList)
            FUZZ_CHECK(token != "(" && token != ")" && token != ";");
    }
    for (const QString& token : calc.OpnList)
        FUZZ_CHECK(!token.isEmpty() && !token.contains(' '));

    const QStringList opn = calc.OpnList;
    TCalc copy;
    copy.SetOpnListText(calc.OpnListText());
    FUZZ_CHECK(copy.OpnList == opn);

    // Compute twice: the list stays as it was and the answer is the same.
    for (int round = 0; round < 2; ++round) {
        calc.Value = PreviousValue;
        bool computed = false;
        try {
            calc.Compute();
            computed = true;
        } catch (const Error&) {
            FUZZ_CHECK(calc.Value == PreviousValue);
        }
        FUZZ_CHECK(calc.OpnList == opn);
        if (computed)
            FUZZ_CHECK(std::isfinite(calc.Value));
    }
    return 0;
}
