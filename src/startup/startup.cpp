#include "startup.h"

#include "store/storeerror.h"
#include "store/storefile.h"
#include "ui/messages.h"

#include <QDir>
#include <QFileInfo>

Startup::Startup(Messages &messages, const QString &storePath)
    : m_messages(messages)
    , m_storePath(storePath)
    , m_lock(storePath)
    , m_mainWindow(m_connection, messages)
    , m_splash(m_mainWindow, storePath)
{
}

bool Startup::begin()
{
    m_splash.show();
    const QString &path = m_storePath;
    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        m_lock.acquire();
        storefile::openOrCreate(m_connection, path);
        return true;
    } catch (const StoreError &error) {
        m_splash.stop();
        m_messages.inform(nullptr, QStringLiteral("Velmora - ERRORE"),
                          QStringLiteral("Impossibile aprire il database\n%1\n\nCausa: %2.\n\n"
                                         "Il file non è stato modificato. Il programma termina.")
                              .arg(path, error.message()),
                          Messages::Icon::Critical);
        return false;
    }
}
