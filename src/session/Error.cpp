#include "Error.h"

#include <utility>

Error::Error(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}

Error::Error(QString message, QString sqlState, long gdsCode, QString sql)
    : FMessage(std::move(message)), FSqlState(std::move(sqlState)), FGdsCode(gdsCode),
      FSql(std::move(sql)), FUtf8(FMessage.toUtf8()) {}
