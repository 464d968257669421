#pragma once
// F1 on a scheduler window opens its help page.
#include <QString>

class QWidget;

// Gives `window` an F1 key that shows `page` (a help page's file name) in a
// help window of its own, created on the first press.
void addHelpKey(QWidget* window, const QString& page);
