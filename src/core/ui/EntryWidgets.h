#pragma once
#include "core/Services.h"

// The few widgets every entry dialog is built from: an up-down spinner, masked
// date and time boxes, the leave-check mechanism, the list view style and the
// fitting of list columns to the keeper's texts.
#include <QDate>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QTime>
#include <QVector>
#include <QWidget>
#include <functional>
#include <optional>

class QAbstractItemView;
class QComboBox;
class QToolButton;
class QTreeView;

// Gives a control its name (the Qt object name tests find it by) and returns it.
template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A field refused by a check: beep, show text with the exclamation icon under
// title, and give the field the focus. Returns false, for `return refuseField(...)`.
bool refuseField(const Services& services, QWidget* field, const QString& title, const QString& text);

// Puts a stored text into a box whose typing is limited to `typedLimit`
// characters without cutting it: a longer text loads whole (the box then takes
// no more than that text's length), so the field's own check decides on OK.
void showWholeText(QLineEdit* box, const QString& text, int typedLimit);

// A pick list the keeper may also type into.
QComboBox* makePickList(QWidget* parent, const char* name);
// Replaces the pick list's items; none is picked and the box is left empty.
void fillPickList(QComboBox* list, const QStringList& items);

// The calendar button beside a date box, named "calendarButton". It never takes
// the focus, so clicking it never counts as leaving the date box.
QToolButton* makeCalendarButton(QWidget* parent);

// Up-down spinner. It holds its own integer position (min..max, step). When a
// buddy text box is set, each step first takes up the number the box holds
// (its leading number, clamped to the range), steps it and writes the new
// position back into the box as text. Without a buddy it only emits valueChanged,
// stepping from the position setShownPosition reads off its box, if given.
// The box may hold anything the keeper is still typing: the field checks decide.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);
    void setRange(int minimum, int maximum);
    void setSingleStep(int step);
    void setValue(int value);          // emits valueChanged when the position changes
    void setBuddy(QLineEdit* buddy);   // bound text box (may be null)
    // For a spinner whose box shows a scaled value: before each step this gives
    // the position the box shows now (possibly between two positions), and the
    // step goes from there to the next position up or down.
    void setShownPosition(std::function<double()> shownPosition);
    void stepUp();
    void stepDown();
signals:
    void valueChanged(int value);

private:
    void stepBy(int steps);
    int m_min = 0, m_max = 100, m_step = 1, m_value = 0;
    QPointer<QLineEdit> m_buddy;
    std::function<double()> m_shownPosition;
    QToolButton* m_upButton = nullptr;
    QToolButton* m_downButton = nullptr;
};

// A date box with the mask "##" d "##" d "##" (d the keeper's delimiter) and the
// prompt character "_". Text is read in the keeper's date order.
class MaskedDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedDateEdit(QWidget* parent = nullptr);
    // dateOrder "MMDDYY"/"DDMMYY"/"YYMMDD", delimiter "/", "-" or ".", dateMask e.g. "MM/DD/YY".
    void setDateFormat(const QString& dateOrder, const QString& delimiter, const QString& dateMask);
    QString dateOrder() const { return m_order; }
    QString dateMask() const { return m_mask; }
    // The date the text names in the keeper's order, or nothing. While the box
    // still shows the text setDate put there, that date itself comes back, so a
    // stored day outside the two-digit year span is not moved a century.
    std::optional<QDate> date(const QDate& today) const;
    void setDate(const QDate& date);   // formatted with the date mask; null date clears
    bool hasDigits() const;            // text without mask literals and prompts is not empty
    void clearDate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;   // an empty box is typed from its start

private:
    QString m_order = QStringLiteral("MMDDYY");
    QString m_delimiter = QStringLiteral("/");
    QString m_mask = QStringLiteral("MM/DD/YY");
    QDate m_shownDate;    // the date setDate last showed
    QString m_shownText;  // and the text it showed it as
};

// A time box "hh:mm:ss am" (11 characters, prompt "_").
class MaskedTimeEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedTimeEdit(QWidget* parent = nullptr);
    std::optional<QTime> time() const;          // strict: see parseAmPmTime
    void setTime(const QTime& time, bool upperMarker = false);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;   // an empty box is typed from its start
};

// "Check when the field is left, put the focus back on failure." A check shows
// its own message and returns false when the field is refused. The checker
// never runs a check while another check's message is up, never because the
// focus went to another window or a message box, never when the focus moves
// to an exempt widget (Cancel buttons), and never twice in a row for a field
// that was just given the focus back; so two bad fields cannot ping-pong.
// Another window includes another child window of the main window: a field
// left for one is checked only when the focus comes back to another control
// of its own window, never by taking the focus from the other one.
class LeaveChecker : public QObject {
    Q_OBJECT
public:
    explicit LeaveChecker(QWidget* dialog);
    void addCheck(QWidget* field, std::function<bool()> check);
    void addExempt(QWidget* widget);   // focus moving here runs no check
    // Runs every check in the order added (OK): the first failure takes the
    // focus and stops; true when all pass.
    bool checkAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> field;
        std::function<bool()> check;
    };
    bool runCheck(Entry& entry, bool refocus);
    // Runs the field's check once the focus change under way has finished.
    void checkLeftField(QWidget* field);
    // Follows the focus back into the window after a field was left for another one.
    void watchReturn(QWidget* now);
    QWidget* m_dialog;
    QList<Entry> m_entries;
    QList<QPointer<QWidget>> m_exempt;
    bool m_busy = false;
    int m_refocusCount = 0;   // bumped whenever a failed check takes the focus back
    QPointer<QWidget> m_leftForAnotherWindow;   // field whose check waits for the focus to come back
};

// The keeper's text as a caption (a check box, a button, a menu item) shows it
// as typed: a caption reads '&' as its shortcut mark, so the keeper's is doubled.
QString captionText(const QString& text);

// Full-row selection, column headers the keeper can drag to reorder, and the
// last column stretched over the row's free width.
void setListViewStyle(QAbstractItemView* view);

// A column of a list that holds the keeper's texts, and the width it was
// designed with.
struct TextColumn {
    int column = 0;
    int designedWidth = 0;
};

// Called after a list is filled: each of these columns becomes as wide as its
// header and its values need, never narrower than designed. Together they take
// no more than the room the other columns leave in the view (at least half of
// it), so the others stay readable. Where a column's texts are cut, a column
// that needs less than designed gives up room down to what it needs; if the
// texts still do not fit, the shorter ones read whole and the longer ones are
// cut at one common width. The values are measured at the fill only: when the
// list's width changes the room is shared out again by what was measured, and a
// column the keeper sized by hand keeps that width until the next fill. The
// last column still stretches over what is left, and a double-click on a
// column's edge still fits it.
void fitTextColumns(QTreeView* view, const QVector<TextColumn>& columns);
