// The reminder editor, the task list and the schedule window as the keeper
// uses them, with the clock fixed on Tuesday 8 December 2026 and the date
// order month/day/year.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/CalendarDialog.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/QtPrinting.h"
#include "scheduler/MaintSchedStore.h"
#include "scheduler/SchedulePrintout.h"
#include "scheduler/ui/ReminderEditorDialog.h"
#include "scheduler/ui/ReminderListWindow.h"
#include "scheduler/ui/ScheduleWindow.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/ParamNames.h"
#include "support/PdfWords.h"
#include "support/ScriptedPrintDialog.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

using namespace sched;

namespace {

// Runs `script` on the reminder editor as soon as it is up (modal).
void whenEditorOpens(std::function<void(ReminderEditorDialog&)> script)
{
    auto* timer = new QTimer;
    timer->setInterval(1);
    QObject::connect(timer, &QTimer::timeout, [timer, script] {
        auto* editor = qobject_cast<ReminderEditorDialog*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        timer->stop();
        timer->deleteLater();
        script(*editor);
    });
    timer->start();
}

// Clicks a button where its caption starts (a check box or an option
// button only answers on its box and caption).
void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QStringList listTexts(const QTreeWidget* list, int column = 0)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(column);
    return out;
}

// OK in an editor opened by the task list; an editor that refuses is
// cancelled, so the test goes on and fails on what was not stored.
void pressOk(ReminderEditorDialog& editor)
{
    click(child<QPushButton>(editor, "okButton"));
    if (editor.isVisible())
        editor.reject();
}

// A point on the row's task text.
QPoint rowPoint(const QTreeWidget* tree, QTreeWidgetItem* item)
{
    return QPoint(10, tree->visualItemRect(item).center().y());
}

QString recordText(const MaintSchedRecord& r)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
        .arg(r.rowid)
        .arg(r.SchedTask, r.SchedStartDate.toString(Qt::ISODate), r.SchedEndDate.toString(Qt::ISODate))
        .arg(r.SchedInterval)
        .arg(r.SchedRtype)
        .arg(r.SchedRSubtype)
        .arg(r.SchedDetailText, r.SchedEnglishDesc);
}

class ReminderWindows : public ::testing::Test {
protected:
    TestEnv env;
    MainWindow main{*env.ctx};
    MaintSchedStore store{env.ctx->db()};

    ReminderWindows()
    {
        wireApplication(*env.ctx, main);
        main.show();
    }

    ReminderListWindow* openTaskList()
    {
        main.showChild(QStringLiteral("ReminderListWindow"));
        return qobject_cast<ReminderListWindow*>(main.childWindow(QStringLiteral("ReminderListWindow"), false));
    }
    ScheduleWindow* openSchedule()
    {
        main.showChild(QStringLiteral("ScheduleWindow"));
        return qobject_cast<ScheduleWindow*>(main.childWindow(QStringLiteral("ScheduleWindow"), false));
    }
    void selectTask(ReminderListWindow* list, const QString& task)
    {
        auto* tree = child<QTreeWidget>(*list, "taskList");
        const auto found = tree->findItems(task, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1);
        tree->scrollToItem(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rowPoint(tree, found.first()));
    }
    void addRule(const QString& task, int type, int subtype, int interval, const QString& detail,
                 const QDate& start = QDate(2026, 12, 1), const QDate& end = QDate(2027, 12, 1),
                 const QString& wording = QString())
    {
        MaintSchedRecord r;
        r.SchedTask = task;
        r.SchedRtype = type;
        r.SchedRSubtype = subtype;
        r.SchedInterval = interval;
        r.SchedDetailText = detail;
        r.SchedStartDate = start;
        r.SchedEndDate = end;
        r.SchedEnglishDesc = wording.isEmpty() ? QStringLiteral("words of ") + task : wording;
        ASSERT_EQ(store.add(r), SchedWrite::Ok);
    }
    // The days the schedule list holds, in list order, read from its hidden
    // sort-key column.
    static QVector<QDate> scheduleDates(const ScheduleWindow& window)
    {
        const QAbstractItemModel* model = child<QTreeView>(window, "scheduleList")->model();
        QVector<QDate> out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << QDate::fromString(model->index(r, 2).data().toString(), QStringLiteral("yyyyMMdd"));
        return out;
    }
    QStringList remindersBox()
    {
        auto* box = child<QComboBox>(main, "remindersBox");
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
};

// ---- adding and changing, one rule of each kind ------------------------------------

struct KindCase {
    const char* name;
    std::function<void(ReminderEditorDialog&)> fill;
    int type, subtype, interval;
    const char* detail;
    const char* wording;
};

class RuleRoundTrip : public ReminderWindows, public ::testing::WithParamInterface<KindCase> {};

TEST_P(RuleRoundTrip, AddNewStoresTheRuleAndDetailsThenOkKeepsTheRowIdentical)
{
    const KindCase& c = GetParam();
    ReminderListWindow* list = openTaskList();
    ASSERT_NE(list, nullptr);
    QString shownWording;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("Water change"));
        c.fill(editor);
        shownWording = child<QLabel>(editor, "wordingLabel")->text();
        pressOk(editor);
    });
    click(child<QPushButton>(*list, "addButton"));

    const QVector<MaintSchedRecord> rows = store.list();
    ASSERT_EQ(rows.size(), 1);
    const MaintSchedRecord& r = rows.first();
    EXPECT_EQ(r.SchedTask, QStringLiteral("Water change"));
    EXPECT_EQ(r.SchedRtype, c.type);
    EXPECT_EQ(r.SchedRSubtype, c.subtype);
    EXPECT_EQ(r.SchedInterval, c.interval);
    EXPECT_EQ(r.SchedDetailText, QString::fromUtf8(c.detail));
    EXPECT_EQ(r.SchedEnglishDesc, QString::fromUtf8(c.wording));
    EXPECT_EQ(shownWording, QString::fromUtf8(c.wording));
    EXPECT_EQ(r.SchedStartDate, QDate(2026, 12, 8));
    EXPECT_EQ(r.SchedEndDate, QDate(2028, 12, 8));
    // The list shows the new row and the reminders box was rebuilt from it.
    auto* tree = child<QTreeWidget>(*list, "taskList");
    EXPECT_EQ(listTexts(tree), QStringList{"Water change"});
    EXPECT_EQ(listTexts(tree, 1), QStringList{QString::fromUtf8(c.wording)});
    EXPECT_EQ(listTexts(tree, 2), QStringList{"12/08/26"});
    const QStringList box = remindersBox();
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(box.first().endsWith(QStringLiteral(" Water change"))) << box.first().toStdString();

    // Details, then OK without a change: the row stays as it was.
    const QString before = recordText(r);
    selectTask(list, QStringLiteral("Water change"));
    bool opened = false;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        opened = true;
        EXPECT_EQ(child<QLabel>(editor, "wordingLabel")->text(), QString::fromUtf8(c.wording));
        pressOk(editor);
    });
    click(child<QPushButton>(*list, "detailsButton"));
    EXPECT_TRUE(opened);
    ASSERT_EQ(store.list().size(), 1);
    EXPECT_EQ(recordText(store.list().first()), before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RuleRoundTrip,
    ::testing::Values(
        KindCase{"daily every 3 days",
                 [](ReminderEditorDialog& e) { child<QLineEdit>(e, "dailyDaysEdit")->setText("3"); }, 0, 0, 3, "",
                 "Every 3 days."},
        KindCase{"every weekday",
                 [](ReminderEditorDialog& e) { click(child<QRadioButton>(e, "everyWeekdayOption")); }, 0, 1, 1, "",
                 "Every Weekday (Mon, Tue, Wed, Thu, Fri)."},
        KindCase{"weekly every 2 weeks on Monday and Thursday",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "weeklyOption"));
                     child<QLineEdit>(e, "weeklyWeeksEdit")->setText("2");
                     click(child<QCheckBox>(e, "mondayBox"));
                     click(child<QCheckBox>(e, "thursdayBox"));
                 },
                 1, 0, 2, "0100100", "Every 2 week(s) on Mon, Thu."},
        KindCase{"monthly day 15 of every 2 months",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "monthlyOption"));
                     child<QLineEdit>(e, "monthlyDayEdit")->setText("15");
                     child<QLineEdit>(e, "monthlyIntervalEdit")->setText("2");
                 },
                 2, 0, 2, "15", "Day 15 of every 2 months."},
        KindCase{"monthly the second Tuesday of every 3 months",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "monthlyOption"));
                     click(child<QRadioButton>(e, "monthlyXthOption"));
                     child<QComboBox>(e, "monthlyXthList")->setCurrentIndex(1);
                     child<QComboBox>(e, "monthlyWeekdayList")->setCurrentIndex(2);
                     child<QLineEdit>(e, "monthlyInterval2Edit")->setText("3");
                 },
                 2, 1, 3, "12", "The Second Tuesday of every 3 month(s)."},
        KindCase{"yearly on March 15",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "yearlyOption"));
                     child<QComboBox>(e, "yearlyMonthList")->setCurrentIndex(2);
                     child<QLineEdit>(e, "yearlyDayEdit")->setText("15");
                 },
                 3, 0, 15, "2", "Every year on March 15."},
        KindCase{"yearly the last Sunday of October",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "yearlyOption"));
                     click(child<QRadioButton>(e, "yearlyXthOption"));
                     child<QComboBox>(e, "yearlyXthList")->setCurrentIndex(4);
                     child<QComboBox>(e, "yearlyWeekdayList")->setCurrentIndex(0);
                     child<QComboBox>(e, "yearlyMonth2List")->setCurrentIndex(9);
                 },
                 3, 1, 1, "4009", "The Last Sunday of every October."},
        KindCase{"once on 15 March 2027",
                 [](ReminderEditorDialog& e) {
                     click(child<QRadioButton>(e, "onceOption"));
                     child<QLineEdit>(e, "onceDateEdit")->setText("03/15/27");
                 },
                 4, 0, 1, "2027-03-15", "Only once on 03/15/27."}),
    [](const auto& info) { return caseName(info.param.name); });

TEST_F(ReminderWindows, EnterPressesTheFocusedButtonAndInABoxCancels)
{
    ReminderListWindow* list = openTaskList();
    QStringList previewed;
    bool openAfterPreview = false;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("Feed the fish"));
        auto* preview = child<QPushButton>(editor, "previewButton");
        preview->setFocus();
        QTest::keyClick(preview, Qt::Key_Return);
        openAfterPreview = editor.isVisible();
        previewed = listTexts(child<QTreeWidget>(editor, "previewList"));
        auto* ok = child<QPushButton>(editor, "okButton");
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Enter);
        if (editor.isVisible())
            editor.reject();
    });
    click(child<QPushButton>(*list, "addButton"));
    EXPECT_TRUE(openAfterPreview);
    ASSERT_EQ(previewed.size(), 732);   // every day of the two years, both ends included
    EXPECT_EQ(previewed.first(), QStringLiteral("Tuesday 12/08/26"));
    ASSERT_EQ(store.list().size(), 1);
    EXPECT_EQ(store.list().first().SchedTask, QStringLiteral("Feed the fish"));

    // Enter in a box is Cancel, the default button: nothing more is stored.
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        auto* task = child<QLineEdit>(editor, "taskEdit");
        task->setFocus();
        QTest::keyClicks(task, "Test pH");
        QTest::keyClick(task, Qt::Key_Return);
    });
    click(child<QPushButton>(*list, "addButton"));
    EXPECT_EQ(store.list().size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST_F(ReminderWindows, ATaskAnotherReminderHasIsToldWithTheEditorStillOpen)
{
    addRule(QStringLiteral("Water change"), Daily, 0, 7, QString());
    addRule(QStringLiteral("Test pH"), Daily, 0, 3, QString());
    ReminderListWindow* list = openTaskList();
    const int beeps = env.beeper.count;
    bool openWhenTold = false;
    QString focusWhenTold;
    int rowsWhenTold = -1;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("WATER CHANGE"));
        click(child<QRadioButton>(editor, "weeklyOption"));
        click(child<QCheckBox>(editor, "tuesdayBox"));
        child<QLineEdit>(editor, "weeklyWeeksEdit")->setText(QStringLiteral("2"));
        click(child<QPushButton>(editor, "okButton"));
        openWhenTold = editor.isVisible();
        focusWhenTold = editor.focusWidget() ? editor.focusWidget()->objectName() : QString();
        rowsWhenTold = int(store.list().size());
        // The rule as typed is still there; a task of its own stores it.
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("Water change, tank 2"));
        pressOk(editor);
    });
    click(child<QPushButton>(*list, "addButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text,
              QStringLiteral("That identical task already exists. Make your new task unique by changing at least one letter."));
    EXPECT_EQ(env.messages.shown.first().title, QString());
    EXPECT_EQ(env.beeper.count, beeps + 1);
    EXPECT_TRUE(openWhenTold);
    EXPECT_EQ(focusWhenTold, QStringLiteral("taskEdit"));
    EXPECT_EQ(rowsWhenTold, 2);
    const auto added = store.findByTask(QStringLiteral("Water change, tank 2"));
    ASSERT_TRUE(added);
    EXPECT_EQ(added->SchedRtype, Weekly);
    EXPECT_EQ(added->SchedInterval, 2);
    EXPECT_EQ(added->SchedDetailText, QStringLiteral("0010000"));
    EXPECT_EQ(added->SchedEnglishDesc, QStringLiteral("Every 2 week(s) on Tue."));

    // Changing a reminder: another one's task is refused, its own in other
    // letters is not.
    selectTask(list, QStringLiteral("Test pH"));
    bool openAfterRefusal = false;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("water change"));
        click(child<QPushButton>(editor, "okButton"));
        openAfterRefusal = editor.isVisible();
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("TEST PH"));
        pressOk(editor);
    });
    click(child<QPushButton>(*list, "detailsButton"));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(listTexts(child<QTreeWidget>(*list, "taskList")),
              (QStringList{"Water change", "TEST PH", "Water change, tank 2"}));
}

TEST_F(ReminderWindows, DeleteAsksTheExactQuestionAndCancelChangesNothing)
{
    addRule(QStringLiteral("Change filter"), Daily, 0, 30, QString());
    addRule(QStringLiteral("Test pH"), Daily, 0, 3, QString());
    ReminderListWindow* list = openTaskList();
    auto* details = child<QPushButton>(*list, "detailsButton");
    auto* remove = child<QPushButton>(*list, "deleteButton");
    EXPECT_FALSE(details->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    selectTask(list, QStringLiteral("Test pH"));
    EXPECT_TRUE(details->isEnabled());
    EXPECT_TRUE(remove->isEnabled());

    env.messages.answers.enqueue(MsgResult::Cancel);
    click(remove);
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& asked = env.messages.shown.first();
    EXPECT_EQ(asked.text, QStringLiteral("Are you sure you want to delete this entry?\nTest pH\nscheduled for words of "
                                         "Test pH?\n(Remember, you CANNOT \"undo\" a delete!)"));
    EXPECT_EQ(asked.title, QStringLiteral("Are you sure..."));
    EXPECT_EQ(asked.icon, MsgIcon::Question);
    EXPECT_EQ(asked.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(store.list().size(), 2);

    env.messages.answers.enqueue(MsgResult::Ok);
    click(remove);
    const QVector<MaintSchedRecord> left = store.list();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().SchedTask, QStringLiteral("Change filter"));
    EXPECT_EQ(listTexts(child<QTreeWidget>(*list, "taskList")), QStringList{"Change filter"});
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(ReminderWindows, DetailsWithoutASelectionGivesTheNoticeAndAnEmptyTableDisablesViewSchedule)
{
    ReminderListWindow* list = openTaskList();
    EXPECT_FALSE(child<QPushButton>(*list, "viewScheduleButton")->isEnabled());
    EXPECT_EQ(remindersBox(), QStringList{"(No Reminders Available)"});
    click(child<QPushButton>(*list, "detailsButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text,
              QStringLiteral("You must first select a maintenance task to change by clicking on it."));
    EXPECT_EQ(env.messages.shown.first().title, QStringLiteral("Note!"));
}

TEST_F(ReminderWindows, ChangingTheTaskTextKeepsTheRow)
{
    addRule(QStringLiteral("Change filter"), Weekly, 0, 1, QStringLiteral("0000010"));
    const qint64 rowid = store.list().first().rowid;
    ReminderListWindow* list = openTaskList();
    selectTask(list, QStringLiteral("Change filter"));
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        EXPECT_TRUE(child<QRadioButton>(editor, "weeklyOption")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(editor, "fridayBox")->isChecked());
        child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("Rinse filter"));
        pressOk(editor);
    });
    auto* tree = child<QTreeWidget>(*list, "taskList");
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, rowPoint(tree, tree->topLevelItem(0)));
    const QVector<MaintSchedRecord> rows = store.list();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().rowid, rowid);
    EXPECT_EQ(rows.first().SchedTask, QStringLiteral("Rinse filter"));
    EXPECT_EQ(rows.first().SchedDetailText, QStringLiteral("0000010"));
}

TEST_F(ReminderWindows, DetailsThenOkKeepsDatesWhoseTwoDigitYearsReadInAnotherCentury)
{
    addRule(QStringLiteral("Far range"), Daily, 0, 30, QString(), QDate(1990, 1, 1), QDate(2050, 6, 30));
    addRule(QStringLiteral("Far once"), Once, 0, 1, QStringLiteral("2060-01-01"), QDate(2026, 1, 1),
            QDate(2070, 1, 1), QStringLiteral("Only once on 01/01/60."));
    const QVector<MaintSchedRecord> before = store.list();
    ReminderListWindow* list = openTaskList();
    for (const QString& task : {QStringLiteral("Far range"), QStringLiteral("Far once")}) {
        selectTask(list, task);
        whenEditorOpens([](ReminderEditorDialog& editor) { pressOk(editor); });
        click(child<QPushButton>(*list, "detailsButton"));
    }
    const QVector<MaintSchedRecord> after = store.list();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(recordText(after[0]), recordText(before[0]));
    EXPECT_EQ(recordText(after[1]), recordText(before[1]));
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST_F(ReminderWindows, AOnceRuleIsWordedInTheKeepersCurrentDateOrder)
{
    // Worded while the keeper read dates day first; now they read month first.
    addRule(QStringLiteral("Dose iodine"), Once, 0, 1, QStringLiteral("2026-12-20"), QDate(2026, 12, 1),
            QDate(2027, 12, 1), QStringLiteral("Only once on 20.12.26."));
    ReminderListWindow* list = openTaskList();
    EXPECT_EQ(listTexts(child<QTreeWidget>(*list, "taskList"), 1), QStringList{"Only once on 12/20/26."});

    selectTask(list, QStringLiteral("Dose iodine"));
    QString inEditor;
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        inEditor = child<QLabel>(editor, "wordingLabel")->text();
        editor.reject();
    });
    click(child<QPushButton>(*list, "detailsButton"));
    EXPECT_EQ(inEditor, QStringLiteral("Only once on 12/20/26."));

    env.messages.answers.enqueue(MsgResult::Cancel);
    click(child<QPushButton>(*list, "deleteButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text,
              QStringLiteral("Are you sure you want to delete this entry?\nDose iodine\nscheduled for Only once on "
                             "12/20/26.?\n(Remember, you CANNOT \"undo\" a delete!)"));
}

TEST_F(ReminderWindows, TaskTextsWithQuotesAreStoredAndFoundAgain)
{
    ReminderListWindow* list = openTaskList();
    const QString task = QStringLiteral("Dose \"Reef\" mix'); DROP TABLE maintsched; --");
    whenEditorOpens([&](ReminderEditorDialog& editor) {
        child<QLineEdit>(editor, "taskEdit")->setText(task);
        pressOk(editor);
    });
    click(child<QPushButton>(*list, "addButton"));
    ASSERT_EQ(store.list().size(), 1);
    EXPECT_EQ(store.list().first().SchedTask, task);
    selectTask(list, task);
    env.messages.answers.enqueue(MsgResult::Ok);
    click(child<QPushButton>(*list, "deleteButton"));
    EXPECT_TRUE(store.list().isEmpty());
}

// ---- the editor's checks ---------------------------------------------------------

struct CheckCase {
    const char* name;
    std::function<void(ReminderEditorDialog&)> spoil;
    const char* message;
    const char* focus;
    const char* wording = nullptr;   // the rule's wording while refused, when the case names it
};

class EditorCheck : public ReminderWindows, public ::testing::WithParamInterface<CheckCase> {};

// The editor opens on a valid rule of the kind the case chooses; the case spoils one thing.
TEST_P(EditorCheck, RefusesWithItsTextAndFocus)
{
    const CheckCase& c = GetParam();
    ReminderEditorDialog editor(*env.ctx, &main);
    editor.show();
    child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("Feed"));
    child<QLineEdit>(editor, "startDateEdit")->setText(QStringLiteral("12/08/26"));
    child<QLineEdit>(editor, "endDateEdit")->setText(QStringLiteral("12/08/28"));
    c.spoil(editor);
    if (c.wording) {
        EXPECT_EQ(shownText(child<QLabel>(editor, "wordingLabel")).toStdString(), c.wording);
    }
    click(child<QPushButton>(editor, "okButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& m = env.messages.shown.first();
    EXPECT_EQ(m.text, QString::fromUtf8(c.message));
    EXPECT_EQ(m.title, QStringLiteral("Oops"));
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(env.beeper.count, 0);
    ASSERT_NE(editor.focusWidget(), nullptr);
    EXPECT_EQ(editor.focusWidget()->objectName(), QString::fromLatin1(c.focus));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.values().cancelled);
}

void weekly(ReminderEditorDialog& e)
{
    click(child<QRadioButton>(e, "weeklyOption"));
    click(child<QCheckBox>(e, "tuesdayBox"));
}
void monthlyXth(ReminderEditorDialog& e)
{
    click(child<QRadioButton>(e, "monthlyOption"));
    click(child<QRadioButton>(e, "monthlyXthOption"));
}
void yearlyXth(ReminderEditorDialog& e)
{
    click(child<QRadioButton>(e, "yearlyOption"));
    click(child<QRadioButton>(e, "yearlyXthOption"));
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, EditorCheck,
    ::testing::Values(
        CheckCase{"1 task empty, start bad too",
                  [](ReminderEditorDialog& e) {
                      child<QLineEdit>(e, "taskEdit")->clear();
                      child<QLineEdit>(e, "startDateEdit")->setText("13/45/26");
                  },
                  "You must enter a description for this reminder.", "taskEdit"},
        CheckCase{"2 start not a date, end bad too",
                  [](ReminderEditorDialog& e) {
                      child<QLineEdit>(e, "startDateEdit")->setText("13/45/26");
                      child<QLineEdit>(e, "endDateEdit")->setText("02/30/27");
                  },
                  "Please enter a valid date from which to begin your reminders.", "startDateEdit"},
        CheckCase{"3 end not a date",
                  [](ReminderEditorDialog& e) { child<QLineEdit>(e, "endDateEdit")->setText("02/30/27"); },
                  "Please enter a valid date to end your recurring reminders.", "endDateEdit"},
        CheckCase{"4 end on the start day",
                  [](ReminderEditorDialog& e) { child<QLineEdit>(e, "endDateEdit")->setText("12/08/26"); },
                  "Your End Date must be greater than your Start date for recurring reminders.", "endDateEdit"},
        CheckCase{"5 daily every 0 days",
                  [](ReminderEditorDialog& e) { child<QLineEdit>(e, "dailyDaysEdit")->setText("0"); },
                  "Enter the number of days apart you wish to schedule this reminder.", "dailyDaysEdit"},
        CheckCase{"5 daily every 0.4 days, which would be stored as 0",
                  [](ReminderEditorDialog& e) { child<QLineEdit>(e, "dailyDaysEdit")->setText("0.4"); },
                  "The number of days must be a whole number from 1 to 999.", "dailyDaysEdit"},
        CheckCase{"6 weekly every 0 weeks, no day either",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "weeklyOption"));
                      child<QLineEdit>(e, "weeklyWeeksEdit")->setText("0");
                  },
                  "The number of weeks must be greater than 0.", "weeklyWeeksEdit"},
        CheckCase{"6 weekly every 99999 weeks, more than the rule holds",
                  [](ReminderEditorDialog& e) {
                      weekly(e);
                      child<QLineEdit>(e, "weeklyWeeksEdit")->setText("99999");
                  },
                  "The number of weeks must be a whole number from 1 to 999.", "weeklyWeeksEdit"},
        CheckCase{"7 weekly without a day",
                  [](ReminderEditorDialog& e) { click(child<QRadioButton>(e, "weeklyOption")); },
                  "Check the days of the week on which you wish to schedule this reminder.", "sundayBox"},
        CheckCase{"8 monthly day 29",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyDayEdit")->setText("29");
                  },
                  "When choosing the same day of the every month, the day must be between 1 and 28.",
                  "monthlyDayEdit"},
        CheckCase{"8 monthly day 0",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyDayEdit")->setText("0");
                  },
                  "When choosing the same day of the every month, the day must be between 1 and 28.",
                  "monthlyDayEdit"},
        CheckCase{"8 monthly day 7.5",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyDayEdit")->setText("7.5");
                  },
                  "When choosing the same day of the every month, the day must be between 1 and 28.",
                  "monthlyDayEdit"},
        CheckCase{"8 monthly day 15x",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyDayEdit")->setText("15x");
                  },
                  "When choosing the same day of the every month, the day must be between 1 and 28.",
                  "monthlyDayEdit"},
        CheckCase{"8 monthly day <b>15</b>, repeated as typed",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyDayEdit")->setText("<b>15</b>");
                  },
                  "When choosing the same day of the every month, the day must be between 1 and 28.",
                  "monthlyDayEdit", "Day <b>15</b> of every 1 months."},
        CheckCase{"9 monthly every 0 months",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyIntervalEdit")->setText("0");
                  },
                  "The number of months must be greater than 0.", "monthlyIntervalEdit"},
        CheckCase{"9 monthly every 0.4 months",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "monthlyOption"));
                      child<QLineEdit>(e, "monthlyIntervalEdit")->setText("0.4");
                  },
                  "The number of months must be a whole number from 1 to 999.", "monthlyIntervalEdit"},
        CheckCase{"10 monthly without an ordinal",
                  [](ReminderEditorDialog& e) {
                      monthlyXth(e);
                      child<QComboBox>(e, "monthlyXthList")->setCurrentIndex(-1);
                      child<QComboBox>(e, "monthlyWeekdayList")->setCurrentIndex(-1);
                  },
                  "Choose a frequency from the list.", "monthlyXthList"},
        CheckCase{"11 monthly without a weekday",
                  [](ReminderEditorDialog& e) {
                      monthlyXth(e);
                      child<QComboBox>(e, "monthlyWeekdayList")->setCurrentIndex(-1);
                  },
                  "Choose a weekday from the list.", "monthlyWeekdayList"},
        CheckCase{"12 monthly the Xth weekday every 0 months",
                  [](ReminderEditorDialog& e) {
                      monthlyXth(e);
                      child<QLineEdit>(e, "monthlyInterval2Edit")->setText("");
                  },
                  "The number of months must be greater than 0.", "monthlyInterval2Edit"},
        CheckCase{"12 monthly the Xth weekday every 1000 months",
                  [](ReminderEditorDialog& e) {
                      monthlyXth(e);
                      child<QLineEdit>(e, "monthlyInterval2Edit")->setText("1000");
                  },
                  "The number of months must be a whole number from 1 to 999.", "monthlyInterval2Edit"},
        CheckCase{"13 yearly without a month",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "yearlyOption"));
                      child<QComboBox>(e, "yearlyMonthList")->setCurrentIndex(-1);
                  },
                  "Choose a month.", "yearlyMonthList"},
        CheckCase{"14 yearly day 31 of January",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "yearlyOption"));
                      child<QComboBox>(e, "yearlyMonthList")->setCurrentIndex(0);
                      child<QLineEdit>(e, "yearlyDayEdit")->setText("31");
                  },
                  "Please enter a valid combination of Month and Day (Sorry No February 29ths here).",
                  "yearlyDayEdit"},
        CheckCase{"15 yearly February 29",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "yearlyOption"));
                      child<QComboBox>(e, "yearlyMonthList")->setCurrentIndex(1);
                      child<QLineEdit>(e, "yearlyDayEdit")->setText("29");
                  },
                  "Please enter a valid combination of Month and Day (Sorry No February 29ths here).",
                  "yearlyDayEdit"},
        CheckCase{"16 yearly without an ordinal",
                  [](ReminderEditorDialog& e) {
                      yearlyXth(e);
                      child<QComboBox>(e, "yearlyXthList")->setCurrentIndex(-1);
                      child<QComboBox>(e, "yearlyMonth2List")->setCurrentIndex(-1);
                  },
                  "Choose a frequency from the list.", "yearlyXthList"},
        CheckCase{"17 yearly without a weekday",
                  [](ReminderEditorDialog& e) {
                      yearlyXth(e);
                      child<QComboBox>(e, "yearlyWeekdayList")->setCurrentIndex(-1);
                  },
                  "Choose a weekday from the list.", "yearlyWeekdayList"},
        CheckCase{"18 yearly without the month",
                  [](ReminderEditorDialog& e) {
                      yearlyXth(e);
                      child<QComboBox>(e, "yearlyMonth2List")->setCurrentIndex(-1);
                  },
                  "Choose a Month from the list.", "yearlyMonth2List"},
        CheckCase{"19 once on no date",
                  [](ReminderEditorDialog& e) {
                      click(child<QRadioButton>(e, "onceOption"));
                      child<QLineEdit>(e, "onceDateEdit")->setText("02/30/27");
                  },
                  "Please enter a valid date, or choose one with the calendar.", "onceDateEdit"}),
    [](const auto& info) { return caseName(info.param.name); });

TEST_F(ReminderWindows, OnlyTheChosenKindIsCheckedAndTheRangeAlwaysIs)
{
    ReminderEditorDialog editor(*env.ctx, &main);
    child<QLineEdit>(editor, "taskEdit")->setText(QStringLiteral("   "));   // blanks count as text
    child<QLineEdit>(editor, "startDateEdit")->setText(QStringLiteral("12/08/26"));
    child<QLineEdit>(editor, "endDateEdit")->setText(QStringLiteral("12/09/26"));
    click(child<QRadioButton>(editor, "yearlyOption"));
    child<QLineEdit>(editor, "yearlyDayEdit")->setText("31");
    click(child<QRadioButton>(editor, "monthlyOption"));   // a monthly rule: the yearly day is not looked at
    child<QLineEdit>(editor, "monthlyDayEdit")->setText("28 ");
    child<QLineEdit>(editor, "monthlyIntervalEdit")->setText("999");
    EXPECT_TRUE(editor.checkFields());
    click(child<QRadioButton>(editor, "onceOption"));
    child<QLineEdit>(editor, "onceDateEdit")->setText("01/01/40");   // outside the range: fine
    EXPECT_TRUE(editor.checkFields());
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

// ---- preview ----------------------------------------------------------------------

TEST_F(ReminderWindows, PreviewListsSortedDatesAndGrowsTheEditorOnItsScreen)
{
    // Standing low on its screen, or nearly as tall as the screen and not at
    // its top, the editor grows by the preview but stays on that screen.
    for (const bool nearlyAsTallAsTheScreen : {false, true}) {
        SCOPED_TRACE(nearlyAsTallAsTheScreen ? "nearly as tall as the screen" : "low on the screen");
        ReminderEditorDialog editor(*env.ctx, &main);
        editor.show();
        child<QLineEdit>(editor, "startDateEdit")->setText(QStringLiteral("12/08/26"));
        child<QLineEdit>(editor, "endDateEdit")->setText(QStringLiteral("12/21/26"));
        weekly(editor);                                   // Tuesday
        click(child<QCheckBox>(editor, "saturdayBox"));
        const QRect room = editor.screen()->availableGeometry();
        if (nearlyAsTallAsTheScreen) {
            const int frameExtra = editor.frameGeometry().height() - editor.height();
            editor.resize(editor.width(), room.height() - frameExtra - 20);
            editor.move(room.left() + 10, room.top() + 10);
        } else {
            editor.move(room.left() + 10, room.bottom() - editor.frameGeometry().height() - 10);
        }
        const int before = editor.height();
        click(child<QPushButton>(editor, "previewButton"));
        auto* preview = child<QTreeWidget>(editor, "previewList");
        EXPECT_EQ(listTexts(preview), (QStringList{"Tuesday 12/08/26", "Saturday 12/12/26", "Tuesday 12/15/26",
                                                  "Saturday 12/19/26"}));
        EXPECT_GT(editor.height(), before);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(room.contains(editor.frameGeometry()))
            << editor.frameGeometry().y() << "+" << editor.frameGeometry().height() << " on " << room.height();
        EXPECT_GT(preview->height(), 0);
        const int grown = editor.height();
        click(child<QPushButton>(editor, "previewButton"));   // again: same height, rows replaced
        EXPECT_EQ(editor.height(), grown);
        EXPECT_EQ(preview->topLevelItemCount(), 4);
    }
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST_F(ReminderWindows, PreviewOfABadOnceDateSaysOoopsAndAStepOfZeroListsNothing)
{
    ReminderEditorDialog editor(*env.ctx, &main);
    editor.show();
    child<QLineEdit>(editor, "startDateEdit")->setText(QStringLiteral("12/08/26"));
    child<QLineEdit>(editor, "endDateEdit")->setText(QStringLiteral("12/21/26"));
    child<QLineEdit>(editor, "dailyDaysEdit")->setText(QStringLiteral("0"));
    click(child<QPushButton>(editor, "previewButton"));
    auto* preview = child<QTreeWidget>(editor, "previewList");
    EXPECT_EQ(preview->topLevelItemCount(), 0);

    click(child<QRadioButton>(editor, "onceOption"));
    child<QLineEdit>(editor, "onceDateEdit")->setText(QStringLiteral("02/31/27"));
    click(child<QPushButton>(editor, "previewButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text, QStringLiteral("Enter a valid date to schedule your reminder"));
    EXPECT_EQ(env.messages.shown.first().title, QStringLiteral("Ooops!"));
    EXPECT_EQ(env.messages.shown.first().icon, MsgIcon::Information);
    EXPECT_EQ(editor.focusWidget()->objectName(), QStringLiteral("onceDateEdit"));
    EXPECT_EQ(preview->topLevelItemCount(), 0);
}

// ---- schedule window ------------------------------------------------------------------

TEST_F(ReminderWindows, TwoYearsListsEveryRuleInDateOrderWithTheFirstSelected)
{
    addRule(QStringLiteral("water change"), Weekly, 0, 1, QStringLiteral("0000001"), QDate(2026, 1, 1),
            QDate(2026, 12, 20));                                             // Saturdays: 12/12, 12/19
    addRule(QStringLiteral("Dose iodine"), Once, 0, 1, QStringLiteral("2026-12-12"));
    addRule(QStringLiteral("Old once"), Once, 0, 1, QStringLiteral("2026-12-07"));   // before today
    ScheduleWindow* window = openSchedule();
    ASSERT_NE(window, nullptr);
    auto* print = child<QPushButton>(*window, "printButton");
    EXPECT_FALSE(print->isEnabled());
    click(child<QPushButton>(*window, "generateButton"));

    auto* view = child<QTreeView>(*window, "scheduleList");
    QStringList shown;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        shown << view->model()->index(r, 0).data().toString() + QLatin1Char(' ')
                     + view->model()->index(r, 1).data().toString();
    EXPECT_EQ(shown, (QStringList{"Saturday 12/12/26 Dose iodine", "Saturday 12/12/26 water change",
                                  "Saturday 12/19/26 water change"}));
    EXPECT_EQ(view->currentIndex().row(), 0);
    EXPECT_TRUE(view->isColumnHidden(2));
    EXPECT_EQ(view->model()->index(0, 2).data().toString(), QStringLiteral("20261212"));
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(child<QLabel>(*window, "statusPanel")->text(), QStringLiteral("Ready."));
    EXPECT_FALSE(child<QWidget>(*window, "progressBar")->isVisible());
}

// A range typed into the boxes (or put there by the calendar): accepted, the
// list runs from its first day to its last; refused, the message says why,
// the focus goes to the box named and the list keeps the previous schedule.
struct RangeCase {
    const char* name;
    const char* start;
    const char* end;
    QDate first;               // accepted: the first and last day listed
    QDate last;
    const char* message = nullptr;   // refused: the message and the box focused
    const char* focus = nullptr;
    QDate pickedStart = QDate();     // dates the calendar put into the boxes
    QDate pickedEnd = QDate();
};

class ScheduleRangeCheck : public ReminderWindows, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(ScheduleRangeCheck, IsReadAsTheKeeperTypedItOrRefusedByTheFirstCheckThatFails)
{
    const RangeCase& c = GetParam();
    addRule(QStringLiteral("Feed"), Daily, 0, 1, QString(), QDate(1990, 1, 1), QDate(2070, 12, 31));
    ScheduleWindow* window = openSchedule();
    click(child<QPushButton>(*window, "generateButton"));
    // Two years from today: both ends included.
    const QVector<QDate> twoYears = scheduleDates(*window);
    ASSERT_EQ(twoYears.size(), 732);
    EXPECT_EQ(twoYears.first(), QDate(2026, 12, 8));
    EXPECT_EQ(twoYears.last(), QDate(2028, 12, 8));

    click(child<QRadioButton>(*window, "dateRangeOption"));
    auto* start = child<MaskedDateEdit>(*window, "startDateEdit");
    auto* end = child<MaskedDateEdit>(*window, "endDateEdit");
    start->setText(QString::fromLatin1(c.start));
    end->setText(QString::fromLatin1(c.end));
    if (c.pickedStart.isValid())
        start->setDate(c.pickedStart);
    if (c.pickedEnd.isValid())
        end->setDate(c.pickedEnd);
    click(child<QPushButton>(*window, "generateButton"));
    EXPECT_FALSE(child<QWidget>(*window, "progressBar")->isVisible());

    const QVector<QDate> listed = scheduleDates(*window);
    if (!c.message) {
        EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join('|').toStdString();
        ASSERT_FALSE(listed.isEmpty());
        EXPECT_EQ(listed.first(), c.first);
        EXPECT_EQ(listed.last(), c.last);
        EXPECT_EQ(listed.size(), c.first.daysTo(c.last) + 1);
        return;
    }
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text, QString::fromUtf8(c.message));
    EXPECT_EQ(env.messages.shown.first().title, QStringLiteral("Oops!"));
    EXPECT_EQ(env.messages.shown.first().icon, MsgIcon::Information);
    EXPECT_EQ(window->focusWidget()->objectName(), QString::fromLatin1(c.focus));
    EXPECT_EQ(listed, twoYears);
}

const char* const kStartNotDate = "The start date must be a valid date. Please reenter it and try again.";
const char* const kEndNotDate = "The end date must be a valid date. Please reenter it and try again.";
const char* const kEndTooFar =
    "The end date cannot be more than 30 years in the future. (Come on, 30 years of maintenance?) ";
const char* const kStartAfterEnd =
    "The start date must be prior to, or equal to, the end date for schedule generation";

INSTANTIATE_TEST_SUITE_P(
    TypedOrPicked, ScheduleRangeCheck,
    ::testing::Values(
        RangeCase{"equal days pass", "12/08/26", "12/08/26", QDate(2026, 12, 8), QDate(2026, 12, 8)},
        RangeCase{"an end in 2030 passes", "12/08/26", "06/30/30", QDate(2026, 12, 8), QDate(2030, 6, 30)},
        RangeCase{"an end in 1999 passes", "01/01/98", "12/31/99", QDate(1998, 1, 1), QDate(1999, 12, 31)},
        RangeCase{"thirty years to the day pass", "12/08/26", "12/08/56", QDate(2026, 12, 8), QDate(2056, 12, 8)},
        RangeCase{"an end typed 50 is 2050", "12/08/26", "12/31/50", QDate(2026, 12, 8), QDate(2050, 12, 31)},
        RangeCase{"a bad start is told first", "02/30/27", "13/13/27", {}, {}, kStartNotDate, "startDateEdit"},
        RangeCase{"a bad end", "12/08/26", "13/13/27", {}, {}, kEndNotDate, "endDateEdit"},
        RangeCase{"an end typed more than thirty years on", "12/08/26", "12/09/56", {}, {}, kEndTooFar,
                  "endDateEdit"},
        RangeCase{"an end picked more than thirty years on", "12/08/26", "", {}, {}, kEndTooFar, "endDateEdit",
                  QDate(), QDate(2056, 12, 9)},
        RangeCase{"the far end is told before the order", "", "", {}, {}, kEndTooFar, "endDateEdit",
                  QDate(2060, 12, 10), QDate(2060, 12, 9)},
        RangeCase{"a year typed 57 is 1957", "12/08/26", "01/01/57", {}, {}, kStartAfterEnd, "startDateEdit"},
        RangeCase{"start after end", "12/09/26", "12/08/26", {}, {}, kStartAfterEnd, "startDateEdit"}),
    [](const auto& info) { return caseName(info.param.name); });

TEST_F(ReminderWindows, EnterGeneratesARangeWhoseTwoDigitEndYearLiesUpToThirtyYearsOn)
{
    addRule(QStringLiteral("Yearly clean"), Yearly, 0, 15, QStringLiteral("2"), QDate(2026, 1, 1),
            QDate(2060, 1, 1));
    ScheduleWindow* window = openSchedule();
    click(child<QRadioButton>(*window, "dateRangeOption"));
    auto* start = child<QLineEdit>(*window, "startDateEdit");
    auto* end = child<QLineEdit>(*window, "endDateEdit");
    start->setFocus();
    QTest::keyClicks(start, "01/01/29");
    end->setFocus();
    QTest::keyClicks(end, "12/31/50");   // 2050, 24 years on
    // The calendar button reads the box as Generate does.
    QDate calendarOpenedOn;
    QTimer::singleShot(0, [&] {
        if (auto* calendar = qobject_cast<CalendarDialog*>(QApplication::activeModalWidget())) {
            calendarOpenedOn = QDate::fromString(child<QLabel>(*calendar, "returnDateLabel")->text(),
                                                 QStringLiteral("MM/dd/yyyy"));
            calendar->reject();
        }
    });
    click(child<QToolButton>(*window, "endCalendarButton"));
    EXPECT_EQ(calendarOpenedOn, QDate(2050, 12, 31));
    end->setFocus();
    QTest::keyClick(end, Qt::Key_Return);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    const QVector<QDate> listed = scheduleDates(*window);
    ASSERT_EQ(listed.size(), 22);
    EXPECT_EQ(listed.first(), QDate(2029, 3, 15));
    EXPECT_EQ(listed.last(), QDate(2050, 3, 15));

    // Enter on the list generates again, for two years from today.
    auto* list = child<QTreeView>(*window, "scheduleList");
    click(child<QRadioButton>(*window, "twoYearsOption"));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Enter);
    EXPECT_EQ(scheduleDates(*window), (QVector<QDate>{QDate(2027, 3, 15), QDate(2028, 3, 15)}));
}

TEST_F(ReminderWindows, AnEmptyTableGivesItsMessageAndKeepsThePreviousList)
{
    addRule(QStringLiteral("Feed"), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2026, 12, 9));
    ScheduleWindow* window = openSchedule();
    click(child<QPushButton>(*window, "generateButton"));
    ASSERT_EQ(scheduleDates(*window).size(), 2);
    ASSERT_EQ(store.remove(QStringLiteral("Feed")), SchedWrite::Ok);
    click(child<QPushButton>(*window, "generateButton"));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown.first().text, QStringLiteral("No Reminder details found for maintenance schedule."));
    EXPECT_EQ(env.messages.shown.first().icon, MsgIcon::None);
    EXPECT_EQ(scheduleDates(*window).size(), 2);
}

TEST_F(ReminderWindows, ASecondGenerateInsideARunningOneIsIgnored)
{
    for (int i = 0; i < 5; ++i)
        addRule(QStringLiteral("Task %1").arg(i), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2026, 12, 12));
    ScheduleWindow* window = openSchedule();
    auto* generate = child<QPushButton>(*window, "generateButton");
    QStringList statuses;
    int clicks = 0;
    QTimer poke;
    QObject::connect(&poke, &QTimer::timeout, [&] {
        if (!generate->isEnabled()) {   // a run is going
            statuses << child<QLabel>(*window, "statusPanel")->text();
            window->generateSchedule();   // as a second click would
            ++clicks;
        }
    });
    poke.start(0);
    window->generateSchedule();
    poke.stop();
    EXPECT_GT(clicks, 0);
    EXPECT_EQ(scheduleDates(*window).size(), 25);
    EXPECT_TRUE(statuses.contains(QStringLiteral("Generating Task 0...")));
    EXPECT_TRUE(generate->isEnabled());
}

TEST_F(ReminderWindows, ClosingTheWindowDuringAGenerationIsSafe)
{
    for (int i = 0; i < 5; ++i)
        addRule(QStringLiteral("Task %1").arg(i), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2027, 12, 12));
    QPointer<ScheduleWindow> window = openSchedule();
    QPointer<QMdiSubWindow> frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    ASSERT_TRUE(frame);
    QTimer::singleShot(0, frame, [frame] { frame->close(); });
    window->generateSchedule();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(main.childWindow(QStringLiteral("ScheduleWindow"), false), nullptr);
}

TEST_F(ReminderWindows, HundredTwentyRowsPrintOnThreePagesAndCancelPrintsNothing)
{
    addRule(QStringLiteral("Feed"), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2027, 4, 6));   // 120 days
    ScheduleWindow* window = openSchedule();
    click(child<QPushButton>(*window, "generateButton"));
    ASSERT_EQ(scheduleDates(*window).size(), 120);

    env.printing.accept = {false};
    click(child<QPushButton>(*window, "printButton"));
    EXPECT_TRUE(env.printing.jobs.isEmpty());

    env.printing.accept = {true};
    window->printRequested();   // File > Print while the window is in front
    ASSERT_EQ(env.printing.jobs.size(), 1);
    const QList<RecordedPage>& pages = env.printing.jobs.first().pages;
    ASSERT_EQ(pages.size(), 3);
    auto rowsOn = [](const RecordedPage& p) {
        return std::count_if(p.items.begin(), p.items.end(), [](const RecordedItem& i) { return i.text == "Feed"; });
    };
    EXPECT_EQ(rowsOn(pages[0]), 50);
    EXPECT_EQ(rowsOn(pages[1]), 50);
    EXPECT_EQ(rowsOn(pages[2]), 20);
    EXPECT_TRUE(pages[0].texts().contains(scheduleFooterText()));
    EXPECT_TRUE(pages[1].texts().contains(scheduleFooterText()));
    EXPECT_FALSE(pages[2].texts().contains(scheduleFooterText()));
    EXPECT_TRUE(pages[0].texts().contains(QStringLiteral("Tuesday 12/08/26")));
    EXPECT_TRUE(pages[2].texts().contains(QStringLiteral("Tuesday 04/06/27")));
}

// The schedule leaves the orientation to the keeper: landscape chosen in the
// print dialog prints landscape pages.
TEST_F(ReminderWindows, ThePrintedScheduleKeepsTheOrientationChosenInThePrintDialog)
{
    addRule(QStringLiteral("Feed"), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2027, 4, 6));   // 120 days
    ScheduleWindow* window = openSchedule();
    click(child<QPushButton>(*window, "generateButton"));
    ScriptedPrintDialog dialog;
    dialog.orientation = QPageLayout::Landscape;
    dialog.outputFile = env.path(QStringLiteral("schedule.pdf"));
    QtPrintService service(nullptr, nullptr, &dialog);
    env.ctx->services.printing = &service;
    click(child<QPushButton>(*window, "printButton"));
    EXPECT_EQ(dialog.titles, QStringList{kSchedulePrintDialogTitle});
    EXPECT_TRUE(env.messages.shown.isEmpty());

    const PdfWords pdf(dialog.outputFile);
    ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
    ASSERT_GE(pdf.pageCount(), 3);
    for (int page = 0; page < pdf.pageCount(); ++page) {
        SCOPED_TRACE(page + 1);
        EXPECT_GT(pdf.page(page).width, pdf.page(page).height);
        EXPECT_EQ(pdf.page(page).lines().value(0), kScheduleTitle);
    }
    EXPECT_EQ(pdf.page(pdf.pageCount() - 1).lines().last(), QStringLiteral("Tuesday 04/06/27 Feed"));
}

TEST_F(ReminderWindows, ViewScheduleOpensTheScheduleAndFilePrintPrintsIt)
{
    addRule(QStringLiteral("Feed"), Daily, 0, 1, QString(), QDate(2026, 12, 8), QDate(2026, 12, 9));
    ReminderListWindow* list = openTaskList();
    auto* print = main.findChild<QAction*>(QStringLiteral("printAction"));
    ASSERT_NE(print, nullptr);
    print->setEnabled(false);
    list->activate();
    EXPECT_TRUE(print->isEnabled());
    EXPECT_EQ(print->text(), QStringLiteral("&Print"));
    print->trigger();   // nothing to print from the task list
    EXPECT_TRUE(env.printing.jobs.isEmpty());

    click(child<QPushButton>(*list, "viewScheduleButton"));
    auto* window = qobject_cast<ScheduleWindow*>(main.childWindow(QStringLiteral("ScheduleWindow"), false));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(main.activeChild(), window);
    click(child<QPushButton>(*window, "generateButton"));
    print->trigger();
    ASSERT_EQ(env.printing.jobs.size(), 1);
    EXPECT_TRUE(env.printing.jobs.first().pages.first().texts().contains(QStringLiteral("Wednesday 12/09/26")));
}

// The widest a widget has been since the watch began.
struct WidestSize : QObject {
    int width = 0;
    explicit WidestSize(QWidget* widget) : width(widget->width()) { widget->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            width = std::max(width, static_cast<QResizeEvent*>(event)->size().width());
        return QObject::eventFilter(watched, event);
    }
};

// A stored task of any length leaves the task list and the schedule on the
// screen, the one while listing it, the other while generating it. (How the
// lists show the keeper's texts is checked with the logbook's lists.)
// At the task list's opening size a long task reads whole beside a short
// scheduling: the scheduling gives up the room of its designed width that its
// texts and heading do not need, and the dates stay in view.
TEST_F(ReminderWindows, ALongTaskTakesTheRoomItsSchedulingDoesNotNeed)
{
    addRule(QStringLiteral("Check the sump return pump and clean its intake"), Daily, 0, 3, QString(),
            QDate(2026, 12, 1), QDate(2027, 12, 1), QStringLiteral("Every 3 days."));
    addRule(QStringLiteral("Feed the corals"), Daily, 0, 1, QString(), QDate(2026, 12, 1), QDate(2027, 12, 1),
            QStringLiteral("Every day."));
    ReminderListWindow* list = openTaskList();
    QCoreApplication::processEvents();
    auto* tasks = child<QTreeWidget>(*list, "taskList");
    const auto* items = static_cast<const QAbstractItemView*>(tasks);
    QHeaderView* header = tasks->header();
    const int schedulingNeeds = std::max(items->sizeHintForColumn(1), header->sectionSizeHint(1));
    ASSERT_LT(schedulingNeeds, 260);   // its designed width
    EXPECT_GE(header->sectionSize(0), items->sizeHintForColumn(0));
    EXPECT_GE(header->sectionSize(1), schedulingNeeds);
    EXPECT_LT(header->sectionSize(1), 260);
    EXPECT_LE(header->sectionViewportPosition(2) + header->sectionSize(2), tasks->viewport()->width());
}

TEST_F(ReminderWindows, NoListedTaskWidensAWindowPastTheScreen)
{
    addRule(QStringLiteral("Test alkalinity (KH) and top up the buffer"), Once, 0, 1, QStringLiteral("2026-12-14"));
    const QString longTask(100000, QLatin1Char('W'));
    addRule(longTask, Once, 0, 1, QStringLiteral("2026-12-12"));
    const int screen = main.screen()->availableGeometry().width();
    ReminderListWindow* list = openTaskList();
    QCoreApplication::processEvents();
    ASSERT_EQ(listTexts(child<QTreeWidget>(*list, "taskList")).size(), 2);
    EXPECT_LE(list->parentWidget()->width(), screen);

    ScheduleWindow* window = openSchedule();
    const WidestSize widest(window->parentWidget());
    // The keeper cascades the windows while each task is being generated.
    QTimer cascade;
    int cascaded = 0;
    QObject::connect(&cascade, &QTimer::timeout, [&] {
        // Generate is disabled while a generation runs.
        if (!child<QPushButton>(*window, "generateButton")->isEnabled() && cascaded < 2) {
            ++cascaded;
            child<QAction>(main, "cascadeAction")->trigger();
        }
    });
    cascade.start(0);
    click(child<QPushButton>(*window, "generateButton"));
    cascade.stop();
    ASSERT_EQ(cascaded, 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(scheduleDates(*window).size(), 2);
    EXPECT_LE(widest.width, screen);
    EXPECT_EQ(child<QLabel>(*window, "statusPanel")->text(), QStringLiteral("Ready."));
}

TEST_F(ReminderWindows, F1OnTheWindowsShowsTheirHelpPages)
{
    ScheduleWindow* window = openSchedule();
    QTest::keyClick(child<QPushButton>(*window, "generateButton"), Qt::Key_F1);
    // The help window is the main window's, shared by its children.
    auto* help = window->window()->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(shownHelpPage(*help), QStringLiteral("schedule.html"));

    ReminderListWindow* list = openTaskList();
    QTest::keyClick(child<QTreeWidget>(*list, "taskList"), Qt::Key_F1);
    EXPECT_EQ(list->window()->findChildren<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly),
              QList<HelpWindow*>{help});
    EXPECT_EQ(shownHelpPage(*help), QStringLiteral("reminders.html"));
}

} // namespace
