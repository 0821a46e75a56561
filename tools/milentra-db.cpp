// milentra-db: creates Milentra databases holding the catalogue, prints the
// statements a grid definition produces and computes formulas over numbers.

#include "Error.h"
#include "Format.h"
#include "Locale.h"
#include "OPN.h"
#include "Obj.h"
#include "Schema.h"
#include "Session.h"
#include "Sql.h"
#include "Tbl.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

const char* const HelpText =
    "Использование:\n"
    "  milentra-db create PATH [--user ИМЯ] [--password ПАРОЛЬ]\n"
    "      Создаёт новую базу данных с каталогом (кодировка UTF8, диалект 3).\n"
    "      PATH - путь к файлу (встроенный сервер) или host:/path (сервер Firebird).\n"
    "      Пользователь по умолчанию SYSDBA; пароль нужен для сервера.\n"
    "      Существующий файл не перезаписывается.\n"
    "  milentra-db sql PATH TBL_ID [--user ИМЯ] [--password ПАРОЛЬ]\n"
    "      Печатает запросы выборки, обновления строки и удаления, которые строит\n"
    "      определение таблицы TBL_ID (с постоянными фильтрами), под заголовками\n"
    "      \"-- select\", \"-- refresh\", \"-- delete\". Ничего не выполняет.\n"
    "  milentra-db calc \"ВЫРАЖЕНИЕ\"\n"
    "      Вычисляет формулу над числами: печатает её обратную польскую запись\n"
    "      (ОПН) и результат. Операции + - * / ^, функция Add(a; b), скобки;\n"
    "      унарного минуса нет (0 - 5). Выражение - один аргумент в кавычках.\n"
    "      Десятичный разделитель берётся из системной локали (LC_ALL, LC_NUMERIC,\n"
    "      LANG): \"1,5 * 2\" при ru_RU.UTF-8, \"1.5 * 2\" при C.\n"
    "      Функция Rate (курс валюты) требует базу данных и здесь не вычисляется.\n"
    "  milentra-db --help\n"
    "      Эта справка.\n";

void Print(FILE* out, const QString& text) { std::fputs(text.toUtf8().constData(), out); }

int Fail(const QString& message)
{
    Print(stderr, "milentra-db: " + message + "\n");
    return 1;
}

// The arguments of a verb that works on a database: positional ones, and
// the connection's --user and --password.
struct TDbArgs {
    QStringList Positional;
    QString User = "SYSDBA";
    QString Password;
};

TDbArgs ParseDbArgs(const QStringList& args, int positional)
{
    TDbArgs parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == "--user" || a == "--password") && i + 1 < args.size())
            (a == "--user" ? parsed.User : parsed.Password) = args[++i];
        else if (a.startsWith("--"))
            throw Error(QString("неизвестный параметр \"%1\"").arg(a));
        else if (parsed.Positional.size() < positional)
            parsed.Positional << a;
        else
            throw Error(QString("лишний аргумент \"%1\"").arg(a));
    }
    if (parsed.Positional.isEmpty())
        throw Error("не указан путь к базе данных (milentra-db --help)");
    return parsed;
}

int Create(const QStringList& args)
{
    const TDbArgs a = ParseDbArgs(args, 1);
    CreateCatalogueDatabase(a.Positional[0], a.User, a.Password);
    Print(stdout, QString("База данных создана: %1\n").arg(a.Positional[0]));
    return 0;
}

// A session on the given database with the catalogue loaded, closed again
// when the scope ends.
class TToolSession {
public:
    explicit TToolSession(const TDbArgs& a)
    {
        InitSession();
        try {
            Database->DatabaseName = a.Positional[0];
            Database->Params << "user_name=" + a.User;
            if (!a.Password.isEmpty())
                Database->Params << "password=" + a.Password;
            Database->Params << "lc_ctype=UTF8";
            Database->Open();
            Transaction->StartTransaction();
            Connected = true;
            LoadMeta();
        } catch (...) {
            DoneSession();
            throw;
        }
    }
    ~TToolSession() { DoneSession(); }
};

// Prints the statements of a grid definition, as the grid would run them.
int Sql(const QStringList& args)
{
    const TDbArgs a = ParseDbArgs(args, 2);
    if (a.Positional.size() < 2)
        return Fail("не указан код определения таблицы (milentra-db --help)");
    bool ok = false;
    const int tblId = a.Positional[1].toInt(&ok);
    if (!ok)
        return Fail(QString("код определения таблицы должен быть числом: \"%1\"").arg(a.Positional[1]));

    TToolSession session(a);
    QStringList select, refresh, remove;
    {
        TTbl tbl;
        tbl.RaiseLoad = true;
        tbl.LoadById(tblId);
        TTblSql sql;
        sql.Clear();
        sql.CreateBaseSQL(&tbl);
        sql.LoadFilters();
        sql.AddFilters();
        sql.SetSQL(select, refresh, remove);
    }
    Print(stdout, "-- select\n" + select.join('\n') + "\n-- refresh\n" + refresh.join('\n') + "\n-- delete\n" +
                      remove.join('\n') + "\n");
    return 0;
}

// Converts and computes a formula over numbers, without a database.
int Calc(const QStringList& args)
{
    if (args.isEmpty())
        return Fail("не указано выражение (milentra-db --help)");
    if (args.size() > 1)
        return Fail(QString("лишний аргумент \"%1\" (выражение пишется одним аргументом в кавычках)").arg(args[1]));
    LoadSystemFormatSettings();
    TCalc calc;
    calc.ExpStr = args[0];
    calc.ExtCalc = [](const Variant&, const Variant&, const Variant&, const QString& AOper, Variant&) {
        throw Error(QString("функция %1 (курс валюты) требует базу данных; milentra-db calc считает только "
                            "числа")
                        .arg(AOper));
    };
    calc.ConvertToOpn();
    Print(stdout, "ОПН: " + calc.OpnListText() + "\n");
    std::fflush(stdout);
    calc.Compute();
    Print(stdout, "Результат: " + FloatToStr(calc.Value) + "\n");
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        Print(args.isEmpty() ? stderr : stdout, HelpText);
        return args.isEmpty() ? 1 : 0;
    }
    const QString verb = args.takeFirst();
    try {
        if (verb == "create")
            return Create(args);
        if (verb == "sql")
            return Sql(args);
        if (verb == "calc")
            return Calc(args);
        return Fail(QString("неизвестная команда \"%1\" (milentra-db --help)").arg(verb));
    } catch (const Error& e) {
        return Fail(e.Message());
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
}
