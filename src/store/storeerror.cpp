#include "storeerror.h"

StoreError::StoreError(const QString &message, Kind kind)
    : std::runtime_error(message.toStdString()), m_kind(kind)
{
}
