#include "periodfields.h"

#include "ui/datefield.h"
#include "ui/messages.h"

namespace periodfields {

void showInvalidDate(Messages &messages, QWidget *parent)
{
    messages.inform(parent, QStringLiteral("Velmora") + QString(18, QLatin1Char('.')), invalidDateText(), Messages::Icon::None);
}

void warnOfInvalidDate(DateField *field, Messages &messages)
{
    QObject::connect(field, &DateField::invalidDate, field, [field, &messages] {
        showInvalidDate(messages, field->window());
        field->reset();
    });
}

void fillWithToday(DateField *from, DateField *to, bool ticked)
{
    for (DateField *date : {from, to})
        date->setDate(ticked ? QDate::currentDate() : QDate());
}

}
