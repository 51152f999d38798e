#include "clientfields.h"

#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/enterfocus.h"
#include "ui/fieldrule.h"
#include "ui/named.h"
#include "ui/tickbox.h"
#include "ui/uppercase.h"

#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QString text(const QWidget *field)
{
    if (auto *line = qobject_cast<const QLineEdit *>(field))
        return line->text();
    if (auto *list = qobject_cast<const DropDown *>(field))
        return list->text();
    return static_cast<const QPlainTextEdit *>(field)->toPlainText();
}

}

ClientFields::ClientFields(QWidget *parent)
    : QWidget(parent)
{
    m_id = named(new QLineEdit(this), "Text1");
    // The id goes into SQL for change and delete: only the program sets it.
    m_id->setReadOnly(true);
    m_name = upperField("Text2");
    m_birthDate = named(new DateField(this), "DataBox1");
    m_birthPlace = editableList("Cbo1");
    m_birthProvince = editableList("Cbo2");
    m_address = upperField("Text3");
    m_residence = editableList("Cbo4");
    m_residenceProvince = editableList("Cbo5");
    for (DropDown *municipality : {m_birthPlace, m_residence})
        municipality->completeAsTyped();
    m_postalCode = upperField("Text4");
    FieldRule::limit(m_postalCode, 5);
    m_taxCode = upperField("Text8");
    FieldRule::limit(m_taxCode, 16);
    m_vatNumber = named(new QLineEdit(this), "Text9");
    FieldRule::acceptOnly(m_vatNumber, QStringLiteral("0123456789,-"), FieldRule::Dot::AsComma);
    FieldRule::limit(m_vatNumber, 11);
    m_iban = upperField("Text5");
    FieldRule::limit(m_iban, 27);
    m_business = editableList("Cbo7");
    m_documentType = editableList("Cbo6");
    m_documentNumber = upperField("Text6");
    m_expiry = named(new DateField(this), "DataBox2");
    m_payment = editableList("Cbo8");
    m_phone = named(new QLineEdit(this), "Text7");
    m_mobile = named(new QLineEdit(this), "Text11");
    m_fax = named(new QLineEdit(this), "Text12");
    for (QLineEdit *number : {m_phone, m_mobile, m_fax})
        FieldRule::acceptOnly(number, QStringLiteral("0123456789"), FieldRule::Dot::AsComma);
    m_email = upperField("Text15");
    m_notes = named(new QPlainTextEdit(this), "Text16");
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setFixedHeight(70);
    uppercase::apply(m_notes);
    m_active = named(new TickBox(QStringLiteral("Cliente Attivo"), this), "C2");
    for (DateField *date : {m_birthDate, m_expiry}) {
        date->setFixedWidth(110);
        connect(date, &DateField::invalidDate, this, [this, date] { emit invalidDate(date); });
    }
    build();
    installEnterOrder();
    // The id is the program's, not the user's: the last Tab stop.
    setTabOrder(m_active, m_id);
}

QLineEdit *ClientFields::upperField(const char *name)
{
    auto *field = named(new QLineEdit(this), name);
    uppercase::apply(field);
    return field;
}

DropDown *ClientFields::editableList(const char *name)
{
    return named(new DropDown(DropDown::Typing::Editable, this), name);
}

void ClientFields::build()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const struct { int row, column; const char *caption; QWidget *field; int span; } placed[] = {
        {0, 0, "ID", m_id, 1},
        {1, 0, "Cognome Nome e Ragione Sociale ", m_name, 5},
        {2, 0, "Data Nascita", m_birthDate, 1},
        {2, 2, "Comune di Nascita ", m_birthPlace, 1},
        {2, 4, "Prov.", m_birthProvince, 1},
        {3, 0, "Indirizzo", m_address, 5},
        {4, 0, "Comune di Residenza ", m_residence, 1},
        {4, 2, "Prov.", m_residenceProvince, 1},
        {4, 4, "C.A.P.", m_postalCode, 1},
        {5, 0, "Codice Fiscale", m_taxCode, 1},
        {5, 2, "Partita IVA", m_vatNumber, 1},
        {5, 4, "IBAN", m_iban, 1},
        {6, 0, "Attività", m_business, 1},
        {6, 2, "Tipo documento", m_documentType, 1},
        {6, 4, "Numero  documento", m_documentNumber, 1},
        {7, 0, "Scadenza", m_expiry, 1},
        {7, 2, "Modalità di pagamento", m_payment, 1},
        {8, 0, "Telefono", m_phone, 1},
        {8, 2, "Cellulare", m_mobile, 1},
        {8, 4, "Fax", m_fax, 1},
        {9, 0, "E-mail", m_email, 3},
        {10, 0, "Note", m_notes, 5},
    };
    for (const auto &p : placed) {
        auto *label = new QLabel(QString::fromUtf8(p.caption), this);
        label->setBuddy(p.field);
        grid->addWidget(label, p.row, p.column);
        grid->addWidget(p.field, p.row, p.column + 1, 1, p.span);
    }
    grid->addWidget(m_active, 11, 1);
    m_id->setFixedWidth(100);
    m_birthProvince->setMinimumContentsLength(4);
    m_residenceProvince->setMinimumContentsLength(4);
    m_birthPlace->setMinimumContentsLength(22);
    m_residence->setMinimumContentsLength(22);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
}

void ClientFields::installEnterOrder()
{
    const std::pair<QWidget *, QWidget *> order[] = {
        {m_name, m_birthDate},           {m_birthPlace, m_birthProvince},
        {m_birthProvince, m_address},    {m_address, m_residence},
        {m_residence, m_residenceProvince}, {m_residenceProvince, m_postalCode},
        {m_postalCode, m_taxCode},       {m_taxCode, m_vatNumber},
        {m_vatNumber, m_iban},           {m_iban, m_business},
        {m_business, m_documentType},    {m_documentType, m_documentNumber},
        {m_documentNumber, m_expiry},    {m_payment, m_phone},
        {m_phone, m_mobile},             {m_mobile, m_fax},
        {m_fax, m_email},                {m_email, m_notes},
        {m_notes, m_active},
    };
    for (const auto &[from, to] : order) {
        // An editable list gets its keys through its text field.
        if (auto *list = qobject_cast<DropDown *>(from))
            EnterFocus::install(list->lineEdit(), to);
        EnterFocus::install(from, to);
    }
}

void ClientFields::setEnterTarget(QWidget *actionButton)
{
    EnterFocus::install(m_active, actionButton);
}

clientrecords::ColumnValues ClientFields::columnValues() const
{
    const auto upper = [](const QWidget *field) { return QVariant(text(field).toUpper()); };
    const auto asIs = [](const QWidget *field) { return QVariant(text(field)); };
    clientrecords::ColumnValues values{
        {"Stato", m_active->isTicked() ? "S" : "N"}, {"Soggetto", asIs(m_name)}};
    if (!m_birthDate->text().isEmpty())
        values.append({"DataN", asIs(m_birthDate)});
    values += clientrecords::ColumnValues{
        {"ComuneN", upper(m_birthPlace)}, {"PrN", upper(m_birthProvince)},   {"Indirizzo", asIs(m_address)},
        {"ComuneR", upper(m_residence)},  {"PrR", upper(m_residenceProvince)}, {"CAP", asIs(m_postalCode)},
        {"Codice", asIs(m_taxCode)},      {"PIVA", asIs(m_vatNumber)},       {"IBAN", asIs(m_iban)},
        {"Attivita", upper(m_business)},  {"Tipo", upper(m_documentType)},   {"Ndoc", asIs(m_documentNumber)}};
    if (!m_expiry->text().isEmpty())
        values.append({"Scad", asIs(m_expiry)});
    values += clientrecords::ColumnValues{
        {"Pag", upper(m_payment)}, {"Tel", asIs(m_phone)},     {"Cell", asIs(m_mobile)}, {"Fax", asIs(m_fax)},
        {"Email", asIs(m_email)},  {"Note", asIs(m_notes)},    {"Agg", QDate::currentDate()}};
    return values;
}

void ClientFields::load(const QStringList &cells)
{
    m_id->setText(cells.value(0));
    m_active->setTicked(cells.value(1).trimmed().toUpper() == QLatin1String("S"));
    m_name->setText(cells.value(2));
    m_birthDate->setText(cells.value(3));
    m_birthPlace->setText(cells.value(4));
    m_birthProvince->setText(cells.value(5));
    m_address->setText(cells.value(6));
    m_residence->setText(cells.value(7));
    m_residenceProvince->setText(cells.value(8));
    m_postalCode->setText(cells.value(9));
    m_taxCode->setText(cells.value(10));
    m_vatNumber->setText(cells.value(11));
    m_iban->setText(cells.value(12));
    m_business->setText(cells.value(13));
    m_documentType->setText(cells.value(14));
    m_documentNumber->setText(cells.value(15));
    m_expiry->setText(cells.value(16));
    m_payment->setText(cells.value(17));
    m_phone->setText(cells.value(18));
    m_mobile->setText(cells.value(19));
    m_fax->setText(cells.value(20));
    m_email->setText(cells.value(21));
    m_notes->setPlainText(cells.value(22));
}

void ClientFields::reset()
{
    m_birthDate->reset();
    m_expiry->reset();
    m_active->setTicked(false);
    for (DropDown *list : {m_birthPlace, m_birthProvince, m_residence, m_residenceProvince, m_business,
                           m_documentType, m_payment})
        list->setText(QString());
}
