#include "generatedstore.h"

#include "store/recordset.h"
#include "store/storefile.h"
#include "store/transaction.h"

#include <QDate>
#include <QRandomGenerator>

namespace {

const char *surnames[] = {"ROSSI", "BIANCHI", "D'ANGELO", "ESPOSITO", "CANTÙ", "ROMANO", "COLOMBO", "RICCI",
                          "MARINO", "GRECO", "BRUNO", "GALLO", "CONTI", "DE LUCA", "MANCINI", "COSTA"};

}

QString GeneratedStore::clientName(int i)
{
    return QStringLiteral("%1 %2").arg(QString::fromUtf8(surnames[i % 16])).arg(i, 5, 10, QLatin1Char('0'));
}

GeneratedStore::GeneratedStore(int services, int clients)
{
    storefile::openOrCreate(m_connection, path());
    QRandomGenerator random(7315);
    Transaction transaction(m_connection);
    for (int i = 0; i < clients; ++i) {
        Recordset rs(m_connection, QStringLiteral("SOGGETTI"));
        rs.addNew();
        rs.setField(QStringLiteral("Stato"), i % 10 ? QStringLiteral("S") : QStringLiteral("N"));
        rs.setField(QStringLiteral("Soggetto"), clientName(i));
        rs.setField(QStringLiteral("ComuneR"), QStringLiteral("ROMA"));
        rs.setField(QStringLiteral("Codice"), QStringLiteral("RSSMRA80A01H501%1").arg(i % 10));
        rs.setField(QStringLiteral("Agg"), QDate(2026, 1, 1));
        rs.update();
    }
    for (int i = 0; i < 20; ++i)
        m_connection.execute(QStringLiteral("INSERT INTO CAUSALE (CAUSALE, IMPORTO) VALUES ('CONSULENZA %1', %2)").arg(i).arg(1000 + i * 250));
    for (int i = 0; i < 5; ++i)
        m_connection.execute(QStringLiteral("INSERT INTO OPERATORE (OPERATORE) VALUES ('OPERATORE %1')").arg(i));
    const QDate first(2021, 1, 1);
    for (int i = 0; i < services; ++i) {
        const QDate date = first.addDays(random.bounded(6 * 365));
        const int client = random.bounded(clients);
        Recordset rs(m_connection, QStringLiteral("PRESTAZIONI"));
        rs.addNew();
        rs.setField(QStringLiteral("DATAR"), date);
        rs.setField(QStringLiteral("ANNO"), date.year());
        rs.setField(QStringLiteral("MESE"), date.month());
        rs.setField(QStringLiteral("ID_CL"), client + 1);
        rs.setField(QStringLiteral("ID_OPER"), random.bounded(5) + 1);
        rs.setField(QStringLiteral("ID_CAUS"), random.bounded(20) + 1);
        rs.setField(QStringLiteral("CLIENTE"), clientName(client));
        rs.setField(QStringLiteral("CAUSALE"), QStringLiteral("CONSULENZA %1").arg(random.bounded(20)));
        rs.setField(QStringLiteral("QTA"), QStringLiteral("1"));
        rs.setField(QStringLiteral("IMPORTO"), QStringLiteral("%1,50").arg(random.bounded(900) + 10));
        rs.setField(QStringLiteral("OPERATORE"), QStringLiteral("OPERATORE %1").arg(random.bounded(5)));
        rs.setField(QStringLiteral("PARC"), i % 3 ? QStringLiteral("N") : QStringLiteral("S"));
        rs.setField(QStringLiteral("NOTE"), QStringLiteral("PRESTAZIONE NUMERO %1").arg(i));
        rs.setField(QStringLiteral("AGG"), date);
        rs.update();
    }
    transaction.commit();
}

GeneratedStore &GeneratedStore::standard()
{
    static GeneratedStore generated(100000, 10000);
    return generated;
}

QString GeneratedStore::path() const
{
    return storefile::pathIn(m_dir.path());
}
