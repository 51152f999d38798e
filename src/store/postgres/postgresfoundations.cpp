#include "postgresengine.h"

#include "store/collation.h"
#include "store/sqltext.h"

// The server's SQL for the windows' words. LIKE with wildcards folds both
// sides with the store's own foldings (a column's collation refuses LIKE);
// an exact LIKE is an equality under the column's collation.
const dialect::Spelling &postgres::spelling()
{
    static const dialect::Spelling::Server server{"jet_fold", "IS NOT DISTINCT FROM", "IS DISTINCT FROM",
                                                  "\"C\"",    "jet_integer",          "jet_replace"};
    static const dialect::Spelling spelling{"left", "date", "", [](const QString &) { return QString(); }, &server};
    return spelling;
}

void PostgresEngine::installFoundations()
{
    // Texts compare without regard to case and sort in Italian order, an
    // accented letter after its plain one.
    run("CREATE COLLATION IF NOT EXISTS italian (provider = icu, locale = 'it-u-ks-level2', deterministic = false)");
    run("DO $$ BEGIN CREATE DOMAIN centesimi AS bigint; EXCEPTION WHEN duplicate_object THEN NULL; END $$");
    // Plain ASCII folds as the file's fast path does; anything else through
    // the store's table of foldings.
    const collation::Foldings foldings = collation::foldings();
    run(("CREATE OR REPLACE FUNCTION jet_fold(t text) RETURNS text LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
         "AS $$SELECT CASE WHEN t COLLATE \"C\" ~ '[^\\x01-\\x7f]' THEN translate(t COLLATE \"C\", "
         + quotedText(foldings.from) + ", " + quotedText(foldings.to) + ") ELSE lower(t COLLATE \"C\") END$$")
            .toUtf8());
    // As the file reads a text as a number: its leading digits, or 0.
    run("CREATE OR REPLACE FUNCTION jet_integer(t text) RETURNS bigint LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
        "AS $$SELECT coalesce(substring(t COLLATE \"C\" from '^\\s*([+-]?[0-9]{1,18})')::bigint, 0)$$");
    // REPLACE searches inside a text, which the columns' collation refuses.
    run("CREATE OR REPLACE FUNCTION jet_replace(t text, a text, b text) RETURNS text LANGUAGE sql IMMUTABLE STRICT "
        "PARALLEL SAFE AS $$SELECT replace(t COLLATE \"C\", a, b)$$");
    // The sum that is 0, not empty, when there is nothing to add.
    run("CREATE OR REPLACE AGGREGATE total(double precision) (sfunc = float8pl, stype = double precision, "
        "initcond = '0')");
    run("CREATE TABLE IF NOT EXISTS velmora_stato (versione_schema integer NOT NULL, versione_comuni integer NOT NULL)");
    run("INSERT INTO velmora_stato SELECT " + QByteArray::number(SchemaVersion)
        + ", 0 WHERE NOT EXISTS (SELECT 1 FROM velmora_stato)");
}
