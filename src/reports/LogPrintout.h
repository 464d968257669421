#pragma once
// The three printed logs (livestock, water quality, maintenance) of one tank or
// of all tanks: the query that reads a log's rows in print order, the layout of
// each log, and the print run that groups the rows by tank, breaks pages before
// an entry that would reach the footer, numbers the pages and makes the copies.
#include "core/Printing.h"
#include "reports/LogPageFrame.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <memory>

class IClock;

enum class LogKind { WaterQuality, Livestock, Maintenance };

// One row of a printed log: its tank and the log's own values in the order the
// log's query reads them.
struct LogPrintRow {
    QString tankKey;
    QString tankName;
    QString tankSize;
    QString tankDesc;
    QVariantList values;
};

// Texts of one printed line, each at its horizontal position in its font.
struct PlacedText {
    double x = 0;
    QString text;
    PrintFont font;
};
using PrintedLine = QList<PlacedText>;

// What differs from one printed log to the next.
class LogPrintout {
public:
    virtual ~LogPrintout() = default;
    static std::unique_ptr<LogPrintout> create(LogKind kind);

    // Title of the print dialog ("Print Livestock Log").
    virtual QString dialogTitle() const = 0;
    // Title at the top of every page ("Brinestead Livestock Log").
    virtual QString title() const = 0;
    // Told under "Note!" when the log has no entries to print.
    virtual QString emptyMessage() const = 0;
    // None: the orientation the keeper chose for the printer.
    virtual std::optional<PageOrientation> orientation() const { return std::nullopt; }

    // The SELECT of the log's rows: tank key, name, size and description first,
    // then the log's values; with oneTank, one bound value (the tank key) filters it.
    virtual QString selectSql(bool oneTank) const = 0;

    virtual LogTableLayout columns(const IPageWriter& writer, const QString& dateMask) const = 0;
    // The underlined column headings and what follows them; continuation is
    // true on a tank's second and later pages.
    virtual void printColumnHeadings(PrintFlow& flow, const LogTableLayout& columns, bool continuation) const = 0;
    // One entry as it prints, line by line in the columns' font: a text wider
    // than its column wraps within it onto the entry's next lines (a measured
    // value prints smaller instead, as long as it stays readable). At most
    // maxLines lines (never fewer than the entry's fixed lines); a text that
    // would need more is cut, ending with an ellipsis.
    virtual QList<PrintedLine> entryLines(const IPageWriter& writer, const LogTableLayout& columns,
                                          const LogPrintRow& row, const QString& dateMask, int maxLines) const = 0;
};

// Reads the rows of a printed log one at a time in print order (tanks by name,
// entries by date and time) through a forward-only query, so that a long log is
// printed without being held in memory.
class LogRowReader {
public:
    // An empty tankKey with allTanks false selects no tank (and finds no rows).
    LogRowReader(QSqlDatabase db, const LogPrintout& log, bool allTanks, const QString& tankKey);
    bool ok() const { return m_ok; }
    QString errorText() const { return m_error; }
    // Moves to the next row; false at the end.
    bool next();
    const LogPrintRow& row() const { return m_row; }

private:
    QSqlQuery m_query;
    LogPrintRow m_row;
    bool m_ok = false;
    QString m_error;
};

// What the keeper asked for in the log print dialog.
struct LogPrintRequest {
    LogKind kind = LogKind::WaterQuality;
    bool allTanks = false;
    QString tankKey;                    // TANKLST.tankid of the tank to print
    PrintDestination destination = PrintDestination::Printer;
    QString dateMask = QStringLiteral("MM/DD/YY");
};

struct LogPrintResult {
    enum Status { Printed, Cancelled, NothingFound, Failed } status = Cancelled;
    QString message;                    // the empty-log message or the failure
    int jobs = 0;                       // print jobs made (one per copy)
};

// Runs the print dialog, then prints the log once per copy, each copy a job of
// its own. An empty log starts no job; a cancelled dialog prints nothing.
LogPrintResult printLogEntries(QSqlDatabase db, IPrintService& service, const IClock& clock,
                               const LogPrintRequest& request);

// Prints the rows of one copy: a new page with page number 1 for each tank,
// continuation pages numbered on when an entry would reach the footer. An
// entry is printed whole above the footer; one longer than a page holds is
// cut to the page.
// Returns the number of pages printed.
int printLogRows(const LogPrintout& log, LogRowReader& rows, IPageWriter& writer, const LogPageFrame& frame,
                 const QString& dateMask);
