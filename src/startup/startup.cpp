#include "startup.h"

#include "store/storeerror.h"
#include "store/storefile.h"
#include "ui/messages.h"

Startup::Startup(Messages &messages, const QString &directory)
    : m_messages(messages)
    , m_directory(directory)
    , m_mainWindow(m_connection, messages)
    , m_splash(m_mainWindow)
{
}

bool Startup::begin()
{
    m_splash.show();
    const QString path = storefile::pathIn(m_directory);
    try {
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
