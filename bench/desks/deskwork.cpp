#include "deskwork.h"

#include "einvoice/invoicefiles.h"
#include "einvoice/invoicerefused.h"
#include "massbilling/bulkbilling.h"
#include "records/servicerecords.h"
#include "store/connection.h"
#include "store/recordset.h"
#include "store/resulttable.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/transaction.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>

namespace {

void run(Connection &archive, const QString &sql)
{
    Statement(archive, sql.toUtf8()).run();
}

QString joined(const QList<qint64> &ids)
{
    QStringList texts;
    for (qint64 id : ids)
        texts << QString::number(id);
    return texts.join(QLatin1Char(' '));
}

QList<qint64> split(const QString &text)
{
    QList<qint64> ids;
    for (const QString &id : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        ids << id.toLongLong();
    return ids;
}

// The operations of one desk, each written as the windows write it.
class Desk
{
public:
    Desk(Connection &archive, int desk, const QString &folder)
        : m_archive(archive), m_random(quint32(desk) * 7919u + 17u), m_folder(folder)
    {}

    void once();
    DeskOutcome outcome;

private:
    // One of the first rows of a list every desk reads: the desks collide.
    qint64 pick(const QString &sql, int among);
    // The row as a window loads it; refused when it is gone.
    std::shared_ptr<const ResultTable> loaded(const QString &table, qint64 id);
    void insertService();
    void raiseQuantity();
    void deleteService();
    void billOne();
    void billHundred();
    void raisePhone();
    void makeInvoice();

    Connection &m_archive;
    QRandomGenerator m_random;
    QString m_folder;
};

const QString Services = QStringLiteral("SELECT ID FROM PRESTAZIONI WHERE ANNO = %1 ORDER BY ID").arg(deskwork::ServiceYear);
const QString Unbilled =
    QStringLiteral("SELECT ID FROM PRESTAZIONI WHERE ANNO = %1 AND PARC = 'N' ORDER BY ID").arg(deskwork::ServiceYear);

qint64 Desk::pick(const QString &sql, int among)
{
    const std::vector<qint64> ids = m_archive.keysOf(sql + QStringLiteral(" LIMIT %1").arg(among));
    return ids.empty() ? 0 : ids.at(m_random.bounded(int(ids.size())));
}

std::shared_ptr<const ResultTable> Desk::loaded(const QString &table, qint64 id)
{
    auto row = Recordset(m_archive, QStringLiteral("SELECT * FROM %1 WHERE ID = ?").arg(table), {id}).rows();
    // Deleted since the list was read: the list no longer shows it.
    if (row->rowCount() == 0)
        throw StoreError(QStringLiteral("il record %1 è stato eliminato nel frattempo").arg(id));
    return row;
}

void Desk::insertService()
{
    ServiceEntry entry;
    entry.date =
        QDate(deskwork::ServiceYear, 1 + m_random.bounded(12), 1 + m_random.bounded(28)).toString(QStringLiteral("dd/MM/yyyy"));
    entry.client = QStringLiteral("CLIENTE 1");
    entry.reason = QStringLiteral("VISITA");
    entry.quantity = QStringLiteral("0");
    entry.amount = QStringLiteral("30");
    entry.notes = QStringLiteral("INSERITA");
    servicerecords::insert(m_archive, entry);
    outcome.inserted << m_archive.lastInsertId();
}

void Desk::raiseQuantity()
{
    const qint64 id = pick(Services, 10);
    const auto row = loaded(QStringLiteral("PRESTAZIONI"), id);
    const qint64 quantity = row->field(0, row->columnIndex(QStringLiteral("QTA"))).toInteger();
    m_archive.executeOnLoaded(QStringLiteral("UPDATE PRESTAZIONI SET QTA = ? WHERE ID = ?"), {quantity + 1, id}, row->version(0));
    outcome.quantityRaised << id;
}

void Desk::deleteService()
{
    const qint64 id = pick(Services, 200);
    const auto row = loaded(QStringLiteral("PRESTAZIONI"), id);
    servicerecords::remove(m_archive, id, row->version(0));
    outcome.deleted << id;
}

void Desk::billOne()
{
    const qint64 id = pick(Unbilled, 100);
    const auto row = loaded(QStringLiteral("PRESTAZIONI"), id);
    // Billed since the list was read: the panel's list of unbilled
    // services no longer offers it.
    if (row->field(0, row->columnIndex(QStringLiteral("PARC"))).text() != QLatin1String("N"))
        throw StoreError(QStringLiteral("il record %1 è stato parcellato nel frattempo").arg(id));
    m_archive.executeOnLoaded(QStringLiteral("UPDATE PRESTAZIONI SET DATAP = ?, PARC = 'S', NR = ? WHERE ID = ?"),
                              {QDate(deskwork::ServiceYear, 12, 31), QStringLiteral("P%1").arg(id), id}, row->version(0));
    outcome.billed << id;
}

void Desk::billHundred()
{
    std::vector<qint64> unbilled = m_archive.keysOf(Unbilled + QStringLiteral(" LIMIT 300"));
    QList<qint64> ticked;
    for (int i = 0; i < 100 && !unbilled.empty(); ++i) {
        const int at = m_random.bounded(int(unbilled.size()));
        ticked << unbilled.at(at);
        unbilled.erase(unbilled.begin() + at);
    }
    const BulkBilled done = billServices(m_archive, ticked, QDate(deskwork::ServiceYear, 12, 31));
    for (qint64 id :
         m_archive.keysOf(QStringLiteral("SELECT ID_PREST FROM PARCELLAZIONI_RIGHE WHERE ID_PARC = %1").arg(done.run.id)))
        outcome.billed << id;
}

void Desk::raisePhone()
{
    const qint64 id = pick(QStringLiteral("SELECT ID FROM SOGGETTI ORDER BY ID"), 10);
    const auto row = loaded(QStringLiteral("SOGGETTI"), id);
    const qint64 phone = row->field(0, row->columnIndex(QStringLiteral("Tel"))).text().toLongLong();
    m_archive.executeOnLoaded(QStringLiteral("UPDATE SOGGETTI SET Tel = ? WHERE ID = ?"), {QString::number(phone + 1), id},
                              row->version(0));
    outcome.phoneRaised << id;
}

void Desk::makeInvoice()
{
    try {
        invoicefiles::generate(m_archive, QString::number(1 + m_random.bounded(deskwork::Bills)), deskwork::InvoiceYear,
                               m_folder);
    } catch (const InvoiceRefused &refusal) {
        throw StoreError(refusal.message);
    }
    ++outcome.invoices;
}

void Desk::once()
{
    using Operation = void (Desk::*)();
    // Out of 100: what an office's day is made of.
    static const QList<QPair<int, Operation>> mix = {
        {25, &Desk::insertService}, {25, &Desk::raiseQuantity}, {8, &Desk::deleteService}, {15, &Desk::billOne},
        {2, &Desk::billHundred},    {20, &Desk::raisePhone},    {5, &Desk::makeInvoice}};
    int roll = m_random.bounded(100);
    for (const auto &[share, operation] : mix) {
        if (roll >= share) {
            roll -= share;
            continue;
        }
        try {
            (this->*operation)();
            ++outcome.accepted;
        } catch (const StoreError &error) {
            ++outcome.refused;
            if (!error.message().isEmpty())
                ++outcome.told;
        }
        return;
    }
}

}

QString DeskOutcome::text() const
{
    return QStringList{QString::number(accepted), QString::number(refused), QString::number(told),
                       joined(quantityRaised),    joined(phoneRaised),      joined(billed),
                       joined(inserted),          joined(deleted),          QString::number(invoices)}
        .join(QLatin1Char('\n'));
}

DeskOutcome DeskOutcome::fromText(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    return {lines.value(0).toInt(), lines.value(1).toInt(), lines.value(2).toInt(), split(lines.value(3)), split(lines.value(4)),
            split(lines.value(5)),  split(lines.value(6)),  split(lines.value(7)),  lines.value(8).toInt()};
}

void deskwork::seed(Connection &archive, int services)
{
    Transaction transaction(archive);
    run(archive, QStringLiteral("INSERT INTO causale (causale, importo) VALUES ('VISITA', 3000), ('ONORARI', 10000)"));
    run(archive, QStringLiteral("INSERT INTO operatore (operatore) VALUES ('NERI')"));
    run(archive,
        QStringLiteral("INSERT INTO studio (denominazione, piva, regime, indirizzo, cap, comune, pr, iban, aliquota, "
                       "bollo, progressivo) VALUES ('STUDIO ROSSI', '01234560017', 'RF01', 'VIA ROMA 1', '00184', "
                       "'ROMA', 'RM', 'IT60X0542811101000000123456', 22, 'N', 0)"));
    run(archive,
        QStringLiteral("INSERT INTO soggetti (stato, soggetto, indirizzo, comuner, prr, cap, piva, tel) "
                       "SELECT 'S', 'CLIENTE ' || n, 'VIA VERDI 2', 'MILANO', 'MI', '20121', '12345670017', '0' "
                       "FROM generate_series(1, %1) AS n")
            .arg(Bills));
    run(archive, QStringLiteral("INSERT INTO fe_clienti (id_cl, coddest) SELECT id, 'M5UXCR1' FROM soggetti"));
    run(archive,
        QStringLiteral("INSERT INTO prestazioni (anno, mese, id_cl, id_caus, id_oper, datar, cliente, causale, qta, "
                       "importo, operatore, parc, datap, nr) SELECT %1, 3, n, 2, 1, make_date(%1, 3, 1), "
                       "'CLIENTE ' || n, 'ONORARI', 1, 10000, 'NERI', 'S', make_date(%1, 3, 31), n::text "
                       "FROM generate_series(1, %2) AS n")
            .arg(InvoiceYear)
            .arg(Bills));
    run(archive,
        QStringLiteral("INSERT INTO prestazioni (anno, mese, id_cl, id_caus, id_oper, datar, cliente, causale, qta, "
                       "importo, operatore, parc, note) SELECT %1, 1 + n % 12, 1 + n % %2, 1, 1, "
                       "make_date(%1, 1 + n % 12, 1 + n % 28), 'CLIENTE ' || (1 + n % %2), 'VISITA', 0, 3000, "
                       "'NERI', 'N', 'DI PARTENZA' FROM generate_series(1, %3) AS n")
            .arg(ServiceYear)
            .arg(Bills)
            .arg(services));
    transaction.commit();
}

DeskOutcome deskwork::work(Connection &archive, int desk, int operations, const QString &folder)
{
    Desk working(archive, desk, folder);
    for (int i = 0; i < operations; ++i)
        working.once();
    return working.outcome;
}
