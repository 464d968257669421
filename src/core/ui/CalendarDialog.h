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
    bool cancelled = true; // FormCancelled
};

class CalendarDialog;

// Shows the calendar modally on `opening` (today when invalid). x_pos/y_pos are
// screen coordinates in twips (1440 per inch) for the left and top edges; a
// coordinate outside (0, screen size) leaves that edge where it is.
CalendarResult ShowCalendar(AppContext& ctx, const QDate& opening, int x_pos = 0, int y_pos = 0,
                            QWidget* parent = nullptr);

// The calendar button of a date field: opens on the field's date read in the
// keeper's date order (today when empty or invalid) and writes a picked day
// back with the date mask; a cancel leaves the field exactly as it was.
// `placement` in screen pixels (null: the calendar places itself).
void pickDateInto(AppContext& ctx, MaskedDateEdit* field, const QPoint& placement = QPoint(),
                  QWidget* parent = nullptr);

// The name panel lying over the middle of a scroll bar, so that only the bar's
// two arrow buttons show; releasing a mouse button over it pops up a menu.
class CalendarNamePanel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void mouseUp(const QPoint& globalPos);

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
    // The ShowCalendar placement: twips, each edge only when 0 < pos < the screen's size.
    void placeTwips(int x_pos, int y_pos);

    QDate OpenedDate() const { return m_opened; }
    QDate CalendarDate() const { return m_model.date(); }
    bool FormCancelled() const { return m_cancelled; }
    // The opening date when nothing was picked.
    CalendarResult result() const;
    const CalendarModel& model() const { return m_model; }

    // Handlers.
    void cmdDay_Click(int index);
    void cmd_OK_Click();
    void scrMonth_Change(int value);
    void scrYear_Change(int value);
    void panMonth_MouseUp(const QPoint& globalPos);
    void panYear_MouseUp(const QPoint& globalPos);
    void mnuMonth_Click(int month);     // 1..12
    void mnuYear_Click(int year);

    // Controls.
    QScrollBar* scrMonth = nullptr;
    QScrollBar* scrYear = nullptr;
    CalendarNamePanel* panMonth = nullptr;
    CalendarNamePanel* panYear = nullptr;
    std::array<QPushButton*, CalendarModel::kCells> cmdDay{};
    QLabel* lblReturnDate = nullptr;
    QPushButton* cmd_ok = nullptr;
    QMenu* mnu_Month = nullptr;
    QMenu* mnu_Year = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Draw_CalendarMonth();
    void activate();
    void placePanels();
    void Close_Calendar();

    AppContext& m_ctx;
    CalendarModel m_model;
    QDate m_opened;
    bool m_cancelled = true;   // FormCancelled: set by Form_Load, cleared by a day click
    bool m_drawing = false;
};
