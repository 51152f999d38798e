// The program showing the search list "Tutti" on a generated register, for
// measuring its peak memory from outside:
//   /usr/bin/time -v build/bench/bench_peakmemory 1000000
// Run it after bench_lists, which builds and caches the stores.
#include "generatedstore.h"
#include "quietmessages.h"
#include "shell/mainwindow.h"
#include "ui/dropdown.h"
#include "ui/gridlist.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTextStream>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    GeneratedStore &store = GeneratedStore::sized(argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 100000);
    QuietMessages messages;
    MainWindow window(store.connection(), messages);
    window.resize(1366, 740);
    window.show();
    QCoreApplication::processEvents();
    window.findChild<QAction *>(QStringLiteral("GPrestazioni"))->trigger();
    window.findChild<QPushButton *>(QStringLiteral("Cmd5"))->click();
    auto *filter = window.findChild<DropDown *>(QStringLiteral("Cbo5"));
    const int all = filter->findText(QStringLiteral("Tutti"));
    filter->setCurrentIndex(all);
    emit filter->activated(all);
    auto *list = window.findChild<GridList *>(QStringLiteral("ListView4"));
    list->repaint();
    QCoreApplication::processEvents();
    QTextStream(stdout) << "servizi nell'elenco: " << list->count() << '\n';
    return 0;
}
