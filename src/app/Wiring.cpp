#include "app/Wiring.h"

#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/ui/TankEditorDialog.h"
#include "core/ui/TankListDialog.h"
#include "core/ui/OptionsDialog.h"
#include "logbook/ui/LogbookWindow.h"
#include "scheduler/ui/ReminderListWindow.h"
#include "scheduler/ui/ScheduleWindow.h"

void wireApplication(AppContext& ctx, MainWindow& main)
{
    (void)ctx;
    (void)main;
    // ---- tanks, options, backup ----
    // Tools > Tank Setup: the shell runs checkTanksSetUp once the list has closed.
    // An open logbook rebuilds its tree, so that a tank deleted or renamed in
    // the list no longer shows there (nor takes new entries).
    main.hooks.showTankList = [&ctx, &main] {
        TankListDialog list(ctx, &main, &main);
        list.showTankList();
        if (ILogbookWindow* lb = main.logbook())
            lb->refreshTankTree();
    };
    main.hooks.addTank = [&ctx, &main] {
        TankEditorDialog editor(ctx, &main, &main);
        editor.addNewTank();
    };
    main.hooks.editTank = [&ctx, &main](const QString& name) {
        TankListDialog list(ctx, &main, &main);
        list.changeTank(name);
    };
    main.hooks.deleteTank = [&ctx, &main](const QString& name) {
        TankListDialog list(ctx, &main, &main);
        list.deleteTank(name);
    };
    main.hooks.showOptions = [&ctx, &main](int tab) {
        OptionsDialog options(ctx, &main);
        options.showOptions(tab);
    };
    main.hooks.backupDatabase = [&ctx] { backupDatabaseFile(ctx); };

    // ---- logbook ----
    main.registerChild(QStringLiteral("LogbookWindow"), [&ctx, &main]() -> QWidget* {
        return new LogbookWindow(ctx, &main);
    });

    // ---- scheduler ----
    // The task list has the reminders box rebuilt after every change and
    // brings up the schedule window with its View Schedule button.
    main.registerChild(QStringLiteral("ReminderListWindow"), [&ctx, &main]() -> QWidget* {
        ReminderListWindow::Hooks hooks;
        hooks.remindersChanged = [&main] { main.rebuildRemindersBox(); };
        hooks.showSchedule = [&main] { main.showChild(QStringLiteral("ScheduleWindow")); };
        return new ReminderListWindow(ctx, &main, hooks);
    });
    main.registerChild(QStringLiteral("ScheduleWindow"), [&ctx, &main]() -> QWidget* {
        return new ScheduleWindow(ctx, &main);
    });

    // ---- reports and tools ----
}
