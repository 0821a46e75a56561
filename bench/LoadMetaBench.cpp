// Loading the catalogue against the bare cost of its SELECT statements.
//
// A generated catalogue of 500 objects with 20 fields each and 500 links is
// loaded with LoadMeta; the same statements are then run through the access
// layer alone, fetching every row and reading every column. The figure that
// matters is the ratio of the two, measured in the same run.

#include "Error.h"
#include "Obj.h"
#include "Schema.h"
#include "Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int ObjectCount = 500;
constexpr int FieldsPerObject = 20;  // the key, one link field and 18 more
constexpr int Rounds = 7;

// Objects 1000.., each with its key field, a link field to the next object
// and plain fields of every type, straight into the catalogue tables.
void GenerateCatalogue()
{
    auto q = NewIBSQL();
    auto code = [&](const char* table, const char* name) {
        q->SQL = QStringList{QString("select %1_ID from %1 where %1_NAME = '%2'").arg(table, name)};
        q->ExecQuery();
        const int id = q->Fields(0).AsLong();
        q->Close();
        return id;
    };
    const int pk = code("FLDTYPE", "pk"), fk = code("FLDTYPE", "fk"), cascade = code("FKRULE", "Cascade");
    const int plain[] = {code("FLDTYPE", "string"), code("FLDTYPE", "integer"), code("FLDTYPE", "num152"),
                         code("FLDTYPE", "date"), code("FLDTYPE", "boolean")};

    auto obj = NewIBSQL();
    obj->SQL << "insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS)"
             << "values (:ID, :TBL, :CAPT, 0, 0, 0)";
    auto fld = NewIBSQL();
    fld->SQL << "insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, FLD_DEF,"
             << "FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS)"
             << "values (:ID, :OBJ, :NAME, :TYPE, 40, 0, :CAPT, '', :MAIN, '', 0, 0)";
    auto dep = NewIBSQL();
    dep->SQL << "insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)"
             << "values (:ID, :PAR, :CHI, 0, :RULE, 1, '')";
    auto addFld = [&](int id, int objId, const QString& name, int type, bool main) {
        fld->ParamByName("ID").SetAsInteger(id);
        fld->ParamByName("OBJ").SetAsInteger(objId);
        fld->ParamByName("NAME").SetAsString(name);
        fld->ParamByName("TYPE").SetAsInteger(type);
        fld->ParamByName("CAPT").SetAsString("Поле " + name);
        fld->ParamByName("MAIN").SetAsBoolean(main);
        fld->ExecQuery();
    };
    const int firstObj = 1000, firstFld = 100000;
    for (int i = 0; i < ObjectCount; ++i) {
        const int objId = firstObj + i, base = firstFld + i * FieldsPerObject;
        const QString table = QString("B%1").arg(i);
        obj->ParamByName("ID").SetAsInteger(objId);
        obj->ParamByName("TBL").SetAsString(table);
        obj->ParamByName("CAPT").SetAsString("Объект " + table);
        obj->ExecQuery();
        addFld(base, objId, table + "_ID", pk, false);
        addFld(base + 1, objId, "NEXT_ID", fk, false);
        for (int f = 2; f < FieldsPerObject; ++f)
            addFld(base + f, objId, QString("F%1").arg(f), plain[f % 5], f == 2);
    }
    for (int i = 0; i < ObjectCount; ++i) {
        const int next = (i + 1) % ObjectCount;
        dep->ParamByName("ID").SetAsInteger(1000 + i);
        dep->ParamByName("PAR").SetAsInteger(firstFld + next * FieldsPerObject);
        dep->ParamByName("CHI").SetAsInteger(firstFld + i * FieldsPerObject + 1);
        dep->ParamByName("RULE").SetAsInteger(cascade);
        dep->ExecQuery();
    }
    DBCommit();
}

// Runs a statement through the access layer and reads every column of every row.
int FetchAll(TIBSQL& q, const QStringList& sql)
{
    q.SQL = sql;
    int values = 0;
    for (q.ExecQuery(); !q.Eof(); q.Next())
        for (int c = 0; c < q.FieldCount(); ++c)
            values += q.Fields(c).AsVariant().IsNull() ? 0 : 1;
    q.Close();
    return values;
}

// The statements LoadMeta runs, without building the model: one statement
// per object for its fields and one for its links, as the loader does.
double BareStatements(const std::vector<std::pair<int, int>>& objects)
{
    QElapsedTimer t;
    t.start();
    auto list = NewIBSQL();
    FetchAll(*list, {"select count(*) from OBJ"});
    FetchAll(*list, {"select * from OBJ"});
    for (const auto& [objId, keyId] : objects) {
        auto fields = NewIBSQL();
        FetchAll(*fields, {"select F.*", "from FLD F, FLDTYPE T", "where F.FLDTYPE_ID = T.FLDTYPE_ID",
                           "and F.OBJ_ID = " + QString::number(objId)});
        auto links = NewIBSQL();
        FetchAll(*links, {"select D.DEP_ID, F.OBJ_ID, F.FLD_ID, D.DEP_MAIN, D.FKRULE_ID, D.DEP_DET, D.DEP_CAPT",
                          "from DEP D", "join FLD F on F.FLD_ID = D.FLD_ID_CHI", "where",
                          "D.FLD_ID_PAR = " + QString::number(keyId)});
    }
    return t.nsecsElapsed() / 1e6;
}

double Load()
{
    QElapsedTimer t;
    t.start();
    LoadMeta();
    const double ms = t.nsecsElapsed() / 1e6;
    FreeMeta();
    return ms;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    try {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath("bench.fdb");
        CreateCatalogueDatabase(path, "SYSDBA", QString());
        InitSession();
        Database->DatabaseName = path;
        Database->Params << "user_name=SYSDBA" << "lc_ctype=UTF8";
        Database->Open();
        Transaction->StartTransaction();
        GenerateCatalogue();

        LoadMeta();  // warms the caches and lists the objects for the bare run
        std::vector<std::pair<int, int>> objects;
        int links = 0;
        for (const auto& obj : *ObjList) {
            objects.emplace_back(obj->Id, obj->FldList->GetPKFld()->Id);
            links += obj->ChildList->Count();
        }
        std::printf("catalogue: %d objects, %d links\n", ObjList->Count(), links);
        FreeMeta();

        std::vector<double> load, bare;
        for (int r = 0; r < Rounds; ++r) {
            bare.push_back(BareStatements(objects));
            load.push_back(Load());
        }
        const double l = Median(load), b = Median(bare);
        std::printf("LoadMeta:        %8.1f ms (median of %d)\n", l, Rounds);
        std::printf("bare statements: %8.1f ms (median of %d)\n", b, Rounds);
        std::printf("load / bare:     %8.2f (goal: at most 1.50)\n", l / b);
        DoneSession();
        return 0;
    } catch (const Error& e) {
        std::fprintf(stderr, "load_meta_bench: %s\n", e.what());
        return 1;
    }
}
