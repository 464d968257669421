#include "scheduler/SchedulePrintout.h"

#include "version.h"

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

void printTitle(PrintFlow& flow, const PrintFont& titleFont)
{
    flow.setFont(titleFont);
    flow.printLine(kScheduleTitle);
    flow.printLine(QStringLiteral(" "));
    flow.setFont(scheduleRowFont());
}

void breakPage(PrintFlow& flow)
{
    flow.setFont(scheduleFooterFont());
    flow.printLine(QString());
    flow.printLine(scheduleFooterText());
    flow.newPage();
    printTitle(flow, scheduleLaterTitleFont());
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
    PrintFlow flow(writer);
    printTitle(flow, scheduleFirstTitleFont());
    int onPage = 0;
    for (const SchedulePrintRow& row : rows) {
        // Fifty rows a page; a row that would run into the footer's room
        // breaks the page early (very small paper).
        const bool full = onPage == kScheduleRowsPerPage;
        const bool noRoom = onPage > 0 && !flow.fitsAbove(flow.pageHeight() - footerHeight(writer));
        if (full || noRoom) {
            breakPage(flow);
            onPage = 0;
        }
        flow.print(row.date);
        flow.setX(flow.pageWidth() / 3);
        flow.print(row.task);
        flow.endLine();
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
        IPageWriter* writer = session->beginJob(PageOrientation::Portrait);
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
