#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class Connection;

// What the register holds of one bill: the services billed under one
// number in one year, their client and their reasons, with the electronic
// invoice's own data of each.
struct BillClient
{
    qint64 id = 0;
    QString soggetto, indirizzo, comune, pr, cap, codice, piva;
    QString codDest, pec, nome, cognome; // FE_CLIENTI
    QString ritenuta;                    // "S", "N", or empty for the office's default

    // Whether the client applies the withholding: its own word, or the
    // office's default.
    bool withholds(bool officeDefault) const
    {
        return ritenuta == QLatin1String("S") || (ritenuta != QLatin1String("N") && officeDefault);
    }
};

struct BillService
{
    qint64 id = 0;
    QDate datar;
    QString causale, note, qta;
    qint64 cents = 0;
    // FE_CAUSALI of its reason; empty values take the office's defaults.
    std::optional<int> aliquota;
    QString natura, cassa, ritenuta;
};

struct BillSource
{
    QString number;
    int year = 0;
    QDate date;
    BillClient client;
    QList<BillService> services;

    // The bill NR of the year, from a store with the invoice tables;
    // refused (InvoiceRefused) when it has no services, when its services
    // name two clients or two dates, or when a service has no client.
    static BillSource read(Connection &connection, const QString &number, int year);
};
