#include "programundertest.h"

#include <QTest>

bool ProgramUnderTest::start(const std::function<void(TestStore &)> &seed)
{
    m_store = std::make_unique<TestStore>();
    if (seed)
        seed(*m_store);
    m_messages = std::make_unique<ScriptedMessages>();
    m_main = std::make_unique<MainWindow>(m_store->connection(), *m_messages);
    if (m_store->connection().isServer())
        m_main->workOnShared(m_store->path());
    m_main->show();
    return QTest::qWaitForWindowExposed(m_main.get());
}

void ProgramUnderTest::stop()
{
    m_main.reset();
    m_messages.reset();
    m_store.reset();
}
