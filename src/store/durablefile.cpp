#include "durablefile.h"

#include "privacy.h"
#include "storeerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace durablefile {

namespace {

const QString Partial = QStringLiteral(".parziale-");

QString causeOf(int error)
{
    if (error == ENOSPC || error == EDQUOT)
        return QStringLiteral("il disco è pieno");
    if (error == EACCES || error == EPERM || error == EROFS)
        return QStringLiteral("permesso negato");
    return QString::fromLocal8Bit(std::strerror(error));
}

void syncFolderOf(const QString &path)
{
    syncPath(QFileInfo(path).absolutePath());
}

void removeAll(const QString &partial)
{
    if (QFileInfo(partial).isDir())
        QDir(partial).removeRecursively();
    else
        QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));
}

}

QString partialName(const QString &finalPath)
{
    return finalPath + Partial + QString::number(QCoreApplication::applicationPid());
}

bool isLeftover(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("\\.parziale-(\\d+)(-journal)?$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return false;
    const pid_t pid = pid_t(match.captured(1).toLongLong());
    return pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH;
}

namespace {

// Writes what `next` gives until it gives nothing, syncs, and closes; the
// errno of the first failure, or 0.
template<typename Next>
int writeAll(int fd, Next &&next)
{
    int error = 0;
    for (QByteArray chunk = next(); error == 0 && !chunk.isEmpty(); chunk = next()) {
        qsizetype written = 0;
        while (written < chunk.size()) {
            const ssize_t step = ::write(fd, chunk.constData() + written, size_t(chunk.size() - written));
            if (step < 0 && errno == EINTR)
                continue;
            if (step <= 0) {
                error = step < 0 ? errno : ENOSPC;
                break;
            }
            written += step;
        }
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

template<typename Next>
void writeNew(const QString &path, Next &&next)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw StoreError(QStringLiteral("il file %1 non può essere creato: %2").arg(path, causeOf(errno)));
    const int error = writeAll(fd, next);
    if (error != 0) {
        QFile::remove(path);
        throw StoreError(QStringLiteral("il file %1 non può essere scritto per intero: %2").arg(path, causeOf(error)));
    }
}

}

void writeWhole(const QString &path, const QByteArray &bytes)
{
    bool given = false;
    writeNew(path, [&] {
        const QByteArray chunk = given ? QByteArray() : bytes;
        given = true;
        return chunk;
    });
}

void copyWhole(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("il file %1 non può essere letto: %2").arg(from, source.errorString()));
    bool failed = false;
    writeNew(to, [&] {
        const QByteArray chunk = source.read(1 << 20);
        failed = failed || (chunk.isEmpty() && !source.atEnd());
        return chunk;
    });
    if (failed) {
        QFile::remove(to);
        throw StoreError(QStringLiteral("il file %1 non può essere letto: %2").arg(from, source.errorString()));
    }
}

void make(const QString &finalPath, const std::function<void(const QString &partial)> &write, Existing existing)
{
    if (existing == Existing::Refused && QFileInfo::exists(finalPath))
        throw StoreError(QStringLiteral("il file %1 esiste già").arg(finalPath));
    const QString partial = partialName(finalPath);
    try {
        write(partial);
        if (existing == Existing::Replaced && QFileInfo::exists(finalPath)) {
            syncPath(partial);
            replace(partial, finalPath);
        } else {
            moveIntoPlace(partial, finalPath);
        }
    } catch (...) {
        removeAll(partial);
        throw;
    }
}

void moveIntoPlace(const QString &from, const QString &to)
{
    if (QFileInfo(from).isDir())
        for (const QString &name : QDir(from).entryList(QDir::Files))
            syncPath(QDir(from).filePath(name));
    syncPath(from);
    // Qt renames without replacing (renameat2 with RENAME_NOREPLACE).
    if (QFileInfo::exists(to) || !QFile::rename(from, to))
        throw StoreError(QStringLiteral("%1 non può prendere il posto di %2").arg(from, to));
    privacy::shareInOthersFolder(to);
    syncFolderOf(to);
}

void replace(const QString &from, const QString &to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw StoreError(QStringLiteral("%1 non può prendere il posto di %2: %3").arg(from, to, causeOf(errno)));
    syncFolderOf(to);
}

void syncPath(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}
