#pragma once

#include "messages.h"

// Messages shown as real, modal message boxes.
class DialogMessages : public Messages
{
public:
    void inform(QWidget *parent, const QString &title, const QString &text, Icon icon) override;
    bool ask(QWidget *parent, const QString &title, const QString &text) override;
    QString chooseTarget(QWidget *parent, const QString &title, const QString &suggested, Target target) override;
    Login askLogin(QWidget *parent, const QString &archive, const QString &reason) override;
    QByteArray askPassword(QWidget *parent, const QString &title, const QString &text) override;
};
