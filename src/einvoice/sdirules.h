#pragma once

#include <QByteArray>
#include <QStringList>

// The SdI's checks of figures and combinations that the schema cannot
// make, read back from the file itself: each broken rule with its number
// ("00421: ..."); empty when the file passes.
namespace sdirules {

QStringList faults(const QByteArray &xml);

}
