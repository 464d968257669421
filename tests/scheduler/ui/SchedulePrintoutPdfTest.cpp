// The printed schedule on real paper, read back from the PDF: every page's
// title whole on the paper, every task whole, nothing printed over anything.
#include "scheduler/SchedulePrintout.h"
#include "support/PrintedPdf.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sched;

namespace {

class SchedulePdf : public ::testing::TestWithParam<PrintSetting> {};

// A task of `words` numbered words ("Rinse-1 Rinse-2 ..."), as a keeper's long note reads.
QString longTask(const QString& word, int words)
{
    QStringList out;
    for (int i = 1; i <= words; ++i)
        out << QStringLiteral("%1-%2").arg(word).arg(i);
    return out.join(QLatin1Char(' '));
}

} // namespace

TEST_P(SchedulePdf, EveryTitleAndTaskIsWholeOnThePaper)
{
    // 120 rows over three pages at least; three of them with tasks longer than a line.
    QVector<SchedulePrintRow> rows;
    for (int i = 1; i <= 120; ++i) {
        const QString task = i == 2 ? longTask(QStringLiteral("Rinse"), 40)
                             : i == 75 ? longTask(QStringLiteral("Dose"), 25)
                             : i == 120 ? longTask(QStringLiteral("Refill"), 60)
                                        : QStringLiteral("Feed %1").arg(i);
        rows.append(SchedulePrintRow{QStringLiteral("Wednesday 12/%1/26").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                                     task});
    }
    QTemporaryDir dir;
    const PdfWords pdf = printOnPaper(dir.filePath(QStringLiteral("schedule.pdf")), GetParam(),
                                      [&rows](IPageWriter& writer) { layOutSchedule(writer, rows); });
    ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
    ASSERT_GE(pdf.pageCount(), 3);

    for (int page = 0; page < pdf.pageCount(); ++page) {
        SCOPED_TRACE(page + 1);
        const QStringList lines = pdf.page(page).lines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), kScheduleTitle);
    }
    QStringList texts;
    for (const SchedulePrintRow& row : rows)
        texts << row.date << row.task;
    EXPECT_EQ(listed(textsNotPrinted(readingOrder(pdf), texts)), "");
    EXPECT_EQ(listed(wordsOffThePaper(pdf)), "");
    EXPECT_EQ(listed(overprintedWords(pdf)), "");
}

INSTANTIATE_TEST_SUITE_P(PrintedSchedule, SchedulePdf, ::testing::ValuesIn(printSettings()), NameOfSetting());
