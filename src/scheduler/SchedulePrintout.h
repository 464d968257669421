#pragma once
// The printed maintenance schedule: a title, then one line per row with the
// date at the left edge and the task one third of the way across, fifty rows a
// page. Every page but the last ends with an empty line and the footer line;
// every later page starts with the title again in a larger font. A title wider
// than the paper prints smaller; a task (or date) wider than its column wraps
// within it onto the row's next lines.
#include "core/Printing.h"

#include <QString>
#include <QVector>

namespace sched {

struct SchedulePrintRow {
    QString date;   // as the list shows it: "Monday 12/08/26"
    QString task;
};

inline const QString kScheduleTitle = QStringLiteral("Brinestead for Windows - Generated Maintenance Schedule");
inline const QString kSchedulePrintDialogTitle = QStringLiteral("Print Maintenance Schedule");
constexpr int kScheduleRowsPerPage = 50;

PrintFont scheduleFirstTitleFont();   // Times New Roman 15, bold italic (at most)
PrintFont scheduleLaterTitleFont();   // Arial 18, bold italic (at most)
PrintFont scheduleRowFont();          // Arial 10
PrintFont scheduleFooterFont();       // Arial 9, bold italic
QString scheduleFooterText();

// Lays out one copy of the schedule on the writer.
void layOutSchedule(IPageWriter& writer, const QVector<SchedulePrintRow>& rows);

enum class PrintOutcome { Printed, Cancelled, Failed };

// The print command: asks the keeper where to print (a cancel ends it quietly)
// and prints each copy asked for as a document of its own, in the orientation
// the keeper chose for the printer. error says why a printer refused.
PrintOutcome printSchedule(IPrintService& service, const QVector<SchedulePrintRow>& rows,
                           PrintDestination destination = PrintDestination::Printer,
                           QString* error = nullptr);

} // namespace sched
