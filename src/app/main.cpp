#include "startup/italian.h"
#include "startup/startup.h"
#include "store/privacy.h"
#include "store/storefile.h"
#include "ui/dialogmessages.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    italian::install(application);

    // "--archivio" names a store file or a server's address for this run.
    const QStringList arguments = application.arguments();
    const qsizetype given = arguments.indexOf(QStringLiteral("--archivio"));
    const QString storePath = given > 0 && given + 1 < arguments.size()
        ? arguments.at(given + 1)
        : storefile::chosenArchive(QCoreApplication::applicationDirPath());
    privacy::keepPrivate(storefile::location(QCoreApplication::applicationDirPath()));
    DialogMessages messages;
    Startup startup(messages, storePath);
    if (!startup.begin())
        return 1;
    return application.exec();
}
