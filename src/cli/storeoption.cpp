#include "storeoption.h"

#include "store/integrity.h"
#include "store/storefile.h"

#include <QCoreApplication>

QString takeOption(QStringList &arguments, const QString &name)
{
    const qsizetype at = arguments.indexOf(name);
    if (at < 0)
        return QString();
    if (at + 1 >= arguments.size()) {
        arguments.removeAt(at);
        return QStringLiteral("-");
    }
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
}

QString takeStorePath(QStringList &arguments)
{
    const QString given = takeOption(arguments, QStringLiteral("--archivio"));
    if (given == QLatin1String("-"))
        return QString();
    return given.isEmpty() ? storefile::chosenArchive(QCoreApplication::applicationDirPath()) : given;
}

int yearOf(const QString &text)
{
    bool number = false;
    const int year = text.toInt(&number);
    return number && year >= 1970 && year <= 9999 ? year : 0;
}

QString takeFolder(QStringList &arguments)
{
    return takeOption(arguments, QStringLiteral("--cartella"));
}

QString damageOf(const QString &path)
{
    const QString problems = integrity::problemsOf(path);
    return problems.isEmpty() ? QString()
                              : QStringLiteral("l'archivio è danneggiato e nessun comando vi scrive (%1); "
                                               "«velmora-cli ripristina» rimette una copia sana")
                                    .arg(problems);
}
