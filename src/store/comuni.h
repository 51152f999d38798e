#pragma once

class Connection;
class QIODevice;

// The list of Italian municipalities the program ships ("COMUNE;PR;CAP" lines
// after an attribution line and a header), loaded into DATI.
namespace comuni {

inline constexpr const char *resourcePath = ":/store/comuni.csv";

// Loads every line in one transaction; returns the municipalities loaded.
int load(Connection &connection, QIODevice &csv);

}
