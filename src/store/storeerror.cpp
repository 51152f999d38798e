#include "storeerror.h"

StoreError::StoreError(const QString &message, Kind kind, const QString &code)
    : std::runtime_error(message.toStdString()), m_kind(kind), m_code(code)
{}
