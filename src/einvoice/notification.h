#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// One message of the SdI about an invoice file sent: a delivery receipt
// (RC), a rejection (NS), a failed delivery (MC), a public
// administration's answer (NE), its lapse of terms (DT) or the proof of a
// transmission it could not deliver (AT).
struct Notification
{
    QString kind; // "RC", "NS", "MC", "NE", "DT", "AT"
    QString invoiceFile; // the NomeFile the SdI names, without ".p7m"
    QString sdiId;
    QDateTime when; // of delivery, or of receipt; invalid when it gives none
    QString outcome; // NE: "EC01" accepted, "EC02" refused
    QString description;
    QList<QPair<QString, QString>> errors; // NS: code and description

    // The notification in the bytes, checked against the schema; none,
    // with why, when the bytes are not one.
    static std::optional<Notification> read(const QByteArray &xml, QString *why);
};
