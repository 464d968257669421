#pragma once
// Fitting a text into the room a printout gives it, measured with the page
// writer's own fonts: a keeper's text wraps within its column, a fixed title
// shrinks to the paper's width. Only as much of a text is measured as can be
// printed, so a very long stored text costs no more than the lines it fills.
#include "core/Printing.h"

#include <QString>
#include <QStringList>

// What ends a text that is cut because it needs more lines than it may take.
inline const QString kPrintEllipsis = QStringLiteral("\u2026");

// The text in lines no wider than `width`: each line breaks at the last blank
// that fits (the blank itself is not printed), or inside a word wider than the
// width. At most maxLines lines (at least one); when text is left over, the
// last line ends with the ellipsis instead. An empty text is one empty line.
QStringList wrapToWidth(const IPageWriter& writer, const QString& text, const PrintFont& font, double width,
                        int maxLines);

// The font at the largest size, in steps of half a point and at most the
// font's own, at which the text fits `width` on one line.
PrintFont shrinkToWidth(const IPageWriter& writer, const QString& text, const PrintFont& font, double width);
