#include "desktopshortcut.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The quoting of an Exec key: the path in double quotes with ", `, $ and the
// backslash escaped, every backslash then doubled once more as the entry's string escape.
QString execValue(const QString &target)
{
    QString quoted;
    for (const QChar c : target) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}

QString desktopshortcut::desktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool desktopshortcut::write(const QString &folder, const QString &name, const QString &target, const QString &storePath)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QSaveFile file(QDir(folder).filePath(name + QStringLiteral(".desktop")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=%1\n"
                                         "Comment=Archivio: %4\n"
                                         "Exec=%2\n"
                                         "Path=%3\n"
                                         "Terminal=false\n")
                              .arg(name, execValue(target), QFileInfo(target).absolutePath(), storePath);
    file.write(entry.toUtf8());
    if (!file.commit())
        return false;
    QFile::setPermissions(file.fileName(), QFile::permissions(file.fileName()) | QFile::ExeOwner | QFile::ExeUser);
    return true;
}
