#include "scheduler/SchedulePrintout.h"

#include "core/PrintFitting.h"
#include "version.h"

#include <algorithm>

namespace sched {

namespace {

PrintFont font(const char* family, double size, bool bold, bool italic)
{
    PrintFont f;
    f.family = QString::fromLatin1(family);
    f.pointSize = size;
    f.bold = bold;
    f.italic = italic;
    return f;
}

// Room the two footer lines take at the foot of a page.
double footerHeight(const IPageWriter& writer)
{
    return 2 * writer.lineHeight(scheduleFooterFont());
}

// A title in its font, made smaller where the paper is too narrow for it.
PrintFont titleFont(const IPageWriter& writer, const PrintFont& font)
{
    return shrinkToWidth(writer, kScheduleTitle, font, writer.pageWidth());
}

void printTitle(PrintFlow& flow, const PrintFont& titleFont)
{
    flow.setFont(titleFont);
    flow.printLine(kScheduleTitle);
    flow.printLine(QStringLiteral(" "));
    flow.setFont(scheduleRowFont());
}

void breakPage(PrintFlow& flow, const PrintFont& laterTitleFont)
{
    flow.setFont(scheduleFooterFont());
    flow.printLine(QString());
    flow.printLine(scheduleFooterText());
    flow.newPage();
    printTitle(flow, laterTitleFont);
}

} // namespace

PrintFont scheduleFirstTitleFont() { return font("Times New Roman", 15, true, true); }
PrintFont scheduleLaterTitleFont() { return font("Arial", 18, true, true); }
PrintFont scheduleRowFont() { return font("Arial", 10, false, false); }
PrintFont scheduleFooterFont() { return font("Arial", 9, true, true); }

QString scheduleFooterText()
{
    return QStringLiteral("Brinestead " BRINESTEAD_VERSION_STRING
                          " - a logbook for aquarium and pond keepers");
}

void layOutSchedule(IPageWriter& writer, const QVector<SchedulePrintRow>& rows)
{
    const PrintFont laterTitle = titleFont(writer, scheduleLaterTitleFont());
    const PrintFont rowFont = scheduleRowFont();
    const double rowHeight = writer.lineHeight(rowFont);
    const double footerTop = writer.pageHeight() - footerHeight(writer);
    // The date and the task each wrap within their column; a row is never
    // longer than a later page holds below its title (a task that would be is
    // cut, ending with an ellipsis).
    const double taskX = writer.pageWidth() / 3;
    const double dateWidth = taskX - writer.textWidth(QStringLiteral(" "), rowFont);
    const double taskWidth = writer.pageWidth() - taskX;
    const int maxRowLines = std::max(1, int((footerTop - 2 * writer.lineHeight(laterTitle)) / rowHeight));

    PrintFlow flow(writer);
    printTitle(flow, titleFont(writer, scheduleFirstTitleFont()));
    int onPage = 0;
    for (const SchedulePrintRow& row : rows) {
        const QStringList dateLines = wrapToWidth(writer, row.date, rowFont, dateWidth, maxRowLines);
        const QStringList taskLines = wrapToWidth(writer, row.task, rowFont, taskWidth, maxRowLines);
        const qsizetype lines = std::max(dateLines.size(), taskLines.size());
        // Fifty rows a page; a row that would run into the footer's room
        // breaks the page early.
        const bool full = onPage == kScheduleRowsPerPage;
        const bool noRoom = onPage > 0 && flow.y() + lines * rowHeight > footerTop;
        if (full || noRoom) {
            breakPage(flow, laterTitle);
            onPage = 0;
        }
        for (qsizetype line = 0; line < lines; ++line) {
            flow.print(dateLines.value(line));
            flow.setX(taskX);
            flow.print(taskLines.value(line));
            flow.endLine();
        }
        ++onPage;
    }
}

PrintOutcome printSchedule(IPrintService& service, const QVector<SchedulePrintRow>& rows,
                           PrintDestination destination, QString* error)
{
    std::unique_ptr<IPrintSession> session = service.choosePrinter(kSchedulePrintDialogTitle, destination);
    if (!session)
        return PrintOutcome::Cancelled;
    const int copies = qMax(1, session->copies());
    for (int copy = 0; copy < copies; ++copy) {
        // In the orientation the keeper chose for the printer.
        IPageWriter* writer = session->beginJob(std::nullopt);
        if (!writer) {
            if (error)
                *error = session->errorText();
            return PrintOutcome::Failed;
        }
        layOutSchedule(*writer, rows);
        if (!session->endJob()) {
            if (error)
                *error = session->errorText();
            return PrintOutcome::Failed;
        }
    }
    return PrintOutcome::Printed;
}

} // namespace sched
