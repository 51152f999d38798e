#pragma once

#include <QString>

#include <optional>

class Connection;

// The office that issues the invoices: the one row of STUDIO.
// Percentages in hundredths (2200 for 22 %).
struct Office
{
    QString denominazione, nome, cognome; // a firm's name, or a professional's
    QString piva, codice, regime;
    QString indirizzo, cap, comune, pr;
    QString pec, email, tel, iban;
    QString cassa; // TC01 ... TC22, empty without a fund
    int alCassa = 0;
    bool ritenuta = false; // clients withhold unless they say otherwise
    int alRitenuta = 0;
    QString tipoRitenuta, causalePag;
    int aliquota = 0;
    QString natura; // when aliquota is 0
    bool bollo = false; // the stamp, due above 77,47 without VAT, charged to the client
    qint64 progressivo = 0;
    QString pecServer, pecUser, pecSdi; // the mailbox the files are sent from

    // The name on the invoice: the firm's, or name and surname.
    QString name() const;
    bool isPerson() const { return denominazione.trimmed().isEmpty(); }
    // Whether the office is in the flat-rate regime, which bears no
    // withholding.
    bool isFlatRate() const { return regime == QLatin1String("RF19"); }

    // The row, or none when the office has not been described yet (the
    // invoice tables are expected in the store). A percentage that is no
    // number is refused (InvoiceRefused).
    static std::optional<Office> load(Connection &connection);
};
