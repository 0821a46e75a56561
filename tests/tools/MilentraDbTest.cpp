#include "ExampleCatalogue.h"
#include "IBDatabase.h"
#include "IBSQL.h"
#include "Session.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct TRun {
    int ExitCode;
    QString Out;
    QString Err;
};

TRun RunTool(const QStringList& args)
{
    QProcess p;
    p.start(MILENTRA_DB_EXE, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(MilentraDbTest, CreatesADatabaseWithTheCatalogue)
{
    const QString path = QDir(ScratchDir()).filePath("created.fdb");
    const TRun run = RunTool({"create", path});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.contains(path));

    TIBDatabase db;
    db.DatabaseName = path;
    db.Params << "user_name=SYSDBA" << "lc_ctype=UTF8";
    db.Open();
    TIBTransaction tr(&db);
    tr.StartTransaction();
    TIBSQL q(&db, &tr);
    q.SQL << "select USR_LOGIN from USR";
    q.ExecQuery();
    ASSERT_FALSE(q.Eof());
    EXPECT_EQ(q.Fields(0).AsString(), "demouser");
    q.Close();
    q.SQL = QStringList{"select RDB$CHARACTER_SET_NAME, mon$sql_dialect from RDB$DATABASE, MON$DATABASE"};
    q.ExecQuery();
    EXPECT_EQ(q.Fields(0).AsString(), "UTF8");
    EXPECT_EQ(q.Fields(1).AsLong(), 3);
}

TEST(MilentraDbTest, RefusesAnExistingFileAndLeavesItAlone)
{
    const QString path = QDir(ScratchDir()).filePath("existing.fdb");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a database");
    }
    const TRun run = RunTool({"create", path});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains("уже существует")) << run.Err.toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("not a database"));
}

TEST(MilentraDbTest, ReportsFailuresInOneLineAndLeavesNoFile)
{
    const QString path = QDir(ScratchDir()).filePath("no/such/dir/x.fdb");
    const TRun run = RunTool({"create", path});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.startsWith("milentra-db: ")) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(path));

    const struct {
        QStringList Args;
        int ExitCode;
        const char* Says;
    } cases[] = {
        {{}, 1, "milentra-db create PATH"},
        {{"--help"}, 0, "milentra-db create PATH"},
        {{"create"}, 1, "не указан путь"},
        {{"frobnicate"}, 1, "неизвестная команда"},
        {{"create", "a.fdb", "--bogus"}, 1, "неизвестный параметр"},
    };
    for (const auto& c : cases) {
        const TRun r = RunTool(c.Args);
        EXPECT_EQ(r.ExitCode, c.ExitCode) << c.Args.join(' ').toStdString();
        EXPECT_TRUE((r.Out + r.Err).contains(QString::fromUtf8(c.Says))) << (r.Out + r.Err).toStdString();
    }
}

// Runs "milentra-db calc" with the given arguments under a locale (LC_ALL).
TRun RunCalc(const QStringList& args, const QString& locale)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    p.setProcessEnvironment(env);
    p.start(MILENTRA_DB_EXE, QStringList{"calc"} + args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(MilentraDbTest, CalcPrintsTheReversePolishTokensAndTheResult)
{
    const char* const Ru = "ru_RU.UTF-8";
    const struct {
        QStringList Args;
        const char* Locale;
        int ExitCode;
        const char* Out;  // all of standard output
        const char* Err;  // all of standard error
    } cases[] = {
        {{"10 / 3 * 3"}, "C", 0, "ОПН: 10 3 / 3 *\nРезультат: 9.99999999999999\n", ""},
        {{"10 / 3 * 3"}, Ru, 0, "ОПН: 10 3 / 3 *\nРезультат: 9,99999999999999\n", ""},
        {{"1,5 * 2"}, Ru, 0, "ОПН: 1,5 2 *\nРезультат: 3\n", ""},
        {{"2*Add(2;3)"}, "C", 0, "ОПН: 2 2 3 Add *\nРезультат: 10\n", ""},
        {{"1,5 * 2"}, "C", 1, "ОПН: 1,5 2 *\n", "milentra-db: '1,5' is not a valid floating point value\n"},
        {{"-5"}, "C", 1, "ОПН: 5 -\n", "milentra-db: TCalc.Compute: list index out of bounds (-1)\n"},
        {{"1 / (2 - 2)"}, "C", 1, "ОПН: 1 2 2 - /\n", "milentra-db: Division by zero\n"},
        {{"(2 + 3"}, "C", 1, "", "milentra-db: \")\" not found\n"},
        {{"Rate(2; 7)"}, "C", 1, "ОПН: 2 7 Rate\n",
         "milentra-db: функция Rate (курс валюты) требует базу данных; milentra-db calc считает только числа\n"},
        {{}, "C", 1, "", "milentra-db: не указано выражение (milentra-db --help)\n"},
        {{"2", "+", "3"}, "C", 1, "",
         "milentra-db: лишний аргумент \"+\" (выражение пишется одним аргументом в кавычках)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.Args.join(' ') + " [" + c.Locale + "]").toStdString());
        const TRun r = RunCalc(c.Args, c.Locale);
        EXPECT_EQ(r.ExitCode, c.ExitCode);
        EXPECT_EQ(r.Out, QString::fromUtf8(c.Out));
        EXPECT_EQ(r.Err, QString::fromUtf8(c.Err));
    }
}

// The order catalogue's grid, printed as the grid will run it.
class MilentraDbSqlTest : public SessionTest {};

TEST_F(MilentraDbSqlTest, PrintsTheThreeStatementsOfAGrid)
{
    const TExampleCatalogue ex = BuildExampleCatalogue();
    DoneSession();  // the tool opens the file itself
    const TRun run = RunTool({"sql", DbPath, QString::number(ex.OrdTbl)});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QString fields = "select\n"
                           "  T0.ORD_ID as T0ORD_ID,\n"
                           "  T0.ORD_NUM as T0ORD_NUM,\n"
                           "  T1.CUST_NAME as T1CUST_NAME,\n"
                           "  T2.CITY_NAME as T2CITY_NAME,\n"
                           "  T0.ORD_DATE as T0ORD_DATE\n";
    EXPECT_EQ(run.Out, "-- select\n" + fields +
                           "from\n"
                           "  ORD T0\n"
                           "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID\n"
                           "  left join CITY T2 on T2.CITY_ID = T1.CITY_ID\n"
                           "  join EMP T3 on T3.EMP_ID = T0.MGR_ID\n"
                           "where\n"
                           "  (\n"
                           "  T2.CITY_NAME = :0\n"
                           "  and\n"
                           "  T3.EMP_ACTIVE = 1\n"
                           "  )\n"
                           "-- refresh\n" +
                           fields +
                           "from\n"
                           "  ORD T0\n"
                           "  left join CUST T1 on T1.CUST_ID = T0.CUST_ID\n"
                           "  left join CITY T2 on T2.CITY_ID = T1.CITY_ID\n"
                           "where\n"
                           "  T0.ORD_ID = :1\n"
                           "-- delete\n"
                           "delete\n"
                           "from\n"
                           "  ORD T0\n"
                           "where\n"
                           "  T0.ORD_ID = :2\n");

    const struct {
        QStringList Args;
        const char* Says;
    } failures[] = {
        {{"sql", DbPath, "424242"}, "milentra-db: Таблица не найдена"},
        {{"sql", DbPath, "x"}, "milentra-db: код определения таблицы должен быть числом: \"x\""},
        {{"sql", DbPath}, "milentra-db: не указан код определения таблицы"},
        {{"sql", DbPath + ".missing", "1"}, "milentra-db: "},
    };
    for (const auto& f : failures) {
        const TRun r = RunTool(f.Args);
        EXPECT_EQ(r.ExitCode, 1) << f.Args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.startsWith(QString::fromUtf8(f.Says))) << r.Err.toStdString();
        EXPECT_TRUE(r.Out.isEmpty());
    }
}

}  // namespace
