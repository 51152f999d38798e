#pragma once

#include "shell/mainwindow.h"
#include "scriptedmessages.h"
#include "teststore.h"

#include <QApplication>
#include <functional>
#include <memory>

// The program as a test starts it: a fresh store, scripted message boxes and
// the main window on screen.
class ProgramUnderTest
{
public:
    // Call from init(); false when the main window did not show. The seed
    // puts rows in the store before the window's first activation.
    bool start(const std::function<void(TestStore &)> &seed = {});
    // Call from cleanup(): windows first, then the store.
    void stop();

    TestStore &store() { return *m_store; }
    ScriptedMessages &messages() { return *m_messages; }
    MainWindow &main() { return *m_main; }

    // The other window of that kind, once a menu of the main window opened it.
    template<typename Window>
    Window *window() const
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<Window *>(w))
                return found;
        return nullptr;
    }

private:
    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<ScriptedMessages> m_messages;
    std::unique_ptr<MainWindow> m_main;
};
