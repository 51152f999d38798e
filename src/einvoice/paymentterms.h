#pragma once

#include <QDate>
#include <QList>
#include <QString>

// How a client pays, read from its payment terms as the office types them
// in the client's window ("BONIFICO 30 GG DF", "RIBA 30/60/90 FM",
// "CONTANTI", "RIMESSA DIRETTA"): the method, and one instalment per term
// with its due date, the amount split evenly with the cents left on the
// last.
namespace paymentterms {

struct Instalment
{
    QDate due;
    qint64 cents = 0;
};

struct Terms
{
    QString method = QStringLiteral("MP05"); // the schema's ModalitaPagamento
    QList<Instalment> instalments;
    bool dueAtOnce = true; // no term: due on the bill's date

    // Whether the office's IBAN goes with the payment.
    bool toOfficeAccount() const;
};

Terms of(const QString &terms, const QDate &billDate, qint64 payableCents);
// How the method is said ("bonifico", "RIBA", ...), from the schema.
QString methodText(const QString &method);

}
