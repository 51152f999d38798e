#include "backup.h"

#include "store/connection.h"
#include "store/durablefile.h"
#include "store/integrity.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/storecopy.h"
#include "store/storeerror.h"
#include "store/skipfailure.h"
#include "store/storefile.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace backup {

namespace {

const QString Prefix = QStringLiteral("Database-");
// The mark of a copy at work, with the number of its process.
const QString Mark = QStringLiteral("copia-in-corso.parziale-");
const QString Stamp = QStringLiteral("yyyy-MM-dd-HHmmss-zzz");

qint64 rowsOf(Connection &connection, const QString &table)
{
    return Recordset(connection, QStringLiteral("SELECT count(*) FROM %1").arg(table)).fields(0).toInteger();
}

void verify(Connection &store, const QString &path)
{
    Connection copy;
    copy.open(path, storefile::password);
    const QString problems = integrity::problemsIn(copy, integrity::Depth::Full);
    if (!problems.isEmpty())
        throw StoreError(QStringLiteral("la copia non supera la verifica: %1").arg(problems));
    // A server's copy was checked against the state it was read in; the
    // desks have worked on since.
    if (store.isServer())
        return;
    for (const auto &table : schema::tables())
        if (rowsOf(copy, table.name) != rowsOf(store, table.name))
            throw StoreError(QStringLiteral("la copia non ha le stesse righe dell'archivio nella tabella %1").arg(table.name));
}

}

QString folderOf(const QString &storePath)
{
    // The copies of an archive on a server are kept by each desk with its
    // own data.
    if (storefile::isServerAddress(storePath))
        return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("velmora/backup"));
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
    const QString mark = into.filePath(Mark + QString::number(QCoreApplication::applicationPid()));
    // Made and checked under a name of its own: only a verified copy ever
    // has a copy's name.
    try {
        durablefile::writeWhole(mark, QByteArray());
        durablefile::make(path, [&](const QString &partial) {
            // The copying reports up to 50 per cent, the check of the copy the rest.
            storecopy::write(store, partial, [&](int done, int total) {
                if (progress)
                    progress(50 * done / total);
            });
            verify(store, partial);
        });
        if (progress)
            progress(100);
    } catch (const StoreError &error) {
        const QString cause = QStringLiteral("copia di sicurezza non riuscita: %1").arg(error.message());
        skipFailure([&] { durablefile::writeWhole(mark, cause.toUtf8()); });
        throw StoreError(cause);
    }
    // A verified copy holds all that the unfinished ones were to hold.
    QFile::remove(mark);
    for (const QString &name : into.entryList({Mark + QLatin1Char('*')}, QDir::Files | QDir::Hidden))
        if (durablefile::isLeftover(name))
            QFile::remove(into.filePath(name));
    return path;
}

std::optional<QString> unfinished(const QString &folder)
{
    // The newest mark of an ended program tells.
    for (const QFileInfo &mark : QDir(folder).entryInfoList({Mark + QLatin1Char('*')}, QDir::Files, QDir::Time))
        if (durablefile::isLeftover(mark.fileName())) {
            QFile file(mark.filePath());
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        }
    return std::nullopt;
}

bool isSound(const Copy &copy)
{
    try {
        Connection opened;
        opened.open(copy.path, storefile::password);
        for (const auto &table : schema::tables())
            rowsOf(opened, table.name);
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
    // An empty file under a copy's name is what an earlier version left when
    // it was killed while copying.
    for (const QString &name : dir.entryList({Prefix + QStringLiteral("*.db")}, QDir::Files))
        if (QFileInfo(dir.filePath(name)).size() == 0)
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
    removeLeftovers(folder);
    QSet<QString> days, weeks, months;
    for (const Copy &copy : list(folder)) {
        if (!copy.label.isEmpty())
            continue;
        const QDate date = copy.made.date();
        int weekYear = 0;
        const int week = date.weekNumber(&weekYear);
        const std::tuple<QSet<QString> *, QString, int> periods[] = {{&days, date.toString(Qt::ISODate), 7},
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
    return std::any_of(copies.begin(), copies.end(),
                       [](const Copy &c) { return c.label.isEmpty() && c.made.date() == QDate::currentDate() && isSound(c); });
}

}
