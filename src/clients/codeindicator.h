#pragma once

#include "taxcodes/codecheck.h"

#include <QObject>

class QAction;
class QLineEdit;

// The sign at the end of a code field that tells, as the user types,
// whether the code is valid, not valid (and why) or cannot be checked. It
// only informs: nothing is refused because of it.
class CodeIndicator : public QObject
{
    Q_OBJECT

public:
    // "Codice fiscale", "Partita IVA", "IBAN": what the tooltip names, and
    // whether the word is feminine.
    CodeIndicator(QLineEdit *field, const QString &what, bool feminine = false);

    // No sign for an empty field.
    void show(const CodeCheck &check, const QString &remark = QString());
    QString toolTip() const;

private:
    QAction *m_sign;
    QString m_what;
    bool m_feminine;
};
