#pragma once
// The calendar date picker every date field uses.
#include <QDate>
#include <QDialog>
#include <QLabel>
#include <QPoint>
#include <array>

#include "core/CalendarModel.h"

class AppContext;
class MaskedDateEdit;
class QMenu;
class QPushButton;
class QScrollBar;

struct CalendarResult {
    QDate date;            // the day picked, or the opening date when cancelled
    bool cancelled = true;
};

class CalendarDialog;

// Shows the calendar modally on `opening` (today when invalid), its left and
// top edges at `placement` (screen pixels); a coordinate that does not lie on
// the screen leaves that edge where the calendar places itself, so a null
// placement leaves the calendar its own place.
CalendarResult showCalendar(AppContext& ctx, const QDate& opening, const QPoint& placement = QPoint(),
                            QWidget* parent = nullptr);

// The calendar button of a date field: opens on the field's date read in the
// keeper's date order (today when empty or invalid) and writes a picked day
// back with the date mask; a cancel leaves the field exactly as it was.
// `placement` as for showCalendar. A two-digit year is read around
// `readingDay` (null: today), as the field's owner reads it.
void pickDateInto(AppContext& ctx, MaskedDateEdit* field, const QPoint& placement = QPoint(),
                  QWidget* parent = nullptr, const QDate& readingDay = QDate());

// The name panel lying over the middle of a scroll bar, so that only the bar's
// two arrow buttons show; releasing a mouse button over it pops up a menu.
class CalendarNamePanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked(const QPoint& globalPos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The calendar window. It is loaded afresh for every use: set the opening
// date, place it, exec() it and read result().
class CalendarDialog : public QDialog {
    Q_OBJECT
public:
    explicit CalendarDialog(AppContext& ctx, QWidget* parent = nullptr);

    // Opens on `date`; an invalid date opens on today (from the clock).
    void setOpeningDate(const QDate& date);
    // Where showCalendar places the calendar when it shows.
    void placeAt(const QPoint& placement);

    // The day picked, or the opening date when nothing was picked.
    CalendarResult result() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void pickDay(int cell);
    void closeWithoutPicking();
    void followMonthBar(int value);
    void followYearBar(int value);
    void popUpMonthMenu(const QPoint& globalPos);
    void popUpYearMenu(const QPoint& globalPos);
    void chooseMonth(int month);     // 1..12
    void chooseYear(int year);

private:
    void drawMonth();
    void focusShownDay();
    void placePanels();
    void moveToPlacement();

    QScrollBar* m_monthBar = nullptr;
    QScrollBar* m_yearBar = nullptr;
    CalendarNamePanel* m_monthPanel = nullptr;
    CalendarNamePanel* m_yearPanel = nullptr;
    std::array<QPushButton*, CalendarModel::kCells> m_dayButtons{};
    QLabel* m_returnDateLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    QMenu* m_monthMenu = nullptr;
    QMenu* m_yearMenu = nullptr;

    AppContext& m_ctx;
    CalendarModel m_model;
    QDate m_opened;
    QPoint m_placement;   // null: where the dialog puts itself
    bool m_cancelled = true;   // until a day is picked
    bool m_drawing = false;
};
