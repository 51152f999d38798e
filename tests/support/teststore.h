#pragma once

#include "store/connection.h"

#include <QTemporaryDir>

// A fresh store in a folder of its own, as a first start makes it (the
// first one of a test program is built, the others copied from it); in the
// server's runs, a fresh archive on the test server.
class TestStore
{
public:
    TestStore();
    ~TestStore();

    Connection &connection() { return m_connection; }
    // The store file, or the archive's connection string on the server.
    QString path() const;

    // Adds a row to a table, columns given as name/value pairs; returns its ID.
    qint64 add(const QString &table, const QList<QPair<QString, QVariant>> &values);
    // The value of one column of one row, as text.
    QString text(const QString &sql);
    int count(const QString &sql);
    // Every column of one row, as text, in table order (ID first).
    QStringList row(const QString &table, qint64 id);

private:
    QTemporaryDir m_dir;
    QString m_archive;
    QString m_database;
    Connection m_connection;
};
