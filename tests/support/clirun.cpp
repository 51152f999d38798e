#include "clirun.h"

#include <QProcess>

CliRun runCli(const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
