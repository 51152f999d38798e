#pragma once

#include <QString>

class Messages;
class QLineEdit;

// The longest text a name column of the store takes. A field does not cut
// a longer text as it is pasted: the user is told when saving, and the text
// stays there to be shortened.
namespace textlength {

inline constexpr int NameLimit = 255;

// Whether the field's text fits; otherwise tells the user, by the field's
// caption, and puts the cursor in the field.
bool fits(Messages &messages, QLineEdit *field, const QString &caption, int limit = NameLimit);

}
