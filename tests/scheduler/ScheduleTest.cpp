// The reminder preview, the schedule of all rules over a window of dates and
// the printed schedule.
#include "scheduler/ReminderChecks.h"
#include "scheduler/ScheduleGeneration.h"
#include "scheduler/SchedulePrintout.h"
#include "support/RecordingPrinting.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sched;

namespace {

const QDate kToday(2026, 12, 8);
const QString kMDY = QStringLiteral("MMDDYY");

EditorValues weeklyMondayThursday()
{
    EditorValues v = EditorValues::startup(kToday);
    v.type = Weekly;
    v.weeklyWeeks = QStringLiteral("1");
    v.weeklyDays[1] = true;
    v.weeklyDays[4] = true;
    v.startDate = QStringLiteral("12/08/26");
    v.endDate = QStringLiteral("12/24/26");
    return v;
}

MaintSchedRecord dailyRule(const QString& task, const QDate& start, const QDate& end, int every)
{
    MaintSchedRecord r;
    r.SchedTask = task;
    r.SchedRtype = Daily;
    r.SchedInterval = every;
    r.SchedStartDate = start;
    r.SchedEndDate = end;
    return r;
}

QVector<SchedulePrintRow> printRows(int count)
{
    QVector<SchedulePrintRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({QStringLiteral("Monday 12/%1/26").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Task %1").arg(i)});
    return rows;
}

int rowsOnPage(const RecordedPage& page)
{
    return int(std::count_if(page.items.begin(), page.items.end(), [](const RecordedItem& item) {
        return item.text.startsWith(QStringLiteral("Task "));
    }));
}

} // namespace

// ---- preview ----------------------------------------------------------------

TEST(ReminderPreview, WeeklyDaysAlternateInDateOrderAndStopAtTheEnd)
{
    const ReminderPreview p = previewDates(weeklyMondayThursday(), kMDY, kToday);
    ASSERT_TRUE(p.onceDateValid);
    EXPECT_EQ(p.dates, (QVector<QDate>{QDate(2026, 12, 10), QDate(2026, 12, 14), QDate(2026, 12, 17),
                                       QDate(2026, 12, 21), QDate(2026, 12, 24)}));
}

TEST(ReminderPreview, NeverHangsOnAStepOfZeroOrADateThatIsNone)
{
    EditorValues v = EditorValues::startup(kToday);
    v.startDate = QStringLiteral("12/08/26");
    v.endDate = QStringLiteral("12/08/27");
    v.dailyDays = QStringLiteral("0");
    EXPECT_TRUE(previewDates(v, kMDY, kToday).dates.isEmpty());
    v.dailyDays = QStringLiteral("abc");
    EXPECT_TRUE(previewDates(v, kMDY, kToday).dates.isEmpty());
    v.dailyDays = QStringLiteral("1");
    v.endDate = QStringLiteral("13/45/27");
    EXPECT_TRUE(previewDates(v, kMDY, kToday).dates.isEmpty());
}

TEST(ReminderPreview, OnceDateIsListedOutsideTheRangeAndABadOneIsTold)
{
    EditorValues v = EditorValues::startup(kToday);
    v.type = Once;
    v.startDate = QStringLiteral("12/08/26");
    v.endDate = QStringLiteral("12/08/27");
    v.onceDate = QStringLiteral("03/15/31");
    ReminderPreview p = previewDates(v, kMDY, kToday);
    EXPECT_TRUE(p.onceDateValid);
    EXPECT_EQ(p.dates, QVector<QDate>{QDate(2031, 3, 15)});

    v.onceDate = QStringLiteral("02/30/27");
    p = previewDates(v, kMDY, kToday);
    EXPECT_FALSE(p.onceDateValid);
    EXPECT_TRUE(p.dates.isEmpty());
}

TEST(ReminderPreview, EveryWeekdayOverOneWeekGivesMondayToFriday)
{
    EditorValues v = EditorValues::startup(kToday);
    v.dailySubtype = 1;
    v.startDate = QStringLiteral("12/06/26");   // a Sunday
    v.endDate = QStringLiteral("12/12/26");
    const ReminderPreview p = previewDates(v, kMDY, kToday);
    ASSERT_EQ(p.dates.size(), 5);
    EXPECT_EQ(p.dates.first(), QDate(2026, 12, 7));
    EXPECT_EQ(p.dates.last(), QDate(2026, 12, 11));
}

TEST(OccurrenceText, FullWeekdayNameAndTheKeepersPatternAndTheSortKey)
{
    EXPECT_EQ(occurrenceText(QDate(2026, 12, 8), QStringLiteral("DD.MM.YY")), QStringLiteral("Tuesday 08.12.26"));
    EXPECT_EQ(occurrenceKey(QDate(2031, 3, 5)), QStringLiteral("20310305"));
}

// ---- schedule ----------------------------------------------------------------

TEST(Schedule, AllRulesInDateOrderWithTiesInTaskTextOrder)
{
    const QVector<MaintSchedRecord> rules{
        dailyRule(QStringLiteral("water change"), QDate(2026, 12, 1), QDate(2027, 1, 31), 7),
        dailyRule(QStringLiteral("Check heater"), QDate(2026, 12, 8), QDate(2026, 12, 10), 1),
        dailyRule(QStringLiteral("algae"), QDate(2026, 12, 8), QDate(2026, 12, 8), 1),
    };
    const QVector<ScheduleRow> rows = buildSchedule(rules, QDate(2026, 12, 8), QDate(2026, 12, 15), kMDY, kToday);
    QStringList got;
    for (const ScheduleRow& r : rows)
        got << r.date.toString(Qt::ISODate) + QLatin1Char(' ') + r.task;
    EXPECT_EQ(got, (QStringList{"2026-12-08 algae", "2026-12-08 Check heater", "2026-12-08 water change",
                                "2026-12-09 Check heater", "2026-12-10 Check heater", "2026-12-15 water change"}));
}

// ---- printout -------------------------------------------------------------------

TEST(SchedulePrintout, HundredTwentyRowsFiftyFiftyTwentyWithTheFooterOnTheFirstTwoPages)
{
    RecordingPrintService service;
    ASSERT_EQ(printSchedule(service, printRows(120)), PrintOutcome::Printed);
    ASSERT_EQ(service.jobs.size(), 1);
    const QList<RecordedPage>& pages = service.jobs.first().pages;
    ASSERT_EQ(pages.size(), 3);
    EXPECT_EQ(rowsOnPage(pages[0]), 50);
    EXPECT_EQ(rowsOnPage(pages[1]), 50);
    EXPECT_EQ(rowsOnPage(pages[2]), 20);
    EXPECT_TRUE(pages[0].texts().contains(scheduleFooterText()));
    EXPECT_TRUE(pages[1].texts().contains(scheduleFooterText()));
    EXPECT_FALSE(pages[2].texts().contains(scheduleFooterText()));
    EXPECT_EQ(service.dialogTitles, QStringList{"Print Maintenance Schedule"});

    // Titles: the first page in Times New Roman 15, later ones in Arial 18.
    EXPECT_EQ(pages[0].items.first().text, kScheduleTitle);
    EXPECT_EQ(pages[0].items.first().font, scheduleFirstTitleFont());
    EXPECT_EQ(pages[1].items.first().text, kScheduleTitle);
    EXPECT_EQ(pages[1].items.first().font, scheduleLaterTitleFont());
    // Row 51 opens the second page, its task a third of the way across.
    const QStringList second = pages[1].lines();
    EXPECT_TRUE(second.contains(QStringLiteral("Monday 12/24/26 Task 51")) || second.join('|').contains("Task 51"));
    for (const RecordedItem& item : pages[2].items)
        if (item.text == QStringLiteral("Task 101")) {
            EXPECT_DOUBLE_EQ(item.x, RecordingPageWriter::kShortSide / 3);
            EXPECT_EQ(item.font, scheduleRowFont());
        }
    // Every line fits above the foot of the page.
    for (const RecordedPage& page : pages)
        for (const RecordedItem& item : page.items)
            EXPECT_LE(item.y + item.font.pointSize * 1.2, RecordingPageWriter::kLongSide + 0.001);
}

TEST(SchedulePrintout, FiftyRowsFitOnePageWithoutFooterAndAnEmptyListPrintsTheTitle)
{
    RecordingPrintService service;
    printSchedule(service, printRows(50));
    ASSERT_EQ(service.jobs.first().pages.size(), 1);
    EXPECT_FALSE(service.jobs.first().pages.first().texts().contains(scheduleFooterText()));

    RecordingPrintService empty;
    printSchedule(empty, {});
    ASSERT_EQ(empty.jobs.first().pages.size(), 1);
    EXPECT_EQ(empty.jobs.first().pages.first().texts(), (QStringList{kScheduleTitle, QStringLiteral(" ")}));
}

TEST(SchedulePrintout, EachCopyIsADocumentOfItsOwnAndCancelPrintsNothing)
{
    RecordingPrintService service;
    service.copies = 3;
    EXPECT_EQ(printSchedule(service, printRows(51)), PrintOutcome::Printed);
    ASSERT_EQ(service.jobs.size(), 3);
    for (const RecordedJob& job : service.jobs) {
        EXPECT_TRUE(job.ended);
        ASSERT_EQ(job.pages.size(), 2);
        EXPECT_EQ(job.pages.first().items.first().font, scheduleFirstTitleFont());
    }

    RecordingPrintService cancelled;
    cancelled.accept = {false};
    EXPECT_EQ(printSchedule(cancelled, printRows(10)), PrintOutcome::Cancelled);
    EXPECT_TRUE(cancelled.jobs.isEmpty());
}

TEST(SchedulePrintout, ATaskLongerThanAPageIsCutThereWithAnEllipsis)
{
    // Remembers the longest text measured: a long task is measured only as far as it prints.
    class MeasuringRecorder : public RecordingPageWriter {
    public:
        double textWidth(const QString& text, const PrintFont& font) const override
        {
            longest = std::max(longest, text.size());
            return RecordingPageWriter::textWidth(text, font);
        }
        mutable qsizetype longest = 0;
    };
    const QString task = QStringLiteral("Clean the filter sponge ").repeated(4200);   // 100,800 characters
    const QVector<SchedulePrintRow> rows(3, SchedulePrintRow{QStringLiteral("Monday 12/14/26"), task});
    MeasuringRecorder writer;
    layOutSchedule(writer, rows);

    // A page a row, below the title: the task wrapped a third of the way across
    // and cut where the page ends.
    const QList<RecordedPage>& pages = writer.job().pages;
    ASSERT_EQ(pages.size(), 3);
    for (const RecordedPage& page : pages) {
        QStringList taskLines;
        for (const RecordedItem& item : page.items) {
            if (item.font != scheduleRowFont())
                continue;
            if (item.x == RecordingPageWriter::kShortSide / 3)
                taskLines << item.text;
            EXPECT_LE(item.x + writer.textWidth(item.text, item.font), RecordingPageWriter::kShortSide);
            EXPECT_LE(item.y + 12, RecordingPageWriter::kLongSide - 2 * 9 * 1.2);   // above the footer's room
        }
        ASSERT_GT(taskLines.size(), 40);
        const QString printed = taskLines.join(QLatin1Char(' '));
        ASSERT_TRUE(printed.endsWith(QStringLiteral("\u2026"))) << printed.right(40).toStdString();
        EXPECT_TRUE(task.startsWith(printed.chopped(1))) << printed.right(40).toStdString();
    }
    EXPECT_LT(writer.longest, 1000);
}

TEST(SchedulePrintout, APrinterThatRefusesIsReportedAsAFailure)
{
    RecordingPrintService service;
    service.failJobs = true;
    QString error;
    EXPECT_EQ(printSchedule(service, printRows(3), PrintDestination::Printer, &error), PrintOutcome::Failed);
}
