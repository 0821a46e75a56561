#pragma once

#include "Variant.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
class IResultSet;
class IMessageMetadata;
}

class TIBDatabase;
class TIBTransaction;
class TIBSQL;

// How a column sits in the fetched row buffer.
struct TColumnLayout {
    unsigned Type = 0;  // SQL type without the nullable bit
    int SubType = 0;
    unsigned Length = 0;
    int Scale = 0;
    unsigned CharSet = 0;
    unsigned Offset = 0;
    unsigned NullOffset = 0;
};

// A parameter or a column of a statement. A column reads the current row;
// a parameter holds the value bound at the next run.
class TIBXSQLVAR {
public:
    const QString& Name() const { return FName; }

    // Reading. A NULL reads as "", as 0 through AsLong, AsShort and
    // AsCurrency, and as a null value through AsVariant.
    bool IsNull() const;
    QString AsString() const;
    int AsLong() const;
    short AsShort() const;
    qint64 AsCurrency() const;  // scaled by 10000
    double AsFloat() const;
    QDate AsDate() const;
    Variant AsVariant() const;

    // Writing (parameters). AsBoolean stores 1 or 0; AsDate a date without
    // time; a null or unassigned value through AsVariant stores NULL.
    void SetAsInteger(int value);
    void SetAsString(const QString& value);
    void SetAsBoolean(bool value);
    void SetAsDate(const QDate& value);
    void SetAsVariant(const Variant& value);
    void SetNull();

private:
    friend class TIBSQL;
    TIBXSQLVAR(const TIBSQL* owner, QString name) : FOwner(owner), FName(std::move(name)) {}
    void CheckParam() const;

    const TIBSQL* FOwner;
    QString FName;
    bool FIsColumn = false;
    int FIndex = 0;    // column position
    Variant FValue;    // parameter value
};

// When set, sees the text of every statement just before it runs (a
// statement monitor for tracing and tests).
extern std::function<void(const QString&)> SqlMonitor;

// A statement with named parameters (":NAME"; the name may be digits). It is
// prepared once per text and runs again with new values after Close.
class TIBSQL {
public:
    explicit TIBSQL(TIBDatabase* database = nullptr, TIBTransaction* transaction = nullptr);
    ~TIBSQL();
    TIBSQL(const TIBSQL&) = delete;
    TIBSQL& operator=(const TIBSQL&) = delete;

    TIBDatabase* Database() const { return FDatabase; }
    void SetDatabase(TIBDatabase* database);
    TIBTransaction* Transaction() const { return FTransaction; }
    void SetTransaction(TIBTransaction* transaction) { FTransaction = transaction; }

    QStringList SQL;  // the statement's lines
    QString Text() const { return SQL.join('\n'); }

    void Prepare();
    // Runs the statement. A select stands on its first row at once; Eof tells
    // whether there is one.
    void ExecQuery();
    bool Eof() const { return FEof; }
    void Next();
    // Closes the cursor; harmless on a statement that is not open.
    void Close();
    bool Open() const { return FCursor != nullptr; }

    TIBXSQLVAR& ParamByName(const QString& name);
    TIBXSQLVAR& FieldByName(const QString& name);
    TIBXSQLVAR& Fields(int index);
    int FieldCount() const { return int(FColumns.size()); }
    int RecordCount() const { return FRecordCount; }  // rows fetched so far
    qint64 RowsAffected() const;

    // Frees the server's handle; the next run prepares the text again.
    void FreeHandle();

private:
    friend class TIBXSQLVAR;
    friend class TIBDatabase;
    friend class TIBTransaction;

    void ParseParams();
    void CheckReady() const;
    void DescribeColumns();
    void BindParams();
    Variant ColumnValue(int index) const;
    void DropCursor();  // forgets a cursor its transaction has ended

    TIBDatabase* FDatabase = nullptr;
    TIBTransaction* FTransaction = nullptr;

    // Named parameters of the text they were parsed from.
    QStringList FParsedLines;
    QString FPositionalSql;
    std::vector<std::unique_ptr<TIBXSQLVAR>> FParams;
    std::vector<int> FParamOfPosition;  // parameter index for each "?"

    // The prepared statement of FPreparedSql.
    QString FPreparedSql;
    Firebird::IStatement* FStatement = nullptr;
    unsigned FStatementType = 0;
    Firebird::IMessageMetadata* FInMeta = nullptr;   // as the server describes the inputs
    std::vector<TColumnLayout> FInLayouts;
    Firebird::IMessageMetadata* FBindMeta = nullptr; // as the values are sent
    std::vector<unsigned> FBindSignature;
    std::vector<TColumnLayout> FBindLayouts;
    std::vector<unsigned char> FInBuffer;
    Firebird::IMessageMetadata* FOutMeta = nullptr;
    std::vector<unsigned char> FOutBuffer;
    std::vector<TColumnLayout> FLayouts;
    std::vector<std::unique_ptr<TIBXSQLVAR>> FColumns;
    QHash<QString, int> FColumnByName;  // upper-case name -> first column with it

    Firebird::IResultSet* FCursor = nullptr;
    bool FEof = true;
    bool FHasRow = false;
    int FRecordCount = 0;
};

// Closes a statement when the scope ends, also when an error leaves it; with
// freeHandle, frees its server handle too (for texts that run once).
class TQueryCloser {
public:
    explicit TQueryCloser(TIBSQL& query, bool freeHandle = false) : FQuery(query), FFreeHandle(freeHandle) {}
    ~TQueryCloser() { FFreeHandle ? FQuery.FreeHandle() : FQuery.Close(); }
    TQueryCloser(const TQueryCloser&) = delete;
    TQueryCloser& operator=(const TQueryCloser&) = delete;

private:
    TIBSQL& FQuery;
    bool FFreeHandle;
};
