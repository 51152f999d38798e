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

    const QString storePath = storefile::location(QCoreApplication::applicationDirPath());
    privacy::keepPrivate(storePath);
    DialogMessages messages;
    Startup startup(messages, storePath);
    if (!startup.begin())
        return 1;
    return application.exec();
}
