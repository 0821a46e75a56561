#include "CodeTable.h"

#include "Error.h"
#include "Format.h"
#include "Session.h"

#include <utility>

TCodeTable::TCodeTable(QString table, std::vector<TRec> recs, QString byCodeMessage, QString valueMessage)
    : FTable(std::move(table)), FRecs(std::move(recs)), FByCodeMessage(std::move(byCodeMessage)),
      FValueMessage(std::move(valueMessage))
{
}

void TCodeTable::Fill()
{
    if (FFilled)
        return;
    std::vector<TRec> recs = FRecs;
    for (TRec& r : recs)
        r.ID = 0;
    auto q = NewIBSQL();
    q->SQL << "select * from " + FTable;
    for (q->ExecQuery(); !q->Eof(); q->Next()) {
        const QString name = q->FieldByName(FTable + "_NAME").AsString();
        for (TRec& r : recs)
            if (r.Name == name) {
                r.ID = q->FieldByName(FTable + "_ID").AsLong();
                break;
            }
    }
    q->Close();
    FRecs = std::move(recs);
    FFilled = true;
}

int TCodeTable::ValueByCode(int code)
{
    Fill();
    for (const TRec& r : FRecs)
        if (r.ID == code)
            return r.Value;
    throw Error(Format(FByCodeMessage, {code}));
}

int TCodeTable::CodeOfValue(int value)
{
    Fill();
    for (const TRec& r : FRecs)
        if (r.Value == value)
            return r.ID;
    throw Error(Format(FValueMessage, {value}));
}

const std::vector<TCodeTable::TRec>& TCodeTable::Recs()
{
    Fill();
    return FRecs;
}

void TCodeTable::Forget() { FFilled = false; }
