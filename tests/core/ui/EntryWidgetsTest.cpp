// The widgets the entry dialogs are built from: the up-down spinner, the masked
// date and time boxes, the leave check, the list view style and the fitting
// of list columns to the keeper's texts.
#include "core/ui/EntryWidgets.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// ---------------------------------------------------------------- UpDown

TEST(UpDown, StepsWithinItsRangeAndReportsOnlyRealChanges)
{
    UpDown spinner;
    spinner.setRange(0, 10);
    spinner.setSingleStep(3);
    QList<int> changes;
    QObject::connect(&spinner, &UpDown::valueChanged, [&changes](int v) { changes << v; });

    spinner.stepUp();
    spinner.stepUp();
    spinner.stepUp();
    spinner.stepUp();   // at the top: no change
    spinner.setValue(42);   // clamped, already there
    spinner.stepDown();
    EXPECT_EQ(changes, QList<int>({3, 6, 9, 10, 7}));
}

TEST(UpDown, BuddyStepsFromTheNumberTheBoxHolds)
{
    struct Case {
        QString typed;
        bool up;
        QString after;
    };
    const Case cases[] = {
        {"7.5", true, "8"},     // the leading number, whole part
        {"abc", true, "1"},     // no number: 0
        {"", false, "0"},       // cannot go below the minimum
        {"5000", true, "999"},  // clamped to the range first
        {"  12kg", false, "11"},
        {"-4", true, "1"},
    };
    for (const Case& c : cases) {
        QLineEdit box;
        UpDown spinner;
        spinner.setRange(0, 999);
        spinner.setBuddy(&box);
        int position = 0;   // where the spinner starts
        QObject::connect(&spinner, &UpDown::valueChanged, [&position](int v) { position = v; });
        box.setText(c.typed);
        c.up ? spinner.stepUp() : spinner.stepDown();
        EXPECT_EQ(box.text(), c.after) << c.typed.toStdString();
        EXPECT_EQ(position, c.after.toInt()) << c.typed.toStdString();
    }
}

TEST(UpDown, ClickingTheArrowsLeavesTheFocusInTheBox)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit(&window);
    auto* spinner = new UpDown(&window);
    layout->addWidget(box);
    layout->addWidget(spinner);
    spinner->setRange(0, 100);
    spinner->setBuddy(box);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::TabFocusReason);
    box->setText(QStringLiteral("41"));

    QTest::mouseClick(spinner->findChild<QToolButton*>(QStringLiteral("upButton")), Qt::LeftButton);
    EXPECT_EQ(box->text(), QStringLiteral("42"));
    EXPECT_EQ(QApplication::focusWidget(), box);
}

// ---------------------------------------------------------------- masked boxes

TEST(MaskedDateEdit, MaskFollowsTheDelimiterAndDatesFollowTheOrder)
{
    const QDate today(2026, 12, 8);
    struct Case {
        QString order, delimiter, mask, shown;
    };
    const Case cases[] = {
        {"MMDDYY", "/", "MM/DD/YY", "02/05/27"},
        {"DDMMYY", ".", "DD.MM.YY", "05.02.27"},
        {"YYMMDD", "-", "YY-MM-DD", "27-02-05"},
    };
    for (const Case& c : cases) {
        MaskedDateEdit box;
        box.setDateFormat(c.order, c.delimiter, c.mask);
        EXPECT_FALSE(box.hasDigits());
        EXPECT_EQ(box.displayText(), QStringLiteral("__%1__%1__").arg(c.delimiter));
        box.setDate(QDate(2027, 2, 5));
        EXPECT_EQ(box.displayText(), c.shown);
        EXPECT_EQ(box.date(today), QDate(2027, 2, 5)) << c.order.toStdString();
        box.clearDate();
        EXPECT_FALSE(box.hasDigits());
        EXPECT_FALSE(box.date(today).has_value());
    }
}

TEST(MaskedDateEdit, TypedDigitsFillTheMaskAndIncompleteDatesAreNoDates)
{
    const QDate today(2026, 12, 8);
    MaskedDateEdit box;
    box.setDateFormat("DDMMYY", "/", "DD/MM/YY");
    QTest::keyClicks(&box, QStringLiteral("3101"));
    EXPECT_TRUE(box.hasDigits());
    EXPECT_FALSE(box.date(today).has_value());
    QTest::keyClicks(&box, QStringLiteral("99"));
    EXPECT_EQ(box.displayText(), QStringLiteral("31/01/99"));
    EXPECT_EQ(box.date(today), QDate(1999, 1, 31));

    box.setText(QStringLiteral("31/02/99"));
    EXPECT_FALSE(box.date(today).has_value());

    // Changing the format keeps what was typed.
    box.setText(QStringLiteral("01/02/03"));
    box.setDateFormat("DDMMYY", "-", "DD-MM-YY");
    EXPECT_EQ(box.displayText(), QStringLiteral("01-02-03"));
}

TEST(MaskedDateEdit, ClickIntoAnEmptyBoxTypesFromTheStart)
{
    MaskedDateEdit box;
    box.setDateFormat("MMDDYY", "/", "MM/DD/YY");
    box.resize(200, 24);
    box.show();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(150, 12));
    QTest::keyClicks(&box, QStringLiteral("020527"));
    EXPECT_EQ(box.displayText(), QStringLiteral("02/05/27"));
}

TEST(MaskedTimeEdit, ReadsAndWritesTwelveHourTimes)
{
    MaskedTimeEdit box;
    EXPECT_EQ(box.displayText(), QStringLiteral("__:__:__ __"));
    box.setTime(QTime(13, 5, 9));
    EXPECT_EQ(box.displayText(), QStringLiteral("01:05:09 pm"));
    EXPECT_EQ(box.time(), QTime(13, 5, 9));
    box.setTime(QTime(0, 30, 0), true);
    EXPECT_EQ(box.displayText(), QStringLiteral("12:30:00 AM"));
    EXPECT_EQ(box.time(), QTime(0, 30, 0));

    for (const QString& bad : {QStringLiteral("00:30:00 am"), QStringLiteral("11:60:00 am"),
                               QStringLiteral("11:59:59 Pm"), QStringLiteral("11:5")}) {
        box.setText(bad);
        EXPECT_FALSE(box.time().has_value()) << bad.toStdString();
    }
}

// ---------------------------------------------------------------- LeaveChecker

// A dialog with three boxes (first, second, third), a Cancel button and an OK
// button. A box passes its check when it holds "ok"; a failing check tells the
// keeper through the scripted message box.
class LeaveCheckerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&dialog);
        for (QLineEdit** box : {&first, &second, &third}) {
            *box = new QLineEdit(&dialog);
            layout->addWidget(*box);
        }
        first->setObjectName("first");
        second->setObjectName("second");
        third->setObjectName("third");
        cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
        ok = new QPushButton(QStringLiteral("&OK"), &dialog);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        checker = new LeaveChecker(&dialog);
        for (QLineEdit* box : {first, second, third}) {
            checker->addCheck(box, [this, box] {
                if (box->text() == QLatin1String("ok"))
                    return true;
                env.ctx->services.tell(box->objectName() + " is wrong", "Oops!", MsgIcon::Exclamation);
                return false;
            });
        }
        checker->addExempt(cancel);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    TestEnv env{false, false};
    QDialog dialog;
    QLineEdit* first = nullptr;
    QLineEdit* second = nullptr;
    QLineEdit* third = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    LeaveChecker* checker = nullptr;
};

TEST_F(LeaveCheckerTest, LeavingABadFieldShowsItsMessageAndTakesTheFocusBack)
{
    first->setFocus(Qt::TabFocusReason);
    first->setText("bad");
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_EQ(env.beeper.count, 1);

    first->setText("ok");
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), second);
}

TEST_F(LeaveCheckerTest, TwoAdjacentBadFieldsShowOneMessageAtATimeAndNeverLoop)
{
    first->setText("bad");
    second->setText("bad too");
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), first);

    // Again: one more message, still about the field that was left.
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong", "first is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), first);

    // Fixed: now the second field is reached, and leaving it checks it.
    first->setText("ok");
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), second);
    QTest::keyClick(second, Qt::Key_Backtab);
    settle();
    EXPECT_EQ(env.messages.texts().last(), QStringLiteral("second is wrong"));
    EXPECT_EQ(env.messages.shown.size(), 3);
    EXPECT_EQ(QApplication::focusWidget(), second);
}

TEST_F(LeaveCheckerTest, QuickSuccessiveLeavesStillShowOnlyOneMessage)
{
    first->setText("bad");
    second->setText("bad too");
    first->setFocus(Qt::TabFocusReason);
    // Two focus moves before any check had a chance to run.
    second->setFocus(Qt::TabFocusReason);
    third->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), first);
}

TEST_F(LeaveCheckerTest, CancelNeverTriggersTheCheck)
{
    first->setText("bad");
    first->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(cancel, Qt::LeftButton);
    settle();
    cancel->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_TRUE(env.messages.shown.isEmpty());

    // A button that is not exempt does.
    first->setFocus(Qt::TabFocusReason);
    ok->setFocus(Qt::TabFocusReason);
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong"}));
}

TEST_F(LeaveCheckerTest, AMessageWindowTakingTheFocusDoesNotRunAnotherCheck)
{
    // Stand in for a real message box: a window of its own that takes the
    // focus while the message is up and gives it back when closed.
    QWidget messageWindow;
    auto* messageButton = new QPushButton("OK", &messageWindow);
    env.messages.onShow = [&](const Message&) {
        messageWindow.show();
        messageWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&messageWindow));
        messageButton->setFocus();
        settle();
        messageWindow.hide();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        settle();
    };
    first->setText("bad");
    second->setText("bad too");
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Tab);
    settle();
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"first is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), first);
}

TEST_F(LeaveCheckerTest, FocusGoingToAnotherWindowIsNotALeave)
{
    first->setText("bad");
    first->setFocus(Qt::TabFocusReason);
    QWidget other;
    auto* otherBox = new QLineEdit(&other);
    otherBox->setFocus();
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    settle();
    EXPECT_EQ(QApplication::focusWidget(), otherBox);
    EXPECT_TRUE(env.messages.shown.isEmpty());

    // Coming back is not a leave either.
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    settle();
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

TEST_F(LeaveCheckerTest, CheckAllStopsAtTheFirstBadFieldAndFocusesIt)
{
    first->setText("ok");
    second->setText("bad");
    third->setText("bad");
    ok->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(checker->checkAll());
    settle();
    EXPECT_EQ(env.messages.texts(), QStringList({"second is wrong"}));
    EXPECT_EQ(QApplication::focusWidget(), second);

    second->setText("ok");
    third->setText("ok");
    EXPECT_TRUE(checker->checkAll());
    EXPECT_EQ(env.messages.shown.size(), 1);
}

// A main window around an MDI area with two child windows, as the program
// has them: the planner-like child holds a checked box ("size") and another
// box ("other"); the second child holds a box of its own.
class MdiLeaveCheckerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* area = new QMdiArea(&main);
        main.setCentralWidget(area);
        auto* layout = new QVBoxLayout(&checked);
        size = new QLineEdit(&checked);
        other = new QLineEdit(&checked);
        layout->addWidget(size);
        layout->addWidget(other);
        auto* checker = new LeaveChecker(&checked);
        checker->addCheck(size, [this] {
            if (size->text() != QLatin1String("bad"))
                return true;
            return refuseField(env.ctx->services, size, "Validation error!", "size is wrong");
        });
        auto* elsewhereLayout = new QVBoxLayout(&elsewhere);
        elsewhereBox = new QLineEdit(&elsewhere);
        elsewhereLayout->addWidget(elsewhereBox);
        checkedFrame = area->addSubWindow(&checked);
        elsewhereFrame = area->addSubWindow(&elsewhere);
        main.resize(800, 600);
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        checkedFrame->setGeometry(0, 0, 300, 200);
        elsewhereFrame->setGeometry(320, 0, 300, 200);
        click(size);
        size->setText("bad");
    }

    void TearDown() override
    {
        // The children belong to the test, not to their frames.
        checked.setParent(nullptr);
        elsewhere.setParent(nullptr);
    }

    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    TestEnv env{false, false};
    QWidget checked;
    QWidget elsewhere;
    QMainWindow main;
    QMdiSubWindow* checkedFrame = nullptr;
    QMdiSubWindow* elsewhereFrame = nullptr;
    QLineEdit* size = nullptr;
    QLineEdit* other = nullptr;
    QLineEdit* elsewhereBox = nullptr;
};

TEST_F(MdiLeaveCheckerTest, ClickingIntoAnotherChildWindowLeavesTheFocusThere)
{
    click(elsewhereBox);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), elsewhereBox);

    // Back into the child by its checked box itself: it was never left.
    click(size);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), size);

    // Within the child the box is checked as it is left.
    click(other);
    EXPECT_EQ(env.messages.texts(), QStringList{"size is wrong"});
    EXPECT_EQ(QApplication::focusWidget(), size);
}

TEST_F(MdiLeaveCheckerTest, ComingBackToAnotherControlOfTheChildChecksTheBoxLeftBefore)
{
    click(elsewhereBox);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    click(other);
    EXPECT_EQ(env.messages.texts(), QStringList{"size is wrong"});
    EXPECT_EQ(QApplication::focusWidget(), size);

    // Once mended, leaving it for the other window and back asks nothing.
    size->setText("ok");
    click(elsewhereBox);
    click(other);
    EXPECT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), other);
}

// ---------------------------------------------------------------- list view style

TEST(setListViewStyle, SelectsWholeRowsAndLetsColumnsMove)
{
    QTreeView tree;
    QTableView table;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&tree), static_cast<QAbstractItemView*>(&table)}) {
        setListViewStyle(view);
        EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    }
    EXPECT_TRUE(tree.header()->sectionsMovable());
    EXPECT_TRUE(tree.allColumnsShowFocus());
    EXPECT_TRUE(table.horizontalHeader()->sectionsMovable());
    setListViewStyle(nullptr);
}

// ---------------------------------------------------------------- fitting the text columns

// Values that say how wide they are (the size-hint role), and count how often
// a list asks for a value's width.
class SizedValues : public QStandardItemModel {
public:
    using QStandardItemModel::QStandardItemModel;
    mutable int widthsAsked = 0;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::SizeHintRole)
            ++widthsAsked;
        return QStandardItemModel::data(index, role);
    }
};

// A shown list of five columns: the keeper's texts in columns 0, 2 and 3, a
// number column 50 pixels wide, and a last column whose values need 60. Each
// row's value in a text column needs `step` pixels more than the row before,
// up to what the column needs.
struct TextList {
    static constexpr int kTexts[] = {0, 2, 3};
    static constexpr int kOthers = 50 + 60;   // the number column and the last one
    SizedValues model{0, 5};
    QTreeView view;
    QVector<TextColumn> columns;

    TextList(const int (&designed)[3], const int (&need)[3], int rows = 3, int step = 1)
    {
        model.setHorizontalHeaderLabels({"", "", "", "", ""});
        for (int r = 0; r < rows; ++r) {
            QList<QStandardItem*> row;
            for (int c = 0; c < 5; ++c) {
                int width = c == 1 ? 40 : 60;
                for (int t = 0; t < 3; ++t)
                    if (c == kTexts[t])
                        width = need[t] - (rows - 1 - r) * step;
                auto* item = new QStandardItem(QStringLiteral("value"));
                item->setData(QSize(width, 18), Qt::SizeHintRole);
                row << item;
            }
            model.appendRow(row);
        }
        view.setRootIsDecorated(false);
        view.setModel(&model);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setListViewStyle(&view);
        view.header()->resizeSection(1, 50);
        view.header()->resizeSection(4, 60);
        for (int t = 0; t < 3; ++t) {
            view.header()->resizeSection(kTexts[t], designed[t]);
            columns.append({kTexts[t], designed[t]});
        }
    }
    // Shows the list with `room` pixels left for the texts by the other columns.
    void showWithRoom(int room)
    {
        view.resize(room + kOthers + 2 * view.frameWidth(), 200);
        view.show();
        QCoreApplication::processEvents();
    }
    void setRoom(int room)
    {
        view.resize(room + kOthers + 2 * view.frameWidth(), view.height());
        QCoreApplication::processEvents();
    }
    QVector<int> textWidths() const
    {
        QVector<int> out;
        for (int column : kTexts)
            out << view.header()->sectionSize(column);
        return out;
    }
    // No part of the row stays empty: the last column reaches the list's right edge.
    bool lastColumnStretches() const
    {
        const QHeaderView* header = view.header();
        return header->sectionViewportPosition(4) + header->sectionSize(4) >= view.viewport()->width();
    }
    // Drags the right edge of a column's header by `by` pixels, as the keeper
    // does: in a few moves, the list laid out and painted anew between them.
    void dragColumnEdge(int column, int by)
    {
        QHeaderView* header = view.header();
        const QPoint edge(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                          header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
        for (int step = 1; step <= 4; ++step) {
            QTest::mouseMove(header->viewport(), edge + QPoint(by * step / 4, 0));
            QCoreApplication::processEvents();
        }
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(by, 0));
        QCoreApplication::processEvents();
    }
    void doubleClickColumnEdge(int column)
    {
        QHeaderView* header = view.header();
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                           QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                                  header->height() / 2));
    }
};

// After a fill the texts read whole where they have room, every column at
// least as wide as designed; where one is cut, the columns that need less than
// designed give up room, never below what they need, and only as much as the
// cut one needs; the shortest texts stay whole when there is not room for all.
TEST(fitTextColumns, ShareTheRoomTheOtherColumnsLeave)
{
    const struct {
        const char* label;
        int room;
        int designed[3];
        int need[3];
        QVector<int> widths;
    } cases[] = {
        {"each as wide as its texts, never below designed", 600, {100, 100, 100}, {200, 60, 150}, {200, 100, 150}},
        {"a cut text takes what another does not need", 400, {100, 200, 100}, {250, 60, 80}, {250, 70, 80}},
        {"the columns with room to spare give alike", 500, {100, 200, 150}, {250, 60, 80}, {250, 150, 100}},
        {"still too long: the others keep what they need", 300, {100, 200, 100}, {400, 60, 80}, {160, 60, 80}},
        {"two texts cut: the shorter reads whole", 500, {100, 100, 100}, {400, 180, 80}, {240, 180, 80}},
        {"no text cut: the designed widths stay", 150, {100, 100, 100}, {60, 60, 60}, {100, 100, 100}},
        {"a text as wide as designed is not cut", 250, {100, 100, 100}, {100, 60, 60}, {100, 100, 100}},
        {"texts as wide as designed, nothing to give", 200, {100, 150, 100}, {100, 150, 40}, {100, 150, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TextList list(c.designed, c.need);
        list.showWithRoom(c.room);
        ASSERT_EQ(list.view.viewport()->width(), c.room + TextList::kOthers);
        for (int column = 0; column < 5; ++column)
            ASSERT_LT(list.view.header()->sectionSizeHint(column), 60);
        fitTextColumns(&list.view, list.columns);
        EXPECT_EQ(list.textWidths(), c.widths);
        EXPECT_TRUE(list.lastColumnStretches());
    }
}

// When the list's width changes the room is shared out again as a fill would
// share it, without measuring the rows again; a column the keeper sized keeps
// the keeper's width until the next fill, and a double-click on a column's
// edge still fits it.
TEST(fitTextColumns, AWidthChangeSharesTheRoomAgainAndKeepsWhatTheKeeperSized)
{
    TextList list({100, 100, 100}, {400, 150, 300}, 2000, 0);
    list.showWithRoom(700);
    fitTextColumns(&list.view, list.columns);
    const QVector<int> fitted = list.textWidths();
    ASSERT_EQ(fitted, QVector<int>({275, 150, 275}));

    // Wider and narrower by a pixel, then by a lot: the rows are not measured again.
    list.model.widthsAsked = 0;
    for (int room : {701, 700, 950, 600})
        list.setRoom(room);
    EXPECT_EQ(list.model.widthsAsked, 0);
    const QVector<int> shared = list.textWidths();
    fitTextColumns(&list.view, list.columns);
    EXPECT_EQ(shared, list.textWidths());
    EXPECT_EQ(shared, QVector<int>({225, 150, 225}));

    // The keeper widens the first column and narrows the last text column, then
    // fits it with a double-click on its edge.
    list.setRoom(700);
    list.dragColumnEdge(0, 40);
    ASSERT_EQ(list.view.header()->sectionSize(0), 315);
    list.dragColumnEdge(3, -200);
    ASSERT_EQ(list.view.header()->sectionSize(3), 75);
    list.doubleClickColumnEdge(3);
    ASSERT_EQ(list.view.header()->sectionSize(3), 300);
    for (int room : {650, 900, 700}) {
        SCOPED_TRACE(room);
        list.setRoom(room);
        EXPECT_EQ(list.view.header()->sectionSize(0), 315);
        EXPECT_EQ(list.view.header()->sectionSize(3), 300);
        EXPECT_TRUE(list.lastColumnStretches());
    }
    // The next fill fits them again.
    fitTextColumns(&list.view, list.columns);
    EXPECT_EQ(list.textWidths(), fitted);
    EXPECT_TRUE(list.lastColumnStretches());

    // The keeper narrows the first column: the last one stretches over the
    // room that leaves by itself, and still counts with what it needs (60)
    // when the list's width changes: the other texts read whole again.
    list.dragColumnEdge(0, -100);
    ASSERT_EQ(list.view.header()->sectionSize(0), 175);
    list.setRoom(650);
    EXPECT_EQ(list.textWidths(), QVector<int>({175, 150, 300}));
    EXPECT_TRUE(list.lastColumnStretches());
    // The keeper widens the last column past the list's edge: the next width
    // change leaves it that width and shares only the rest.
    list.dragColumnEdge(4, 100);
    const int lastWidth = list.view.header()->sectionSize(4);
    ASSERT_EQ(lastWidth, 185);
    list.setRoom(710);
    EXPECT_EQ(list.textWidths(), QVector<int>({175, 150, 260}));
    EXPECT_EQ(list.view.header()->sectionSize(4), lastWidth);
    EXPECT_TRUE(list.lastColumnStretches());
}

TEST(CalendarButton, ShowsTheCalendarPictureAndNeverTakesTheFocus)
{
    QWidget window;
    QToolButton* button = makeCalendarButton(&window);
    EXPECT_EQ(button->objectName(), QStringLiteral("calendarButton"));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
}

} // namespace
