#pragma once
// The schedule window ("Generate: Maintenance Schedule"): every occurrence of
// every stored reminder rule inside two years from today or a range of dates
// the keeper types or picks, listed in date order, and printed from here or
// through File > Print.
#include "core/ui/ShellInterfaces.h"
#include "scheduler/ScheduleGeneration.h"

#include <QWidget>

class AppContext;
class ElidedLabel;
class MaskedDateEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QTreeView;
class ScheduleListModel;

class ScheduleWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    ScheduleWindow(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);
    ~ScheduleWindow() override;

    // IChildWindow
    QString windowName() const override { return QStringLiteral("ScheduleWindow"); }
    void activate() override;
    void printRequested() override { printSchedule(); }

public slots:
    // Builds the schedule for the chosen dates; a refused range or an empty
    // rules table leaves the list as it was. A Generate while one runs is ignored.
    void generateSchedule();
    void printSchedule();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter presses Generate, the button drawn as the default (or the button
    // that has the focus), as it would in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void followMode();
    void pickStartDate();
    void pickEndDate();

private:
    void endGeneration();

    AppContext& m_ctx;
    IShell* m_shell;
    bool m_generating = false;
    bool m_closeAsked = false;   // the keeper closed the window while a run was going

    QTabWidget* m_rangeTabs = nullptr;
    QRadioButton* m_twoYearsOption = nullptr;
    QRadioButton* m_dateRangeOption = nullptr;
    MaskedDateEdit* m_startDateEdit = nullptr;
    QToolButton* m_startCalendarButton = nullptr;
    MaskedDateEdit* m_endDateEdit = nullptr;
    QToolButton* m_endCalendarButton = nullptr;
    QPushButton* m_generateButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QTreeView* m_scheduleList = nullptr;
    ScheduleListModel* m_model = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    ElidedLabel* m_statusPanel = nullptr;
};
