// The main window's reminders box, rebuilt from the rules table with the
// clock fixed on Tuesday 8 December 2026.
#include "app/MainWindow.h"
#include "scheduler/MaintSchedStore.h"
#include "support/Controls.h"
#include "support/RecordingStyle.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

using namespace sched;

namespace {

QStringList items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

class ReminderBox : public ::testing::Test {
protected:
    TestEnv env;
    MainWindow main{*env.ctx};
    MaintSchedStore store{env.ctx->db()};
    QComboBox* box = child<QComboBox>(main, "remindersBox");

    void addOnce(const QString& task, const QDate& date)
    {
        MaintSchedRecord r;
        r.SchedTask = task;
        r.SchedRtype = Once;
        r.SchedDetailText = date.toString(Qt::ISODate);
        r.SchedStartDate = QDate(2020, 1, 1);
        r.SchedEndDate = QDate(2020, 1, 2);
        ASSERT_EQ(store.add(r), SchedWrite::Ok);
    }
    void addDaily(const QString& task, const QDate& start, const QDate& end, int every = 1)
    {
        MaintSchedRecord r;
        r.SchedTask = task;
        r.SchedRtype = Daily;
        r.SchedInterval = every;
        r.SchedStartDate = start;
        r.SchedEndDate = end;
        ASSERT_EQ(store.add(r), SchedWrite::Ok);
    }
};

TEST_F(ReminderBox, EmptyTableShowsThePlaceholderSelected)
{
    main.rebuildRemindersBox();
    EXPECT_EQ(items(box), QStringList{"(No Reminders Available)"});
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(main.statusText(), QStringLiteral("Ready."));
    EXPECT_FALSE(box->isEditable());
}

TEST_F(ReminderBox, ShowsTheTwentyEarliestWithinTodayAndTwoYears)
{
    const QDate today(2026, 12, 8);
    addOnce("day before", today.addDays(-1));
    addOnce("last day", QDate(2028, 12, 8));
    addOnce("day after", QDate(2028, 12, 9));
    addDaily("daily", today.addDays(1), today.addDays(18));   // 18 occurrences
    addOnce("today", today);

    main.rebuildRemindersBox();
    QStringList got = items(box);
    ASSERT_EQ(got.size(), 20);
    EXPECT_EQ(got.first(), "Tue 12/08/26 today");
    EXPECT_EQ(got[1], "Wed 12/09/26 daily");
    EXPECT_EQ(got.last(), "Fri 12/08/28 last day");
    EXPECT_EQ(box->currentIndex(), 0);

    // One more occurrence pushes the latest out.
    addOnce("aa tie", today.addDays(1));
    main.rebuildRemindersBox();
    got = items(box);
    ASSERT_EQ(got.size(), 20);
    EXPECT_EQ(got[1], "Wed 12/09/26 aa tie");
    EXPECT_EQ(got[2], "Wed 12/09/26 daily");
    EXPECT_FALSE(got.join('|').contains("last day"));
}

TEST_F(ReminderBox, RulesWithNothingInTheWindowLeaveTheBoxEmpty)
{
    addOnce("long ago", QDate(1998, 12, 25));
    addDaily("ended", QDate(2025, 1, 1), QDate(2026, 12, 7));
    addDaily("later", QDate(2035, 1, 1), QDate(2036, 1, 1));
    main.rebuildRemindersBox();
    EXPECT_EQ(box->count(), 0);
    EXPECT_EQ(box->currentIndex(), -1);
    EXPECT_EQ(main.statusText(), QStringLiteral("Ready."));
}

TEST_F(ReminderBox, ChoosingAnEntryPutsTheFirstBack)
{
    addDaily("daily", QDate(2026, 12, 1), QDate(2027, 12, 1));
    main.rebuildRemindersBox();
    QSignalSpy chosen(box, &QComboBox::activated);
    // The third entry picked from the opened list.
    box->showPopup();
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Down);
    QTest::keyClick(box->view(), Qt::Key_Return);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.first().first().toInt(), 2);
    EXPECT_EQ(box->currentIndex(), 0);

    // Stepping through the box with the keyboard is a choice too.
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->currentIndex(), 0);
    EXPECT_EQ(box->count(), 20);
}

TEST_F(ReminderBox, EntriesFollowTheKeepersDatePattern)
{
    env.ctx->settings.dateMask = QStringLiteral("DD.MM.YY");
    addOnce("pump", QDate(2027, 3, 1));
    main.rebuildRemindersBox();
    EXPECT_EQ(items(box), QStringList{"Mon 01.03.27 pump"});
}

TEST_F(ReminderBox, StatusLineNamesTheRuleBeingExpanded)
{
    addOnce("Feed the fish", QDate(2027, 3, 1));
    QString seen;
    QTimer::singleShot(0, &main, [&] { seen = main.statusText(); });
    main.rebuildRemindersBox();
    EXPECT_EQ(seen, QStringLiteral("Generating Feed the fish..."));
    EXPECT_EQ(main.statusText(), QStringLiteral("Ready."));
}

// However long a stored task, the main window keeps its width: the box and
// the status line cut the text short on screen instead of growing. The box
// shows the date whole and the task cut short with an ellipsis, never
// mid-letter, on its face and in its opened list, which stays on the screen;
// a short task shows whole.
TEST_F(ReminderBox, ALongTaskIsCutShortAfterItsDateAndNeverWidensTheWindow)
{
    RecordingStyle* style = RecordingStyle::install();
    const auto restoreStyle = qScopeGuard([style] { style->restore(); });
    const QString shortEntry = QStringLiteral("Tue 03/02/27 Feed the fish");
    // A text drawn in place of the long entry `whole`: its beginning, the
    // date whole and at least a word of the task, then an ellipsis.
    auto expectCutShort = [](const QString& drawn, const QString& whole) {
        EXPECT_TRUE(drawn.endsWith(QChar(0x2026)) && whole.startsWith(drawn.chopped(1))
                    && drawn.startsWith("Mon 03/01/27 Clean "))
            << drawn.left(80).toStdString();
    };
    for (const int length : {177, 100000}) {
        SCOPED_TRACE(length);
        const QString task = QStringLiteral("Clean ") + QString(length - 6, QLatin1Char('x'));
        const QString longEntry = "Mon 03/01/27 " + task;
        QSqlQuery(env.ctx->db()).exec("DELETE FROM maintsched");
        addOnce(task, QDate(2027, 3, 1));
        addOnce("Feed the fish", QDate(2027, 3, 2));
        main.show();
        main.resize(800, 600);   // once open: it opens inside the screen, frame and all
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        int widthWhileGenerating = 0;
        QString statusWhileGenerating;
        QTimer::singleShot(0, &main, [&] {
            QCoreApplication::processEvents();
            widthWhileGenerating = main.width();
            statusWhileGenerating = main.statusText();
        });
        main.rebuildRemindersBox();
        QCoreApplication::processEvents();
        EXPECT_EQ(statusWhileGenerating, "Generating " + task + "...");
        EXPECT_EQ(widthWhileGenerating, 800);
        EXPECT_EQ(items(box), (QStringList{longEntry, shortEntry}));
        EXPECT_EQ(main.width(), 800);
        EXPECT_LE(main.minimumSizeHint().width(), 800);

        // The face, where the style puts its text.
        style->faces.clear();
        box->repaint();
        ASSERT_FALSE(style->faces.isEmpty());
        const QString face = style->faces.last().text;
        expectCutShort(face, longEntry);
        QStyleOptionComboBox frame;
        frame.initFrom(box);
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &frame, QStyle::SC_ComboBoxEditField, box);
        EXPECT_LE(box->fontMetrics().horizontalAdvance(face), field.width() - 2);

        // The opened list: each row's text inside the row, the list on the screen.
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        QCoreApplication::processEvents();
        style->rows.clear();
        list->viewport()->repaint();
        const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
        QStringList drawn;
        for (const RecordingStyle::Drawn& row : std::as_const(style->rows)) {
            if (row.widget != list && row.widget != box)
                continue;
            drawn << row.text;
            EXPECT_LE(list->fontMetrics().horizontalAdvance(row.text) + margin, row.rect.width())
                << row.text.left(80).toStdString();
        }
        ASSERT_EQ(drawn.size(), 2);
        expectCutShort(drawn[0], longEntry);
        EXPECT_EQ(drawn[1], shortEntry);
        EXPECT_LE(list->window()->width(), main.screen()->availableGeometry().width());
        box->hidePopup();
    }
}

// A rebuild asked for while one yields runs after it, not inside it, and the
// box ends up showing the table as it is then.
TEST_F(ReminderBox, RebuildAskedForDuringARebuildRunsAfterIt)
{
    addOnce("first", QDate(2027, 3, 1));
    addOnce("second", QDate(2027, 3, 2));
    int nestedCalls = 0;
    QTimer::singleShot(0, &main, [&] {
        ++nestedCalls;
        addOnce("added meanwhile", QDate(2027, 1, 1));
        main.rebuildRemindersBox();   // returns at once: a rebuild is running
        EXPECT_EQ(box->count(), 0) << "the running rebuild has not filled the box yet";
        EXPECT_EQ(main.statusText(), QStringLiteral("Generating first..."));
    });
    main.rebuildRemindersBox();
    EXPECT_EQ(nestedCalls, 1);
    EXPECT_EQ(items(box),
              (QStringList{"Fri 01/01/27 added meanwhile", "Mon 03/01/27 first", "Tue 03/02/27 second"}));
}

} // namespace

// A stored row whose type is missing names no day: it adds nothing to the box,
// and the rules beside it still show.
TEST_F(ReminderBox, ARowWithoutATypeGivesNoReminders)
{
    QSqlQuery q(env.ctx->db());
    ASSERT_TRUE(q.exec("INSERT INTO maintsched (SchedTask, SchedStartDate, SchedEndDate, SchedInterval, "
                       "SchedRtype, SchedRSubtype, SchedDetailText) "
                       "VALUES ('mystery', '2026-12-01', '2028-12-01', 1, NULL, 0, '')"));
    main.rebuildRemindersBox();
    EXPECT_TRUE(items(box).isEmpty()) << items(box).join("|").toStdString();

    addOnce("pump", QDate(2027, 3, 1));
    main.rebuildRemindersBox();
    EXPECT_EQ(items(box), QStringList{"Mon 03/01/27 pump"});
}
