#include "servicecommandbar.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumHeight(40);
    return b;
}

}

ServiceCommandBar::ServiceCommandBar(QWidget *parent)
    : QFrame(parent), m_newService(button(QStringLiteral("Cmd3"), QStringLiteral("Nuova  &Prestazione"), this)),
      m_modify(button(QStringLiteral("Cmd4"), QStringLiteral("&Modifica"), this)),
      m_remove(button(QStringLiteral("Cmd5"), QStringLiteral("&Elimina"), this)),
      m_print(button(QStringLiteral("Cmd6"), QStringLiteral("&Stampa"), this)),
      m_searchPrint(button(QStringLiteral("Cmd7"), QStringLiteral("&Ricerca/Stampa"), this)),
      m_clear(button(QStringLiteral("Cmd9"), QStringLiteral("&Pulisci"), this))
{
    setObjectName(QStringLiteral("Frame4"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QHBoxLayout(this);
    for (QPushButton *b : {m_newService, m_modify, m_remove, m_print, m_searchPrint, m_clear})
        layout->addWidget(b);
}

void ServiceCommandBar::enableAllButtons()
{
    for (QPushButton *b : {m_newService, m_modify, m_remove, m_print, m_searchPrint, m_clear})
        b->setEnabled(true);
}
