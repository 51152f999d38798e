#pragma once

class Connection;

// The Italian municipalities of today in DATI (name, province, the first
// postal code), from the ANPR list the program ships.
namespace comuni {

// Adds, in one transaction, every municipality of today that DATI does not
// name yet (a new store gets them all); none is removed or changed, since
// old clients may name old towns. The store remembers the list it was
// brought up to (its header's user_version), so later openings read
// neither DATI nor the list. Returns how many were added: run again, it
// adds none.
int addMissing(Connection &connection);

}
