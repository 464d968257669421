#pragma once
// The printed questions and answers of the diagnosis wizard: a centred title,
// the standing reminder, the history (answers in bold italic) and a footer with
// the program's copyright notice, one document per copy.
#include "core/Printing.h"
#include "tools/DiagnosisHistory.h"

#include <QString>
#include <QStringList>

struct Services;

namespace diagnosis {

QString copyrightNotice();
QString printoutTitle();          // "Brinestead for Windows - Disease Diagnosis Aid"
QStringList printoutReminder();   // the three reminder lines

// Lays out one copy on `writer`: lines too wide for the page wrap, and a page
// breaks before a line that would not fit above the footer. Every page carries
// the footer.
void layOutAnswers(IPageWriter& writer, const History& history);

// The Print Answers command: asks for the printer under "Print Questions and
// Answers" and prints as many documents as copies were chosen, in the
// orientation the keeper chose for the printer. A cancelled
// dialog prints nothing and says nothing; a printer that fails is reported.
// Returns the number of documents printed.
int printAnswers(const Services& services, const History& history,
                 PrintDestination destination = PrintDestination::Printer);

} // namespace diagnosis
