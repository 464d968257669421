#include "app/Wiring.h"

#include "app/frm_ZELMDIMain.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/ui/frm_TankAddNew.h"
#include "core/ui/frm_TankMaint.h"
#include "core/ui/frm_ZELOptions.h"
#include "logbook/ui/frm_Waterlog.h"

void wireApplication(AppContext& ctx, frm_ZELMDIMain& main)
{
    (void)ctx;
    (void)main;
    // ---- tanks, options, backup ----
    // Tools > Tank Setup: the shell runs CheckTanksSetUp once the list has closed.
    // An open logbook rebuilds its tree, so that a tank deleted or renamed in
    // the list no longer shows there (nor takes new entries).
    main.hooks.showTankList = [&ctx, &main] {
        frm_TankMaint list(ctx, &main, &main);
        list.Show_List();
        if (ILogbookWindow* lb = main.logbook())
            lb->Refresh_Treeview();
    };
    main.hooks.addNewTank = [&ctx, &main] {
        frm_TankAddNew editor(ctx, &main, &main);
        editor.AddNewTank();
    };
    main.hooks.changeTankInfo = [&ctx, &main](const QString& name) {
        frm_TankMaint list(ctx, &main, &main);
        list.ChangeTankInfo(name);
    };
    main.hooks.deleteTankInfo = [&ctx, &main](const QString& name) {
        frm_TankMaint list(ctx, &main, &main);
        list.DeleteTankInfo(name);
    };
    main.hooks.showOptions = [&ctx, &main](int tab) {
        frm_ZELOptions options(ctx, &main);
        options.ShowOptions(tab);
    };
    main.hooks.backupDatabase = [&ctx] { BackupDatabase(ctx); };

    // ---- logbook ----
    main.registerChild(QStringLiteral("frm_Waterlog"), [&ctx, &main]() -> QWidget* {
        return new frm_Waterlog(ctx, &main);
    });

    // ---- scheduler ----

    // ---- reports and tools ----
}
