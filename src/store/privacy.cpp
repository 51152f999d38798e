#include "privacy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace privacy {

namespace {

mode_t usersOwnMask = 022;

bool ownedHere(const QFileInfo &info)
{
    return info.exists() && info.ownerId() == getuid();
}

void restrict(const QString &path, mode_t mode)
{
    if (ownedHere(QFileInfo(path)))
        ::chmod(QFile::encodeName(path).constData(), mode);
}

}

void keepPrivate(const QString &storePath)
{
    usersOwnMask = ::umask(077);
    restrict(storePath, 0600);
    const QString data =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("velmora"));
    const QString config =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(QStringLiteral("velmora"));
    // The store's own folder only when it is the program's data folder: a
    // store beside the program lies in a folder that is not the program's.
    for (const QString &folder : {data, config, QFileInfo(storePath).absoluteDir().filePath(QStringLiteral("backup"))})
        restrict(folder, 0700);
}

void shareInOthersFolder(const QString &path)
{
    const QFileInfo info(path);
    if (ownedHere(QFileInfo(info.absolutePath())))
        return;
    ::chmod(QFile::encodeName(path).constData(), (info.isDir() ? 0777 : 0666) & ~usersOwnMask);
    if (info.isDir())
        for (const QString &name : QDir(path).entryList(QDir::Files))
            ::chmod(QFile::encodeName(QDir(path).filePath(name)).constData(), 0666 & ~usersOwnMask);
}

}
