// The calendar window offscreen: what it opens on, how the bars and menus move
// it, what a day click, OK, Escape and Enter hand back, and the calendar button
// of a date field.
#include "core/ui/EntryWidgets.h"
#include "core/ui/CalendarDialog.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QScrollBar* monthBar(const QWidget& calendar) { return child<QScrollBar>(calendar, "monthBar"); }
QScrollBar* yearBar(const QWidget& calendar) { return child<QScrollBar>(calendar, "yearBar"); }
CalendarNamePanel* monthPanel(const QWidget& calendar) { return child<CalendarNamePanel>(calendar, "monthPanel"); }
CalendarNamePanel* yearPanel(const QWidget& calendar) { return child<CalendarNamePanel>(calendar, "yearPanel"); }
QMenu* monthMenu(const QWidget& calendar) { return child<QMenu>(calendar, "monthMenu"); }
QMenu* yearMenu(const QWidget& calendar) { return child<QMenu>(calendar, "yearMenu"); }
QPushButton* okButton(const QWidget& calendar) { return child<QPushButton>(calendar, "okButton"); }
QLabel* returnDateLabel(const QWidget& calendar) { return child<QLabel>(calendar, "returnDateLabel"); }

QPushButton* dayButton(CalendarDialog& calendar, int index)
{
    return child<QPushButton>(calendar, QStringLiteral("dayButton%1").arg(index));
}

QPushButton* buttonOfDay(CalendarDialog& calendar, int day)
{
    for (int i = 0; i < CalendarModel::kCells; ++i) {
        QPushButton* b = dayButton(calendar, i);
        if (b->text() == QString::number(day))
            return b;
    }
    return nullptr;
}

// The day the calendar shows: the month and the year of its bars and the day
// button drawn as the default, the one Enter picks.
QDate shownDay(CalendarDialog& calendar)
{
    for (int i = 0; i < CalendarModel::kCells; ++i) {
        QPushButton* b = dayButton(calendar, i);
        if (b->isDefault())
            return QDate(yearBar(calendar)->value(), monthBar(calendar)->value(), b->text().toInt());
    }
    return QDate();
}

int enabledDays(CalendarDialog& calendar)
{
    int n = 0;
    for (int i = 0; i < CalendarModel::kCells; ++i)
        n += dayButton(calendar, i)->isEnabled() ? 1 : 0;
    return n;
}

// Runs `drive` on the calendar once it is up as the modal window.
void whenCalendarShows(std::function<void(CalendarDialog&)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto* calendar = qobject_cast<CalendarDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(calendar, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(calendar));
        drive(*calendar);
        if (calendar->isVisible())
            calendar->reject();   // never leave a test hanging in exec()
    });
}

class CalendarTest : public ::testing::Test {
protected:
    TestEnv env{true, true};
    AppContext& ctx = *env.ctx;
};

TEST_F(CalendarTest, BarsCoverTheMonthsWithWrapStopsAndTheYears)
{
    CalendarDialog calendar(ctx);
    EXPECT_EQ(calendar.windowTitle(), QStringLiteral("Calendar"));
    EXPECT_EQ(okButton(calendar)->text(), QStringLiteral("OK"));
    EXPECT_EQ(monthBar(calendar)->minimum(), 0);
    EXPECT_EQ(monthBar(calendar)->maximum(), 13);
    EXPECT_EQ(yearBar(calendar)->minimum(), 100);
    EXPECT_EQ(yearBar(calendar)->maximum(), 9999);
}

TEST_F(CalendarTest, EmptyOrInvalidOpeningDateOpensOnToday)
{
    for (const QDate& opening : {QDate(), QDate(2026, 2, 30), QDate(50, 1, 1)}) {
        CalendarDialog calendar(ctx);
        calendar.setOpeningDate(opening);
        EXPECT_EQ(shownDay(calendar), QDate(2026, 12, 8));
        EXPECT_EQ(monthPanel(calendar)->text(), QStringLiteral("December"));
        EXPECT_EQ(yearPanel(calendar)->text(), QStringLiteral("2026"));
        // 1 December 2026 is a Tuesday: the 8th is in cell 9 and is the default button.
        EXPECT_EQ(dayButton(calendar, 9)->text(), QStringLiteral("8"));
        EXPECT_TRUE(dayButton(calendar, 9)->isDefault());
        EXPECT_EQ(returnDateLabel(calendar)->text(), QStringLiteral("12/08/2026"));
    }
}

TEST_F(CalendarTest, OkReturnsTheOpeningDateCancelled)
{
    whenCalendarShows([](CalendarDialog& calendar) {
        monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QTest::mouseClick(okButton(calendar), Qt::LeftButton);
    });
    const CalendarResult result = showCalendar(ctx, QDate());
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.date, QDate(2026, 12, 8));
}

TEST_F(CalendarTest, EscapeAndFrameCloseCountAsCancel)
{
    whenCalendarShows([](CalendarDialog& calendar) { QTest::keyClick(&calendar, Qt::Key_Escape); });
    CalendarResult result = showCalendar(ctx, QDate(1998, 3, 7));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.date, QDate(1998, 3, 7));

    whenCalendarShows([](CalendarDialog& calendar) {
        yearBar(calendar)->setValue(2005);
        calendar.close();
    });
    result = showCalendar(ctx, QDate(1998, 3, 7));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.date, QDate(1998, 3, 7));
}

TEST_F(CalendarTest, EnterPicksTheDefaultDay)
{
    whenCalendarShows([](CalendarDialog& calendar) {
        EXPECT_EQ(QApplication::focusWidget(), buttonOfDay(calendar, 7));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    const CalendarResult result = showCalendar(ctx, QDate(1998, 3, 7));
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.date, QDate(1998, 3, 7));
}

TEST_F(CalendarTest, EnterAfterChangingTheMonthPicksTheDayShown)
{
    // The focus sits on the opening day's button; after a change of month the
    // button in that place carries another number, and Enter must still pick
    // the day being shown.
    const std::function<void(CalendarDialog&)> changes[] = {
        [](CalendarDialog& c) { monthBar(c)->triggerAction(QAbstractSlider::SliderSingleStepAdd); },
        [](CalendarDialog& c) { monthMenu(c)->actions().at(3)->trigger(); },
    };
    for (const auto& change : changes) {
        whenCalendarShows([&change](CalendarDialog& calendar) {
            change(calendar);
            EXPECT_EQ(monthPanel(calendar)->text(), QStringLiteral("April"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        const CalendarResult result = showCalendar(ctx, QDate(2026, 3, 15));
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(result.date, QDate(2026, 4, 15));
    }
}

TEST_F(CalendarTest, ClickingANamePopsUpItsMenuWithoutSteppingTheBar)
{
    CalendarDialog calendar(ctx);
    calendar.setOpeningDate(QDate(2026, 3, 15));
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    struct Case {
        CalendarNamePanel* panel;
        QMenu* menu;
        QScrollBar* bar;
        int value;
    };
    const Case cases[] = {{monthPanel(calendar), monthMenu(calendar), monthBar(calendar), 3},
                          {yearPanel(calendar), yearMenu(calendar), yearBar(calendar), 2026}};
    for (const Case& c : cases) {
        QTest::mouseClick(c.panel, Qt::LeftButton, {}, c.panel->rect().center());
        EXPECT_TRUE(c.menu->isVisible()) << c.panel->objectName().toStdString();
        EXPECT_EQ(c.bar->value(), c.value) << c.panel->objectName().toStdString();
        c.menu->hide();
    }
    EXPECT_EQ(shownDay(calendar), QDate(2026, 3, 15));
}

TEST_F(CalendarTest, OneMonthOnFromThe31stShowsTheLastOfFebruaryAndPicksIt)
{
    whenCalendarShows([](CalendarDialog& calendar) {
        monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(monthPanel(calendar)->text(), QStringLiteral("February"));
        EXPECT_EQ(enabledDays(calendar), 28);
        QPushButton* last = buttonOfDay(calendar, 28);
        ASSERT_NE(last, nullptr);
        EXPECT_TRUE(last->isDefault());
        QTest::mouseClick(last, Qt::LeftButton);
    });
    const CalendarResult result = showCalendar(ctx, QDate(1998, 1, 31));
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.date, QDate(1998, 2, 28));
}

TEST_F(CalendarTest, MonthArrowsCrossTheYear)
{
    CalendarDialog calendar(ctx);
    calendar.setOpeningDate(QDate(2026, 12, 10));
    monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(monthBar(calendar)->value(), 1);
    EXPECT_EQ(yearBar(calendar)->value(), 2027);
    EXPECT_EQ(monthPanel(calendar)->text(), QStringLiteral("January"));
    EXPECT_EQ(yearPanel(calendar)->text(), QStringLiteral("2027"));
    EXPECT_EQ(shownDay(calendar), QDate(2027, 1, 10));

    monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(monthBar(calendar)->value(), 12);
    EXPECT_EQ(yearBar(calendar)->value(), 2026);
    EXPECT_EQ(shownDay(calendar), QDate(2026, 12, 10));

    // A day picked after stepping back from January lands in December of the year before.
    calendar.setOpeningDate(QDate(2026, 1, 20));
    monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QTest::mouseClick(buttonOfDay(calendar, 24), Qt::LeftButton);
    EXPECT_FALSE(calendar.result().cancelled);
    EXPECT_EQ(calendar.result().date, QDate(2025, 12, 24));
}

TEST_F(CalendarTest, GridShowsLeapFebruariesAndSundayStarts)
{
    struct Case {
        QDate opening;
        int days;
        int firstCell;
    };
    const Case cases[] = {
        {QDate(2000, 2, 10), 29, 2},   // 1 February 2000: Tuesday
        {QDate(1900, 2, 10), 28, 4},   // 1 February 1900: Thursday
        {QDate(2026, 2, 10), 28, 0},   // 1 February 2026: Sunday
        {QDate(2026, 8, 10), 31, 6},   // 1 August 2026: Saturday, ends in cell 36
    };
    for (const Case& c : cases) {
        CalendarDialog calendar(ctx);
        calendar.setOpeningDate(c.opening);
        EXPECT_EQ(enabledDays(calendar), c.days) << c.opening.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(dayButton(calendar, c.firstCell)->text(), QStringLiteral("1"));
        EXPECT_EQ(dayButton(calendar, c.firstCell + c.days - 1)->text(), QString::number(c.days));
        if (c.firstCell > 0) {
            EXPECT_TRUE(dayButton(calendar, c.firstCell - 1)->text().isEmpty());
        }
    }
}

TEST_F(CalendarTest, MenusChooseMonthAndYear)
{
    CalendarDialog calendar(ctx);
    calendar.setOpeningDate(QDate(2000, 2, 29));

    QStringList years;
    for (QAction* a : yearMenu(calendar)->actions())
        years << a->text();
    EXPECT_EQ(years, QStringList({"2021", "2022", "2023", "2024", "2025", "2026", "2027", "2028", "2029", "2030"}));

    for (QAction* a : yearMenu(calendar)->actions())
        if (a->text() == QLatin1String("2023"))
            a->trigger();
    EXPECT_EQ(yearBar(calendar)->value(), 2023);
    EXPECT_EQ(shownDay(calendar), QDate(2023, 2, 28));
    EXPECT_EQ(yearPanel(calendar)->text(), QStringLiteral("2023"));

    QStringList months;
    for (QAction* a : monthMenu(calendar)->actions())
        months << a->text();
    ASSERT_EQ(months.size(), 12);
    EXPECT_EQ(months.first(), QStringLiteral("January"));
    monthMenu(calendar)->actions().at(2)->trigger();
    EXPECT_EQ(monthBar(calendar)->value(), 3);
    EXPECT_EQ(shownDay(calendar), QDate(2023, 3, 28));
    EXPECT_EQ(monthPanel(calendar)->text(), QStringLiteral("March"));
}

TEST_F(CalendarTest, PickAfterSteppingReturnsTheShownMonthAndYear)
{
    whenCalendarShows([](CalendarDialog& calendar) {
        yearBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QTest::mouseClick(buttonOfDay(calendar, 3), Qt::LeftButton);
    });
    const CalendarResult result = showCalendar(ctx, QDate(2026, 3, 15));
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.date, QDate(2027, 2, 3));
}

TEST_F(CalendarTest, EmptyCellsPickNothing)
{
    CalendarDialog calendar(ctx);
    calendar.setOpeningDate(QDate(2026, 8, 10));
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));
    for (const int cell : {0, CalendarModel::kCells - 1}) {
        EXPECT_FALSE(dayButton(calendar, cell)->isEnabled()) << cell;
        QTest::mouseClick(dayButton(calendar, cell), Qt::LeftButton);
    }
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_TRUE(calendar.result().cancelled);
    EXPECT_EQ(calendar.result().date, QDate(2026, 8, 10));
}

class PickDateIntoTest : public CalendarTest {
protected:
    void SetUp() override
    {
        ctx.settings.dateOrder = QStringLiteral("DDMMYY");
        ctx.settings.dateDelimiter = QStringLiteral("/");
        ctx.settings.dateMask = QStringLiteral("DD/MM/YY");
        field.setDateFormat(ctx.settings.dateOrder, ctx.settings.dateDelimiter, ctx.settings.dateMask);
    }
    MaskedDateEdit field;
};

TEST_F(PickDateIntoTest, OpensOnTheFieldsDateInTheKeepersOrderAndCancelLeavesItAlone)
{
    field.setText(QStringLiteral("05/02/27"));
    const QString before = field.text();
    QDate opened;
    whenCalendarShows([&opened](CalendarDialog& calendar) {
        opened = shownDay(calendar);
        monthBar(calendar)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QTest::mouseClick(okButton(calendar), Qt::LeftButton);
    });
    pickDateInto(ctx, &field);
    EXPECT_EQ(opened, QDate(2027, 2, 5));
    EXPECT_EQ(field.text(), before);
    EXPECT_EQ(field.displayText(), QStringLiteral("05/02/27"));
}

// The calendar's corner goes where the field's window asks, an edge at a
// time: a coordinate off the screen leaves that edge where the calendar
// places itself.
TEST_F(PickDateIntoTest, PlacesTheCalendarWhereThePointLiesOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto placedAt = [this](const QPoint& placement) {
        QPoint where;
        whenCalendarShows([&where](CalendarDialog& calendar) {
            where = calendar.pos();
            QTest::keyClick(&calendar, Qt::Key_Escape);
        });
        pickDateInto(ctx, &field, placement);
        return where;
    };
    const QPoint own = placedAt(QPoint());
    ASSERT_NE(own.x(), 40);
    ASSERT_NE(own.y(), 30);
    EXPECT_EQ(placedAt(QPoint(40, 30)), QPoint(40, 30));
    EXPECT_EQ(placedAt(QPoint(screen.right() + 1, 30)), QPoint(own.x(), 30));
    EXPECT_EQ(placedAt(QPoint(40, screen.bottom() + 1)), QPoint(40, own.y()));
    EXPECT_EQ(placedAt(QPoint(-5, 0)), own);
}

TEST_F(PickDateIntoTest, PickedDayIsWrittenWithTheDateMask)
{
    field.setText(QStringLiteral("05/02/27"));
    whenCalendarShows([](CalendarDialog& calendar) { QTest::mouseClick(buttonOfDay(calendar, 20), Qt::LeftButton); });
    pickDateInto(ctx, &field);
    EXPECT_EQ(field.displayText(), QStringLiteral("20/02/27"));
}

TEST_F(PickDateIntoTest, EmptyOrInvalidFieldOpensOnTodayAndCancelKeepsItsText)
{
    for (const QString& text : {QString(), QStringLiteral("31/02/27"), QStringLiteral("1_/__/__")}) {
        field.setText(text);
        const QString before = field.displayText();
        QDate opened;
        whenCalendarShows([&opened](CalendarDialog& calendar) {
            opened = shownDay(calendar);
            QTest::keyClick(&calendar, Qt::Key_Escape);
        });
        pickDateInto(ctx, &field);
        EXPECT_EQ(opened, QDate(2026, 12, 8)) << text.toStdString();
        EXPECT_EQ(field.displayText(), before) << text.toStdString();
    }
}

} // namespace

namespace {
// A day picked in any year is kept exactly, also where the box's two-digit
// year alone would read back a century off.
TEST_F(PickDateIntoTest, PickedDayIsKeptWhateverItsYear)
{
    for (const int year : {1930, 1946, 2045, 2099}) {
        field.setText(QStringLiteral("05/02/27"));
        whenCalendarShows([year](CalendarDialog& calendar) {
            yearBar(calendar)->setValue(year);
            QTest::mouseClick(buttonOfDay(calendar, 20), Qt::LeftButton);
        });
        pickDateInto(ctx, &field);
        EXPECT_EQ(field.date(QDate(2026, 12, 8)), QDate(year, 2, 20)) << year;
        EXPECT_TRUE(env.messages.shown.isEmpty()) << year;
    }
}
} // namespace
