#include "startup/italian.h"
#include "startup/startup.h"
#include "store/storefile.h"
#include "ui/dialogmessages.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    italian::install(application);

    DialogMessages messages;
    Startup startup(messages, storefile::location(QCoreApplication::applicationDirPath()));
    if (!startup.begin())
        return 1;
    return application.exec();
}
