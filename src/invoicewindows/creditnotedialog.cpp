#include "creditnotedialog.h"

#include "store/money.h"
#include "ui/gridlist.h"
#include "ui/messages.h"
#include "ui/textrows.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CreditNoteDialog::CreditNoteDialog(const BillSource &bill, Messages &messages, QWidget *parent)
    : QDialog(parent), m_messages(messages), m_list(new GridList(this))
{
    setObjectName(QStringLiteral("FormNotaCredito"));
    setWindowTitle(QStringLiteral("Velmora - Nota di credito"));
    resize(760, 360);
    m_list->setObjectName(QStringLiteral("ListaPrestazioni"));
    m_list->setCheckBoxes(true);
    m_list->setColumns({{QStringLiteral("Data"), 1200},
                        {QStringLiteral("Causale"), 3000},
                        {QStringLiteral("Note"), 3000},
                        {QStringLiteral("Importo"), 1500, Qt::AlignRight}});
    QList<QStringList> rows;
    for (const BillService &service : bill.services) {
        m_ids << service.id;
        rows << QStringList{service.datar.toString(QStringLiteral("dd/MM/yyyy")), service.causale, service.note,
                            Money::fromCents(service.cents).euroText()};
    }
    m_list->setRows(std::make_shared<TextRows>(rows));
    m_list->setAllChecked(true);

    auto *issue = new QPushButton(QStringLiteral("&Emetti la nota"), this);
    issue->setObjectName(QStringLiteral("CmdEmetti"));
    auto *cancel = new QPushButton(QStringLiteral("&Annulla"), this);
    cancel->setObjectName(QStringLiteral("CmdAnnulla"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(issue);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Nota di credito per la parcella n. %1 del %2: restano spuntate le prestazioni "
                                                "da stornare (tutte, per stornare l'intera fattura).")
                                     .arg(bill.number, bill.date.toString(QStringLiteral("dd/MM/yyyy"))),
                                 this));
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    connect(issue, &QPushButton::clicked, this, &CreditNoteDialog::issue);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CreditNoteDialog::issue()
{
    QList<qint64> chosen;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->isChecked(row))
            chosen << m_ids.at(row);
    if (chosen.isEmpty()) {
        m_messages.inform(this, QStringLiteral("Velmora - Nota di credito"),
                          QStringLiteral("Occorre spuntare almeno una prestazione !"));
        return;
    }
    accept();
    emit issued(chosen.size() == m_ids.size() ? QList<qint64>() : chosen);
}
