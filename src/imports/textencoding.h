#pragma once

#include <QByteArray>
#include <QString>

// The text of a CSV file as the office's programs write it: UTF-8 (with or
// without its mark), UTF-16 with its mark (a spreadsheet's "Unicode text"),
// or Windows-1252 (older programs, the euro sign at 0x80). The encoding is
// named by uchardet; bytes that are not valid UTF-8 are never read as such.
namespace textencoding {

struct Decoded
{
    QString text;
    QString encoding; // "UTF-8", "UTF-16", "Windows-1252"
};

Decoded decode(const QByteArray &bytes);

}
