#pragma once

#include "ui/messages.h"

#include <QList>

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

    void answer(bool yes) { m_answers.append(yes); }
    const QList<Shown> &shown() const { return m_shown; }
    Shown last() const { return m_shown.isEmpty() ? Shown{} : m_shown.last(); }

private:
    QList<Shown> m_shown;
    QList<bool> m_answers;
};
