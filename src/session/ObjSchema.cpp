// Schema changes of the catalogue model: tables, columns, links, unique
// constraints and the triggers that keep summing fields up to date. The
// statement texts are a wire format; keep them character for character.

#include "CodeTable.h"
#include "Error.h"
#include "Format.h"
#include "Obj.h"
#include "Session.h"
#include "SqlName.h"

namespace {

// The longest table name whose key column, sequence ("_ID") and primary key
// ("PK_") still fit the database's name limit.
constexpr int MaxTableNameLength = MaxSqlNameLength - 3;

// The longest summing field name whose triggers ("_AI", "_AD", "_AU") still fit.
constexpr int MaxAggregateNameLength = MaxSqlNameLength - 3;

// Runs one statement through a statement of its own, freed on return.
void ExecuteOnce(const QString& sql, const std::function<void(TIBSQL&)>& bind = nullptr)
{
    auto q = NewIBSQL();
    q->SQL = QStringList{sql};
    if (bind)
        bind(*q);
    q->ExecQuery();
    q->Close();
}

QString Lines(const QStringList& lines) { return lines.join('\n'); }

}  // namespace

// ---------------------------------------------------------------------------
// TObj

void TObj::Execute(const QString& sql)
{
    FQuery->SQL = QStringList{sql};
    FQuery->ExecQuery();
    FQuery->Close();
}

void TObj::CreateTable()
{
    const QString upper = AsciiUpper(Table);
    if (!upper.isEmpty())
        CheckNewName(upper, "таблицы", MaxTableNameLength);

    TDBChange change;
    if (Id == 0)
        Id = GenId("OBJ_ID");
    Table = upper.isEmpty() ? "TBL" + QString::number(Id) : upper;
    Execute(Format("create table %s (%0:s_ID PK NOT NULL)", {Table}));
    Execute(Format("alter table %s add constraint PK_%0:s primary key (%0:s_ID)", {Table}));
    Execute(Format("create sequence %s_ID", {Table}));
    FQuery->SQL = QStringList{"insert into OBJ", "(OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS)", "values",
                              "(:OBJ_ID, :OBJ_TABLE, :OBJ_CAPT, :OBJ_REF, :OBJ_META, :OBJ_SYS)"};
    FQuery->ParamByName("OBJ_ID").SetAsInteger(Id);
    FQuery->ParamByName("OBJ_TABLE").SetAsString(Table);
    FQuery->ParamByName("OBJ_CAPT").SetAsString(Capt);
    FQuery->ParamByName("OBJ_REF").SetAsBoolean(Ref);
    FQuery->ParamByName("OBJ_META").SetAsBoolean(Meta);
    FQuery->ParamByName("OBJ_SYS").SetAsBoolean(Sys);
    FQuery->ExecQuery();
    FQuery->Close();

    TFld key;
    key.Obj = this;
    key.Field = Table + "_ID";
    key.FldType = ftPK;
    key.NotNull = true;
    key.Capt = "Код";
    key.Id = GenId("FLD_ID");
    key.Sys = true;
    key.CreateField();
    change.Commit();

    CreateLists();
    LoadFields();
}

void TObj::DropTable()
{
    TDBChange change;
    Execute(Format("drop table %s", {Table}));
    Execute(Format("drop sequence %s", {Table + "_ID"}));
    Execute(Format("delete from OBJ where OBJ_ID = %d", {Id}));
    change.Commit();
}

void TObj::CreateIndex(const TFldArray& fields)
{
    if (fields.empty())
        throw Error("TObj.CreateIndex: no fields given");
    QString name, columns;
    for (const TFld* fld : fields) {
        if (fld->UniqFld != 0)
            throw Error(Format("TObj.CreateIndex: field %s already use in unique index", {fld->Field}));
        name += (name.isEmpty() ? "UN_" : "_") + fld->Field;
        columns += (columns.isEmpty() ? "" : ",") + fld->Field;
    }
    CheckNewName(name, "ограничения");

    TDBChange change;
    Execute(Lines({"alter table " + Table, "add constraint " + name, Format("unique (%s)", {columns})}));
    const int id = GenId("UNIQFLD_ID");
    Execute(Format("insert into UNIQFLD (UNIQFLD_ID) values (%d)", {id}));
    for (TFld* fld : fields) {
        Execute(Format("update FLD set UNIQFLD_ID = %d where FLD_ID = %d", {id, fld->Id}));
        fld->UniqFld = id;
    }
    change.Commit();
}

// ---------------------------------------------------------------------------
// TFld

void TFld::CreateField()
{
    const QString upper = AsciiUpper(Field);
    if (!upper.isEmpty())
        CheckNewName(upper, "поля", AgrObjLink ? MaxAggregateNameLength : MaxSqlNameLength);
    if (AgrObjLink && !AgrFld)
        throw Error(Format("Агрегатное поле %s: не задано суммируемое поле", {upper}));

    if (Id == 0) {
        TObj* fldObj = ObjList ? ObjList->GetObjByTable("FLD") : nullptr;
        Id = fldObj ? fldObj->GetNewId() : GenId("FLD_ID");
    }
    Field = upper.isEmpty() ? "FLD" + QString::number(Id) : upper;
    const QString notNull = NotNull ? "not null" : "";

    if (!Virt) {
        QString sql;
        switch (FldType) {
        case ftPK: break;
        case ftString:
            sql = Format("alter table %s add %s varchar(%d) character set UTF8 %s collate UNICODE",
                         {Obj->Table, Field, Size, notNull});
            break;
        case ftFK: sql = Format("alter table %s add %s FK %s", {Obj->Table, Field, notNull}); break;
        case ftInteger: sql = Format("alter table %s add %s INTEG %s", {Obj->Table, Field, notNull}); break;
        case ftBoolean:
            sql = Format("alter table %s add %s BOOL", {Obj->Table, Field});
            NotNull = true;
            break;
        case ftNum134:
            sql = Format("alter table %s add %s NUM134", {Obj->Table, Field});
            NotNull = true;
            break;
        case ftNum143:
            sql = Format("alter table %s add %s NUM143", {Obj->Table, Field});
            NotNull = true;
            break;
        case ftNum152:
            sql = Format("alter table %s add %s NUM152", {Obj->Table, Field});
            NotNull = true;
            break;
        case ftDate: sql = Format("alter table %s add %s DATEONLY %s", {Obj->Table, Field, notNull}); break;
        default: throw Error(Format("Неизвестный подтип поля %d", {int(FldType)}));
        }
        if (!sql.isEmpty())
            ExecuteOnce(sql);
    }

    ExecuteOnce(
        Lines({"insert into FLD ",
               "(FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, DEP_ID_AGR, FLD_ID_AGR, "
               "FLD_DEF, FLD_MAIN, FLD_FORMULA, FLD_VIRT, FLD_SYS) values ",
               "(:FLD_ID, :OBJ_ID, :FLD_FIELD, :FLDTYPE_ID, :FLD_SIZE, :FLD_NOTNULL, :FLD_CAPT, :DEP_ID_AGR, "
               ":FLD_ID_AGR, :FLD_DEF, :FLD_MAIN, :FLD_FORMULA, :FLD_VIRT, :FLD_SYS)"}),
        [&](TIBSQL& q) {
            q.ParamByName("FLD_ID").SetAsInteger(Id);
            q.ParamByName("OBJ_ID").SetAsInteger(Obj->Id);
            q.ParamByName("FLD_FIELD").SetAsString(Field);
            q.ParamByName("FLDTYPE_ID").SetAsInteger(FldTypeCode(FldType));
            q.ParamByName("FLD_SIZE").SetAsInteger(Size);
            q.ParamByName("FLD_NOTNULL").SetAsBoolean(NotNull);
            q.ParamByName("FLD_CAPT").SetAsString(Capt);
            q.ParamByName("DEP_ID_AGR").SetAsVariant(AgrObjLink ? Variant(AgrObjLink->Id) : Variant::Null());
            q.ParamByName("FLD_ID_AGR").SetAsVariant(AgrFld ? Variant(AgrFld->Id) : Variant::Null());
            q.ParamByName("FLD_DEF").SetAsString(Def);
            q.ParamByName("FLD_MAIN").SetAsBoolean(Main);
            q.ParamByName("FLD_FORMULA").SetAsString(Formula);
            q.ParamByName("FLD_VIRT").SetAsBoolean(Virt);
            q.ParamByName("FLD_SYS").SetAsBoolean(Sys);
        });

    if (!AgrObjLink)
        return;
    const TFld* pk = Obj->FldList ? Obj->FldList->GetPKFld() : nullptr;
    if (!pk)
        throw Error(Format("Объект %d (%s) не имеет поля первичного ключа", {Obj->Id, Obj->Table}));
    const QString X = Field, P = Obj->Table, PK = pk->Field, C = AgrFld->Obj->Table, Y = AgrFld->Field,
                  K = AgrObjLink->ChildFld->Field;
    ExecuteOnce(Lines({Format("CREATE trigger %s_AI for %s", {X, C}), "active after insert position 0", "AS",
                       "begin", Format("  if (NEW.%s <> 0) then", {Y}), Format("    update %s T", {P}),
                       Format("    set T.%s = T.%s + NEW.%s", {X, X, Y}), Format("    where T.%s = NEW.%s;", {PK, K}),
                       "end"}));
    ExecuteOnce(Lines({Format("CREATE trigger %s_AD for %s", {X, C}), "active after delete position 0", "AS",
                       "begin", Format("  if (OLD.%s <> 0) then", {Y}), Format("    update %s T", {P}),
                       Format("    set T.%s = T.%s - OLD.%s", {X, X, Y}), Format("    where T.%s = OLD.%s;", {PK, K}),
                       "end"}));
    ExecuteOnce(Lines({Format("CREATE trigger %s_AU for %s", {X, C}),
                       "active after update position 0",
                       "AS",
                       "begin",
                       Format("  if (NEW.%s = OLD.%s) then", {K, K}),
                       Format("    if (NEW.%s <> OLD.%s) then", {Y, Y}),
                       Format("      update %s T", {P}),
                       Format("      set T.%s = T.%s + NEW.%s - OLD.%s", {X, X, Y, Y}),
                       Format("      where T.%s = NEW.%s;", {PK, K}),
                       "    else",
                       "    begin",
                       "    end",
                       "  else",
                       "    begin",
                       Format("      if (OLD.%s <> 0) then", {Y}),
                       Format("        update %s T", {P}),
                       Format("        set T.%s = T.%s - OLD.%s", {X, X, Y}),
                       Format("        where T.%s = OLD.%s;", {PK, K}),
                       Format("      if (NEW.%s <> 0) then", {Y}),
                       Format("        update %s T", {P}),
                       Format("        set T.%s = T.%s + NEW.%s", {X, X, Y}),
                       Format("        where T.%s = NEW.%s;", {PK, K}),
                       "    end",
                       "end"}));
}

void TFld::DropField()
{
    if (FldType < ftString || FldType > ftDate)
        throw Error(Format("Неизвестный подтип поля %d", {int(FldType)}));
    if (AgrObjLink) {
        ExecuteOnce(Format("drop trigger %s_AI", {Field}));
        ExecuteOnce(Format("drop trigger %s_AD", {Field}));
        ExecuteOnce(Format("drop trigger %s_AU", {Field}));
    }
    if (!Virt)
        ExecuteOnce(Format("alter table %s drop %s", {Obj->Table, Field}));
    ExecuteOnce(Format("delete from FLD where FLD_ID = %d", {Id}));
}

void TFld::ReCalcAgrFld()
{
    if (!AgrObjLink || !AgrFld)
        throw Error(Format("Поле %s не является агрегатным", {Field}));
    const TFld* pk = Obj->FldList ? Obj->FldList->GetPKFld() : nullptr;
    if (!pk)
        throw Error(Format("Объект %d (%s) не имеет поля первичного ключа", {Obj->Id, Obj->Table}));
    const QString X = Field, P = Obj->Table, PK = pk->Field, Y = AgrFld->Field, K = AgrObjLink->ChildFld->Field,
                  C = AgrObjLink->ChildFld->Obj->Table;
    const QString sql = Lines({Format("update %s T1", {P}), Format("set T1.%s = (", {X}),
                               Format("  select sum(T2.%s)", {Y}), Format("  from %s T2", {C}),
                               Format("  where T2.%s = T1.%s)", {K, PK}), "where", "exists (", "  select *",
                               Format("  from %s T2", {C}), Format("  where T2.%s = T1.%s)", {K, PK})});
    DebMsg("Запрос для обновления агрегатного поля:\n" + sql);
    TDBChange change;
    ExecuteOnce(sql);
    change.Commit();
}

// ---------------------------------------------------------------------------
// TObjLink

void TObjLink::CreateLink()
{
    const TFld* parentKey = ParentObj->FldList ? ParentObj->FldList->GetPKFld() : nullptr;
    if (!parentKey)
        throw Error(Format("Объект %d (%s) не имеет поля первичного ключа", {ParentObj->Id, ParentObj->Table}));
    CheckNewName("FK_" + ChildFld->Obj->Table + "_" + ChildFld->Field, "ограничения");
    ExecuteOnce(Format(Lines({"alter table %0:s add constraint FK_%0:s_%2:s",
                              "foreign key (%2:s) references %1:s(%3:s)", "on delete %s on update CASCADE"}),
                       {ChildFld->Obj->Table, ParentObj->Table, ChildFld->Field, parentKey->Field,
                        FKRuleSqlText(DeleteRule)}));
    if (Id == 0)
        Id = GenId("DEP_ID");
    ExecuteOnce(Lines({"insert into DEP", "(DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT)",
                       "values", "(:DEP_ID, :FLD_ID_PAR, :FLD_ID_CHI, :DEP_MAIN, :FKRULE_ID, :DEP_DET, :DEP_CAPT)"}),
                [&](TIBSQL& q) {
                    q.ParamByName("DEP_ID").SetAsInteger(Id);
                    q.ParamByName("FLD_ID_PAR").SetAsInteger(parentKey->Id);
                    q.ParamByName("FLD_ID_CHI").SetAsInteger(ChildFld->Id);
                    q.ParamByName("DEP_MAIN").SetAsBoolean(Main);
                    q.ParamByName("FKRULE_ID").SetAsInteger(FKRuleCode(DeleteRule));
                    q.ParamByName("DEP_DET").SetAsBoolean(Det);
                    q.ParamByName("DEP_CAPT").SetAsString(Capt);
                });
}

void TObjLink::DropLink() { ChildFld->DropField(); }
