#pragma once

#include "ui/messages.h"

#include <QList>
#include <QStringList>

// Answers the windows' message boxes in tests and keeps what was shown.
// Questions take the queued answers in order; with none queued the answer
// is No, so a forgotten question never writes anything.
class ScriptedMessages : public Messages
{
public:
    struct Shown
    {
        QString title;
        QString text;
        Icon icon;
        bool question;
    };

    void inform(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    bool ask(QWidget *parent, const QString &title, const QString &text) override;
    // The queued paths in order; with none queued the user gives up.
    QString chooseTarget(QWidget *parent, const QString &title, const QString &suggested, Target target) override;
    Login askLogin(QWidget *parent, const QString &archive, const QString &reason) override;
    // The queued passwords in order; with none queued the user gives up.
    QByteArray askPassword(QWidget *parent, const QString &title, const QString &text) override;

    void answer(bool yes) { m_answers.append(yes); }
    void choose(const QString &path) { m_targets.append(path); }
    void logIn(const Login &login) { m_logins.append(login); }
    void typePassword(const QByteArray &password) { m_passwords.append(password); }
    const QList<Shown> &shown() const { return m_shown; }
    Shown last() const { return m_shown.isEmpty() ? Shown{} : m_shown.last(); }

private:
    QList<Shown> m_shown;
    QList<bool> m_answers;
    QStringList m_targets;
    QList<Login> m_logins;
    QList<QByteArray> m_passwords;
};
