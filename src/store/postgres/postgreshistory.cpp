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
    // A change keeps only the columns it changed, before and after. Each
    // row is made JSON once: a mass billing writes 10,000 of them.
    run(connection, QStringLiteral("DROP FUNCTION IF EXISTS velmora_cambi(anyelement, anyelement)"));
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_cambi(a jsonb, b jsonb) RETURNS jsonb "
                       "LANGUAGE sql IMMUTABLE AS $$SELECT coalesce(jsonb_object_agg(key, value), '{}') "
                       "FROM jsonb_each(a) WHERE value IS DISTINCT FROM b -> key$$"));
    // Who is the login; the desk is the name the program gave its session
    // (the machine), or the address it came from. A change that writes the
    // values the row had is none; a name retyped in capitals is one.
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_storia() RETURNS trigger LANGUAGE plpgsql AS $$ "
                       "DECLARE o jsonb; n jsonb; BEGIN "
                       "IF TG_OP <> 'INSERT' THEN o := to_jsonb(OLD); END IF; "
                       "IF TG_OP <> 'DELETE' THEN n := to_jsonb(NEW); END IF; "
                       "IF TG_OP = 'UPDATE' AND o = n THEN RETURN NULL; END IF; "
                       "INSERT INTO storia (quando, chi, postazione, tabella, id_riga, azione, prima, dopo) VALUES ("
                       "to_char(now(), 'YYYY-MM-DD HH24:MI:SS'), session_user, "
                       "coalesce(nullif(current_setting('application_name'), ''), host(inet_client_addr()), 'locale'), "
                       "upper(TG_TABLE_NAME), CASE WHEN TG_OP = 'DELETE' THEN OLD.id ELSE NEW.id END, "
                       "CASE TG_OP WHEN 'INSERT' THEN 'INSERIMENTO' WHEN 'UPDATE' THEN 'MODIFICA' ELSE 'ELIMINAZIONE' END, "
                       "CASE TG_OP WHEN 'DELETE' THEN o::text WHEN 'UPDATE' THEN velmora_cambi(o, n)::text END, "
                       "CASE TG_OP WHEN 'INSERT' THEN n::text WHEN 'UPDATE' THEN velmora_cambi(n, o)::text END); "
                       "RETURN NULL; END $$"));
    // The other desks hear of each table a commit changed, once.
    run(connection,
        QStringLiteral("CREATE OR REPLACE FUNCTION velmora_avviso() RETURNS trigger LANGUAGE plpgsql AS $$ "
                       "BEGIN PERFORM pg_notify('%1', upper(TG_TABLE_NAME)); RETURN NULL; END $$")
            .arg(QLatin1String(postgres::noticeChannel)));
    for (const QString &table : schema::historyKept()) {
        run(connection,
            QStringLiteral("CREATE OR REPLACE TRIGGER storia AFTER INSERT OR UPDATE OR DELETE ON %1 "
                           "FOR EACH ROW EXECUTE FUNCTION velmora_storia()")
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
        run(connection,
            QStringLiteral("ALTER TABLE %1 %2 TRIGGER storia")
                .arg(table.toLower(), paused ? QStringLiteral("DISABLE") : QStringLiteral("ENABLE")));
}
