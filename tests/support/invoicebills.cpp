#include "invoicebills.h"

#include "einvoice/invoicefiles.h"
#include "einvoice/invoicerefused.h"
#include "einvoice/schemacheck.h"
#include "einvoice/sdirules.h"
#include "store/schema.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

Leaves::Leaves(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QStringList path;
    QString text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            path << reader.name().toString();
            text.clear();
        } else if (reader.isCharacters()) {
            text += reader.text();
        } else if (reader.isEndElement()) {
            m_leaves << qMakePair(path.join('/'), text.trimmed());
            path.removeLast();
            text.clear();
        }
    }
}

QStringList Leaves::operator[](const QString &suffix) const
{
    QStringList found;
    for (const auto &[path, text] : m_leaves)
        if (path.endsWith('/' + suffix) && !text.isEmpty())
            found << text;
    return found;
}

QByteArray sdiNotification(const QString &kind, const QString &invoiceFile, const QString &outcome)
{
    QFile sample(QStringLiteral(VELMORA_MESSAGES) + "/IT01234567890_11111_" + kind + "_001.xml");
    if (!sample.open(QIODevice::ReadOnly))
        qFatal("no sample notification");
    QByteArray xml = sample.readAll();
    xml.replace("IT01234567890_11111.xml.p7m", invoiceFile.toUtf8());
    return xml.replace("<Esito>EC01</Esito>", ("<Esito>" + outcome + "</Esito>").toUtf8());
}

void writeFile(const QString &folder, const QString &name, const QByteArray &content)
{
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(name));
}

Bills::Bills() : m_own(std::make_unique<TestStore>()), store(*m_own)
{
    schema::ensureInvoiceTables(store.connection());
}

Bills::Bills(TestStore &on) : store(on)
{
    schema::ensureInvoiceTables(store.connection());
}

void Bills::office(const StudioRow &o)
{
    store.add("STUDIO",
              {{"NOME", "MARIA"},
               {"COGNOME", "ROSSI"},
               {"PIVA", "01234560017"},
               {"CODICE", OfficeCode},
               {"REGIME", o.regime},
               {"INDIRIZZO", "VIA ROMA 1"},
               {"CAP", "00184"},
               {"COMUNE", "ROMA"},
               {"PR", "RM"},
               {"IBAN", "IT60X0542811101000000123456"},
               {"CASSA", o.cassa},
               {"ALCASSA", o.alCassa},
               {"RITENUTA", o.ritenuta},
               {"ALRITENUTA", o.alRitenuta},
               {"TIPORITENUTA", "RT01"},
               {"CAUSALEPAG", "A"},
               {"ALIQUOTA", o.aliquota},
               {"NATURA", o.natura},
               {"BOLLO", o.bollo},
               {"PROGRESSIVO", 0}});
}

qint64 Bills::client(const QString &name, const QList<QPair<QString, QVariant>> &fe, const QString &piva, const QString &codice)
{
    const qint64 id = store.add("SOGGETTI",
                                {{"Soggetto", name},
                                 {"Stato", "S"},
                                 {"Indirizzo", "VIA VERDI 2"},
                                 {"ComuneR", "MILANO"},
                                 {"PrR", "MI"},
                                 {"CAP", "20121"},
                                 {"PIVA", piva},
                                 {"Codice", codice}});
    if (!fe.isEmpty())
        store.add("FE_CLIENTI", QList<QPair<QString, QVariant>>{{"ID_CL", id}} + fe);
    return id;
}

qint64 Bills::reason(const QString &name, const QList<QPair<QString, QVariant>> &fe, const QString &price)
{
    const qint64 id = store.add("CAUSALE", {{"CAUSALE", name}, {"IMPORTO", price}});
    if (!fe.isEmpty())
        store.add("FE_CAUSALI", QList<QPair<QString, QVariant>>{{"ID_CAUS", id}} + fe);
    return id;
}

void Bills::service(qint64 client, qint64 reason, const QString &amount, const QString &number, const QDate &billed,
                    const QString &quantity, const QString &note)
{
    store.add("PRESTAZIONI",
              {{"ID_CL", client},
               {"CLIENTE", store.text(QString("SELECT Soggetto FROM SOGGETTI WHERE ID = %1").arg(client))},
               {"ID_CAUS", reason},
               {"CAUSALE", store.text(QString("SELECT CAUSALE FROM CAUSALE WHERE ID = %1").arg(reason))},
               {"ID_OPER", 1},
               {"OPERATORE", "MARIA"},
               {"DATAR", QDate(2026, 11, 2)},
               {"QTA", quantity},
               {"IMPORTO", amount},
               {"PARC", "S"},
               {"DATAP", billed},
               {"NR", number},
               {"NOTE", note}});
}

Leaves Bills::invoice(const QString &number, int year)
{
    QString path;
    try {
        path = invoicefiles::generate(store.connection(), number, year, folder.path());
    } catch (const InvoiceRefused &refused) {
        lastFaults = {QStringLiteral("refused: ") + refused.message};
        return Leaves({});
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no file");
    const QByteArray xml = file.readAll();
    const QStringList faults = schemacheck::faults(xml) + sdirules::faults(xml);
    if (!faults.isEmpty())
        qWarning().noquote() << faults.join('\n');
    lastFaults = faults;
    return Leaves(xml);
}

QString Bills::refusal(const QString &number, int year)
{
    try {
        invoicefiles::generate(store.connection(), number, year, folder.path());
    } catch (const InvoiceRefused &refused) {
        return refused.message;
    }
    return QString();
}
