#pragma once

#include "store/money.h"

#include <QString>
#include <optional>

// The amount a text field holds: "1.234,50", "12,5", also with the "€ "
// the cost field shows before the price. None when it is no amount.
std::optional<Money> amountValue(const QString &text);

// The editors' amount format "#,0.00" ("1.234,50"); empty for no amount.
QString CtrNumD(const std::optional<Money> &amount);

class QLineEdit;

// A price typed or left in the field is shown "#,0.00" when the field is
// left; text that is no amount stays as it is.
void formatAmountOnLeave(QLineEdit *field);
