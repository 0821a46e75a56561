#include "IBDatabase.h"
#include "Ini.h"
#include "Session.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString WriteIni(const QString& name, const QByteArray& content)
{
    const QString path = QDir(ScratchDir()).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
    return path;
}

struct TIniCase {
    const char* Name;
    QByteArray Content;
    QString DatabaseName;
    QStringList Params;
};

TEST(IniTest, InitDatabaseReadsTheDataBaseSection)
{
    const TIniCase cases[] = {
        {"missing", QByteArray(), "base.fdb", {"user_name=SYSDBA", "password=quintavel", "lc_ctype=UTF8"}},
        {"full", "[DataBase]\nDataBaseName=/data/x.fdb\nuser_name=IVAN\npassword=secret\n", "/data/x.fdb",
         {"user_name=IVAN", "password=secret", "lc_ctype=UTF8"}},
        {"crypt", "[DataBase]\nuser_name=IVAN\npassword=secret\ncrypt_password=anything\n", "base.fdb",
         {"user_name=IVAN", "lc_ctype=UTF8"}},
        {"crypt_both", "[DataBase]\ncrypt_user_name=\ncrypt_password=x\nuser_name=IVAN\n", "base.fdb",
         {"lc_ctype=UTF8"}},
        {"spaced", "; comment\n[ database ]\n  DataBaseName = host:/srv/db.fdb  \nUSER_NAME=Petr\n", "host:/srv/db.fdb",
         {"user_name=Petr", "password=quintavel", "lc_ctype=UTF8"}},
        {"other_section", "[Other]\nDataBaseName=no.fdb\n[DataBase]\npassword=p\n", "base.fdb",
         {"user_name=SYSDBA", "password=p", "lc_ctype=UTF8"}},
        {"malformed", "\x01\x02garbage\n[DataBase\nDataBaseName\n=novalue\n", "base.fdb",
         {"user_name=SYSDBA", "password=quintavel", "lc_ctype=UTF8"}},
        {"utf8", "[DataBase]\nDataBaseName=/данные/база.fdb\n", "/данные/база.fdb",
         {"user_name=SYSDBA", "password=quintavel", "lc_ctype=UTF8"}},
    };
    for (const TIniCase& c : cases) {
        const QString path = c.Content.isNull() ? QDir(ScratchDir()).filePath("nonexistent.ini")
                                                : WriteIni(QString(c.Name) + ".ini", c.Content);
        TIBDatabase db;
        db.Params << "stale=1";
        InitDatabase(db, path, "base.fdb", "UTF8");
        EXPECT_EQ(db.DatabaseName, c.DatabaseName) << c.Name;
        EXPECT_EQ(db.Params, c.Params) << c.Name;
    }
}

TEST(IniTest, ValueExistsAndFirstValueWins)
{
    const TIniFile ini(WriteIni("dup.ini", "[S]\nk=1\nK=2\nempty=\n"));
    EXPECT_EQ(ini.ReadString("s", "k", "d"), "1");
    EXPECT_TRUE(ini.ValueExists("S", "empty"));
    EXPECT_EQ(ini.ReadString("S", "empty", "d"), "");
    EXPECT_FALSE(ini.ValueExists("S", "none"));
    EXPECT_EQ(ini.ReadString("S", "none", "d"), "d");
}

TEST(IniTest, RelativeLocalNamesResolveAgainstTheGivenDirectory)
{
    EXPECT_EQ(ResolveDatabaseName("base.fdb", "/opt/app"), "/opt/app/base.fdb");
    EXPECT_EQ(ResolveDatabaseName("data/base.fdb", "/opt/app"), "/opt/app/data/base.fdb");
    EXPECT_EQ(ResolveDatabaseName("/srv/base.fdb", "/opt/app"), "/srv/base.fdb");
    EXPECT_EQ(ResolveDatabaseName("localhost:/srv/base.fdb", "/opt/app"), "localhost:/srv/base.fdb");
    EXPECT_EQ(ResolveDatabaseName("host/3051:base", "/opt/app"), "host/3051:base");
}

}  // namespace
