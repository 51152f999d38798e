#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// velmora-cli run to its end, with what it printed.
struct CliRun
{
    int status;
    QString out, err;
};
CliRun runCli(const QStringList &arguments, const QByteArray &input = {});
