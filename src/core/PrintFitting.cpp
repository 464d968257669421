#include "core/PrintFitting.h"

#include <algorithm>
#include <cmath>

namespace {

// How many characters of text, from `from` on, fit `width` when `suffix`
// follows them (0 when not even one does). Prefixes are measured from the
// length `guess` (the length of the line before, or a few characters) on,
// longer and longer until one does not fit, then halved between the longest
// that fits and the shortest that does not: a long text is measured only as
// far as a line reaches.
qsizetype fittingLength(const IPageWriter& writer, const QString& text, qsizetype from, const PrintFont& font,
                        double width, qsizetype guess, const QString& suffix = QString())
{
    const qsizetype left = text.size() - from;
    auto fits = [&](qsizetype count) { return writer.textWidth(text.mid(from, count) + suffix, font) <= width; };
    qsizetype good = 0;
    qsizetype bad = 0;
    qsizetype step = std::max<qsizetype>(1, guess / 8);
    for (qsizetype probe = std::clamp<qsizetype>(guess, 1, std::max<qsizetype>(left, 1));;) {
        if (!fits(probe)) {
            bad = probe;
            break;
        }
        good = probe;
        if (probe >= left)
            return left;
        probe = std::min(left, probe + step);
        step *= 2;
    }
    while (bad - good > 1) {
        const qsizetype middle = good + (bad - good) / 2;
        (fits(middle) ? good : bad) = middle;
    }
    return good;
}

} // namespace

QStringList wrapToWidth(const IPageWriter& writer, const QString& text, const PrintFont& font, double width,
                        int maxLines)
{
    maxLines = std::max(1, maxLines);
    QStringList lines;
    qsizetype from = 0;
    qsizetype guess = 16;
    do {
        const qsizetype fit = std::max<qsizetype>(1, fittingLength(writer, text, from, font, width, guess));
        guess = fit;
        if (from + fit >= text.size()) {
            lines << text.mid(from);
            break;
        }
        if (lines.size() + 1 == maxLines) {
            const qsizetype keep = fittingLength(writer, text, from, font, width, fit, kPrintEllipsis);
            QString last = text.mid(from, keep);
            while (last.endsWith(QLatin1Char(' ')))
                last.chop(1);
            lines << last + kPrintEllipsis;
            break;
        }
        // The blank right after the part that fits may end the line as well.
        const qsizetype blank = text.lastIndexOf(QLatin1Char(' '), from + fit);
        if (blank > from) {
            lines << text.mid(from, blank - from);
            from = blank + 1;
        } else {
            lines << text.mid(from, fit);
            from += fit;
        }
    } while (from < text.size());
    if (lines.isEmpty())
        lines << QString();
    return lines;
}

PrintFont shrinkToWidth(const IPageWriter& writer, const QString& text, const PrintFont& font, double width)
{
    const double full = writer.textWidth(text, font);
    if (full <= width)
        return font;
    PrintFont smaller = font;
    smaller.pointSize = std::max(0.5, std::floor(font.pointSize * width / full * 2) / 2);
    while (smaller.pointSize > 0.5 && writer.textWidth(text, smaller) > width)
        smaller.pointSize -= 0.5;
    return smaller;
}
