#include "groupedreportwindow.h"

#include "periodfields.h"
#include "reports/layouts.h"
#include "reports/reportdata.h"
#include "reportwindows/reportshow.h"
#include "reports/shaping.h"
#include "store/valueconversion.h"
#include "ui/datefield.h"
#include "ui/dropdown.h"
#include "ui/messages.h"
#include "ui/storeguard.h"
#include "ui/tickbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>

// A choice of the list and its shaping command, split around the period:
// the clients, and under each its services between the two dates.
struct GroupedChoice
{
    const char *name;
    const char *beforeFrom;
    const char *afterTo;
    bool emptiesChoice; // so that one click builds one report
};

namespace {

const GroupedChoice Choices[] = {
    {"Non Parcellati",
     "SHAPE {SELECT DISTINCT CLIENTE FROM PRESTAZIONI WHERE PARC= 'N' ORDER BY CLIENTE} "
     "APPEND ({SELECT * FROM PRESTAZIONI  WHERE  (DATAR >= #",
     "#)AND PARC LIKE 'N' } AS Level2 RELATE CLIENTE TO CLIENTE  )", true},
    {"Parcellati",
     "SHAPE {SELECT DISTINCT CLIENTE,PARC FROM PRESTAZIONI  where PARC LIKE 'S' ORDER BY CLIENTE} "
     "APPEND ({SELECT * FROM PRESTAZIONI  WHERE  (DATAR >= #",
     "# ) and parc LIKE 'S' } AS Level2 RELATE CLIENTE to cliente )", false},
    {"Tutti",
     "SHAPE {SELECT DISTINCT CLIENTE FROM PRESTAZIONI ORDER BY CLIENTE} "
     "APPEND ({SELECT * FROM PRESTAZIONI  WHERE (DATAR >= #",
     "#)  } AS Level2 RELATE CLIENTE to cliente )", false},
};

// The cumulative report's detail boxes and the child columns they print.
const QList<QPair<const char *, const char *>> DetailFields{{"Text2", "DATAR"}, {"Text3", "CAUSALE"}, {"Text4", "IMPORTO"},
                                                            {"Text5", "QTA"},   {"Text6", "NOTE"},    {"Text7", "OPERATORE"},
                                                            {"Text8", "PARC"}};

// An empty date field takes today's date.
std::optional<QString> monthFirst(DateField &field)
{
    if (field.text().isEmpty())
        field.setDate(QDate::currentDate());
    const QDate date = field.date();
    return date.isValid() ? std::optional(monthFirstDate(date)) : std::nullopt;
}

}

GroupedReportWindow::GroupedReportWindow(Connection &connection, Messages &messages, QWidget *parent)
    : ProgramWindow(parent), m_connection(connection), m_messages(messages),
      m_choice(new DropDown(DropDown::Typing::PickOnly, this)), m_from(new DateField(this)), m_to(new DateField(this)),
      m_today(new TickBox(QStringLiteral("Data odierna"), this)), m_layout(layouts::drtTest)
{
    setObjectName(QStringLiteral("Form4"));
    QFont arial = font();
    arial.setFamily(QStringLiteral("Arial"));
    setFont(arial);
    QAction *close = menuBar()->addAction(QStringLiteral("&Chiudi"));
    close->setObjectName(QStringLiteral("Chiudi"));
    m_choice->setObjectName(QStringLiteral("Cbo1"));
    m_from->setObjectName(QStringLiteral("D3"));
    m_to->setObjectName(QStringLiteral("D4"));
    m_today->setObjectName(QStringLiteral("C11"));
    auto *print = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("&Stampa"), this);
    print->setObjectName(QStringLiteral("Cmd2"));
    m_choice->setMinimumContentsLength(16);
    for (DateField *date : {m_from, m_to})
        date->setMaximumWidth(110);

    auto *central = new QWidget(this);
    auto *grid = new QGridLayout(central);
    auto *label = new QLabel(QStringLiteral("Seleziona"), central);
    label->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_choice, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Da"), central), 1, 0);
    grid->addWidget(m_from, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("A"), central), 1, 2, Qt::AlignRight);
    grid->addWidget(m_to, 1, 3);
    grid->addWidget(m_today, 2, 1, 1, 3);
    grid->addWidget(print, 3, 3, Qt::AlignRight);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);
    setCentralWidget(central);
    resize(460, 220);

    QStringList entries{QString()};
    for (const GroupedChoice &choice : Choices)
        entries << QString::fromUtf8(choice.name);
    m_choice->setEntries(entries);

    connect(close, &QAction::triggered, this, [this] {
        emit closed();
        hide();
    });
    connect(print, &QPushButton::clicked, this, &GroupedReportWindow::print);
    connect(m_today, &TickBox::ticked, this, [this](bool ticked) { periodfields::fillWithToday(m_from, m_to, ticked); });
    periodfields::warnOfInvalidDate(m_from, m_messages);
    periodfields::warnOfInvalidDate(m_to, m_messages);
}

void GroupedReportWindow::print()
{
    if (m_choice->text().trimmed().isEmpty()) {
        m_messages.inform(this, QStringLiteral("Velmora ERRORE - CAMPO   VUOTO"),
                          QStringLiteral(" Occorre selezionare una voce !"));
        m_choice->setFocus();
        return;
    }
    for (const GroupedChoice &choice : Choices) {
        if (m_choice->text() != QLatin1String(choice.name))
            continue;
        showReport(choice);
        m_today->setTicked(false);
        if (choice.emptiesChoice)
            m_choice->setText(QString());
    }
}

void GroupedReportWindow::showReport(const GroupedChoice &choice)
{
    const auto from = monthFirst(*m_from);
    const auto to = monthFirst(*m_to);
    if (!from || !to) {
        periodfields::showInvalidDate(m_messages, this);
        return;
    }
    const QString command = QLatin1String(choice.beforeFrom) + *from + QLatin1String("# AND DATAR <= #") + *to
        + QLatin1String(choice.afterTo);
    guarded(m_messages, this, [&] {
        const ReportData groups = shaping::open(m_connection, command);
        ReportLayout &layout = m_layout.forUse();
        layout.setDataField(QStringLiteral("Section6"), QStringLiteral("Text1"), QStringLiteral("CLIENTE"));
        for (const auto &[box, field] : DetailFields)
            layout.setDataField(QStringLiteral("Section1"), QLatin1String(box), QLatin1String(field));
        ::showReport(*this, m_messages, layout, groups);
    });
}
