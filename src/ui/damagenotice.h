#pragma once

class Messages;
class QWidget;
class StoreError;

// Tells the user that the store is damaged and is no longer written to.
void tellDamage(Messages &messages, QWidget *parent, const StoreError &error);
// The same, asking whether to open the copies of the store to put one back.
bool offerRestore(Messages &messages, QWidget *parent, const StoreError &error);
