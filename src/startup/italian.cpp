#include "italian.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void italian::install(QApplication &application)
{
    const QLocale italy(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italy);
    auto *translator = new QTranslator(&application);
    if (translator->load(italy, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(translator);
}
