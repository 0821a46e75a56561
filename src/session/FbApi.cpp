#include "FbApi.h"

#include "Error.h"

#include <ibase.h>

namespace fb {

Firebird::IMaster* Master()
{
    static Firebird::IMaster* master = Firebird::fb_get_master_interface();
    return master;
}

Firebird::IUtil* Util()
{
    static Firebird::IUtil* util = Master()->getUtilInterface();
    return util;
}

Firebird::IProvider* Provider()
{
    static Firebird::IProvider* provider = Master()->getDispatcher();
    return provider;
}

TStatus::TStatus() : FStatus(Master()->getStatus()), FWrapper(FStatus) {}

TStatus::~TStatus() { FStatus->dispose(); }

Firebird::CheckStatusWrapper* TStatus::Fresh()
{
    FWrapper.init();
    return &FWrapper;
}

bool TStatus::Failed() const { return (FWrapper.getState() & Firebird::IStatus::STATE_ERRORS) != 0; }

void TStatus::Check(const QString& sql) const
{
    if (Failed())
        Raise(sql);
}

void TStatus::Raise(const QString& sql) const
{
    char text[2048];
    const unsigned length = Util()->formatStatus(text, sizeof text - 1, &FWrapper);
    text[length < sizeof text ? length : sizeof text - 1] = 0;
    const intptr_t* errors = FWrapper.getErrors();
    long gdsCode = 0;
    if (errors && errors[0] == isc_arg_gds)
        gdsCode = long(errors[1]);
    char sqlState[6] = {};
    if (errors)
        fb_sqlstate(sqlState, reinterpret_cast<const ISC_STATUS*>(errors));
    throw Error(QString::fromUtf8(text).trimmed(), QString::fromLatin1(sqlState), gdsCode, sql);
}

}  // namespace fb
