#pragma once
// The tip-of-the-day texts: advice on keeping fish and on using the program.
#include <QStringList>

inline constexpr int kTipCount = 94;

// Tips 1..94 are tipTexts()[0..93].
const QStringList& tipTexts();
// Tip number `index` (1..94); empty text outside that range.
QString tipText(int index);
