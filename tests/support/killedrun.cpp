#include "killedrun.h"

#include <QElapsedTimer>
#include <QProcess>

bool runKilledAfter(const QString &program, const QStringList &arguments, int milliseconds)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForStarted();
    if (process.waitForFinished(milliseconds))
        return false;
    process.kill();
    process.waitForFinished();
    return true;
}

int wholeRunMilliseconds(const QString &program, const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return int(timer.elapsed());
}
