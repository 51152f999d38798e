#include "scriptedmessages.h"

void ScriptedMessages::inform(QWidget *, const QString &title, const QString &text, Icon icon)
{
    m_shown.append({title, text, icon, false});
}

bool ScriptedMessages::ask(QWidget *, const QString &title, const QString &text)
{
    m_shown.append({title, text, Icon::None, true});
    return !m_answers.isEmpty() && m_answers.takeFirst();
}

QString ScriptedMessages::chooseTarget(QWidget *, const QString &, const QString &, Target)
{
    return m_targets.isEmpty() ? QString() : m_targets.takeFirst();
}
