#include "app/Wiring.h"

#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/ui/TankEditorDialog.h"
#include "core/ui/TankListDialog.h"
#include "core/ui/OptionsDialog.h"
#include "logbook/ui/LogbookWindow.h"
#include "reports/ui/LogPrintDialog.h"
#include "reports/ui/WaterGraphWindow.h"
#include "scheduler/ui/ReminderListWindow.h"
#include "scheduler/ui/ScheduleWindow.h"
#include "tools/ui/CompatibilityWindow.h"
#include "tools/ui/ConversionCalculatorWindow.h"
#include "tools/ui/DiagnosisWizard.h"
#include "tools/ui/FantasyTankWindow.h"
#include "tools/ui/NamesCrossReferenceWindow.h"

#include <QMenu>
#include <memory>

namespace {

// An open graph lists the tanks as they are after a change, in its box and on paper.
void refreshGraphTanks(MainWindow& main)
{
    if (auto* graph = qobject_cast<WaterGraphWindow*>(main.childWindow(QStringLiteral("WaterGraphWindow"), false)))
        graph->refreshTanks();
}

} // namespace

void wireApplication(AppContext& ctx, MainWindow& main)
{
    // ---- tanks, options, backup ----
    // Tools > Tank Setup: the shell runs checkTanksSetUp once the list has closed.
    // An open logbook rebuilds its tree and an open graph its tank box, so
    // that a tank deleted or renamed in the list no longer shows there (nor
    // takes new entries). The logbook's tank pop-up (New Tank, Properties,
    // Delete Tank) has the shell rebuild the logbook's tree; the graph's box
    // follows here.
    main.hooks.showTankList = [&ctx, &main] {
        TankListDialog list(ctx, &main, &main);
        list.showTankList();
        if (ILogbookWindow* lb = main.logbook())
            lb->refreshTankTree();
        refreshGraphTanks(main);
    };
    main.hooks.addTank = [&ctx, &main] {
        TankEditorDialog editor(ctx, &main, &main);
        editor.addNewTank();
        refreshGraphTanks(main);
    };
    main.hooks.editTank = [&ctx, &main](const QString& tankId) {
        TankListDialog list(ctx, &main, &main);
        list.changeTank(tankId);
        refreshGraphTanks(main);
    };
    main.hooks.deleteTank = [&ctx, &main](const QString& tankId) {
        TankListDialog list(ctx, &main, &main);
        list.deleteTank(tankId);
        refreshGraphTanks(main);
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
        auto* logbook = new LogbookWindow(ctx, &main);
        QObject::connect(logbook, &LogbookWindow::tankPicked, &main, &MainWindow::noteTankPicked);
        // The logbook's print command: the log print dialog, preset to the log
        // of the current tab and the selected tank.
        logbook->printEntriesHook = [&ctx, &main, logbook](int tab, const QString& tankKey, const QString&) {
            LogPrintDialog dialog(ctx, &main, logbook);
            dialog.selectLog(LogPrintDialog::logOfTab(tab));
            dialog.setTank(tankKey);
            dialog.exec();
            logbook->activate();   // the logbook claims File > Print again
        };
        return logbook;
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
    // Tools > Disease Diagnosis: each run is a new wizard; the history of the
    // last run stays until the next one starts.
    auto diagnosisHistory = std::make_shared<diagnosis::History>();
    main.hooks.runDiagnosisWizard = [&ctx, &main, diagnosisHistory] {
        DiagnosisWizard wizard(ctx, *diagnosisHistory, &main, &main);
        return wizard.runOnce() == DiagnosisWizard::StartedOver;
    };
    main.registerChild(QStringLiteral("CompatibilityWindow"), [&ctx, &main]() -> QWidget* {
        return new CompatibilityWindow(ctx, &main);
    });
    main.registerChild(QStringLiteral("FantasyTankWindow"), [&ctx, &main]() -> QWidget* {
        return new FantasyTankWindow(ctx, &main);
    });
    main.registerChild(QStringLiteral("NamesCrossReferenceWindow"), [&ctx, &main]() -> QWidget* {
        return new NamesCrossReferenceWindow(ctx, &main);
    });
    main.registerChild(QStringLiteral("ConversionCalculatorWindow"), [&ctx]() -> QWidget* {
        return new ConversionCalculatorWindow(ctx);
    });
    // The water-quality graph: Tools > Graphing, its toolbar button, the
    // logbook's graph command and Graph Options draw through graphTank.
    main.registerChild(QStringLiteral("WaterGraphWindow"), [&ctx, &main]() -> QWidget* {
        auto* graph = new WaterGraphWindow(ctx, &main);
        graph->setPopupMenu(main.findChild<QMenu*>(QStringLiteral("graphMenu")));
        QObject::connect(graph, &WaterGraphWindow::tankPicked, &main, &MainWindow::noteTankPicked);
        return graph;
    });
    // The tank given is drawn; without one the graph draws the tank it shows.
    main.hooks.showGraph = [&main](const std::optional<QString>& tankId) {
        main.showChild(QStringLiteral("WaterGraphWindow"));
        if (auto* graph = qobject_cast<WaterGraphWindow*>(main.childWindow(QStringLiteral("WaterGraphWindow"), false)))
            graph->graphTank(tankId);
    };
    main.hooks.graphVisible = [&main] {
        QWidget* graph = main.childWindow(QStringLiteral("WaterGraphWindow"), false);
        return graph && graph->isVisible();
    };
}
