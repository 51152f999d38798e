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
    if (auto *date = qobject_cast<const DateField *>(field))
        return date->dateText();
    if (auto *line = qobject_cast<const QLineEdit *>(field))
        return line->text();
    if (auto *list = qobject_cast<const DropDown *>(field))
        return list->text();
    return static_cast<const QPlainTextEdit *>(field)->toPlainText();
}

}

ClientFields::ClientFields(QWidget *parent) : QWidget(parent)
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

QList<ClientFields::Column> ClientFields::columns() const
{
    // SOGGETTI's columns after ID, in table order: where each is placed,
    // under which caption, and whether it is stored in capitals.
    return {
        {"Stato", m_active, nullptr, 11, 0, 1, false},
        {"Soggetto", m_name, "Cognome Nome e Ragione Sociale ", 1, 0, 5, false},
        {"DataN", m_birthDate, "Data Nascita", 2, 0, 1, false},
        {"ComuneN", m_birthPlace, "Comune di Nascita ", 2, 2, 1, true},
        {"PrN", m_birthProvince, "Prov.", 2, 4, 1, true},
        {"Indirizzo", m_address, "Indirizzo", 3, 0, 5, false},
        {"ComuneR", m_residence, "Comune di Residenza ", 4, 0, 1, true},
        {"PrR", m_residenceProvince, "Prov.", 4, 2, 1, true},
        {"CAP", m_postalCode, "C.A.P.", 4, 4, 1, false},
        {"Codice", m_taxCode, "Codice Fiscale", 5, 0, 1, false},
        {"PIVA", m_vatNumber, "Partita IVA", 5, 2, 1, false},
        {"IBAN", m_iban, "IBAN", 5, 4, 1, false},
        {"Attivita", m_business, "Attività", 6, 0, 1, true},
        {"Tipo", m_documentType, "Tipo documento", 6, 2, 1, true},
        {"Ndoc", m_documentNumber, "Numero  documento", 6, 4, 1, false},
        {"Scad", m_expiry, "Scadenza", 7, 0, 1, false},
        {"Pag", m_payment, "Modalità di pagamento", 7, 2, 1, true},
        {"Tel", m_phone, "Telefono", 8, 0, 1, false},
        {"Cell", m_mobile, "Cellulare", 8, 2, 1, false},
        {"Fax", m_fax, "Fax", 8, 4, 1, false},
        {"Email", m_email, "E-mail", 9, 0, 3, false},
        {"Note", m_notes, "Note", 10, 0, 5, false},
        {"Agg", nullptr, nullptr, 0, 0, 0, false}, // the day of the save
    };
}

void ClientFields::build()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto place = [&](const char *caption, QWidget *field, int row, int column, int span) {
        auto *label = new QLabel(QString::fromUtf8(caption), this);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1, 1, span);
    };
    place("ID", m_id, 0, 0, 1);
    for (const Column &c : columns()) {
        if (c.caption)
            place(c.caption, c.field, c.row, c.gridColumn, c.span);
        else if (c.field)
            grid->addWidget(c.field, c.row, c.gridColumn + 1);
    }
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
        {m_name, m_birthDate},
        {m_birthPlace, m_birthProvince},
        {m_birthProvince, m_address},
        {m_address, m_residence},
        {m_residence, m_residenceProvince},
        {m_residenceProvince, m_postalCode},
        {m_postalCode, m_taxCode},
        {m_taxCode, m_vatNumber},
        {m_vatNumber, m_iban},
        {m_iban, m_business},
        {m_business, m_documentType},
        {m_documentType, m_documentNumber},
        {m_documentNumber, m_expiry},
        {m_payment, m_phone},
        {m_phone, m_mobile},
        {m_mobile, m_fax},
        {m_fax, m_email},
        {m_email, m_notes},
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
    clientrecords::ColumnValues values;
    for (const Column &c : columns()) {
        if (!c.field)
            values.append({c.column, QVariant(QDate::currentDate())});
        else if (c.field == m_active)
            values.append({c.column, QVariant(m_active->isTicked() ? "S" : "N")});
        else if (qobject_cast<const DateField *>(c.field) && text(c.field).isEmpty())
            continue; // a save never erases a stored date
        else
            values.append({c.column, QVariant(c.upper ? text(c.field).toUpper() : text(c.field))});
    }
    return values;
}

void ClientFields::load(const QStringList &cells)
{
    m_id->setText(cells.value(0));
    const QList<Column> all = columns();
    for (int i = 0; i < all.size(); ++i) {
        const QString cell = cells.value(i + 1);
        QWidget *field = all.at(i).field;
        if (field == m_active)
            m_active->setTicked(cell.trimmed().toUpper() == QLatin1String("S"));
        else if (auto *line = qobject_cast<QLineEdit *>(field))
            line->setText(cell);
        else if (auto *list = qobject_cast<DropDown *>(field))
            list->setText(cell);
        else if (auto *notes = qobject_cast<QPlainTextEdit *>(field))
            notes->setPlainText(cell);
    }
}

void ClientFields::reset()
{
    m_birthDate->reset();
    m_expiry->reset();
    m_active->setTicked(false);
    for (DropDown *list :
         {m_birthPlace, m_birthProvince, m_residence, m_residenceProvince, m_business, m_documentType, m_payment})
        list->setText(QString());
}
