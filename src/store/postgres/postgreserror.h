#pragma once

#include "store/storeerror.h"

typedef struct pg_conn PGconn;
typedef struct pg_result PGresult;

namespace postgres {

// The server's refusal in the store's words, with the server's own reason
// and its SQLSTATE kept as the code. Without a result, the connection's
// last message.
StoreError errorOf(PGconn *connection, const PGresult *result);

// Whether the failure left the session unusable (the server gone or the
// connection broken).
bool isConnectionLost(PGconn *connection);

}
