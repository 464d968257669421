#pragma once
// The frame every page of a printed log gets: the heading (title, tank name,
// size and description) at the top and the footer (a rule, the date the
// report was created and the page number) at the bottom; and the small text
// formats the printed logs share.
#include "core/Printing.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <array>

class IClock;

// Arial 14 bold italic: the title of a page.
PrintFont logTitleFont();
// Times New Roman 10 with the given style: every other text of a printed log.
PrintFont logBodyFont(bool bold = false, bool italic = false, bool underline = false);

// How a log's table sits on the paper: the horizontal print positions of its
// columns (index 0 is the left margin) and the font of its headings and
// entries (the body font, or a smaller size where the paper is too narrow).
struct LogTableLayout {
    std::array<double, 14> x{};
    PrintFont font = logBodyFont();
    // The widest character a printed number can hold ("0" to "9", "." and
    // "-") in the table's font: a number that many of them wide fits its
    // column without being measured.
    double numberCharWidth = 0;
};

class LogPageFrame {
public:
    // The footer shows the clock's date when the page heading is printed,
    // formatted with dateMask.
    LogPageFrame(QString dateMask, const IClock& clock);

    // Prints the heading from the current position and the footer at the bottom
    // of the page, and leaves the position just below the heading (after its
    // empty line).
    void printPageHeadings(PrintFlow& flow, const QString& title, const QString& tankName,
                           const QString& tankSize, const QString& tankDesc, int pageNumber) const;

    // The height of the footer rule: no entry is printed below it.
    static double footerTop(const PrintFlow& flow);

private:
    QString m_dateMask;
    const IClock& m_clock;
};

// "MM/DD/YY - hh:mm:ss AM" from a stored ISO date and time (a missing part
// prints as empty text; a date that is not ISO prints as stored).
QString logDateTimeText(const QVariant& isoDate, const QVariant& isoTime, const QString& dateMask);
// A stored value as text: numbers without trailing zeros ("55", "2.5"), text as
// stored, a missing value as empty text.
QString logValueText(const QVariant& value);
