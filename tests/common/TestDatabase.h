#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join("\" | \"").toStdString() << ']'; }

// The message of the error f raises, or "<no error>".
QString Raised(const std::function<void()>& f);

// The catalogue database made once per test binary; each test works on a
// copy of its file.
QString TemplateDatabasePath();
QString FreshDatabaseCopy();
// A scratch directory of this test binary, removed when it ends.
QString ScratchDir();

// A test in a fresh session connected to a fresh copy of the template:
// Database open, Transaction started, Connected set.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs one statement in the session transaction and returns the first
    // column of its first row as text ("" when there is no row).
    QString Scalar(const QString& sql);
    void Exec(const QString& sql);
    // The first column of every row, as text.
    QStringList Column(const QString& sql);

    QString DbPath;
};

// Writes client.ini beside the test executable for the life of the object.
class TClientIni {
public:
    explicit TClientIni(const QByteArray& content);
    ~TClientIni();
    TClientIni(const TClientIni&) = delete;
    TClientIni& operator=(const TClientIni&) = delete;

private:
    QString FPath;
};

// The server for client/server tests, from the environment scripts/test sets:
// empty host when no server is available.
struct TTestServer {
    QString Host;
    QString Password;
    QString Dir;  // a directory the server may create databases in
};
TTestServer TestServer();
