// Arbitrary text through the named-parameter scanner of the access layer.
//
// Invariants:
// - the result holds the input's own '?' characters plus one per parameter
//   (the scanner copies everything but ":NAME", which becomes '?');
// - every parameter name is non-empty and made of name characters;
// - the scanner treats '?' like a blank (neither is special nor part of a
//   name), so with the input's '?' turned into blanks the parameters are the
//   same, and putting ":NAME" back in place of each '?' of the result gives
//   that text back exactly.

#include "FuzzCheck.h"
#include "SqlParams.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsNameChar(QChar c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'
        || c == '$';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const TParsedSql parsed = ParseNamedParams(text);

    FUZZ_CHECK(parsed.Sql.count('?') == text.count('?') + parsed.Positions.size());
    for (const QString& name : parsed.Positions) {
        FUZZ_CHECK(!name.isEmpty());
        for (const QChar c : name)
            FUZZ_CHECK(IsNameChar(c));
    }

    QString blanked = text;
    blanked.replace('?', ' ');
    const TParsedSql again = ParseNamedParams(blanked);
    FUZZ_CHECK(again.Positions == parsed.Positions);
    QString rebuilt;
    qsizetype next = 0;
    for (const QChar c : again.Sql) {
        if (c == '?') {
            FUZZ_CHECK(next < again.Positions.size());
            rebuilt += ':' + again.Positions[next++];
        } else {
            rebuilt += c;
        }
    }
    FUZZ_CHECK(next == again.Positions.size());
    FUZZ_CHECK(rebuilt == blanked);
    return 0;
}
