#pragma once

// Access to the Firebird client library's OO API, shared by the database,
// transaction and statement classes. Not for use outside the access layer.

#include <QString>
#include <firebird/Interface.h>

namespace fb {

Firebird::IMaster* Master();
Firebird::IUtil* Util();
Firebird::IProvider* Provider();

// A status vector for one call at a time. Fresh() clears it and hands it to
// the library; Check() raises the library's formatted text as an Error.
class TStatus {
public:
    TStatus();
    ~TStatus();
    TStatus(const TStatus&) = delete;
    TStatus& operator=(const TStatus&) = delete;

    Firebird::CheckStatusWrapper* Fresh();
    bool Failed() const;
    void Check(const QString& sql = QString()) const;
    [[noreturn]] void Raise(const QString& sql = QString()) const;

private:
    Firebird::IStatus* FStatus;
    mutable Firebird::CheckStatusWrapper FWrapper;
};

}  // namespace fb
