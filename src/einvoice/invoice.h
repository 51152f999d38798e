#pragma once

#include "paymentterms.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

struct BillSource;
struct Office;

// A bill worked out as the SdI reads it. Amounts in cents, rates in
// hundredths of a percent, prices and quantities with eight decimals; a
// credit note carries its amounts positive.
namespace invoice {

struct Vat
{
    int rate = 0;
    QString natura; // only at rate 0
    bool operator==(const Vat &) const = default;
};

struct Line
{
    int number = 0;
    QString description;
    std::optional<qint64> quantity;
    qint64 unitPrice = 0;
    qint64 totalCents = 0;
    Vat vat;
    bool withheld = false;
    bool toFund = false;
};

struct Fund
{
    QString tipo;
    int rate = 0;
    qint64 baseCents = 0;
    qint64 contributionCents = 0;
    Vat vat;
    bool withheld = false;
};

struct Summary
{
    Vat vat;
    qint64 taxableCents = 0;
    qint64 taxCents = 0;
    QChar esigibilita; // 'I' immediate, 'S' split payment
    QString law; // at rate 0
};

struct Withholding
{
    QString tipo;
    int rate = 0;
    qint64 baseCents = 0;
    qint64 amountCents = 0;
    QString causale;
};

struct Invoice
{
    QString tipoDocumento; // TD01, or TD04 for a credit note
    QString number;
    QDate date;
    QString correctedNumber; // a credit note's invoice, when it names one
    QDate correctedDate;
    QString formato; // FPR12, or FPA12 for a public administration
    QString codiceDestinatario;
    QList<Line> lines;
    QList<Fund> funds;
    std::optional<Withholding> withholding;
    QList<Summary> summaries;
    qint64 stampCents = 0; // due; charged to the client on a line when the office says so
    bool stampCharged = false;
    qint64 totalCents = 0;
    qint64 payableCents = 0;
    paymentterms::Terms payment; // of the payable amount

    bool isCreditNote() const { return tipoDocumento == QLatin1String("TD04"); }
    qint64 taxableCents() const;
    // The taxable amounts of the services and the fund, without the stamp
    // charged back.
    qint64 servicesTaxableCents() const { return taxableCents() - (stampCharged ? stampCents : 0); }
    qint64 taxCents() const;
};

// Stamp duty on bills without VAT above this amount.
inline constexpr qint64 StampThresholdCents = 7747;
inline constexpr qint64 StampCents = 200;
// The length of a line's description in the file.
inline constexpr int DescriptionLength = 1000;

// The bill worked out with the office's rules; the data is expected checked
// (invoicechecks), so this refuses nothing.
Invoice make(const Office &office, const BillSource &bill);

}
