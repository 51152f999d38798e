#include "register/mainwindow.h"
#include "startup/italian.h"
#include "startup/splashwindow.h"
#include "store/connection.h"
#include "store/storeerror.h"
#include "store/storefile.h"
#include "ui/dialogmessages.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    italian::install(application);

    DialogMessages messages;
    Connection connection;
    MainWindow mainWindow(connection, messages);
    SplashWindow splash(mainWindow);
    splash.show();

    const QString path = storefile::pathIn(QCoreApplication::applicationDirPath());
    try {
        storefile::openOrCreate(connection, path);
    } catch (const StoreError &error) {
        splash.hide();
        messages.inform(nullptr, QStringLiteral("Velmora - ERRORE"),
                        QStringLiteral("Impossibile aprire il database\n%1\n\nCausa: %2.\n\n"
                                       "Il file non è stato modificato. Il programma termina.")
                            .arg(path, error.message()),
                        Messages::Icon::Critical);
        return 1;
    }
    return application.exec();
}
