#include "reports/LogPrintout.h"

#include "core/Dates.h"
#include "core/Services.h"

#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Prints the underlined headings, each at its column, and leaves the fonts plain.
void printHeadingTexts(PrintFlow& flow, const ColumnPositions& columns,
                       std::initializer_list<std::pair<int, const char*>> headings, bool endLastLine)
{
    flow.setFont(logBodyFont(false, false, true));
    for (const auto& [index, text] : headings) {
        flow.setX(columns[index]);
        flow.print(QString::fromLatin1(text));
    }
    if (endLastLine)
        flow.endLine();
    flow.setFont(logBodyFont());
}

QString tankFilter(bool oneTank)
{
    return oneTank ? QStringLiteral(" WHERE t.tankid = ?") : QString();
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
    ColumnPositions columnPositions(const IPageWriter& writer, const QString&) const override
    {
        const double width = writer.pageWidth();
        ColumnPositions c{};
        c[1] = std::round(width / 8.0);
        c[2] = std::round(width / 4.0);
        c[3] = width - c[2];
        c[4] = width - c[1];
        return c;
    }
    void printColumnHeadings(PrintFlow& flow, const ColumnPositions& columns, bool) const override
    {
        printHeadingTexts(flow, columns,
                          {{0, "Date /Time Added"}, {2, "Animal"}, {3, "Quantity"}, {4, "Status"}}, false);
        flow.endLine();
    }
    void printEntry(PrintFlow& flow, const ColumnPositions& columns, const LogPrintRow& row,
                    const QString& dateMask) const override
    {
        const QVariantList& v = row.values;
        flow.setX(0);
        flow.print(logDateTimeText(v[0], v[1], dateMask));
        flow.setX(columns[2]);
        flow.print(logValueText(v[2]));
        flow.setX(columns[3]);
        flow.print(logValueText(v[3]));
        flow.setX(columns[4]);
        flow.print(logValueText(v[4]));
        flow.endLine();
    }
};

// ---- water quality ----------------------------------------------------------------

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
    ColumnPositions columnPositions(const IPageWriter& writer, const QString& dateMask) const override
    {
        const double width = writer.pageWidth();
        ColumnPositions c{};
        // The values sit on a grid of fifteenths of the page: nitrite at 3/15,
        // then one fifteenth a column up to 14/15. Ammonia comes at 1/15 or, when
        // the date and time (or their heading) are wider, right after them.
        const PrintFont body = logBodyFont();
        const QString widestDateTime = formatDateMask(QDate(2088, 8, 28), dateMask) + QStringLiteral(" - ")
                                       + formatAmPmTime(QTime(8, 8, 8), true);
        const double dateTimeWidth = std::max(writer.textWidth(widestDateTime, body),
                                              writer.textWidth(QStringLiteral("Date /Time Added"), body))
                                     + writer.textWidth(QStringLiteral(" "), body);
        c[1] = std::round(std::max(width * (1.0 / 15.0), dateTimeWidth));
        for (int index = 2; index < 14; ++index)
            c[index] = std::round(width * ((index + 1) / 15.0));
        return c;
    }
    void printColumnHeadings(PrintFlow& flow, const ColumnPositions& columns, bool) const override
    {
        printHeadingTexts(flow, columns,
                          {{0, "Date /Time Added"}, {1, "Ammonia"}, {2, "Nitrite"}, {3, "Nitrate"}, {4, "ph"},
                           {5, "s.g."}, {6, "Temp"}, {7, "o2"}, {8, "dkh"}, {9, "Calcium"}, {10, "Copper"},
                           {11, "Redox"}, {12, "Custom1"}, {13, "Custom2"}},
                          false);
        flow.endLine();
    }
    void printEntry(PrintFlow& flow, const ColumnPositions& columns, const LogPrintRow& row,
                    const QString& dateMask) const override
    {
        const QVariantList& v = row.values;
        flow.setX(0);
        flow.print(logDateTimeText(v[0], v[1], dateMask));
        for (int index = 1; index < 14; ++index) {
            const QVariant& value = v[index + 1];
            flow.setX(columns[index]);
            // A value that was not measured stays blank rather than reading 0.000.
            flow.print(value.isNull() ? QString() : formatNumber(value.toDouble(), QStringLiteral("###0.000")));
        }
        flow.endLine();
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
    ColumnPositions columnPositions(const IPageWriter& writer, const QString&) const override
    {
        ColumnPositions c{};
        c[2] = std::round(writer.pageWidth() / 4.0);
        return c;
    }
    void printColumnHeadings(PrintFlow& flow, const ColumnPositions& columns, bool continuation) const override
    {
        printHeadingTexts(flow, columns, {{0, "Date /Time Performed"}, {2, "Task Performed"}}, true);
        flow.printLine();
        if (continuation)
            flow.printLine();
    }
    int linesPerEntry() const override { return 3; }
    void printEntry(PrintFlow& flow, const ColumnPositions& columns, const LogPrintRow& row,
                    const QString& dateMask) const override
    {
        const QVariantList& v = row.values;
        flow.setX(0);
        flow.print(logDateTimeText(v[0], v[1], dateMask));
        flow.setX(columns[2]);
        flow.printLine(logValueText(v[2]));
        flow.setX(columns[2]);
        flow.printLine(logValueText(v[3]) + QStringLiteral("  ") + logValueText(v[4]) + QStringLiteral("  ")
                       + logValueText(v[5]));
        flow.setX(columns[2]);
        flow.printLine(logValueText(v[6]));
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
    const ColumnPositions columns = log.columnPositions(writer, dateMask);
    const double footerTop = LogPageFrame::footerTop(flow);

    int pages = 0;
    int pageNumber = 0;
    LogPrintRow section;   // the tank being printed (its values unused)
    auto startPage = [&](bool continuation) {
        if (pages > 0)
            flow.newPage();
        ++pages;
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
        } else {
            // An entry is printed whole above the footer; otherwise the page breaks first.
            flow.setFont(logBodyFont());
            if (flow.y() + log.linesPerEntry() * flow.lineHeight() > footerTop)
                startPage(true);
        }
        flow.setFont(logBodyFont());
        log.printEntry(flow, columns, row, dateMask);
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
