#include "Session.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

class CatalogueTest : public SessionTest {
protected:
    int Count(const QString& sql) { return Scalar(sql).toInt(); }
};

struct TTableColumns {
    const char* Table;
    QStringList Columns;
};

TEST_F(CatalogueTest, EveryCatalogueTableHasItsColumns)
{
    const TTableColumns tables[] = {
        {"OBJ", {"OBJ_ID", "OBJ_TABLE", "OBJ_CAPT", "OBJ_REF", "OBJ_META", "OBJ_SYS"}},
        {"FLD", {"FLD_ID", "OBJ_ID", "FLD_FIELD", "FLDTYPE_ID", "FLD_SIZE", "FLD_NOTNULL", "FLD_CAPT", "UNIQFLD_ID",
                 "FLD_DEF", "FLD_MAIN", "FLD_FORMULA", "DEP_ID_AGR", "FLD_ID_AGR", "FLD_VIRT", "FLD_SYS"}},
        {"FLDTYPE", {"FLDTYPE_ID", "FLDTYPE_NAME"}},
        {"FKRULE", {"FKRULE_ID", "FKRULE_NAME"}},
        {"DEP", {"DEP_ID", "FLD_ID_PAR", "FLD_ID_CHI", "DEP_MAIN", "FKRULE_ID", "DEP_DET", "DEP_CAPT"}},
        {"UNIQFLD", {"UNIQFLD_ID"}},
        {"TBL", {"TBL_ID", "OBJ_ID", "DEP_ID", "TBL_CAPT", "TBL_NAME", "TBL_DEFAULT", "TBL_DEV"}},
        {"TBLFLD", {"TBLFLD_ID", "TBL_ID", "FLD_ID", "TBLFLD_LFT", "TBLFLD_RGT"}},
        {"CARD", {"CARD_ID", "OBJ_ID", "CARD_CAPT", "CARD_NAME", "CARD_DEFAULT", "CARD_DEV", "CARD_WIDTH",
                  "CARD_HEIGHTATR", "CARD_HEIGHTDET"}},
        {"CTRL", {"CTRL_ID", "CARD_ID", "FLD_ID", "CTRLTYPE_ID", "CTRL_LFT", "CTRL_RGT", "CTRL_CLEFT", "CTRL_CTOP",
                  "CTRL_CWIDTH", "CTRL_CHEIGHT", "CTRL_LLEFT", "CTRL_LTOP", "CTRL_LWIDTH", "CTRL_LHEIGHT", "CTRL_CAPT",
                  "CTRL_ROADD", "CTRL_ROEDT"}},
        {"CTRLTYPE", {"CTRLTYPE_ID", "CTRLTYPE_NAME"}},
        {"DETBOOK", {"DETBOOK_ID", "OBJ_ID", "DETBOOK_CAPT", "DETBOOK_NAME", "DETBOOK_DEFAULT", "DETBOOK_DEV"}},
        {"DETDEP", {"DETDEP_ID", "DETBOOK_ID", "DEP_ID"}},
        {"FLTR", {"FLTR_ID", "OBJ_ID", "TBL_ID", "DEP_ID", "FLTR_CAPT", "FLTR_NAME", "FLTR_ALWAYS", "FLTR_DEV"}},
        {"FLTRTREE", {"FLTRTREE_ID", "FLTR_ID", "FLTRTREE_LFT", "FLTRTREE_RGT", "FLTRTRTP_ID", "FLTRTREE_NOT",
                      "FLTRTREE_VALUE", "FLD_ID", "DEP_ID", "FLTRTREE_NAME"}},
        {"FLTRTRTP", {"FLTRTRTP_ID", "FLTRTRTP_NAME"}},
        {"FLTRTRPT", {"FLTRTRPT_ID", "FLTRTREE_ID", "FLD_ID"}},
        {"USR", {"USR_ID", "USR_LOGIN", "USR_NAME"}},
        {"USRTBL", {"USR_ID", "TBL_ID"}},
        {"USRCARD", {"USR_ID", "CARD_ID"}},
        {"USRDET", {"USR_ID", "DETBOOK_ID"}},
        {"CURRATE", {"CURR_ID", "CURRATE_DATE", "CURRATE_VALUE"}},
    };
    for (const TTableColumns& t : tables) {
        const QStringList actual = Column(
            QString("select trim(RDB$FIELD_NAME) from RDB$RELATION_FIELDS where RDB$RELATION_NAME = '%1'").arg(t.Table));
        for (const QString& column : t.Columns)
            EXPECT_TRUE(actual.contains(column)) << t.Table << "." << column.toStdString();
    }
}

struct TDomain {
    const char* Name;
    int Type;  // RDB$FIELD_TYPE
    int Precision;
    int Scale;
};

TEST_F(CatalogueTest, DomainsHoldTheirTypesAndScales)
{
    const TDomain domains[] = {
        {"PK", 8, 0, 0},         {"FK", 8, 0, 0},          {"INTEG", 8, 0, 0},       {"BOOL", 7, 0, 0},
        {"NUM134", 16, 13, -4},  {"NUM143", 16, 14, -3},   {"NUM152", 16, 15, -2},   {"DATEONLY", 12, 0, 0},
    };
    for (const TDomain& d : domains) {
        auto q = NewIBSQL();
        q->SQL << "select RDB$FIELD_TYPE, coalesce(RDB$FIELD_PRECISION, 0), RDB$FIELD_SCALE from RDB$FIELDS"
               << "where RDB$FIELD_NAME = :NAME";
        q->ParamByName("NAME").SetAsString(d.Name);
        q->ExecQuery();
        ASSERT_FALSE(q->Eof()) << d.Name;
        EXPECT_EQ(q->Fields(0).AsLong(), d.Type) << d.Name;
        if (d.Precision) {
            EXPECT_EQ(q->Fields(1).AsLong(), d.Precision) << d.Name;
        }
        EXPECT_EQ(q->Fields(2).AsLong(), d.Scale) << d.Name;
    }
    // BOOL holds only the flags.
    Exec("create table BT (B BOOL)");
    DBCommit();
    Exec("insert into BT values (1)");
    Exec("insert into BT values (0)");
    EXPECT_ANY_THROW(Exec("insert into BT values (2)"));
}

TEST_F(CatalogueTest, SequencesExistAndStartPastTheRowsOfTheCatalogue)
{
    const char* sequences[] = {"OBJ_ID", "FLD_ID", "DEP_ID", "UNIQFLD_ID", "TBL_ID", "TBLFLD_ID", "CARD_ID",
                               "CTRL_ID", "DETBOOK_ID", "DETDEP_ID", "FLTR_ID", "FLTRTREE_ID", "FLTRTRPT_ID",
                               "USR_ID", "CURRATE_ID"};
    for (const char* s : sequences)
        EXPECT_EQ(Count(QString("select count(*) from RDB$GENERATORS where RDB$GENERATOR_NAME = '%1'").arg(s)), 1) << s;
    EXPECT_GT(GenId("OBJ_ID"), Count("select max(OBJ_ID) from OBJ"));
    EXPECT_GT(GenId("FLD_ID"), Count("select max(FLD_ID) from FLD"));
    EXPECT_GT(GenId("DEP_ID"), Count("select max(DEP_ID) from DEP"));
    EXPECT_GT(GenId("USR_ID"), Count("select max(USR_ID) from USR"));
}

TEST_F(CatalogueTest, CodeTablesHoldTheirNames)
{
    EXPECT_EQ(Column("select FLDTYPE_NAME from FLDTYPE order by FLDTYPE_ID"),
              QStringList({"pk", "string", "fk", "integer", "boolean", "num134", "num143", "num152", "date"}));
    EXPECT_EQ(Column("select FKRULE_NAME from FKRULE order by FKRULE_ID"),
              QStringList({"NoAction", "Cascade", "SetNull"}));
    EXPECT_EQ(Column("select CTRLTYPE_NAME from CTRLTYPE order by CTRLTYPE_ID"),
              QStringList({"Root", "PageControl", "TabSheet", "EditStr", "EditInt", "EditNum134", "EditNum143",
                           "EditNum152", "EditObj", "DateEdit", "CheckBox"}));
    EXPECT_EQ(Column("select FLTRTRTP_NAME from FLTRTRTP order by FLTRTRTP_ID"),
              QStringList({"And", "Or", "Equal", "Greater", "Less", "Empty", "Containing", "Between", "In", "Exist"}));
    EXPECT_EQ(Column("select USR_LOGIN from USR"), QStringList({"demouser"}));
}

TEST_F(CatalogueTest, TheCatalogueDescribesItself)
{
    EXPECT_EQ(Column("select OBJ_TABLE from OBJ where OBJ_META = 1 and OBJ_SYS = 1 and OBJ_TABLE in "
                     "('OBJ', 'FLD', 'DEP', 'TBL', 'CARD', 'DETBOOK') order by OBJ_TABLE"),
              QStringList({"CARD", "DEP", "DETBOOK", "FLD", "OBJ", "TBL"}));

    // Every object has exactly one key field, named after its table.
    EXPECT_EQ(Count("select count(*) from OBJ O where 1 <> (select count(*) from FLD F join FLDTYPE T on "
                    "T.FLDTYPE_ID = F.FLDTYPE_ID where F.OBJ_ID = O.OBJ_ID and T.FLDTYPE_NAME = 'pk' and "
                    "F.FLD_FIELD = O.OBJ_TABLE || '_ID')"),
              0);
    // Every non-virtual column field names a real column of its table.
    EXPECT_EQ(Count("select count(*) from FLD F join OBJ O on O.OBJ_ID = F.OBJ_ID where F.FLD_VIRT = 0 and not "
                    "exists (select * from RDB$RELATION_FIELDS R where R.RDB$RELATION_NAME = O.OBJ_TABLE and "
                    "R.RDB$FIELD_NAME = F.FLD_FIELD)"),
              0);
    // Links go from a parent's key field to a child's fk field; every
    // non-virtual fk field is the child of exactly one link.
    EXPECT_EQ(Count("select count(*) from DEP D join FLD P on P.FLD_ID = D.FLD_ID_PAR join FLDTYPE T on "
                    "T.FLDTYPE_ID = P.FLDTYPE_ID where T.FLDTYPE_NAME <> 'pk'"),
              0);
    EXPECT_EQ(Count("select count(*) from FLD F join FLDTYPE T on T.FLDTYPE_ID = F.FLDTYPE_ID where "
                    "T.FLDTYPE_NAME = 'fk' and F.FLD_VIRT = 0 and 1 <> (select count(*) from DEP D where "
                    "D.FLD_ID_CHI = F.FLD_ID)"),
              0);

    // The seven links, child table.column -> parent table.
    EXPECT_EQ(Column("select C.OBJ_TABLE || '.' || CF.FLD_FIELD || '>' || PO.OBJ_TABLE from DEP D "
                     "join FLD CF on CF.FLD_ID = D.FLD_ID_CHI join OBJ C on C.OBJ_ID = CF.OBJ_ID "
                     "join FLD PF on PF.FLD_ID = D.FLD_ID_PAR join OBJ PO on PO.OBJ_ID = PF.OBJ_ID "
                     "order by 1"),
              QStringList({"CARD.OBJ_ID>OBJ", "DEP.FLD_ID_CHI>FLD", "DEP.FLD_ID_PAR>FLD", "DETBOOK.OBJ_ID>OBJ",
                           "FLD.OBJ_ID>OBJ", "TBL.DEP_ID>DEP", "TBL.OBJ_ID>OBJ"}));

    EXPECT_EQ(Column("select O.OBJ_TABLE || '.' || F.FLD_FIELD from FLD F join OBJ O on O.OBJ_ID = F.OBJ_ID "
                     "where F.FLD_VIRT = 1 order by 1"),
              QStringList({"DEP.FLD_CAPT_V", "DEP.FLD_FIELD_V", "DEP.FLD_NOTNULL_V", "DEP.OBJ_ID_V",
                           "FLD.FKRULE_ID_V", "FLD.OBJ_ID_V"}));
}

// A small data model in the catalogue: parent object P with key field and a
// child object C whose fk field links to P, with definitions of both.
class CascadeTest : public CatalogueTest {
protected:
    int NewId(const char* sequence) { return GenId(sequence); }

    int AddObj(const QString& table)
    {
        const int id = NewId("OBJ_ID");
        Exec(QString("insert into OBJ (OBJ_ID, OBJ_TABLE, OBJ_CAPT, OBJ_REF, OBJ_META, OBJ_SYS) "
                     "values (%1, '%2', '%2', 0, 0, 0)").arg(id).arg(table));
        return id;
    }
    int AddFld(int obj, const QString& field, const QString& type)
    {
        const int id = NewId("FLD_ID");
        Exec(QString("insert into FLD (FLD_ID, OBJ_ID, FLD_FIELD, FLDTYPE_ID, FLD_SIZE, FLD_NOTNULL, FLD_CAPT, "
                     "FLD_MAIN, FLD_VIRT, FLD_SYS) select %1, %2, '%3', FLDTYPE_ID, 0, 0, '%3', 0, 0, 0 "
                     "from FLDTYPE where FLDTYPE_NAME = '%4'").arg(id).arg(obj).arg(field, type));
        return id;
    }
    int AddDep(int par, int chi)
    {
        const int id = NewId("DEP_ID");
        Exec(QString("insert into DEP (DEP_ID, FLD_ID_PAR, FLD_ID_CHI, DEP_MAIN, FKRULE_ID, DEP_DET, DEP_CAPT) "
                     "select %1, %2, %3, 1, FKRULE_ID, 1, '' from FKRULE where FKRULE_NAME = 'Cascade'")
                 .arg(id).arg(par).arg(chi));
        return id;
    }
    int AddTbl(int obj, int dep)
    {
        const int id = NewId("TBL_ID");
        Exec(QString("insert into TBL (TBL_ID, OBJ_ID, DEP_ID, TBL_CAPT, TBL_NAME, TBL_DEFAULT, TBL_DEV) "
                     "values (%1, %2, %3, 't', 't', 1, 0)").arg(id).arg(obj).arg(dep ? QString::number(dep) : "null"));
        Exec(QString("insert into TBLFLD (TBLFLD_ID, TBL_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT) values (%1, %2, 0, 1, 2)")
                 .arg(NewId("TBLFLD_ID")).arg(id));
        return id;
    }
    void AddTblFld(int tbl, int fld)
    {
        Exec(QString("insert into TBLFLD (TBLFLD_ID, TBL_ID, FLD_ID, TBLFLD_LFT, TBLFLD_RGT) values (%1, %2, %3, 2, 3)")
                 .arg(NewId("TBLFLD_ID")).arg(tbl).arg(fld));
    }
    int AddCard(int obj, int fld)
    {
        const int id = NewId("CARD_ID");
        Exec(QString("insert into CARD (CARD_ID, OBJ_ID, CARD_CAPT, CARD_NAME, CARD_DEFAULT, CARD_DEV, CARD_WIDTH, "
                     "CARD_HEIGHTATR, CARD_HEIGHTDET) values (%1, %2, 'c', 'c', 1, 0, 400, 300, 0)").arg(id).arg(obj));
        Exec(QString("insert into CTRL (CTRL_ID, CARD_ID, FLD_ID, CTRLTYPE_ID, CTRL_LFT, CTRL_RGT, CTRL_ROADD, "
                     "CTRL_ROEDT) select %1, %2, %3, CTRLTYPE_ID, 1, 2, 0, 0 from CTRLTYPE where CTRLTYPE_NAME = "
                     "'EditObj'").arg(NewId("CTRL_ID")).arg(id).arg(fld));
        return id;
    }
    int AddDetBook(int obj, int dep)
    {
        const int id = NewId("DETBOOK_ID");
        Exec(QString("insert into DETBOOK (DETBOOK_ID, OBJ_ID, DETBOOK_CAPT, DETBOOK_NAME, DETBOOK_DEFAULT, "
                     "DETBOOK_DEV) values (%1, %2, 'd', 'd', 1, 0)").arg(id).arg(obj));
        Exec(QString("insert into DETDEP (DETDEP_ID, DETBOOK_ID, DEP_ID) values (gen_id(DETDEP_ID, 1), %1, %2)")
                 .arg(id).arg(dep));
        return id;
    }
    int AddFltr(int obj, int tbl, int dep, int fld)
    {
        const int id = NewId("FLTR_ID");
        Exec(QString("insert into FLTR (FLTR_ID, OBJ_ID, TBL_ID, DEP_ID, FLTR_CAPT, FLTR_NAME, FLTR_ALWAYS, FLTR_DEV) "
                     "values (%1, %2, %3, %4, 'f', 'f', 1, 0)").arg(id).arg(obj)
                 .arg(tbl ? QString::number(tbl) : "null", dep ? QString::number(dep) : "null"));
        const int node = NewId("FLTRTREE_ID");
        Exec(QString("insert into FLTRTREE (FLTRTREE_ID, FLTR_ID, FLTRTREE_LFT, FLTRTREE_RGT, FLTRTRTP_ID, "
                     "FLTRTREE_NOT, FLD_ID, FLTRTREE_NAME) select %1, %2, 1, 2, FLTRTRTP_ID, 0, %3, 'n' from "
                     "FLTRTRTP where FLTRTRTP_NAME = 'Equal'").arg(node).arg(id).arg(fld));
        Exec(QString("insert into FLTRTRPT (FLTRTRPT_ID, FLTRTREE_ID, FLD_ID) values (%1, %2, %3)")
                 .arg(NewId("FLTRTRPT_ID")).arg(node).arg(fld));
        return id;
    }
    int Rows(const QString& table, const QString& where) { return Count("select count(*) from " + table + " where " + where); }

    void SetUp() override
    {
        CatalogueTest::SetUp();
        P = AddObj("P");
        PKey = AddFld(P, "P_ID", "pk");
        C = AddObj("C");
        CKey = AddFld(C, "C_ID", "pk");
        CRef = AddFld(C, "P_ID", "fk");
        Link = AddDep(PKey, CRef);
        PTbl = AddTbl(P, 0);
        CDetTbl = AddTbl(C, Link);
        PCard = AddCard(P, PKey);
        PBook = AddDetBook(P, Link);
        PFltr = AddFltr(P, PTbl, 0, PKey);
        CLinkFltr = AddFltr(C, 0, Link, CRef);
        // A third object's definitions that merely name C's fields.
        X = AddObj("X");
        XTbl = AddTbl(X, 0);
        AddTblFld(XTbl, CRef);
        XCard = AddCard(X, CRef);
        XFltr = AddFltr(X, XTbl, 0, CRef);
        DBCommit();
    }

    int P = 0, PKey = 0, C = 0, CKey = 0, CRef = 0, Link = 0, PTbl = 0, CDetTbl = 0, PCard = 0, PBook = 0;
    int PFltr = 0, CLinkFltr = 0, X = 0, XTbl = 0, XCard = 0, XFltr = 0;
};

TEST_F(CascadeTest, DeletingAFieldRemovesItsLinkAndWhatBelongsToTheLink)
{
    Exec(QString("delete from FLD where FLD_ID = %1").arg(CRef));
    EXPECT_EQ(Rows("DEP", QString("DEP_ID = %1").arg(Link)), 0);
    EXPECT_EQ(Rows("TBL", QString("TBL_ID = %1").arg(CDetTbl)), 0);
    EXPECT_EQ(Rows("TBLFLD", QString("TBL_ID = %1").arg(CDetTbl)), 0);
    EXPECT_EQ(Rows("DETDEP", QString("DEP_ID = %1").arg(Link)), 0);
    EXPECT_EQ(Rows("FLTR", QString("FLTR_ID = %1").arg(CLinkFltr)), 0);
    EXPECT_EQ(Rows("FLTRTREE", QString("FLTR_ID = %1").arg(CLinkFltr)), 0);
    // The detail book itself and the parent's own grid stay.
    EXPECT_EQ(Rows("DETBOOK", QString("DETBOOK_ID = %1").arg(PBook)), 1);
    EXPECT_EQ(Rows("TBL", QString("TBL_ID = %1").arg(PTbl)), 1);
    // Rows of other definitions that name the field neither block nor go.
    EXPECT_EQ(Rows("TBLFLD", QString("TBL_ID = %1 and FLD_ID = %2").arg(XTbl).arg(CRef)), 1);
    EXPECT_EQ(Rows("CTRL", QString("CARD_ID = %1 and FLD_ID = %2").arg(XCard).arg(CRef)), 1);
    EXPECT_EQ(Rows("FLTRTREE", QString("FLTR_ID = %1 and FLD_ID = %2").arg(XFltr).arg(CRef)), 1);
    EXPECT_EQ(Rows("FLTRTRPT", QString("FLD_ID = %1").arg(CRef)), 1);
}

TEST_F(CascadeTest, DeletingAnObjectRemovesEverythingThatBelongsToIt)
{
    Exec(QString("delete from OBJ where OBJ_ID = %1").arg(C));
    EXPECT_EQ(Rows("FLD", QString("OBJ_ID = %1").arg(C)), 0);
    EXPECT_EQ(Rows("DEP", QString("DEP_ID = %1").arg(Link)), 0);
    EXPECT_EQ(Rows("TBL", QString("OBJ_ID = %1").arg(C)), 0);
    EXPECT_EQ(Rows("FLTR", QString("OBJ_ID = %1").arg(C)), 0);
    EXPECT_EQ(Rows("DETDEP", QString("DEP_ID = %1").arg(Link)), 0);

    Exec(QString("delete from OBJ where OBJ_ID = %1").arg(P));
    for (const char* table : {"FLD", "TBL", "CARD", "DETBOOK", "FLTR"})
        EXPECT_EQ(Rows(table, QString("OBJ_ID = %1").arg(P)), 0) << table;
    EXPECT_EQ(Rows("TBLFLD", QString("TBL_ID = %1").arg(PTbl)), 0);
    EXPECT_EQ(Rows("CTRL", QString("CARD_ID = %1").arg(PCard)), 0);
    EXPECT_EQ(Rows("DETDEP", QString("DETBOOK_ID = %1").arg(PBook)), 0);
    EXPECT_EQ(Rows("FLTRTREE", QString("FLTR_ID = %1").arg(PFltr)), 0);
    EXPECT_EQ(Rows("FLTRTRPT F join FLTRTREE T on T.FLTRTREE_ID = F.FLTRTREE_ID", QString("T.FLTR_ID = %1").arg(PFltr)), 0);

    // X's definitions still stand, with their rows naming deleted fields.
    EXPECT_EQ(Rows("TBLFLD", QString("TBL_ID = %1").arg(XTbl)), 2);
    EXPECT_EQ(Rows("CTRL", QString("CARD_ID = %1").arg(XCard)), 1);
    EXPECT_EQ(Rows("FLTRTREE", QString("FLTR_ID = %1").arg(XFltr)), 1);
}

TEST_F(CascadeTest, DeletingALinkRemovesItsGridsBookEntriesAndFilters)
{
    Exec(QString("delete from DEP where DEP_ID = %1").arg(Link));
    EXPECT_EQ(Rows("TBL", QString("TBL_ID = %1").arg(CDetTbl)), 0);
    EXPECT_EQ(Rows("DETDEP", QString("DEP_ID = %1").arg(Link)), 0);
    EXPECT_EQ(Rows("FLTR", QString("FLTR_ID = %1").arg(CLinkFltr)), 0);
    EXPECT_EQ(Rows("FLD", QString("FLD_ID = %1").arg(CRef)), 1);
    EXPECT_EQ(Rows("DETBOOK", QString("DETBOOK_ID = %1").arg(PBook)), 1);
}

TEST_F(CascadeTest, AnAggregateLosesItsLinkWhenTheLinkGoes)
{
    const int sum = AddFld(P, "TOTAL", "num134");
    Exec(QString("update FLD set DEP_ID_AGR = %1, FLD_ID_AGR = %2 where FLD_ID = %3").arg(Link).arg(CKey).arg(sum));
    Exec(QString("delete from DEP where DEP_ID = %1").arg(Link));
    EXPECT_EQ(Rows("FLD", QString("FLD_ID = %1 and DEP_ID_AGR is null").arg(sum)), 1);
}

}  // namespace
