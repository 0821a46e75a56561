#include "IBSQL.h"

#include "Error.h"
#include "FbApi.h"
#include "IBDatabase.h"
#include "SqlParams.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ibase.h>
#include <limits>

namespace {

// Firebird counts dates in days from 1858-11-17.
constexpr qint64 FbDateOriginJulianDay = 2400001;
constexpr unsigned CharSetUtf8 = 4;
constexpr unsigned CharSetOctets = 1;
constexpr unsigned MaxVarcharBytes = 32765;

qint64 PowerOf10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// A scaled integer as the variant kind that holds it without loss.
Variant ScaledValue(qint64 value, int scale)
{
    if (scale == 0)
        return Variant(value);
    if (scale > 0)
        return Variant(value * PowerOf10(scale));
    if (scale >= -4)
        return Variant::FromCurrency(value * PowerOf10(4 + scale));
    return Variant(double(value) / double(PowerOf10(-scale)));
}

QString DecodeText(const char* data, unsigned length, unsigned charSet)
{
    if (charSet == CharSetOctets)
        return QString::fromLatin1(data, int(length));
    return QString::fromUtf8(data, int(length));
}

// A value of the message buffer, which need not be aligned for it.
template <typename T>
T Read(const unsigned char* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

template <typename T>
void Write(unsigned char* data, T value)
{
    std::memcpy(data, &value, sizeof value);
}

bool IsText(unsigned type) { return type == SQL_TEXT || type == SQL_VARYING; }

TColumnLayout LayoutOf(Firebird::IMessageMetadata* meta, unsigned i, fb::TStatus& st)
{
    const auto get = [&](auto call) {
        const auto value = call(st.Fresh());
        st.Check();
        return value;
    };
    TColumnLayout l;
    l.Type = get([&](auto* s) { return meta->getType(s, i); }) & ~1u;
    l.SubType = get([&](auto* s) { return meta->getSubType(s, i); });
    l.Length = get([&](auto* s) { return meta->getLength(s, i); });
    l.Scale = get([&](auto* s) { return meta->getScale(s, i); });
    l.CharSet = get([&](auto* s) { return meta->getCharSet(s, i); });
    l.Offset = get([&](auto* s) { return meta->getOffset(s, i); });
    l.NullOffset = get([&](auto* s) { return meta->getNullOffset(s, i); });
    return l;
}

void ReleaseMeta(Firebird::IMessageMetadata*& meta)
{
    if (meta)
        meta->release();
    meta = nullptr;
}

}  // namespace

std::function<void(const QString&)> SqlMonitor;

// ---------------------------------------------------------------------------
// TIBXSQLVAR

void TIBXSQLVAR::CheckParam() const
{
    if (FIsColumn)
        throw Error(QString("Column \"%1\" cannot be written").arg(FName));
}

Variant TIBXSQLVAR::AsVariant() const
{
    if (FIsColumn)
        return FOwner->ColumnValue(FIndex);
    return FValue.IsUnassigned() ? Variant::Null() : FValue;
}

bool TIBXSQLVAR::IsNull() const { return AsVariant().IsNull(); }

QString TIBXSQLVAR::AsString() const { return AsVariant().AsString(); }

int TIBXSQLVAR::AsLong() const
{
    const Variant v = AsVariant();
    return v.IsNull() ? 0 : v.AsInteger();
}

short TIBXSQLVAR::AsShort() const
{
    const int v = AsLong();
    if (v < std::numeric_limits<short>::min() || v > std::numeric_limits<short>::max())
        throw Error(QString("Integer overflow: %1").arg(v));
    return short(v);
}

qint64 TIBXSQLVAR::AsCurrency() const
{
    const Variant v = AsVariant();
    return v.IsNull() ? 0 : v.AsCurrency();
}

double TIBXSQLVAR::AsFloat() const
{
    const Variant v = AsVariant();
    return v.IsNull() ? 0 : v.AsFloat();
}

QDate TIBXSQLVAR::AsDate() const
{
    const Variant v = AsVariant();
    return v.IsNull() ? QDate() : v.AsDate();
}

void TIBXSQLVAR::SetAsInteger(int value)
{
    CheckParam();
    FValue = Variant(value);
}

void TIBXSQLVAR::SetAsString(const QString& value)
{
    CheckParam();
    FValue = Variant(value);
}

void TIBXSQLVAR::SetAsBoolean(bool value)
{
    CheckParam();
    FValue = Variant(value ? 1 : 0);
}

void TIBXSQLVAR::SetAsDate(const QDate& value)
{
    CheckParam();
    FValue = value.isValid() ? Variant(value) : Variant::Null();
}

void TIBXSQLVAR::SetAsVariant(const Variant& value)
{
    CheckParam();
    FValue = value.IsUnassigned() ? Variant::Null() : value;
}

void TIBXSQLVAR::SetNull()
{
    CheckParam();
    FValue = Variant::Null();
}

// ---------------------------------------------------------------------------
// TIBSQL

TIBSQL::TIBSQL(TIBDatabase* database, TIBTransaction* transaction) : FTransaction(transaction)
{
    SetDatabase(database);
}

TIBSQL::~TIBSQL()
{
    FreeHandle();
    if (FDatabase)
        FDatabase->FStatements.erase(
            std::remove(FDatabase->FStatements.begin(), FDatabase->FStatements.end(), this),
            FDatabase->FStatements.end());
}

void TIBSQL::SetDatabase(TIBDatabase* database)
{
    if (database == FDatabase)
        return;
    FreeHandle();
    if (FDatabase)
        FDatabase->FStatements.erase(
            std::remove(FDatabase->FStatements.begin(), FDatabase->FStatements.end(), this),
            FDatabase->FStatements.end());
    FDatabase = database;
    if (FDatabase)
        FDatabase->FStatements.push_back(this);
}

void TIBSQL::ParseParams()
{
    if (!FParsedLines.isEmpty() && SQL == FParsedLines)
        return;
    const TParsedSql parsed = ParseNamedParams(Text());
    FParams.clear();
    FParamOfPosition.clear();
    for (const QString& name : parsed.Positions) {
        const QString key = name.toUpper();
        auto it = std::find_if(FParams.begin(), FParams.end(),
                               [&](const auto& p) { return p->FName.toUpper() == key; });
        if (it == FParams.end()) {
            FParams.push_back(std::unique_ptr<TIBXSQLVAR>(new TIBXSQLVAR(this, name)));
            it = FParams.end() - 1;
        }
        FParamOfPosition.push_back(int(it - FParams.begin()));
    }
    FPositionalSql = parsed.Sql;
    FParsedLines = SQL;
}

void TIBSQL::CheckReady() const
{
    if (!FDatabase || !FDatabase->Connected())
        throw Error("Database not open");
    if (!FTransaction || !FTransaction->InTransaction())
        throw Error("Transaction not active");
}

void TIBSQL::Prepare()
{
    CheckReady();
    ParseParams();
    if (FStatement && FPreparedSql == FPositionalSql)
        return;
    if (FPositionalSql.trimmed().isEmpty())
        throw Error("Empty query");
    FreeHandle();

    fb::TStatus st;
    const QByteArray sql = FPositionalSql.toUtf8();
    Firebird::IStatement* stmt = FDatabase->Handle()->prepare(
        st.Fresh(), FTransaction->Handle(), unsigned(sql.size()), sql.constData(), SQL_DIALECT_V6,
        Firebird::IStatement::PREPARE_PREFETCH_METADATA);
    st.Check(Text());
    FStatement = stmt;
    FPreparedSql = FPositionalSql;
    try {
        FStatementType = FStatement->getType(st.Fresh());
        st.Check(Text());
        FInMeta = FStatement->getInputMetadata(st.Fresh());
        st.Check(Text());
        const unsigned inputs = FInMeta->getCount(st.Fresh());
        st.Check(Text());
        for (unsigned i = 0; i < inputs; ++i)
            FInLayouts.push_back(LayoutOf(FInMeta, i, st));
        FOutMeta = FStatement->getOutputMetadata(st.Fresh());
        st.Check(Text());
        DescribeColumns();
    } catch (...) {
        FreeHandle();
        throw;
    }
}

void TIBSQL::DescribeColumns()
{
    fb::TStatus st;
    FLayouts.clear();
    FColumns.clear();
    FColumnByName.clear();
    const unsigned count = FOutMeta->getCount(st.Fresh());
    st.Check();
    FOutBuffer.assign(FOutMeta->getMessageLength(st.Fresh()), 0);
    st.Check();
    for (unsigned i = 0; i < count; ++i) {
        FLayouts.push_back(LayoutOf(FOutMeta, i, st));
        const QString name = QString::fromUtf8(FOutMeta->getAlias(st.Fresh(), i));
        st.Check();
        auto column = std::unique_ptr<TIBXSQLVAR>(new TIBXSQLVAR(this, name));
        column->FIsColumn = true;
        column->FIndex = int(i);
        FColumns.push_back(std::move(column));
    }
    // Backwards, so that a repeated name maps to its first column.
    for (int i = int(count) - 1; i >= 0; --i)
        FColumnByName.insert(FColumns[i]->FName.toUpper(), i);
}

void TIBSQL::BindParams()
{
    fb::TStatus st;
    const unsigned count = FInMeta->getCount(st.Fresh());
    st.Check();
    if (count == 0) {
        ReleaseMeta(FBindMeta);
        FInBuffer.clear();
        return;
    }
    if (count != FParamOfPosition.size())
        throw Error(QString("Parameter count mismatch: the statement has %1, the text names %2")
                        .arg(count)
                        .arg(FParamOfPosition.size()));

    // How each value is sent: its own type where it has one, the declared
    // type for NULL. The server converts to the parameter's type.
    std::vector<unsigned> signature;
    signature.reserve(count * 4);
    std::vector<QByteArray> texts(count);
    for (unsigned i = 0; i < count; ++i) {
        const Variant& v = FParams[FParamOfPosition[i]]->FValue;
        const TColumnLayout& in = FInLayouts[i];
        const unsigned declared = in.Type;
        unsigned type = declared, length = in.Length, charSet = IsText(declared) ? in.CharSet : 0;
        int scale = in.Scale;
        switch (v.Type()) {
        case TVarType::Unassigned:
        case TVarType::Null: break;
        case TVarType::Integer:
        case TVarType::Boolean:
        case TVarType::Currency:
            if (declared == SQL_BOOLEAN && v.Type() != TVarType::Currency) {
                type = SQL_BOOLEAN, length = 1, scale = 0;
            } else {
                type = SQL_INT64, length = 8, scale = v.Type() == TVarType::Currency ? -4 : 0;
            }
            charSet = 0;
            break;
        case TVarType::Float: type = SQL_DOUBLE, length = 8, scale = 0, charSet = 0; break;
        case TVarType::Date: type = SQL_TYPE_DATE, length = 4, scale = 0, charSet = 0; break;
        case TVarType::String: {
            if (declared == SQL_BLOB || declared == SQL_ARRAY)
                throw Error(QString("Parameter \"%1\": BLOB parameters are not supported")
                                .arg(FParams[FParamOfPosition[i]]->FName));
            texts[i] = v.AsString().toUtf8();
            const unsigned bytes = unsigned(texts[i].size());
            if (bytes > MaxVarcharBytes)
                throw Error(QString("Parameter \"%1\": the text is longer than %2 bytes")
                                .arg(FParams[FParamOfPosition[i]]->FName)
                                .arg(MaxVarcharBytes));
            if (IsText(declared)) {
                length = std::max(length, bytes);
            } else {
                length = std::max(64u, (bytes + 63) / 64 * 64);
                charSet = CharSetUtf8;
            }
            type = SQL_VARYING, scale = 0;
            break;
        }
        }
        signature.insert(signature.end(), {type, length, unsigned(scale), charSet});
    }

    if (!FBindMeta || signature != FBindSignature) {
        Firebird::IMetadataBuilder* builder = FInMeta->getBuilder(st.Fresh());
        st.Check();
        struct TRelease {
            Firebird::IMetadataBuilder* B;
            ~TRelease() { B->release(); }
        } release{builder};
        for (unsigned i = 0; i < count; ++i) {
            const unsigned* s = &signature[i * 4];
            builder->setType(st.Fresh(), i, s[0] | 1u);
            st.Check();
            builder->setLength(st.Fresh(), i, s[1]);
            st.Check();
            builder->setScale(st.Fresh(), i, int(s[2]));
            st.Check();
            if (IsText(s[0])) {
                builder->setCharSet(st.Fresh(), i, s[3]);
                st.Check();
            }
        }
        Firebird::IMessageMetadata* meta = builder->getMetadata(st.Fresh());
        st.Check();
        ReleaseMeta(FBindMeta);
        FBindMeta = meta;
        FBindSignature = signature;
        FInBuffer.assign(FBindMeta->getMessageLength(st.Fresh()), 0);
        st.Check();
        FBindLayouts.clear();
        for (unsigned i = 0; i < count; ++i)
            FBindLayouts.push_back(LayoutOf(FBindMeta, i, st));
    }

    unsigned char* buf = FInBuffer.data();
    for (unsigned i = 0; i < count; ++i) {
        const Variant& v = FParams[FParamOfPosition[i]]->FValue;
        const TColumnLayout& l = FBindLayouts[i];
        const bool isNull = v.IsUnassignedOrNull();
        Write<short>(buf + l.NullOffset, isNull ? -1 : 0);
        if (isNull)
            continue;
        unsigned char* data = buf + l.Offset;
        switch (l.Type) {
        case SQL_INT64: Write<qint64>(data, v.Type() == TVarType::Currency ? v.AsCurrency() : v.AsInt64()); break;
        case SQL_BOOLEAN: *data = v.AsInt64() != 0 ? 1 : 0; break;
        case SQL_DOUBLE: Write<double>(data, v.AsFloat()); break;
        case SQL_TYPE_DATE: Write<ISC_DATE>(data, ISC_DATE(v.AsDate().toJulianDay() - FbDateOriginJulianDay)); break;
        case SQL_VARYING:
            Write<unsigned short>(data, static_cast<unsigned short>(texts[i].size()));
            std::memcpy(data + 2, texts[i].constData(), size_t(texts[i].size()));
            break;
        default: break;
        }
    }
}

void TIBSQL::ExecQuery()
{
    Prepare();
    Close();
    BindParams();
    if (SqlMonitor)
        SqlMonitor(Text());
    FRecordCount = 0;
    FEof = true;
    FHasRow = false;

    fb::TStatus st;
    void* in = FInBuffer.empty() ? nullptr : FInBuffer.data();
    if (FStatementType == isc_info_sql_stmt_select || FStatementType == isc_info_sql_stmt_select_for_upd) {
        Firebird::IResultSet* cursor = FStatement->openCursor(st.Fresh(), FTransaction->Handle(), FBindMeta,
                                                              in, FOutMeta, 0);
        st.Check(Text());
        FCursor = cursor;
        Next();
    } else {
        const bool hasOutput = !FColumns.empty();
        FStatement->execute(st.Fresh(), FTransaction->Handle(), FBindMeta, in, hasOutput ? FOutMeta : nullptr,
                            hasOutput ? FOutBuffer.data() : nullptr);
        st.Check(Text());
        if (hasOutput) {
            FHasRow = true;
            FEof = false;
            FRecordCount = 1;
        }
    }
}

void TIBSQL::Next()
{
    if (!FCursor) {
        FHasRow = false;
        FEof = true;
        return;
    }
    fb::TStatus st;
    const int result = FCursor->fetchNext(st.Fresh(), FOutBuffer.data());
    st.Check(Text());
    FHasRow = result == Firebird::IStatus::RESULT_OK;
    FEof = !FHasRow;
    if (FHasRow)
        ++FRecordCount;
}

void TIBSQL::Close()
{
    if (FCursor) {
        fb::TStatus st;
        FCursor->close(st.Fresh());
        if (st.Failed())
            FCursor->release();  // the cursor is gone on the server side already
        FCursor = nullptr;
    }
    FEof = true;
    FHasRow = false;
}

void TIBSQL::DropCursor()
{
    if (FCursor)
        FCursor->release();
    FCursor = nullptr;
    FEof = true;
    FHasRow = false;
}

void TIBSQL::FreeHandle()
{
    Close();
    ReleaseMeta(FBindMeta);
    ReleaseMeta(FInMeta);
    ReleaseMeta(FOutMeta);
    FBindSignature.clear();
    FBindLayouts.clear();
    FInLayouts.clear();
    if (FStatement) {
        fb::TStatus st;
        FStatement->free(st.Fresh());
        if (st.Failed())
            FStatement->release();
        FStatement = nullptr;
    }
    FPreparedSql.clear();
    FLayouts.clear();
    FColumns.clear();
    FColumnByName.clear();
}

TIBXSQLVAR& TIBSQL::ParamByName(const QString& name)
{
    ParseParams();
    const QString key = name.toUpper();
    for (const auto& p : FParams)
        if (p->FName.toUpper() == key)
            return *p;
    throw Error(QString("Parameter \"%1\" not found").arg(name));
}

TIBXSQLVAR& TIBSQL::FieldByName(const QString& name)
{
    Prepare();  // the columns of the current text
    const auto it = FColumnByName.constFind(name.toUpper());
    if (it == FColumnByName.constEnd())
        throw Error(QString("Field \"%1\" not found").arg(name));
    return *FColumns[*it];
}

TIBXSQLVAR& TIBSQL::Fields(int index)
{
    Prepare();  // the columns of the current text
    if (index < 0 || index >= FieldCount())
        throw Error(QString("Column index %1 out of range").arg(index));
    return *FColumns[index];
}

qint64 TIBSQL::RowsAffected() const
{
    if (!FStatement)
        return 0;
    fb::TStatus st;
    const ISC_UINT64 n = FStatement->getAffectedRecords(st.Fresh());
    st.Check();
    return qint64(n);
}

Variant TIBSQL::ColumnValue(int index) const
{
    if (!FHasRow)
        throw Error(QString("Field \"%1\": no current row").arg(FColumns[index]->FName));
    const TColumnLayout& l = FLayouts[index];
    const unsigned char* buf = FOutBuffer.data();
    if (Read<short>(buf + l.NullOffset))
        return Variant::Null();
    const unsigned char* data = buf + l.Offset;
    switch (l.Type) {
    case SQL_VARYING:
        return Variant(DecodeText(reinterpret_cast<const char*>(data + 2), Read<unsigned short>(data), l.CharSet));
    case SQL_TEXT: {
        unsigned n = l.Length;
        while (n > 0 && data[n - 1] == ' ')
            --n;  // CHAR columns come padded with blanks
        return Variant(DecodeText(reinterpret_cast<const char*>(data), n, l.CharSet));
    }
    case SQL_SHORT: return ScaledValue(Read<short>(data), l.Scale);
    case SQL_LONG: return ScaledValue(Read<ISC_LONG>(data), l.Scale);
    case SQL_INT64: return ScaledValue(Read<ISC_INT64>(data), l.Scale);
    case SQL_FLOAT: return Variant(double(Read<float>(data)));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return Variant(Read<double>(data));
    case SQL_TYPE_DATE:
    case SQL_TIMESTAMP: return Variant(QDate::fromJulianDay(qint64(Read<ISC_DATE>(data)) + FbDateOriginJulianDay));
    case SQL_TYPE_TIME: return Variant(double(Read<ISC_TIME>(data)) / (86400.0 * 10000.0));  // a fraction of a day
    case SQL_BOOLEAN: return Variant(*data != 0);
    default: break;
    }
    throw Error(QString("Field \"%1\": column type %2 is not supported").arg(FColumns[index]->FName).arg(l.Type));
}
