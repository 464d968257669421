#include "app/Wiring.h"

#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/ui/TankEditorDialog.h"
#include "core/ui/TankListDialog.h"
#include "core/ui/OptionsDialog.h"
#include "logbook/ui/LogbookWindow.h"

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
        const QString dateMask = ctx.settings.dateMask;
        OptionsDialog options(ctx, &main);
        options.showOptions(tab);
        // Dates already on screen follow a new date order at once.
        if (ctx.settings.dateMask != dateMask) {
            if (ILogbookWindow* lb = main.logbook())
                lb->redrawDates();
            main.rebuildRemindersBox();
        }
    };
    main.hooks.backupDatabase = [&ctx] { backupDatabaseFile(ctx); };

    // ---- logbook ----
    main.registerChild(QStringLiteral("LogbookWindow"), [&ctx, &main]() -> QWidget* {
        return new LogbookWindow(ctx, &main);
    });

    // ---- scheduler ----

    // ---- reports and tools ----
}
