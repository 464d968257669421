#include "app/Wiring.h"

#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/ui/TankEditorDialog.h"
#include "core/ui/TankListDialog.h"
#include "core/ui/OptionsDialog.h"
#include "logbook/ui/LogbookWindow.h"
#include "core/ui/HelpWindow.h"
#include "reports/ui/WaterGraphWindow.h"

#include <QMenu>

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

    // ---- reports and tools ----
    // The water-quality graph: Tools > Graphing, its toolbar button, the
    // logbook's graph command and Graph Options draw through graphChart.
    main.registerChild(QStringLiteral("WaterGraphWindow"), [&ctx, &main]() -> QWidget* {
        auto* graph = new WaterGraphWindow(ctx, &main);
        graph->setPopupMenu(main.findChild<QMenu*>(QStringLiteral("graphMenu")));
        graph->showHelpPage = [&main](const QString& page) {
            auto* help = main.findChild<HelpWindow*>();
            if (!help) {
                help = new HelpWindow(&main);
                help->setWindowFlag(Qt::Window, true);
            }
            help->showPage(page);
            help->show();
            help->raise();
        };
        return graph;
    });
    main.hooks.showGraph = [&main] {
        main.showChild(QStringLiteral("WaterGraphWindow"));
        if (auto* graph = qobject_cast<WaterGraphWindow*>(main.childWindow(QStringLiteral("WaterGraphWindow"), false)))
            graph->graphChart();
    };
    main.hooks.graphVisible = [&main] {
        QWidget* graph = main.childWindow(QStringLiteral("WaterGraphWindow"), false);
        return graph && graph->isVisible();
    };
}
