#pragma once

#include "einvoice/billsource.h"

#include <QDialog>

class GridList;
class Messages;

// The services of a bill, all ticked, for the credit note that corrects
// it: in full, or for the services left ticked.
class CreditNoteDialog : public QDialog
{
    Q_OBJECT

public:
    CreditNoteDialog(const BillSource &bill, Messages &messages, QWidget *parent);

signals:
    // The services to credit; none when the note is for the whole bill.
    void issued(const QList<qint64> &services);

private:
    void issue();

    QList<qint64> m_ids;
    Messages &m_messages;
    GridList *m_list;
};
