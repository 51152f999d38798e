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
    QString ritenuta; // "S", "N", or empty for the office's default
    QString nazione, pivaEstera, capEstero; // a client abroad; empty for Italy
    QString pag; // its payment terms, as typed in its window
    QString ordine, contratto, cig, cup, rifAmm; // FE_CLIENTI_PA

    // The client's country: its own word, or the prefix of its foreign
    // VAT number, or Italy.
    QString country() const;
    bool isForeign() const { return country() != QLatin1String("IT"); }
    // What names a client abroad to the SdI: its VAT number, or another
    // number of its own, or the SdI's placeholder.
    QString foreignId() const;
    // The postal code of the address, abroad as the client's country
    // writes it.
    QString postalCode() const { return isForeign() && !capEstero.isEmpty() ? capEstero : cap; }
    // Whether the client applies the withholding. Only an Italian business
    // or professional does by the office's default; an entity with only a
    // tax code of digits (a condominium) when it says so; a consumer or a
    // client abroad never.
    bool withholds(bool officeDefault) const;
};

struct BillService
{
    qint64 id = 0;
    QDate datar;
    QString causale, note, qta;
    qint64 cents = 0;
    qint64 priceCents = 0; // its reason's price, the rate agreed per unit
    // FE_CAUSALI of its reason; empty values take the office's defaults.
    std::optional<int> aliquota;
    QString natura, cassa, ritenuta;
};

// The bill a credit note corrects.
struct CorrectedBill
{
    QString number;
    QDate date;
    int year = 0;
};

struct BillSource
{
    QString number;
    int year = 0;
    QDate date;
    BillClient client;
    QList<BillService> services;
    std::optional<CorrectedBill> corrects; // a credit note's

    // The bill NR of the year, or the credit note of that number and
    // year (FE_NOTE) with the services of the bill it corrects, from a
    // store with the invoice tables; refused (InvoiceRefused) when it has
    // no services, when its services name two clients or two dates, or
    // when a service has no client.
    static BillSource read(Connection &connection, const QString &number, int year);
};
