#include "sqlfunctions.h"

#include "sqliteerror.h"
#include "store/collation.h"
#include "sqliteengine.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/valueconversion.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <sqlite3.h>

namespace {

int compareText(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return collation::compare(static_cast<const char *>(a), lengthA, static_cast<const char *>(b), lengthB);
}

bool anyNull(int argc, sqlite3_value **argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

QString textOf(sqlite3_value *value)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
}

// X LIKE Y reaches the function as like(Y, X).
void like(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int patternLength = sqlite3_value_bytes(argv[0]);
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[1]));
    const int textLength = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(context, collation::like(text, textLength, pattern, patternLength));
}

void left(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray head = textOf(argv[0]).left(qMax(0, sqlite3_value_int(argv[1]))).toUtf8();
    sqlite3_result_text(context, head.constData(), int(head.size()), SQLITE_TRANSIENT);
}

// A stored date, or a date typed day first, as a comparable ISO date.
void cdate(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = textOf(argv[0]);
    const auto date = parseDayFirstDate(text);
    if (!date) {
        const QByteArray message = QStringLiteral("«%1» non è una data valida").arg(text).toUtf8();
        sqlite3_result_error(context, message.constData(), int(message.size()));
        return;
    }
    const QByteArray iso = isoDate(*date);
    sqlite3_result_text(context, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

// A row of the history: its columns' names and values as one JSON object,
// as the server writes it.
void rowObject(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    QJsonObject row;
    for (int i = 0; i + 1 < argc; i += 2) {
        QJsonValue value;
        switch (sqlite3_value_type(argv[i + 1])) {
        case SQLITE_INTEGER: value = qint64(sqlite3_value_int64(argv[i + 1])); break;
        case SQLITE_FLOAT: value = sqlite3_value_double(argv[i + 1]); break;
        case SQLITE_NULL: value = QJsonValue::Null; break;
        default: value = textOf(argv[i + 1]);
        }
        row.insert(textOf(argv[i]), value);
    }
    const QByteArray text = QJsonDocument(row).toJson(QJsonDocument::Compact);
    sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

void check(sqlite3 *db, int rc)
{
    if (rc != SQLITE_OK)
        throw sqlite::errorOf(rc, sqlite3_errmsg(db));
}

}

void sqlfunctions::install(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    check(db, sqlite3_create_collation(db, schema::textCollation, SQLITE_UTF8, nullptr, compareText));
    check(db, sqlite3_create_function(db, "like", 2, flags, nullptr, like, nullptr, nullptr));
    check(db, sqlite3_create_function(db, sqlite::left, 2, flags, nullptr, left, nullptr, nullptr));
    check(db, sqlite3_create_function(db, sqlite::cdate, 1, flags, nullptr, cdate, nullptr, nullptr));
    check(db, sqlite3_create_function(db, sqlite::rowObject, -1, flags, nullptr, rowObject, nullptr, nullptr));
}
