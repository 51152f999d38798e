#include "servicefields.h"

#include "ui/clickablelabel.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/fieldrule.h"
#include "ui/named.h"
#include "ui/uppercase.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

ServiceFields::ServiceFields(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    m_date = named(new DateField(this), "D1");
    m_client = named(new DropDown(DropDown::Typing::PickOnly, this), "Cbo1");
    m_clientId = idField("T15");
    m_reason = named(new DropDown(DropDown::Typing::PickOnly, this), "Cbo2");
    m_reasonId = idField("T16");
    m_cost = named(new QLineEdit(this), "Text1");
    m_operator = named(new DropDown(DropDown::Typing::PickOnly, this), "Cbo4");
    m_operatorId = idField("T13");
    m_days = numberField("T3");
    m_hours = numberField("T4");
    m_minutes = numberField("T5");
    m_quantity = numberField("T6");
    m_amount = named(new QLineEdit(this), "T7");
    m_notes = named(new QLineEdit(this), "T2");
    uppercase::apply(m_notes);
    m_billingDate = named(new DateField(this), "D3");
    m_billNumber = numberField("T8");
    m_serviceId = idField("T14");
    m_year = idField("T12");
    m_month = idField("T17");
    m_changed = named(new DateField(this), "D2");
    m_changed->setReadOnly(true);
    // The links are kept for the save, not shown.
    for (QLineEdit *hidden : {m_clientId, m_reasonId, m_operatorId})
        hidden->hide();
    for (auto [field, width] :
         {std::pair{m_quantity, 80}, std::pair{m_amount, 120}, std::pair{m_cost, 120}, std::pair{m_billNumber, 100},
          std::pair{m_serviceId, 100}, std::pair{m_year, 60}, std::pair{m_month, 40}})
        field->setFixedWidth(width);
    for (DateField *date : {m_date, m_billingDate, m_changed})
        date->setFixedWidth(110);
    m_client->setMinimumContentsLength(30);
    m_reason->setMinimumContentsLength(24);
    m_operator->setMinimumContentsLength(16);

    addCaptioned(0, 0, QStringLiteral("Data Operazione"), m_date);
    addCaptioned(0, 2, QStringLiteral("Cliente"), m_client, 3);
    addCaptioned(1, 0, QStringLiteral("Causale / Prestazione"), m_reason, 3);
    addCaptioned(1, 4, QStringLiteral("Costo"), m_cost);
    addCaptioned(2, 0, QStringLiteral("Operatore"), m_operator);

    auto *time = new QWidget(this);
    auto *timeRow = new QHBoxLayout(time);
    timeRow->setContentsMargins(0, 0, 0, 0);
    for (auto [caption, field] : {std::pair{"gg", m_days}, std::pair{"Ore", m_hours}, std::pair{"Min", m_minutes}}) {
        timeRow->addWidget(new QLabel(QLatin1String(caption), time));
        field->setFixedWidth(50);
        timeRow->addWidget(field);
    }
    addCaptioned(2, 2, QStringLiteral("Tempo impiegato "), time);
    addCaptioned(2, 4, QStringLiteral("Quantità"), m_quantity);
    addCaptioned(3, 0, QStringLiteral("Importo "), m_amount);
    addCaptioned(3, 2, QStringLiteral("Descrizione"), m_notes, 3);
    addCaptioned(4, 0, QStringLiteral("Data Parcella"), m_billingDate);
    addCaptioned(4, 2, QStringLiteral("Nr.Parc."), m_billNumber);
    addCaptioned(4, 4, QStringLiteral("ID"), m_serviceId);
    addCaptioned(5, 0, QStringLiteral("Anno"), m_year);
    addCaptioned(5, 2, QStringLiteral("MESE"), m_month);
    addCaptioned(5, 4, QStringLiteral("Agg."), m_changed);
    grid->setColumnStretch(3, 1);
}

QLineEdit *ServiceFields::numberField(const char *name)
{
    auto *field = named(new QLineEdit(this), name);
    FieldRule::acceptOnly(field, QStringLiteral("-,0123456789"), FieldRule::Dot::AsComma);
    return field;
}

// Fields the user only reads: the ids that go into SQL and the row's year,
// month and number.
QLineEdit *ServiceFields::idField(const char *name)
{
    auto *field = named(new QLineEdit(this), name);
    field->setReadOnly(true);
    return field;
}

void ServiceFields::addCaptioned(int row, int column, const QString &caption, QWidget *field, int span)
{
    auto *label = named(new ClickableLabel(caption, this), "Label4");
    label->setBuddy(field);
    m_captions << label;
    auto *grid = static_cast<QGridLayout *>(layout());
    grid->addWidget(label, row, column);
    grid->addWidget(field, row, column + 1, 1, span, span > 1 ? Qt::Alignment() : Qt::AlignLeft);
}

ServiceEntry ServiceFields::entry() const
{
    return {m_date->dateText(), m_client->text(), m_clientId->text(),        m_reason->text(),
            m_reasonId->text(), m_cost->text(),   m_operator->text(),        m_operatorId->text(),
            m_days->text(),     m_hours->text(),  m_minutes->text(),         m_quantity->text(),
            m_amount->text(),   m_notes->text(),  m_billingDate->dateText(), m_billNumber->text()};
}

QWidget *ServiceFields::widgetOf(servicecheck::Field field) const
{
    using F = servicecheck::Field;
    switch (field) {
    case F::Date:
        return m_date;
    case F::Operator:
        return m_operator;
    case F::Client:
        return m_client;
    case F::Reason:
        return m_reason;
    case F::Amount:
        return m_amount;
    case F::Cost:
        return m_cost;
    case F::Days:
        return m_days;
    case F::Hours:
        return m_hours;
    case F::Minutes:
        return m_minutes;
    case F::Quantity:
        return m_quantity;
    case F::BillingDate:
        return m_billingDate;
    }
    return nullptr;
}

void ServiceFields::reset()
{
    for (DateField *date : {m_date, m_billingDate, m_changed})
        date->reset();
    for (DropDown *list : {m_client, m_reason, m_operator})
        list->clearEntries();
    m_date->setDate(QDate::currentDate());
    m_billNumber->setReadOnly(true);
    // The billing date, like the bill number, is written by the billing panels.
    m_billingDate->setReadOnly(true);
    m_quantity->setText(QStringLiteral("1"));
}

void ServiceFields::load(const QStringList &cells)
{
    // Column order of PRESTAZIONI: ID, ANNO, MESE, ID_CL, ID_OPER, ID_CAUS,
    // DATAR, CLIENTE, CAUSALE, GG, ORE, MIN, QTA, IMPORTO, OPERATORE, PARC,
    // DATAP, NR, NOTE, AGG. PARC is not copied.
    const auto cell = [&cells](int i) { return cells.value(i); };
    m_serviceId->setText(cell(0));
    m_year->setText(cell(1));
    m_month->setText(cell(2));
    m_clientId->setText(cell(3));
    m_operatorId->setText(cell(4));
    m_reasonId->setText(cell(5));
    m_date->setText(cell(6));
    m_client->setText(cell(7));
    m_reason->setText(cell(8));
    m_days->setText(cell(9));
    m_hours->setText(cell(10));
    m_minutes->setText(cell(11));
    m_quantity->setText(cell(12));
    m_amount->setText(cell(13));
    m_operator->setText(cell(14));
    m_billingDate->setText(cell(16));
    m_billNumber->setText(cell(17));
    m_notes->setText(cell(18));
    m_changed->setText(cell(19));
}
