#pragma once
// The reminder editor ("Reminder Recurrence"): one maintenance reminder's
// task, its recurrence pattern (daily, weekly, monthly, yearly or once, each
// with its own panel), its range of recurrence and, read-only, the rule in
// words, which follows every change of the pattern. "Preview Recurrences >>"
// lists the dates the rule falls on.
//
// The task list hands the rule in through setValues(), opens the editor with
// addNewTask() or showExistingTask() and reads values() afterwards; the
// editor itself never touches the database. Cancel is the default button, so
// Enter in a box or a list closes the editor as cancelled, as Esc does; Enter
// on a focused button presses that button.
#include "scheduler/ReminderChecks.h"
#include "scheduler/RuleCodec.h"

#include <QDialog>
#include <array>
#include <functional>

class AppContext;
class MaskedDateEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class UpDown;

class ReminderEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReminderEditorDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~ReminderEditorDialog() override;

    // The rule handed in before opening and read back after closing; cancelled
    // is false only after a validated OK.
    void setValues(const sched::SchedEditorVars& values) { m_vars = values; }
    const sched::SchedEditorVars& values() const { return m_vars; }
    // The stored dates of the rule being changed, so that a date whose
    // two-digit year reads in another century is kept as it is.
    void setStoredRange(const QDate& start, const QDate& end);
    // Tells whether another reminder already has a task text. OK refuses such
    // a task with the editor still open, so the rule as typed is kept.
    void setTaskTakenCheck(std::function<bool(const QString&)> taken) { m_taskTaken = std::move(taken); }

    // Opens on a new reminder: daily every 1 day, the task and the range from
    // the values handed in. Returns true when the keeper pressed OK.
    bool addNewTask();
    // Opens on the stored rule the values hold. Returns true after OK.
    bool showExistingTask();

    // The checks made on OK, in order: the first that fails is told and takes
    // the focus. True when the rule may be stored.
    bool checkFields();
    // The rule as the controls hold it now.
    sched::EditorValues controlValues() const;

public slots:
    void accept() override;
    // Lists the dates the rule falls on below the range and makes the editor taller.
    void previewRecurrences();

private slots:
    void choosePattern();
    void followVariants();
    void rebuildWording();
    void pickStartDate();
    void pickEndDate();
    void pickOnceDate();

private:
    void fillPickLists();
    void showControlValues(const sched::EditorValues& v);
    void storeValues();
    void growForPreview();
    QWidget* fieldWidget(sched::EditorField field) const;
    QString dateText(const MaskedDateEdit* edit) const;
    QWidget* buildDailyPanel();
    QWidget* buildWeeklyPanel();
    QWidget* buildMonthlyPanel();
    QWidget* buildYearlyPanel();
    QWidget* buildOncePanel();
    QLineEdit* numberBox(QWidget* parent, const char* name, const char* spinnerName, int minimum, int maximum,
                         UpDown** spinner);
    QComboBox* pickList(QWidget* parent, const char* name);

    AppContext& m_ctx;
    sched::SchedEditorVars m_vars;
    QDate m_storedStart;
    QDate m_storedEnd;
    std::function<bool(const QString&)> m_taskTaken;
    bool m_showing = false;   // controls are being filled: the wording waits

    QLineEdit* m_taskEdit = nullptr;
    QButtonGroup* m_patternGroup = nullptr;
    QRadioButton* m_dailyOption = nullptr;
    QRadioButton* m_weeklyOption = nullptr;
    QRadioButton* m_monthlyOption = nullptr;
    QRadioButton* m_yearlyOption = nullptr;
    QRadioButton* m_onceOption = nullptr;
    QStackedWidget* m_patternPanels = nullptr;

    QRadioButton* m_everyDaysOption = nullptr;
    QLineEdit* m_dailyDaysEdit = nullptr;
    UpDown* m_dailyDaysSpinner = nullptr;
    QRadioButton* m_everyWeekdayOption = nullptr;

    QLineEdit* m_weeklyWeeksEdit = nullptr;
    UpDown* m_weeklyWeeksSpinner = nullptr;
    std::array<QCheckBox*, 7> m_weekdayBoxes{};

    QRadioButton* m_monthlyDayOption = nullptr;
    QLineEdit* m_monthlyDayEdit = nullptr;
    UpDown* m_monthlyDaySpinner = nullptr;
    QLineEdit* m_monthlyIntervalEdit = nullptr;
    UpDown* m_monthlyIntervalSpinner = nullptr;
    QRadioButton* m_monthlyXthOption = nullptr;
    QComboBox* m_monthlyXthList = nullptr;
    QComboBox* m_monthlyWeekdayList = nullptr;
    QLineEdit* m_monthlyInterval2Edit = nullptr;
    UpDown* m_monthlyInterval2Spinner = nullptr;

    QRadioButton* m_yearlyDateOption = nullptr;
    QComboBox* m_yearlyMonthList = nullptr;
    QLineEdit* m_yearlyDayEdit = nullptr;
    UpDown* m_yearlyDaySpinner = nullptr;
    QRadioButton* m_yearlyXthOption = nullptr;
    QComboBox* m_yearlyXthList = nullptr;
    QComboBox* m_yearlyWeekdayList = nullptr;
    QComboBox* m_yearlyMonth2List = nullptr;

    MaskedDateEdit* m_onceDateEdit = nullptr;
    QToolButton* m_onceCalendarButton = nullptr;

    QLabel* m_wordingLabel = nullptr;
    MaskedDateEdit* m_startDateEdit = nullptr;
    QToolButton* m_startCalendarButton = nullptr;
    MaskedDateEdit* m_endDateEdit = nullptr;
    QToolButton* m_endCalendarButton = nullptr;
    QPushButton* m_previewButton = nullptr;
    QTreeWidget* m_previewList = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
