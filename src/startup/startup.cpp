#include "startup.h"

#include "store/damage.h"
#include "store/postgres/postgresengine.h"
#include "store/schema.h"
#include "store/storeerror.h"
#include "store/storefile.h"
#include "ui/messages.h"

#include <QDir>
#include <QFileInfo>

Startup::Startup(Messages &messages, const QString &storePath)
    : m_messages(messages), m_storePath(storePath), m_lock(storePath), m_mainWindow(m_connection, messages),
      m_splash(m_mainWindow, storePath)
{
    QObject::connect(&m_splash, &SplashWindow::handedOver, &m_check, [this] { checkStore(); });
    QObject::connect(&m_check, &StoreCheck::damaged, &m_check, [this](const QString &problems) {
        m_connection.markDamaged();
        damage::report(StoreError(problems, StoreError::Kind::Damage));
    });
    QObject::connect(&m_check, &StoreCheck::copied, &m_check, [this] { m_mainWindow.noteCopy(m_copyBeganAt); });
    QObject::connect(&m_check, &StoreCheck::madeInPlaceOfUnfinished, &m_check, [this](const QString &cause) {
        m_messages.inform(&m_mainWindow, QStringLiteral("Velmora - COPIA DI SICUREZZA"),
                          QStringLiteral("L'ultima copia di sicurezza iniziata non era stata completata%1.\n\n"
                                         "Ne è stata fatta ora una nuova, verificata.")
                              .arg(cause.isEmpty() ? QStringLiteral(" (il programma è stato chiuso prima)")
                                                   : QStringLiteral(":\n%1").arg(cause)));
    });
    QObject::connect(&m_check, &StoreCheck::copyFailed, &m_check, [this](const QString &cause) {
        m_messages.inform(&m_mainWindow, QStringLiteral("Velmora - COPIA DI SICUREZZA"),
                          QStringLiteral("La copia di sicurezza del giorno non è stata fatta.\n\nCausa: %1.").arg(cause),
                          Messages::Icon::Critical);
    });
}

void Startup::checkStore()
{
    // The day's copy holds at least what the store held when it began.
    const quint64 beganAt = m_connection.lastChange();
    if (m_check.start(m_storePath))
        m_copyBeganAt = beganAt;
}

bool Startup::begin()
{
    const QString &path = m_storePath;
    const bool server = storefile::isServerAddress(path);
    try {
        // A server answers at once, and may first ask who opens it: the
        // splash's timer waits until then.
        if (server) {
            open();
            m_mainWindow.workOnShared(QStringLiteral("Archivio sul server: %1").arg(path));
            m_splash.show();
            return true;
        }
        m_splash.show();
        QDir().mkpath(QFileInfo(path).absolutePath());
        m_lock.acquire();
        open();
        return true;
    } catch (const StoreError &error) {
        m_splash.stop();
        m_messages.inform(nullptr, QStringLiteral("Velmora - ERRORE"),
                          QStringLiteral("Impossibile aprire il database\n%1\n\nCausa: %2.\n\n"
                                         "%3 non è stato modificato. Il programma termina.")
                              .arg(path, error.message(), server ? QStringLiteral("L'archivio") : QStringLiteral("Il file")),
                          Messages::Icon::Critical);
        return false;
    }
}

void Startup::open()
{
    // A server that asks who opens it, with no password file to answer,
    // asks the user; three tries.
    for (int attempt = 0;; ++attempt) {
        try {
            // Every store has the electronic invoices' tables from the start of
            // the program, so the office profile can be filled from a script too.
            storefile::openOrCreate(m_connection, m_storePath, schema::ensureInvoiceTables);
            return;
        } catch (const StoreError &error) {
            if (!error.code().startsWith(QLatin1String("28")) || attempt == 3)
                throw;
            const Messages::Login login = m_messages.askLogin(nullptr, m_storePath,
                                                              attempt == 0 ? QStringLiteral("Il server chiede utente e password.")
                                                                           : QStringLiteral("Utente o password non corretti."));
            if (login.user.isEmpty())
                throw;
            postgres::rememberLogin(m_storePath, login.user, login.password);
        }
    }
}
