#pragma once

#include <QObject>
#include <QStringList>

class ClientFields;
class CodeIndicator;

// The client editor's codes as the user types them: a sign beside the tax
// code, the VAT number and the IBAN; the birth read from a valid tax code
// the user gives fills an empty birth date and place, and a filled one that
// disagrees is pointed out. It informs only; the save asks once about codes not valid.
class ClientCodes : public QObject
{
    Q_OBJECT

public:
    ClientCodes(ClientFields *fields, QObject *parent);

    // A stored client being loaded into the fields: its birth is not filled
    // from its code.
    void startLoading();
    // The codes of the client loaded for a change: kept as they were, they
    // are not asked about again, nor fill the birth.
    void rememberLoaded();
    // One line per code that is not valid, for the question before a save;
    // for a change, only the codes the user changed.
    QStringList problems(bool changing) const;

private:
    void checkTaxCode();
    void checkVatNumber();
    void checkIban();

    ClientFields *m_fields;
    CodeIndicator *m_taxCode;
    CodeIndicator *m_vatNumber;
    CodeIndicator *m_iban;
    QStringList m_loaded;
    bool m_loading = false;
};
