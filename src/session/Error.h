#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

// The one error type of the system. Database errors carry the client's or
// server's formatted text unchanged, with the SQLSTATE, the first error code
// and the statement that failed.
class Error : public std::exception {
public:
    explicit Error(QString message);
    Error(QString message, QString sqlState, long gdsCode, QString sql);

    const QString& Message() const { return FMessage; }
    const QString& SqlState() const { return FSqlState; }
    long GdsCode() const { return FGdsCode; }
    const QString& Sql() const { return FSql; }

    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QString FSqlState;
    long FGdsCode = 0;
    QString FSql;
    QByteArray FUtf8;
};
