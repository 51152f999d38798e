#include "sqlfunctions.h"

#include "sqliteerror.h"
#include "store/collation.h"
#include "sqliteengine.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/valueconversion.h"

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

// A text as a JSON string, its quotes, backslashes and control characters
// escaped.
void appendJsonText(QByteArray &json, sqlite3_value *value)
{
    // The text first: the length is of the text so read.
    const unsigned char *text = sqlite3_value_text(value);
    const int length = sqlite3_value_bytes(value);
    json += '"';
    for (int i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c == '"' || c == '\\') {
            json += '\\';
            json += char(c);
        } else if (c < 0x20) {
            json += "\\u00";
            json += "0123456789abcdef"[c >> 4];
            json += "0123456789abcdef"[c & 15];
        } else {
            json += char(c);
        }
    }
    json += '"';
}

void appendJsonValue(QByteArray &json, sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        json += QByteArray::number(sqlite3_value_int64(value));
        break;
    case SQLITE_FLOAT:
        json += QByteArray::number(sqlite3_value_double(value), 'g', 17);
        break;
    case SQLITE_NULL:
        json += "null";
        break;
    default:
        appendJsonText(json, value);
    }
}

bool sameValue(sqlite3_value *a, sqlite3_value *b)
{
    const int type = sqlite3_value_type(a);
    if (type != sqlite3_value_type(b))
        return false;
    switch (type) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(a) == sqlite3_value_int64(b);
    case SQLITE_FLOAT:
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    default: {
        const QByteArrayView first(reinterpret_cast<const char *>(sqlite3_value_text(a)), sqlite3_value_bytes(a));
        return first == QByteArrayView(reinterpret_cast<const char *>(sqlite3_value_text(b)), sqlite3_value_bytes(b));
    }
    }
}

// A row of the history as one JSON object, as the server writes it:
// STORIA_RIGA(name, value, ...) the whole row; STORIA_CAMBI(side, name,
// before, after, ...) only the columns a change changed, before (side 0) or
// after it. Built byte by byte: a mass billing writes two for each service.
void rowObject(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    const bool changes = sqlite3_user_data(context) != nullptr;
    const int first = changes ? 1 : 0;
    const int step = changes ? 3 : 2;
    const int side = changes ? sqlite3_value_int(argv[0]) : 0;
    QByteArray json;
    json.reserve(256);
    json += '{';
    for (int i = first; i + step - 1 < argc; i += step) {
        if (changes && sameValue(argv[i + 1], argv[i + 2]))
            continue;
        if (json.size() > 1)
            json += ',';
        appendJsonText(json, argv[i]);
        json += ':';
        appendJsonValue(json, argv[i + 1 + side]);
    }
    json += '}';
    sqlite3_result_text(context, json.constData(), int(json.size()), SQLITE_TRANSIENT);
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
    static int changesOnly = 1;
    check(db, sqlite3_create_function(db, sqlite::rowObject, -1, flags, nullptr, rowObject, nullptr, nullptr));
    check(db, sqlite3_create_function(db, sqlite::changesObject, -1, flags, &changesOnly, rowObject, nullptr, nullptr));
}
