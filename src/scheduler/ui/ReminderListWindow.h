#pragma once
// The task list ("Maintenance Scheduling"): every stored maintenance reminder
// with its rule in words and its range. The keeper adds, changes and deletes
// reminders here; this window is the only one that writes the rules table.
// After every change it refills its list and has the main window rebuild its
// reminders box.
#include "core/ui/ShellInterfaces.h"

#include <QWidget>
#include <functional>

class AppContext;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class ReminderListWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> remindersChanged;   // rebuild the main window's reminders box
        std::function<void()> showSchedule;       // bring up the schedule window
    };

    ReminderListWindow(AppContext& ctx, IShell* shell, Hooks hooks, QWidget* parent = nullptr);
    ~ReminderListWindow() override;

    // IChildWindow
    QString windowName() const override { return QStringLiteral("ReminderListWindow"); }
    void activate() override;

public slots:
    void addTask();
    void changeTask();
    void deleteTask();
    void viewSchedule();
    // Reads the table again into the list and has the reminders box rebuilt.
    void refillList();

private:
    void followSelection();
    // Tells why a write was refused; true when it went through.
    bool reportWrite(int result, const QString& error);

    AppContext& m_ctx;
    IShell* m_shell;
    Hooks m_hooks;

    QTreeWidget* m_taskList = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_detailsButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_viewScheduleButton = nullptr;
};
