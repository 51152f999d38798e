#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct zip;

// The parts of a ZIP container (XLSX and ODS are such), read with libzip.
// A part larger than a spreadsheet can reasonably be, once unpacked, is
// refused rather than unpacked into memory.
class ZipParts
{
public:
    // A StoreError when the file is not a ZIP container or is broken.
    explicit ZipParts(const QString &path);
    ~ZipParts();

    bool has(const QString &name) const;
    // The whole part; a StoreError when it is missing, broken or too large.
    QByteArray read(const QString &name) const;

private:
    zip *m_archive = nullptr;
};
