#pragma once

#include "reportdata.h"

class Connection;

// Two-level rows for the grouped reports, from a shaping command of the
// form "SHAPE {parent query} APPEND ({child query} AS Level2 RELATE
// parentField TO childField)". Each parent row gets the child rows whose
// field equals its own, compared as the store compares text; parents left
// without child rows are dropped, so a report prints no empty groups.
namespace shaping {

// Raises StoreError when the command is not of that form or a query fails.
ReportData open(Connection &connection, const QString &command);

}
