#include "SqlParams.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

struct TParamCase {
    QString Text;
    QString Sql;
    QStringList Positions;
};

TEST(SqlParamsTest, NamedParametersOutsideLiteralsIdentifiersAndComments)
{
    const TParamCase cases[] = {
        {"select * from USR where USR_LOGIN = :USR_LOGIN", "select * from USR where USR_LOGIN = ?", {"USR_LOGIN"}},
        {"where A = :0 and B = :1", "where A = ? and B = ?", {"0", "1"}},
        {"where A = :X or B = :X", "where A = ? or B = ?", {"X", "X"}},
        {"select ':NOT' from T where A=:A", "select ':NOT' from T where A=?", {"A"}},
        {"select 'it''s :NOT' , :B", "select 'it''s :NOT' , ?", {"B"}},
        {"select \"odd:NAME\" from T where x = :P$1", "select \"odd:NAME\" from T where x = ?", {"P$1"}},
        {"insert into T \r(T_ID /* Первичный ключ :K */, A /* Измененное поле */)\rvalues\r(:T_ID, :A);",
         "insert into T \r(T_ID /* Первичный ключ :K */, A /* Измененное поле */)\rvalues\r(?, ?);",
         {"T_ID", "A"}},
        {"select 1 -- :C a comment\nfrom T where X = :D", "select 1 -- :C a comment\nfrom T where X = ?", {"D"}},
        {"a = : b, c = ':'", "a = : b, c = ':'", {}},
        {"unclosed 'literal :X", "unclosed 'literal :X", {}},
        {"unclosed /* comment :X", "unclosed /* comment :X", {}},
        {":A:B", "??", {"A", "B"}},
        {"", "", {}},
    };
    for (const TParamCase& c : cases) {
        const TParsedSql parsed = ParseNamedParams(c.Text);
        EXPECT_EQ(parsed.Sql, c.Sql) << c.Text.toStdString();
        EXPECT_EQ(parsed.Positions, c.Positions) << c.Text.toStdString();
    }
}

}  // namespace
