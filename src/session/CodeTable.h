#pragma once

#include <QString>
#include <vector>

// Maps a fixed enumeration to the codes of a catalogue code table by name.
// The table is read on the first look-up ("select * from T", columns T_ID
// and T_NAME) and the codes are kept until the program ends; a failed read
// leaves it unread so the next look-up tries again.
class TCodeTable {
public:
    struct TRec {
        int ID = 0;  // 0 until read, and for names the table lacks
        QString Name;
        int Value;   // the enumeration value
    };

    // byCodeMessage takes the code ("%d"), valueMessage the enumeration's ordinal.
    TCodeTable(QString table, std::vector<TRec> recs, QString byCodeMessage, QString valueMessage);

    // The value of the first record, in table order, whose code is the code.
    int ValueByCode(int code);
    // The code of the value's record.
    int CodeOfValue(int value);
    const std::vector<TRec>& Recs();
    bool Filled() const { return FFilled; }
    // Forgets the codes read, as at program start.
    void Forget();

private:
    void Fill();

    QString FTable;
    std::vector<TRec> FRecs;
    QString FByCodeMessage;
    QString FValueMessage;
    bool FFilled = false;
};
