#pragma once

#include "ui/messages.h"

// The messages of a measured run: nothing shown, and every question
// answered the same way.
class QuietMessages : public Messages
{
public:
    explicit QuietMessages(bool answer = false) : m_answer(answer) {}

    void inform(QWidget *, const QString &, const QString &, Icon) override {}
    bool ask(QWidget *, const QString &, const QString &) override { return m_answer; }

private:
    bool m_answer;
};
