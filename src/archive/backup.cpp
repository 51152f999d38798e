#include "backup.h"

#include "store/connection.h"
#include "store/schema.h"
#include "store/statement.h"
#include "store/storeerror.h"
#include "store/durablefile.h"
#include "store/integrity.h"
#include "store/storefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <sqlite3.h>

namespace backup {

namespace {

const QString Prefix = QStringLiteral("Database-");
const QString Stamp = QStringLiteral("yyyy-MM-dd-HHmmss-zzz");

qint64 rowsOf(sqlite3 *db, const QString &table)
{
    Statement count(db, ("SELECT count(*) FROM " + table).toUtf8());
    count.step();
    return sqlite3_column_int64(count.handle(), 0);
}

void verify(Connection &store, const QString &path)
{
    Connection copy;
    copy.open(path, storefile::password);
    Statement check(copy.handle(), "PRAGMA integrity_check");
    check.step();
    const QString verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(check.handle(), 0)));
    if (verdict != QLatin1String("ok"))
        throw StoreError(QStringLiteral("la copia non supera la verifica (%1)").arg(verdict));
    for (const auto &table : schema::tables())
        if (rowsOf(copy.handle(), table.name) != rowsOf(store.handle(), table.name))
            throw StoreError(QStringLiteral("la copia non ha le stesse righe dell'archivio nella tabella %1").arg(table.name));
}

void copyInto(Connection &store, const QString &path, const Progress &progress)
{
    Connection copy;
    copy.create(path, storefile::password, store.pageSize());
    sqlite3_backup *run = sqlite3_backup_init(copy.handle(), "main", store.handle(), "main");
    if (!run)
        throw StoreError::fromSqlite(sqlite3_errcode(copy.handle()), sqlite3_errmsg(copy.handle()));
    // A slice of pages at a time, so a window can show how far it is.
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(run, 1024);
        const int total = sqlite3_backup_pagecount(run);
        if (progress && total > 0)
            progress(50 * (total - sqlite3_backup_remaining(run)) / total);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(run);
    if (rc == SQLITE_DONE)
        return;
    const int cause = sqlite3_system_errno(copy.handle());
    if (cause == ENOSPC || rc == SQLITE_FULL)
        throw StoreError(QStringLiteral("la copia non può essere scritta in %1: il disco è pieno").arg(QFileInfo(path).absolutePath()));
    // A store that cannot be read whole is told as such, not as the engine's
    // words for the copy that stopped.
    const QString problems = integrity::problemsOf(store.path());
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("l'archivio è danneggiato e non può essere copiato per intero: %1").arg(problems));
    throw StoreError(QStringLiteral("la copia non può essere scritta in %1: %2")
                         .arg(QFileInfo(path).absolutePath(), QString::fromUtf8(sqlite3_errstr(rc))));
}

}

QString folderOf(const QString &storePath)
{
    return QFileInfo(storePath).absoluteDir().filePath(QStringLiteral("backup"));
}

QString newPath(const QString &folder, const QString &label)
{
    QString name = Prefix + QDateTime::currentDateTime().toString(Stamp);
    if (!label.isEmpty())
        name += QLatin1Char('-') + label;
    return QDir(folder).filePath(name + QStringLiteral(".db"));
}

QString make(Connection &store, const QString &folder, const QString &label, const Progress &progress)
{
    const QDir into(folder.isEmpty() ? folderOf(store.path()) : folder);
    if (!QDir().mkpath(into.path()))
        throw StoreError(QStringLiteral("la cartella %1 non può essere creata").arg(into.path()));
    removeLeftovers(into.path());
    const QString path = newPath(into.path(), label);
    // Made and checked under a name of its own: only a verified copy ever
    // has a copy's name.
    try {
        durablefile::make(path, [&](const QString &partial) {
            copyInto(store, partial, progress);
            verify(store, partial);
        });
        if (progress)
            progress(100);
    } catch (const StoreError &error) {
        throw StoreError(QStringLiteral("copia di sicurezza non riuscita: %1").arg(error.message()));
    }
    return path;
}

bool isSound(const Copy &copy)
{
    try {
        Connection opened;
        opened.open(copy.path, storefile::password);
        for (const auto &table : schema::tables())
            rowsOf(opened.handle(), table.name);
        return true;
    } catch (const StoreError &) {
        return false;
    }
}

void removeLeftovers(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList({Prefix + QStringLiteral("*.parziale-*")}, QDir::Files))
        if (durablefile::isLeftover(name))
            QFile::remove(dir.filePath(name));
}

QList<Copy> list(const QString &folder)
{
    QList<Copy> copies;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({Prefix + QStringLiteral("*.db")}, QDir::Files, QDir::Name | QDir::Reversed)) {
        // An empty file never opens: it is no copy, whatever its name.
        if (QFileInfo(dir.filePath(name)).size() == 0)
            continue;
        const QString stem = name.mid(Prefix.size(), name.size() - Prefix.size() - 3);
        const QDateTime made = QDateTime::fromString(stem.left(Stamp.size()), Stamp);
        if (made.isValid())
            copies.append({dir.filePath(name), made, stem.mid(Stamp.size() + 1)});
    }
    return copies;
}

void rotate(const QString &folder)
{
    // An empty file under a copy's name is what an earlier version left when
    // it was killed while copying.
    const QDir dir(folder);
    for (const QString &name : dir.entryList({Prefix + QStringLiteral("*.db")}, QDir::Files))
        if (QFileInfo(dir.filePath(name)).size() == 0)
            QFile::remove(dir.filePath(name));
    QSet<QString> days, weeks, months;
    for (const Copy &copy : list(folder)) {
        if (!copy.label.isEmpty())
            continue;
        const QDate date = copy.made.date();
        int weekYear = 0;
        const int week = date.weekNumber(&weekYear);
        const std::tuple<QSet<QString> *, QString, int> periods[] = {
            {&days, date.toString(Qt::ISODate), 7},
            {&weeks, QStringLiteral("%1-%2").arg(weekYear).arg(week), 4},
            {&months, date.toString(QStringLiteral("yyyy-MM")), 12}};
        const auto opens = [](const auto &period) {
            const auto &[set, key, most] = period;
            return !set->contains(key) && set->size() < most;
        };
        if (std::none_of(std::begin(periods), std::end(periods), opens)) {
            QFile::remove(copy.path);
            continue;
        }
        // A copy that does not open stands for no period: a sound older one
        // keeps it, and the file is left for the user to look at.
        if (!isSound(copy))
            continue;
        for (const auto &period : periods)
            if (opens(period))
                std::get<0>(period)->insert(std::get<1>(period));
    }
}

bool madeToday(const QString &folder)
{
    const QList<Copy> copies = list(folder);
    return std::any_of(copies.begin(), copies.end(), [](const Copy &c) {
        return c.label.isEmpty() && c.made.date() == QDate::currentDate() && isSound(c);
    });
}

}
