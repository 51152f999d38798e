#pragma once

#include <QByteArray>

// A value ready to be bound to a statement, already in the store's own form.
struct StoredValue
{
    enum class Kind { Null, Integer, Real, Text };
    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QByteArray text;

    static StoredValue null() { return {}; }
    static StoredValue ofInteger(qint64 v) { return {Kind::Integer, v, 0, {}}; }
    static StoredValue ofReal(double v) { return {Kind::Real, 0, v, {}}; }
    static StoredValue ofText(const QByteArray &v) { return {Kind::Text, 0, 0, v}; }

    bool operator==(const StoredValue &other) const = default;
};
