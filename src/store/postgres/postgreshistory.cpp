#include "postgreshistory.h"

#include "postgresengine.h"
#include "store/connection.h"
#include "store/schema.h"
#include "store/statement.h"

namespace {

void run(Connection &connection, const QString &sql)
{
    Statement(connection, sql.toUtf8()).run();
}

}

void postgres::installHistory(Connection &connection)
{
    // When, who (the login), and the desk: the name the program gave its
    // session (the machine), or the address it came from.
    const QString by = QStringLiteral("to_char(now(), 'YYYY-MM-DD HH24:MI:SS'), session_user, "
                                      "coalesce(nullif(current_setting('application_name'), ''), "
                                      "host(inet_client_addr()), 'locale'), upper(TG_TABLE_NAME)");
    // A change keeps only the columns it changed, before and after.
    run(connection, QStringLiteral("DROP FUNCTION IF EXISTS velmora_cambi(anyelement, anyelement)"));
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_cambi(a jsonb, b jsonb) RETURNS jsonb "
                       "LANGUAGE sql IMMUTABLE AS $$SELECT coalesce(jsonb_object_agg(key, value), '{}') "
                       "FROM jsonb_each(a) WHERE value IS DISTINCT FROM b -> key$$"));
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_storia() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                       "INSERT INTO storia (quando, chi, postazione, tabella, id_riga, azione, prima, dopo) "
                       "VALUES (%1, CASE WHEN TG_OP = 'DELETE' THEN OLD.id ELSE NEW.id END, "
                       "CASE TG_OP WHEN 'INSERT' THEN 'INSERIMENTO' ELSE 'ELIMINAZIONE' END, "
                       "CASE TG_OP WHEN 'DELETE' THEN to_jsonb(OLD)::text END, "
                       "CASE TG_OP WHEN 'INSERT' THEN to_jsonb(NEW)::text END); "
                       "RETURN NULL; END $$")
            .arg(by));
    // The changes of one statement in one INSERT, each row made JSON once:
    // a mass billing changes 10,000 services at a time. A change that
    // writes the values the row had is none; a name retyped in capitals is
    // one.
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_storia_modifiche() RETURNS trigger LANGUAGE plpgsql "
                       "AS $$ BEGIN "
                       "INSERT INTO storia (quando, chi, postazione, tabella, id_riga, azione, prima, dopo) "
                       "SELECT %1, n.id, 'MODIFICA', velmora_cambi(o.riga, n.riga)::text, "
                       "velmora_cambi(n.riga, o.riga)::text "
                       "FROM (SELECT v.id, to_jsonb(v) AS riga FROM vecchie v) o "
                       "JOIN (SELECT v.id, to_jsonb(v) AS riga FROM nuove v) n ON n.id = o.id "
                       "WHERE o.riga <> n.riga ORDER BY n.id; "
                       "RETURN NULL; END $$")
            .arg(by));
    // The other desks hear of each table a commit changed, once.
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_avviso() RETURNS trigger LANGUAGE plpgsql AS $$ "
                       "BEGIN PERFORM pg_notify('%1', upper(TG_TABLE_NAME)); RETURN NULL; END $$")
            .arg(QLatin1String(postgres::noticeChannel)));
    for (const QString &table : schema::historyKept()) {
        run(connection,
            QStringLiteral("CREATE OR REPLACE TRIGGER storia AFTER INSERT OR DELETE ON %1 "
                           "FOR EACH ROW EXECUTE FUNCTION velmora_storia()")
                .arg(table.toLower()));
        run(connection,
            QStringLiteral("CREATE OR REPLACE TRIGGER storia_modifiche AFTER UPDATE ON %1 "
                           "REFERENCING OLD TABLE AS vecchie NEW TABLE AS nuove "
                           "FOR EACH STATEMENT EXECUTE FUNCTION velmora_storia_modifiche()")
                .arg(table.toLower()));
        run(connection,
            QStringLiteral("CREATE OR REPLACE TRIGGER avviso AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE "
                           "ON %1 FOR EACH STATEMENT EXECUTE FUNCTION velmora_avviso()")
                .arg(table.toLower()));
    }
}

void postgres::pauseHistory(Connection &connection, bool paused)
{
    for (const QString &table : schema::historyKept())
        for (const char *trigger : {"storia", "storia_modifiche"})
            run(connection,
                QStringLiteral("ALTER TABLE %1 %2 TRIGGER %3")
                    .arg(table.toLower(), paused ? QStringLiteral("DISABLE") : QStringLiteral("ENABLE"), QLatin1String(trigger)));
}
