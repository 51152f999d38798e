#include "clientcodes.h"

#include "clientfields.h"
#include "codeindicator.h"
#include "taxcodes/iban.h"
#include "taxcodes/taxcode.h"
#include "taxcodes/vatnumber.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"

#include <QLineEdit>

namespace {

// The province written for a birth abroad.
const QString Abroad = QStringLiteral("EE");

}

ClientCodes::ClientCodes(ClientFields *fields, QObject *parent)
    : QObject(parent), m_fields(fields), m_taxCode(new CodeIndicator(fields->taxCode(), QStringLiteral("Codice fiscale"))),
      m_vatNumber(new CodeIndicator(fields->vatNumber(), QStringLiteral("Partita IVA"), true)),
      m_iban(new CodeIndicator(fields->iban(), QStringLiteral("IBAN")))
{
    connect(fields->taxCode(), &QLineEdit::textChanged, this, &ClientCodes::checkTaxCode);
    connect(fields->birthDate(), &QLineEdit::textChanged, this, &ClientCodes::checkTaxCode);
    connect(fields->birthPlace(), &QComboBox::currentTextChanged, this, &ClientCodes::checkTaxCode);
    connect(fields->vatNumber(), &QLineEdit::textChanged, this, &ClientCodes::checkVatNumber);
    connect(fields->iban(), &QLineEdit::textChanged, this, &ClientCodes::checkIban);
}

void ClientCodes::checkTaxCode()
{
    std::optional<taxcode::Birth> birth;
    const CodeCheck check = taxcode::check(m_fields->taxCode()->text(), &birth);
    if (!birth) {
        m_taxCode->show(check);
        return;
    }
    const QString date = birth->date.toString(QStringLiteral("dd/MM/yyyy"));
    const territory::Place &place = *birth->place;
    DateField *birthDate = m_fields->birthDate();
    DropDown *birthPlace = m_fields->birthPlace();
    // A stored client shows what is stored: only a code the user gives
    // fills the birth.
    const bool fills = !m_loading && m_fields->taxCode()->text() != m_loaded.value(0);
    if (fills && birthDate->text().isEmpty())
        birthDate->setText(date);
    if (fills && birthPlace->text().isEmpty()) {
        birthPlace->setText(place.name);
        m_fields->birthProvince()->setText(place.abroad ? Abroad : place.province);
    }
    QStringList disagree;
    if (birthDate->text() != date)
        disagree << QStringLiteral("il codice indica la nascita il %1, la scheda il %2").arg(date, birthDate->text());
    if (birthPlace->text().compare(place.name, Qt::CaseInsensitive) != 0)
        disagree << QStringLiteral("il codice indica la nascita a %1, la scheda a %2").arg(place.name, birthPlace->text());
    m_taxCode->show(check, disagree.join(QLatin1Char('\n')));
}

void ClientCodes::checkVatNumber()
{
    m_vatNumber->show(vatnumber::check(m_fields->vatNumber()->text()));
}

void ClientCodes::checkIban()
{
    m_iban->show(iban::check(m_fields->iban()->text()));
}

void ClientCodes::startLoading()
{
    m_loading = true;
}

void ClientCodes::rememberLoaded()
{
    m_loading = false;
    m_loaded = {m_fields->taxCode()->text(), m_fields->vatNumber()->text(), m_fields->iban()->text()};
}

QStringList ClientCodes::problems(bool changing) const
{
    const struct
    {
        QLineEdit *field;
        CodeCheck check;
        const char *what;
    } codes[] = {
        {m_fields->taxCode(), taxcode::check(m_fields->taxCode()->text()), "Il codice fiscale non è valido"},
        {m_fields->vatNumber(), vatnumber::check(m_fields->vatNumber()->text()), "La partita IVA non è valida"},
        {m_fields->iban(), iban::check(m_fields->iban()->text()), "L'IBAN non è valido"},
    };
    QStringList lines;
    for (int i = 0; i < 3; ++i) {
        const QString text = codes[i].field->text();
        const bool kept = changing && text == m_loaded.value(i);
        if (!kept && !text.trimmed().isEmpty() && codes[i].check.state == CodeCheck::State::Invalid)
            lines << QStringLiteral("%1: %2.").arg(QString::fromUtf8(codes[i].what), codes[i].check.reason);
    }
    return lines;
}
