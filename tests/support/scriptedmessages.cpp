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

Messages::Login ScriptedMessages::askLogin(QWidget *, const QString &archive, const QString &reason)
{
    m_shown.append({QStringLiteral("Velmora - ACCESSO ALL'ARCHIVIO"), archive + QLatin1Char('\n') + reason, Icon::None, true});
    return m_logins.isEmpty() ? Login{} : m_logins.takeFirst();
}

QByteArray ScriptedMessages::askPassword(QWidget *, const QString &title, const QString &text)
{
    m_shown.append({title, text, Icon::None, true});
    return m_passwords.isEmpty() ? QByteArray() : m_passwords.takeFirst();
}
