#include "anomalypanel.h"

#include "records/anomalies.h"
#include "ui/gridfill.h"
#include "ui/gridlist.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// Every column of PRESTAZIONI as plain text; the hidden ones (width 1 or
// 10) carry the row's values for the editor.
QList<GridColumn> columns()
{
    constexpr Qt::Alignment Left = Qt::AlignLeft;
    constexpr Qt::Alignment Right = Qt::AlignRight;
    return {{"ID", 10, Left},       {"ANNO", 800, Qt::AlignHCenter},
            {"MESE", 1, Left},      {"ID_CL", 1000, Left},
            {"ID_OP", 1000, Right}, {"ID_CAUS", 1000, Right},
            {"DATA", 1200, Left},   {"CLIENTE", 4000, Left},
            {"CAUSALE", 1, Left},   {"GG", 1, Left},
            {"ORE", 1, Left},       {"MIN", 1, Left},
            {"Q.TA'", 1, Left},     {"IMPORTO", 1, Right},
            {"OPERATORE", 1, Left}, {"PARCELLA", 1, Left},
            {"PAG.", 1, Left},      {"NR.", 1, Left},
            {"NOTE", 1, Left},      {"AGG", 1200, Left}};
}

}

AnomalyPanel::AnomalyPanel(Connection &connection, QWidget *parent)
    : PanelFrame(QStringLiteral("Frame9"), QStringLiteral("Anomalie nelle Registrazioni"), QStringLiteral("Picture8"), parent),
      m_connection(connection), m_list(new GridList(this))
{
    m_list->setObjectName(QStringLiteral("ListView6"));
    content()->addWidget(new QLabel(QStringLiteral("Cliccare sulla registrazione per correggerla"), this));
    content()->addWidget(m_list, 1);
    connect(m_list, &GridList::rowClicked, this,
            [this](int row) { emit servicePicked(m_list->cells(row), m_list->rowVersion(row)); });
}

void AnomalyPanel::open()
{
    show();
    fillGrid(*m_list, m_connection, columns(), anomalies::statement());
}
