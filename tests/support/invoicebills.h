#pragma once

#include "teststore.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

// The professional whose bills the electronic-invoice tests write.
inline const QString OfficeCode = QStringLiteral("RSSMRA80A41H501Y");

// The leaves of a file, by the end of their element path:
// "DatiRiepilogo/Imposta" gives every summary's tax, in order.
class Leaves
{
public:
    explicit Leaves(const QByteArray &xml);
    QStringList operator[](const QString &suffix) const;
    QString one(const QString &suffix) const { return (*this)[suffix].value(0); }

private:
    QList<QPair<QString, QString>> m_leaves;
};

// One of the SdI's published notifications (RC, NS, MC, NE, DT, AT), made
// to name the file given and, for a public administration's answer, to
// carry the outcome given.
QByteArray sdiNotification(const QString &kind, const QString &invoiceFile, const QString &outcome = "EC01");
// Writes the bytes into the folder under that name.
void writeFile(const QString &folder, const QString &name, const QByteArray &content);

// The office's row, as the tests vary it.
struct StudioRow
{
    QString regime = "RF01", cassa = "TC01", alCassa = "4", ritenuta = "S", alRitenuta = "20", aliquota = "22", natura = {},
            bollo = "N";
};

// A store with the invoice tables, seeded row by row, and a folder for the
// files.
class Bills
{
    std::unique_ptr<TestStore> m_own;

public:
    // On a store of its own, or on the one given (a program's).
    Bills();
    explicit Bills(TestStore &on);

    void office(const StudioRow &o);
    qint64 client(const QString &name, const QList<QPair<QString, QVariant>> &fe, const QString &piva = "12345670017",
                  const QString &codice = {});
    qint64 reason(const QString &name, const QList<QPair<QString, QVariant>> &fe = {}, const QString &price = "0");
    void service(qint64 client, qint64 reason, const QString &amount, const QString &number = "12",
                 const QDate &billed = QDate(2026, 11, 30), const QString &quantity = "1", const QString &note = {});
    // The bill's file, which must pass the official schema and the SdI's
    // arithmetic as read back from the file (what they find, or why the
    // file was refused, is kept in lastFaults).
    Leaves invoice(const QString &number = "12", int year = 2026);
    // Why the bill's file is refused; empty when it was written.
    QString refusal(const QString &number = "12", int year = 2026);

    TestStore &store;
    QTemporaryDir folder;
    QStringList lastFaults;
};
