#pragma once

#include <QString>
#include <stdexcept>

// The one failure of the store: a statement it cannot run, a value it cannot
// convert, a file it cannot open. The window that started the operation tells
// the user; the stored data is as it was before the failing call.
class StoreError : public std::runtime_error
{
public:
    enum class Kind {
        Failure,
        // The file is damaged or unreadable: nothing may be written to it
        // any more in this run, and no procedure may pass over it in silence.
        Damage,
        // A value the field does not take; the message names the field in
        // the windows' own words ("Il campo CAP non è valido: ...").
        Invalid,
    };

    explicit StoreError(const QString &message, Kind kind = Kind::Failure, const QString &code = {});

    QString message() const { return QString::fromUtf8(what()); }
    bool isDamage() const { return m_kind == Kind::Damage; }
    bool isInvalidValue() const { return m_kind == Kind::Invalid; }
    // The server's own code of the failure (SQLSTATE); empty for the file.
    QString code() const { return m_code; }

private:
    Kind m_kind;
    QString m_code;
};
