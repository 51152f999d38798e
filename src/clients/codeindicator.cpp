#include "codeindicator.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyle>

CodeIndicator::CodeIndicator(QLineEdit *field, const QString &what, bool feminine)
    : QObject(field), m_sign(new QAction(this)), m_what(what), m_feminine(feminine)
{
    m_sign->setObjectName(field->objectName() + QStringLiteral("Verifica"));
    field->addAction(m_sign, QLineEdit::TrailingPosition);
    m_sign->setVisible(false);
}

void CodeIndicator::show(const CodeCheck &check, const QString &remark)
{
    const auto *field = static_cast<QLineEdit *>(parent());
    if (field->text().trimmed().isEmpty()) {
        m_sign->setVisible(false);
        m_sign->setToolTip(QString());
        return;
    }
    QStyle::StandardPixmap icon = QStyle::SP_DialogApplyButton;
    if (check.state == CodeCheck::State::Invalid || !remark.isEmpty())
        icon = QStyle::SP_MessageBoxWarning;
    else if (check.state == CodeCheck::State::NotCheckable)
        icon = QStyle::SP_MessageBoxQuestion;
    m_sign->setIcon(QApplication::style()->standardIcon(icon));
    m_sign->setToolTip(m_what + QLatin1Char(' ') + check.text(m_feminine)
                       + (remark.isEmpty() ? QString() : QStringLiteral("\n") + remark));
    m_sign->setVisible(true);
}

QString CodeIndicator::toolTip() const
{
    return m_sign->isVisible() ? m_sign->toolTip() : QString();
}
