#include "enterpress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace enterpress {

namespace {

class Filter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // A dialog's default buttons take Enter themselves.
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || button->autoDefault() || !button->isEnabled() || !button->hasFocus())
            return false;
        button->click();
        return true;
    }
};

}

void install()
{
    static Filter *filter = nullptr;
    if (!filter && qApp) {
        filter = new Filter(qApp);
        qApp->installEventFilter(filter);
    }
}

}
