#pragma once

#include "shell/mainwindow.h"
#include "splashwindow.h"
#include "storecheck.h"
#include "store/connection.h"
#include "store/storelock.h"

class Messages;

// The start-up procedure: shows the splash, takes the store's lock, opens
// the shared connection to the store (making it on a first start) and leaves
// the rest to the splash timer. Holds what lives for the whole run.
class Startup
{
public:
    Startup(Messages &messages, const QString &storePath);

    // False, after telling the user which file could not be opened and why,
    // when the program cannot go on; the file is left untouched.
    bool begin();
    // The full check of the store, once the main window is up; a damaged
    // store is reported and no longer written to, a sound one gets its first
    // copy of the day.
    void checkStore();

    Connection &connection() { return m_connection; }
    MainWindow &mainWindow() { return m_mainWindow; }
    SplashWindow &splash() { return m_splash; }

private:
    // The store, or the archive on a server (asking who opens it when the
    // server wants to know).
    void open();

    Messages &m_messages;
    QString m_storePath;
    StoreLock m_lock;
    Connection m_connection;
    MainWindow m_mainWindow;
    SplashWindow m_splash;
    StoreCheck m_check;
    quint64 m_copyBeganAt = 0;
};
