#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// The message boxes of the windows. Every window is handed one Messages
// object: the program shows real boxes, the tests answer them.
class Messages
{
public:
    enum class Icon { None, Information, Critical };

    virtual ~Messages() = default;

    // A notice with an OK button.
    virtual void inform(QWidget *parent, const QString &title, const QString &text, Icon icon = Icon::Information) = 0;
    // A question with Yes and No, no icon, Yes the default; true on Yes.
    virtual bool ask(QWidget *parent, const QString &title, const QString &text) = 0;

    enum class Target { File, Folder, Source };
    // Where to write: a new file (starting from the suggested path) or a
    // folder; or a file to read (a spreadsheet or CSV to import). Empty when
    // the user gave up, as where nobody can choose.
    virtual QString chooseTarget(QWidget *, const QString &, const QString &, Target) { return QString(); }

    // Who opens the archive on a server, when the server asks and no
    // password file answers: an empty user when the user gave up.
    struct Login
    {
        QString user;
        QByteArray password;
    };
    virtual Login askLogin(QWidget *, const QString &, const QString &) { return {}; }
    // A password typed and shown as dots; empty when the user gave up.
    virtual QByteArray askPassword(QWidget *, const QString &, const QString &) { return {}; }
};
