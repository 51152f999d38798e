#pragma once

class DateField;
class Messages;
class QWidget;

// The statistics windows' notice for a date that is not one.
void showInvalidDate(Messages &messages, QWidget *parent);

// A date field of those windows: an impossible date left in it gets the
// notice and the field is emptied.
void warnOfInvalidDate(DateField *field, Messages &messages);
