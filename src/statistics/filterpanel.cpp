#include "filterpanel.h"

#include "periodfields.h"
#include "store/recordset.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/dropdownfill.h"
#include "ui/named.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace {

DropDown *list(QWidget *parent, const char *name, int width)
{
    auto *box = named(new DropDown(DropDown::Typing::PickOnly, parent), name);
    box->setMinimumContentsLength(width);
    return box;
}

}

FilterPanel::FilterPanel(Connection &connection, Messages &messages, QWidget *parent)
    : QGroupBox(QStringLiteral("Ricerca/Visualizza/Stampa"), parent), m_connection(connection), m_messages(messages)
{
    setObjectName(QStringLiteral("Frame2"));
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    build();
    connect(m_all, &TickBox::ticked, this, &FilterPanel::allClicked);
    connect(m_today, &TickBox::ticked, this, [this](bool ticked) { periodfields::fillWithToday(m_from, m_to, ticked); });
    using enum FilterAction;
    // Unticking "Tutti" may empty the client's or reason's own text again:
    // its lookup then finds nothing. The reason leaves the client, so the
    // two together print that client's services of that reason.
    connect(m_client, &DropDown::picked, this, [this] {
        lookUp(*m_client, {EmptyOperator, UntickAll, EmptyDates, EmptyState, EmptyReason}, "ID_CL", "CLIENTE", m_clientCode);
    });
    connect(m_reason, &DropDown::picked, this, [this] {
        lookUp(*m_reason, {EmptyOperator, UntickAll, EmptyDates, EmptyState}, "ID_CAUS", "CAUSALE", m_reasonCode);
    });
    connect(m_operator, &DropDown::picked, this, [this] {
        lookUp(*m_operator, {EmptyClient, EmptyReason, EmptyState, UntickAll, EmptyCode, EmptyDates}, "ID_OPER", "OPERATORE",
               m_operatorCode);
    });
    periodfields::warnOfInvalidDate(m_from, m_messages);
    periodfields::warnOfInvalidDate(m_to, m_messages);
}

void FilterPanel::build()
{
    m_client = list(this, "Cbo10", 30);
    m_reason = list(this, "Cbo11", 30);
    m_state = list(this, "Cbo12", 8);
    m_operator = list(this, "Cbo13", 20);
    m_from = named(new DateField(this), "D3");
    m_to = named(new DateField(this), "D4");
    m_all = named(new TickBox(QStringLiteral("Tutti"), this), "C10");
    m_today = named(new TickBox(QStringLiteral("Data odierna"), this), "C11");
    m_code = named(new QLineEdit(this), "T1");
    m_print = named(new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("&Stampa"), this),
                    "Cmd2");
    m_code->setReadOnly(true);
    m_code->setFocusPolicy(Qt::NoFocus);
    m_code->setMaximumWidth(70);
    m_code->setToolTip(QStringLiteral("Codice dell'ultimo cliente, causale od operatore scelto"));
    for (DateField *date : {m_from, m_to})
        date->setMaximumWidth(110);
    m_print->setMinimumWidth(110);

    auto *grid = new QGridLayout(this);
    auto caption = [this](const char *text) { return new QLabel(QString::fromUtf8(text), this); };
    grid->addWidget(caption("Cliente"), 0, 0);
    grid->addWidget(m_client, 0, 1, 1, 3);
    grid->addWidget(m_all, 0, 4);
    grid->addWidget(caption("Causale"), 1, 0);
    grid->addWidget(m_reason, 1, 1, 1, 3);
    grid->addWidget(caption("Operatori"), 2, 0);
    grid->addWidget(m_operator, 2, 1, 1, 3);
    grid->addWidget(caption("Parcellati"), 3, 0);
    grid->addWidget(m_state, 3, 1);
    grid->addWidget(caption("Da"), 4, 0);
    grid->addWidget(m_from, 4, 1);
    grid->addWidget(caption("A"), 4, 2, Qt::AlignRight);
    grid->addWidget(m_to, 4, 3);
    grid->addWidget(m_today, 4, 4);
    grid->addWidget(m_code, 5, 0);
    grid->addWidget(m_print, 5, 3, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(5, 1);
}

FilterValues FilterPanel::values() const
{
    return {m_client->text(), m_reason->text(),  m_state->text(), m_operator->text(), m_from->dateText(),
            m_to->dateText(), m_all->isTicked(), m_clientCode,    m_reasonCode,       m_operatorCode};
}

void FilterPanel::apply(FilterAction action)
{
    switch (action) {
    case FilterAction::EmptyClient:
        emptyClient();
        break;
    case FilterAction::EmptyReason:
        emptyReason();
        break;
    case FilterAction::EmptyState:
        m_state->setText(QString());
        break;
    case FilterAction::EmptyOperator:
        emptyOperator();
        break;
    case FilterAction::EmptyDates:
        emptyDates();
        break;
    case FilterAction::UntickAll:
        m_all->setTicked(false);
        break;
    case FilterAction::UntickToday:
        m_today->setTicked(false);
        break;
    case FilterAction::EmptyCode:
        m_code->clear();
        break;
    }
}

void FilterPanel::reset()
{
    emptyClient();
    emptyReason();
    m_state->setText(QString());
    emptyDates();
    m_all->setTicked(false);
    m_today->setTicked(false);
    m_code->clear();
    m_state->setEntries({QString(), QStringLiteral("SI"), QStringLiteral("NO"), QStringLiteral("TUTTI")});
    fillLists();
    emptyOperator();
}

// Only the names that occur in services, so every choice finds rows.
void FilterPanel::fillLists()
{
    guarded(m_messages, this, [this] {
        fillEntries(*m_client, m_connection, QStringLiteral("Select DISTINCT CLIENTE From PRESTAZIONI ORDER BY CLIENTE "),
                    QStringLiteral("CLIENTE"), {}, NullValues::Skipped);
        fillEntries(*m_reason, m_connection, QStringLiteral("Select DISTINCT CAUSALE From PRESTAZIONI ORDER BY CAUSALE "),
                    QStringLiteral("CAUSALE"), {QString()}, NullValues::Skipped);
    });
}

void FilterPanel::fillOperators()
{
    guarded(m_messages, this, [this] {
        fillEntries(*m_operator, m_connection, QStringLiteral("Select DISTINCT OPERATORE From PRESTAZIONI ORDER BY OPERATORE "),
                    QStringLiteral("OPERATORE"), {}, NullValues::Skipped);
    });
}

void FilterPanel::allClicked(bool ticked)
{
    emptyClient();
    emptyReason();
    m_state->setText(QString());
    if (ticked)
        emptyOperator();
    m_today->setTicked(false);
    emptyDates();
}

void FilterPanel::lookUp(const DropDown &list, const QList<FilterAction> &clearedFirst, const char *codeColumn,
                         const char *nameColumn, QString &code)
{
    if (list.text().isEmpty())
        return;
    for (FilterAction action : clearedFirst)
        apply(action);
    code.clear();
    guarded(m_messages, this, [&] {
        const QString column = QLatin1String(codeColumn);
        Recordset first(m_connection,
                        QStringLiteral("Select %1 From PRESTAZIONI WHERE [%2] = ? AND NOT ISNULL(%1) ORDER BY ID")
                            .arg(column, QLatin1String(nameColumn)),
                        {list.text()});
        if (!first.eof()) {
            code = first.fields(0).text();
            m_code->setText(code);
        }
        first.close();
    });
}

void FilterPanel::emptyClient()
{
    m_client->setText(QString());
    m_clientCode.clear();
}

void FilterPanel::emptyReason()
{
    m_reason->setText(QString());
    m_reasonCode.clear();
}

void FilterPanel::emptyOperator()
{
    m_operator->setText(QString());
    m_operatorCode.clear();
}

void FilterPanel::emptyDates()
{
    m_from->reset();
    m_to->reset();
}
