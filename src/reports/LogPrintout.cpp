#include "reports/LogPrintout.h"

#include "core/Dates.h"
#include "core/PrintFitting.h"
#include "core/Services.h"

#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

// Prints the underlined headings, each at its column, and leaves the font plain.
void printHeadingTexts(PrintFlow& flow, const LogTableLayout& columns,
                       std::initializer_list<std::pair<int, const char*>> headings, bool endLastLine)
{
    PrintFont underlined = columns.font;
    underlined.underline = true;
    flow.setFont(underlined);
    for (const auto& [index, text] : headings) {
        flow.setX(columns.x[index]);
        flow.print(QString::fromLatin1(text));
    }
    if (endLastLine)
        flow.endLine();
    flow.setFont(columns.font);
}

QString tankFilter(bool oneTank)
{
    return oneTank ? QStringLiteral(" WHERE t.tankid = ?") : QString();
}

double blankWidth(const IPageWriter& writer, const PrintFont& font)
{
    return writer.textWidth(QStringLiteral(" "), font);
}

// The width of the widest date and time an entry can show, or of the heading
// above them when that is wider, and a blank after it.
double dateTimeColumnWidth(const IPageWriter& writer, const PrintFont& font, const QString& dateMask,
                           const char* heading)
{
    const QString widest = formatDateMask(QDate(2088, 8, 28), dateMask) + QStringLiteral(" - ")
                           + formatAmPmTime(QTime(8, 8, 8), true);
    return std::max(writer.textWidth(widest, font), writer.textWidth(QString::fromLatin1(heading), font))
           + blankWidth(writer, font);
}

// A text of an entry, the room it has (from x, `width` wide) and its font.
struct Cell {
    double x = 0;
    double width = 0;
    QString text;
    PrintFont font;
};

// Cells side by side, each wrapped within its width: as many lines as the
// tallest cell needs, at most maxLines.
QList<PrintedLine> cellLines(const IPageWriter& writer, const QList<Cell>& cells, int maxLines)
{
    QList<PrintedLine> lines;
    for (const Cell& cell : cells) {
        const QStringList wrapped = wrapToWidth(writer, cell.text, cell.font, cell.width, maxLines);
        if (lines.size() < wrapped.size())
            lines.resize(wrapped.size());
        for (qsizetype line = 0; line < wrapped.size(); ++line)
            lines[line].append({cell.x, wrapped[line], cell.font});
    }
    return lines;
}

// ---- livestock ------------------------------------------------------------------

class LivestockLogPrintout : public LogPrintout {
public:
    QString dialogTitle() const override { return QStringLiteral("Print Livestock Log"); }
    QString title() const override { return QStringLiteral("Brinestead Livestock Log"); }
    QString emptyMessage() const override
    {
        return QStringLiteral("No Livestock entries were found for this tank. No log was printed.");
    }
    QString selectSql(bool oneTank) const override
    {
        return QStringLiteral("SELECT t.tankid, t.tankname, t.tanksize, t.Tankdesc, l.dateadded, l.timeadded, "
                              "l.animalname, l.quantity, l.Status FROM TANKLST t "
                              "JOIN livestock l ON l.tankname = t.tankid")
               + tankFilter(oneTank) + QStringLiteral(" ORDER BY t.tankname, l.dateadded, l.timeadded");
    }
    LogTableLayout columns(const IPageWriter& writer, const QString& dateMask) const override
    {
        const double width = writer.pageWidth();
        LogTableLayout c;
        // The animal at a quarter of the page, or right after the date and
        // time where they are wider; quantity and status at 3/4 and 7/8.
        c.x[1] = std::round(width / 8.0);
        c.x[2] = std::max(std::round(width / 4.0),
                          std::ceil(dateTimeColumnWidth(writer, c.font, dateMask, "Date /Time Added")));
        c.x[3] = width - std::round(width / 4.0);
        c.x[4] = width - c.x[1];
        return c;
    }
    void printColumnHeadings(PrintFlow& flow, const LogTableLayout& columns, bool) const override
    {
        printHeadingTexts(flow, columns,
                          {{0, "Date /Time Added"}, {2, "Animal"}, {3, "Quantity"}, {4, "Status"}}, false);
        flow.endLine();
    }
    QList<PrintedLine> entryLines(const IPageWriter& writer, const LogTableLayout& columns, const LogPrintRow& row,
                                  const QString& dateMask, int maxLines) const override
    {
        const QVariantList& v = row.values;
        const auto& x = columns.x;
        const PrintFont& font = columns.font;
        const double blank = blankWidth(writer, font);
        return cellLines(writer,
                         {{0, x[2] - blank, logDateTimeText(v[0], v[1], dateMask), font},
                          {x[2], x[3] - x[2] - blank, logValueText(v[2]), font},
                          {x[3], x[4] - x[3] - blank, logValueText(v[3]), font},
                          {x[4], writer.pageWidth() - x[4], logValueText(v[4]), font}},
                         maxLines);
    }
};

// ---- water quality ----------------------------------------------------------------

constexpr std::array<const char*, 14> kWaterHeadings = {
    "Date /Time Added", "Ammonia", "Nitrite", "Nitrate", "ph",      "s.g.",    "Temp",
    "o2",               "dkh",     "Calcium", "Copper",  "Redox",   "Custom1", "Custom2",
};

class WaterQualityLogPrintout : public LogPrintout {
public:
    QString dialogTitle() const override { return QStringLiteral("Print Water Quality Log"); }
    QString title() const override { return QStringLiteral("Brinestead Water Quality Log"); }
    QString emptyMessage() const override
    {
        return QStringLiteral("No water quality entries were found for this tank. No log was printed.");
    }
    std::optional<PageOrientation> orientation() const override { return PageOrientation::Landscape; }
    QString selectSql(bool oneTank) const override
    {
        // The values in column order: Ammonia first, then nitrite ... custom2.
        return QStringLiteral("SELECT t.tankid, t.tankname, t.tanksize, t.Tankdesc, w.logdate, w.logtime, "
                              "w.Ammonia, w.nitrite, w.nitrate, w.ph, w.sg, w.temp, w.oxygen, w.dkh, "
                              "w.calcium, w.copper, w.orp, w.custom1, w.custom2 FROM TANKLST t "
                              "JOIN waterlog w ON w.tankname = t.tankid")
               + tankFilter(oneTank) + QStringLiteral(" ORDER BY t.tankname, w.logdate, w.logtime");
    }
    LogTableLayout columns(const IPageWriter& writer, const QString& dateMask) const override
    {
        // The values sit on a grid of fifteenths of the page: nitrite at 3/15,
        // then one fifteenth a column up to 14/15; ammonia at 1/15 or, when the
        // date and time are wider, right after them. Every column must hold its
        // heading and a value of four digits before the point. Where the grid
        // does not, the columns follow each other as wide as they need, the room
        // left shared out among them; where the page is too narrow even for
        // that, the whole table prints in a smaller size.
        const double width = writer.pageWidth();
        LogTableLayout c;
        for (double size = c.font.pointSize; size > 1; size -= 0.5) {
            c.font.pointSize = size;
            const double blank = blankWidth(writer, c.font);
            const double dateTime = dateTimeColumnWidth(writer, c.font, dateMask, kWaterHeadings[0]);
            std::array<double, 14> need{};
            for (int index = 1; index < 14; ++index)
                need[index] = std::max(writer.textWidth(QString::fromLatin1(kWaterHeadings[index]), c.font),
                                       writer.textWidth(QStringLiteral("0000.000"), c.font));

            c.x[1] = std::max(std::round(width / 15.0), std::ceil(dateTime));
            for (int index = 2; index < 14; ++index)
                c.x[index] = std::round(width * ((index + 1) / 15.0));
            if (fitsColumns(c.x, need, blank, width))
                return withNumberCharWidth(writer, c);

            double total = dateTime + blank * 12;
            for (int index = 1; index < 14; ++index)
                total += need[index];
            const double share = (width - total) / 13.0;
            double at = dateTime;
            for (int index = 1; index < 14; ++index) {
                c.x[index] = std::ceil(at);
                at += need[index] + blank + share;
            }
            if (fitsColumns(c.x, need, blank, width))
                return withNumberCharWidth(writer, c);
        }
        return withNumberCharWidth(writer, c);
    }
    void printColumnHeadings(PrintFlow& flow, const LogTableLayout& columns, bool) const override
    {
        PrintFont underlined = columns.font;
        underlined.underline = true;
        flow.setFont(underlined);
        for (int index = 0; index < 14; ++index) {
            flow.setX(columns.x[index]);
            flow.print(QString::fromLatin1(kWaterHeadings[index]));
        }
        flow.setFont(columns.font);
        flow.endLine();
    }
    QList<PrintedLine> entryLines(const IPageWriter& writer, const LogTableLayout& columns, const LogPrintRow& row,
                                  const QString& dateMask, int maxLines) const override
    {
        const QVariantList& v = row.values;
        const auto& x = columns.x;
        const PrintFont& font = columns.font;
        const double blank = blankWidth(writer, font);
        // The date and time always fit their column (it is as wide as the
        // widest of them); so does a value whose characters, each as wide as
        // the widest a number has, fit its own. Such a line is printed as it
        // is, without measuring a text of it.
        std::array<QString, 14> texts;
        std::array<double, 14> widths;
        texts[0] = logDateTimeText(v[0], v[1], dateMask);
        widths[0] = x[1] - blank;
        bool allFit = true;
        for (int index = 1; index < 14; ++index) {
            const QVariant& value = v[index + 1];
            widths[index] = (index < 13 ? x[index + 1] - blank : writer.pageWidth()) - x[index];
            // A value that was not measured stays blank rather than reading 0.000.
            if (!value.isNull())
                texts[index] = formatNumber(value.toDouble(), QStringLiteral("###0.000"));
            allFit = allFit && texts[index].size() * columns.numberCharWidth <= widths[index];
        }
        if (allFit) {
            PrintedLine line;
            for (int index = 0; index < 14; ++index)
                line.append({index ? x[index] : 0, texts[index], font});
            return {line};
        }
        QList<Cell> cells{{0, widths[0], texts[0], font}};
        for (int index = 1; index < 14; ++index) {
            // A value too wide for its column prints smaller; one that would
            // become too small to read wraps instead.
            PrintFont valueFont = shrinkToWidth(writer, texts[index], font, widths[index]);
            if (valueFont.pointSize < font.pointSize * 0.6)
                valueFont = font;
            cells.append({x[index], widths[index], texts[index], valueFont});
        }
        return cellLines(writer, cells, maxLines);
    }

private:
    static LogTableLayout withNumberCharWidth(const IPageWriter& writer, LogTableLayout layout)
    {
        for (const QChar ch : QStringLiteral("0123456789.-"))
            layout.numberCharWidth = std::max(layout.numberCharWidth, writer.textWidth(QString(ch), layout.font));
        return layout;
    }
    // Whether each column, from its position to a blank before the next (the
    // last to the page's edge), holds what it needs.
    static bool fitsColumns(const std::array<double, 14>& x, const std::array<double, 14>& need, double blank,
                            double width)
    {
        for (int index = 1; index < 14; ++index) {
            const double end = index < 13 ? x[index + 1] - blank : width;
            if (x[index] + need[index] > end)
                return false;
        }
        return true;
    }
};

// ---- maintenance ------------------------------------------------------------------

class MaintenanceLogPrintout : public LogPrintout {
public:
    QString dialogTitle() const override { return QStringLiteral("Print Maintenance Log"); }
    QString title() const override { return QStringLiteral("Brinestead Maintenance Log"); }
    QString emptyMessage() const override
    {
        return QStringLiteral("No Maintenance entries were found for this tank. No log was printed.");
    }
    QString selectSql(bool oneTank) const override
    {
        return QStringLiteral("SELECT t.tankid, t.tankname, t.tanksize, t.Tankdesc, m.maintlogdate, "
                              "m.maintlogtime, m.maintlogtask, m.maintlogqty, m.maintlogunit, m.maintlogdesc, "
                              "m.maintlognote FROM TANKLST t JOIN maintlog m ON m.mainttankname = t.tankid")
               + tankFilter(oneTank) + QStringLiteral(" ORDER BY t.tankname, m.maintlogdate, m.maintlogtime");
    }
    LogTableLayout columns(const IPageWriter& writer, const QString& dateMask) const override
    {
        // The task at a quarter of the page, or right after the date and time
        // where they are wider.
        LogTableLayout c;
        c.x[2] = std::max(std::round(writer.pageWidth() / 4.0),
                          std::ceil(dateTimeColumnWidth(writer, c.font, dateMask, "Date /Time Performed")));
        return c;
    }
    void printColumnHeadings(PrintFlow& flow, const LogTableLayout& columns, bool continuation) const override
    {
        printHeadingTexts(flow, columns, {{0, "Date /Time Performed"}, {2, "Task Performed"}}, true);
        flow.printLine();
        if (continuation)
            flow.printLine();
    }
    // Three lines and more: the date and time with the task, then the
    // quantity, unit and description, then the note, each wrapped in the task's
    // column; the task and the details leave at least a line to what follows.
    QList<PrintedLine> entryLines(const IPageWriter& writer, const LogTableLayout& columns, const LogPrintRow& row,
                                  const QString& dateMask, int maxLines) const override
    {
        const QVariantList& v = row.values;
        const double taskX = columns.x[2];
        const double taskWidth = writer.pageWidth() - taskX;
        const PrintFont& font = columns.font;
        const double blank = blankWidth(writer, font);
        QList<PrintedLine> lines = cellLines(writer,
                                             {{0, taskX - blank, logDateTimeText(v[0], v[1], dateMask), font},
                                              {taskX, taskWidth, logValueText(v[2]), font}},
                                             maxLines - 2);
        const QString details =
            logValueText(v[3]) + QStringLiteral("  ") + logValueText(v[4]) + QStringLiteral("  ") + logValueText(v[5]);
        lines += cellLines(writer, {{taskX, taskWidth, details, font}}, maxLines - int(lines.size()) - 1);
        lines += cellLines(writer, {{taskX, taskWidth, logValueText(v[6]), font}}, maxLines - int(lines.size()));
        return lines;
    }
};

} // namespace

std::unique_ptr<LogPrintout> LogPrintout::create(LogKind kind)
{
    switch (kind) {
    case LogKind::Livestock: return std::make_unique<LivestockLogPrintout>();
    case LogKind::Maintenance: return std::make_unique<MaintenanceLogPrintout>();
    case LogKind::WaterQuality: break;
    }
    return std::make_unique<WaterQualityLogPrintout>();
}

// ---- reading the rows -------------------------------------------------------------

LogRowReader::LogRowReader(QSqlDatabase db, const LogPrintout& log, bool allTanks, const QString& tankKey)
    : m_query(db)
{
    m_query.setForwardOnly(true);
    if (!m_query.prepare(log.selectSql(!allTanks))) {
        m_error = m_query.lastError().text();
        return;
    }
    if (!allTanks)
        m_query.addBindValue(tankKey);
    if (!m_query.exec()) {
        m_error = m_query.lastError().text();
        return;
    }
    m_ok = true;
}

bool LogRowReader::next()
{
    if (!m_ok || !m_query.next())
        return false;
    auto text = [this](int column) {
        const QVariant value = m_query.value(column);
        return value.isNull() ? QString() : logValueText(value);
    };
    m_row.tankKey = m_query.value(0).toString();
    m_row.tankName = text(1);
    m_row.tankSize = text(2);
    m_row.tankDesc = text(3);
    const int count = m_query.record().count();
    m_row.values.resize(count - 4);
    for (int column = 4; column < count; ++column)
        m_row.values[column - 4] = m_query.value(column);
    return true;
}

// ---- the print run ----------------------------------------------------------------

int printLogRows(const LogPrintout& log, LogRowReader& rows, IPageWriter& writer, const LogPageFrame& frame,
                 const QString& dateMask)
{
    PrintFlow flow(writer);
    const LogTableLayout columns = log.columns(writer, dateMask);
    const double footerTop = LogPageFrame::footerTop(flow);
    const double lineHeight = writer.lineHeight(columns.font);
    // Whole lines of the entries' font left above the footer.
    auto linesLeft = [&] { return int(std::floor((footerTop - flow.y()) / lineHeight + 1e-9)); };

    int pages = 0;
    int pageNumber = 0;
    int entriesOnPage = 0;
    LogPrintRow section;   // the tank being printed (its values unused)
    auto startPage = [&](bool continuation) {
        if (pages > 0)
            flow.newPage();
        ++pages;
        entriesOnPage = 0;
        pageNumber = continuation ? pageNumber + 1 : 1;
        frame.printPageHeadings(flow, log.title(), section.tankName, section.tankSize, section.tankDesc,
                                pageNumber);
        log.printColumnHeadings(flow, columns, continuation);
    };

    do {
        const LogPrintRow& row = rows.row();
        if (pages == 0 || row.tankKey != section.tankKey) {
            section.tankKey = row.tankKey;
            section.tankName = row.tankName;
            section.tankSize = row.tankSize;
            section.tankDesc = row.tankDesc;
            startPage(false);
        }
        // An entry is printed whole above the footer; otherwise the page breaks
        // first. No entry takes more than the lines of a page.
        const int pageLines = int(footerTop / lineHeight);
        QList<PrintedLine> lines = log.entryLines(writer, columns, row, dateMask, std::max(linesLeft(), pageLines));
        if (lines.size() > linesLeft() && entriesOnPage > 0)
            startPage(true);
        if (lines.size() > linesLeft())
            lines = log.entryLines(writer, columns, row, dateMask, linesLeft());
        for (const PrintedLine& line : lines) {
            for (const PlacedText& text : line) {
                flow.setFont(text.font);
                flow.setX(text.x);
                flow.print(text.text);
            }
            flow.setFont(columns.font);
            flow.endLine();
        }
        ++entriesOnPage;
    } while (rows.next());
    return pages;
}

LogPrintResult printLogEntries(QSqlDatabase db, IPrintService& service, const IClock& clock,
                               const LogPrintRequest& request)
{
    LogPrintResult result;
    const std::unique_ptr<LogPrintout> log = LogPrintout::create(request.kind);
    std::unique_ptr<IPrintSession> session = service.choosePrinter(log->dialogTitle(), request.destination);
    if (!session) {
        result.status = LogPrintResult::Cancelled;
        return result;
    }
    auto fail = [&result](const QString& why) {
        result.status = LogPrintResult::Failed;
        result.message = QStringLiteral("The log could not be printed: ") + why;
        return result;
    };

    const int copies = std::max(1, session->copies());
    for (int copy = 0; copy < copies; ++copy) {
        // Each copy reads the log anew and is a print job of its own.
        LogRowReader rows(db, *log, request.allTanks, request.tankKey);
        if (!rows.ok())
            return fail(rows.errorText());
        if (!rows.next()) {
            if (copy == 0) {
                result.status = LogPrintResult::NothingFound;
                result.message = log->emptyMessage();
                return result;
            }
            break;
        }
        IPageWriter* writer = session->beginJob(log->orientation());
        if (!writer)
            return fail(session->errorText());
        const LogPageFrame frame(request.dateMask, clock);
        printLogRows(*log, rows, *writer, frame, request.dateMask);
        if (!session->endJob())
            return fail(session->errorText());
        ++result.jobs;
    }
    result.status = LogPrintResult::Printed;
    return result;
}
