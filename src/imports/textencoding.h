#pragma once

#include <QByteArray>
#include <QString>

// The text of a CSV file as the office's programs write it: UTF-8 (with or
// without its mark), UTF-16 (a spreadsheet's "Unicode text", with its mark
// or without), or Windows-1252 (older programs, the euro sign at 0x80).
// Bytes that are not valid UTF-8 are never read as such. These rules decide,
// not a guess from the bytes' frequencies: on a short file such guesses name
// another code page (uchardet took a few rows of a DOS export for Mac
// Central European, and UTF-16 without its mark for Windows-1252).
namespace textencoding {

struct Decoded
{
    QString text;
    QString encoding; // "UTF-8", "UTF-16", "Windows-1252"
};

Decoded decode(const QByteArray &bytes);

}
