#pragma once

class Messages;
class QWidget;
class StoreError;

// Tells the user that the store is damaged and is no longer written to.
void tellDamage(Messages &messages, QWidget *parent, const StoreError &error);
