// The load test of several desks on one archive: N processes, each a desk,
// do their mixed operations together, colliding on the same rows; then the
// archive is checked against what every desk was told.
#include "deskwork.h"

#include "store/connection.h"
#include "store/recordset.h"
#include "store/storeerror.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <poll.h>

namespace {

// The rounds of the notices' measure, each a change of the first client.
constexpr int NoticeRounds = 20;

qint64 number(Connection &archive, const QString &sql)
{
    return Recordset(archive, sql).fields(0).toInteger();
}

// How long a commit of one desk takes to reach another's session, over
// rounds of one change each.
QList<double> noticeDelays(const QString &server, int rounds)
{
    Connection writer, listener;
    writer.openServer(server);
    listener.openServer(server);
    listener.changedElsewhere();
    QList<double> delays;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        writer.execute(QStringLiteral("UPDATE SOGGETTI SET Note = ? WHERE ID = 1"), {QString::number(round)});
        pollfd socket{listener.noticeSocket(), POLLIN, 0};
        while (listener.changedElsewhere().isEmpty() && clock.elapsed() < 5000)
            poll(&socket, 1, 100);
        delays << double(clock.nsecsElapsed()) / 1e6;
    }
    std::sort(delays.begin(), delays.end());
    return delays;
}

int desk(const QString &server, int which, int operations, const QString &outcomeFile)
{
    Connection archive;
    archive.openServer(server);
    QTemporaryDir folder;
    const DeskOutcome outcome = deskwork::work(archive, which, operations, folder.path());
    QFile file(outcomeFile);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(outcome.text().toUtf8());
    return 0;
}

struct Checks
{
    qint64 lostUpdates = 0;
    qint64 doubleBillings = 0;
    qint64 duplicateProgressives = 0;
    qint64 missingProgressives = 0;
    qint64 untold = 0;
    qint64 missingAccepted = 0;
    qint64 historyGap = 0;
};

// Each raise counted against the value stored: a raise written over
// another's is a lost update.
qint64 lostRaises(Connection &archive, const QList<qint64> &raised, const QString &sql)
{
    QHash<qint64, qint64> expected;
    for (qint64 id : raised)
        ++expected[id];
    qint64 lost = 0;
    for (Recordset rows(archive, sql); !rows.eof(); rows.moveNext())
        lost += std::abs(expected.value(rows.fields(0).toInteger()) - rows.fields(1).toInteger());
    return lost;
}

Checks check(Connection &archive, const QList<DeskOutcome> &desks, int seeded)
{
    Checks found;
    DeskOutcome all;
    for (const DeskOutcome &d : desks) {
        all.quantityRaised += d.quantityRaised;
        all.phoneRaised += d.phoneRaised;
        all.billed += d.billed;
        all.inserted += d.inserted;
        all.deleted += d.deleted;
        found.untold += d.refused - d.told;
    }
    found.lostUpdates = lostRaises(archive, all.quantityRaised,
                                   QStringLiteral("SELECT ID, QTA FROM PRESTAZIONI WHERE ANNO = %1").arg(deskwork::ServiceYear))
        + lostRaises(archive, all.phoneRaised, QStringLiteral("SELECT ID, CAST(Tel AS INTEGER) FROM SOGGETTI"));
    found.doubleBillings = all.billed.size() - QSet<qint64>(all.billed.begin(), all.billed.end()).size();
    found.duplicateProgressives = number(archive, QStringLiteral("SELECT count(*) - count(DISTINCT PROGRESSIVO) FROM FE_FILE"));
    found.missingProgressives = number(archive,
                                       QStringLiteral("SELECT coalesce(max(PROGRESSIVO), 0) - count(DISTINCT PROGRESSIVO) "
                                                      "FROM FE_FILE"))
        + std::abs(number(archive, QStringLiteral("SELECT PROGRESSIVO FROM STUDIO"))
                   - number(archive, QStringLiteral("SELECT coalesce(max(PROGRESSIVO), 0) FROM FE_FILE")));
    // Every insertion accepted is there, or its deletion is in the history.
    const QSet<qint64> deleted(all.deleted.begin(), all.deleted.end());
    for (qint64 id : all.inserted)
        if (!deleted.contains(id)
            && number(archive, QStringLiteral("SELECT count(*) FROM PRESTAZIONI WHERE ID = %1").arg(id)) != 1)
            ++found.missingAccepted;
    for (qint64 id : all.billed)
        if (!deleted.contains(id)
            && number(archive, QStringLiteral("SELECT count(*) FROM PRESTAZIONI WHERE ID = %1 AND PARC = 'S'").arg(id)) != 1)
            ++found.missingAccepted;
    // One entry of the history for each change accepted.
    const auto entries = [&](const char *table, const char *action) {
        return number(archive,
                      QStringLiteral("SELECT count(*) FROM STORIA WHERE TABELLA = '%1' AND AZIONE = '%2'")
                          .arg(QLatin1String(table), QLatin1String(action)));
    };
    found.historyGap = std::abs(entries("PRESTAZIONI", "INSERIMENTO") - (seeded + deskwork::Bills + all.inserted.size()))
        + std::abs(entries("PRESTAZIONI", "ELIMINAZIONE") - all.deleted.size())
        + std::abs(entries("PRESTAZIONI", "MODIFICA") - (all.quantityRaised.size() + all.billed.size()))
        + std::abs(entries("SOGGETTI", "MODIFICA") - (all.phoneRaised.size() + NoticeRounds));
    return found;
}

}

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addOptions(
        {{QStringLiteral("postazioni"), QStringLiteral("desks"), QStringLiteral("N"), QStringLiteral("4")},
         {QStringLiteral("operazioni"), QStringLiteral("operations per desk"), QStringLiteral("N"), QStringLiteral("2000")},
         {QStringLiteral("prestazioni"), QStringLiteral("services to start from"), QStringLiteral("N"), QStringLiteral("20000")},
         {QStringLiteral("archivio"), QStringLiteral("a prepared, empty archive"), QStringLiteral("SERVER")},
         {QStringLiteral("postazione"), QStringLiteral("run as that desk"), QStringLiteral("K")},
         {QStringLiteral("esito"), QStringLiteral("where the desk writes its outcome"), QStringLiteral("FILE")}});
    parser.process(application);
    QTextStream out(stdout);
    const QString server = parser.value(QStringLiteral("archivio"));
    const int desks = parser.value(QStringLiteral("postazioni")).toInt();
    const int operations = parser.value(QStringLiteral("operazioni")).toInt();
    try {
        if (parser.isSet(QStringLiteral("postazione")))
            return desk(server, parser.value(QStringLiteral("postazione")).toInt(), operations,
                        parser.value(QStringLiteral("esito")));
        Connection archive;
        archive.openServer(server);
        if (number(archive, QStringLiteral("SELECT count(*) FROM PRESTAZIONI")) > 0) {
            QTextStream(stderr) << "L'archivio deve essere preparato e vuoto.\n";
            return 1;
        }
        const int seeded = parser.value(QStringLiteral("prestazioni")).toInt();
        deskwork::seed(archive, seeded);
        const QList<double> delays = noticeDelays(server, NoticeRounds);
        QTemporaryDir outcomes;
        QList<QProcess *> running;
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < desks; ++k) {
            auto *process = new QProcess(&application);
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("--archivio"), server, QStringLiteral("--operazioni"), QString::number(operations),
                            QStringLiteral("--postazione"), QString::number(k), QStringLiteral("--esito"),
                            outcomes.filePath(QString::number(k))});
            running << process;
        }
        QList<DeskOutcome> results;
        for (int k = 0; k < desks; ++k) {
            running.at(k)->waitForFinished(-1);
            QFile file(outcomes.filePath(QString::number(k)));
            if (running.at(k)->exitCode() != 0 || !file.open(QIODevice::ReadOnly)) {
                QTextStream(stderr) << "La postazione " << k << " non ha finito.\n";
                return 1;
            }
            results << DeskOutcome::fromText(QString::fromUtf8(file.readAll()));
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const Checks found = check(archive, results, seeded);
        int accepted = 0, refused = 0, invoices = 0;
        for (const DeskOutcome &d : results) {
            accepted += d.accepted;
            refused += d.refused;
            invoices += d.invoices;
        }
        out << "avviso_mediana_ms=" << QString::number(delays.at(delays.size() / 2), 'f', 2)
            << " avviso_massimo_ms=" << QString::number(delays.last(), 'f', 2) << '\n';
        out << "fatture=" << invoices << " rifiuti_non_detti=" << found.untold << " accettate_mancanti=" << found.missingAccepted
            << " storia_mancante=" << found.historyGap << '\n';
        out << "postazioni=" << desks << " operazioni=" << desks * operations << " accettate=" << accepted
            << " rifiutate=" << refused << " aggiornamenti_persi=" << found.lostUpdates
            << " doppie_parcellazioni=" << found.doubleBillings << " progressivi_doppi=" << found.duplicateProgressives
            << " progressivi_mancanti=" << found.missingProgressives
            << " operazioni_al_secondo=" << QString::number(desks * operations / seconds, 'f', 1) << '\n';
        const bool sound = found.lostUpdates == 0 && found.doubleBillings == 0 && found.duplicateProgressives == 0
            && found.missingProgressives == 0 && found.untold == 0 && found.missingAccepted == 0 && found.historyGap == 0;
        return sound ? 0 : 1;
    } catch (const StoreError &error) {
        QTextStream(stderr) << "Prova non eseguita: " << error.message() << ".\n";
        return 1;
    }
}
