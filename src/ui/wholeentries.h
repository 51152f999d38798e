#pragma once

class QComboBox;

// Makes a drop-down's open list as wide as its widest entry, whatever the
// width of the field, so that codes with their descriptions ("RF04 …") are
// read whole. Called as the list opens: it reads the entries as they are.
void widenToEntries(QComboBox *choice);
