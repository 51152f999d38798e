#pragma once

class DateField;
class Messages;
class QWidget;

// The period fields of the statistics windows ("Da", "A").
namespace periodfields {

// The notice for a date that is not one.
void showInvalidDate(Messages &messages, QWidget *parent);

// An impossible date left in the field gets the notice and is emptied.
void warnOfInvalidDate(DateField *field, Messages &messages);

// "Data odierna": ticked, both fields show today; unticked, both are emptied.
void fillWithToday(DateField *from, DateField *to, bool ticked);

}
