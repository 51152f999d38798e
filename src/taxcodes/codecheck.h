#pragma once

#include <QString>

// The verdict on a tax code, a VAT number or an IBAN. It informs and never
// blocks: a code that is not valid can still be saved.
struct CodeCheck
{
    enum class State { Valid, Invalid, NotCheckable };

    State state = State::Valid;
    QString reason; // in plain Italian, empty when valid

    static CodeCheck valid() { return {}; }
    static CodeCheck invalid(const QString &why) { return {State::Invalid, why}; }
    static CodeCheck notCheckable(const QString &why) { return {State::NotCheckable, why}; }

    bool isValid() const { return state == State::Valid; }
    // "valido", "non valido: <motivo>", "non verificabile: <motivo>"; said of
    // a feminine noun ("la partita IVA"), "valida", "non valida".
    QString text(bool feminine = false) const;
};

// The code as it is checked: capitals, no blanks.
QString normalizedCode(const QString &code);
