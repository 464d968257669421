#pragma once
// The calendar date picker every date field uses.
#include <QDate>
#include <QDialog>

class AppContext;
class MaskedDateEdit;

struct CalendarResult {
    QDate date;            // the day picked, or the opening date when cancelled
    bool cancelled = true; // FormCancelled
};

class frm_Caltool;

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
