#include "app/Startup.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/ui/QtPrinting.h"
#include "core/ui/QtServices.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The application name only: a display name would be added by the window
    // system to every window's caption (" Brinestead 98 - Brinestead").
    QApplication::setApplicationName(QStringLiteral("Brinestead"));

    QtMessageBox messages;
    QtBeeper beeper;
    SystemClock clock;
    SystemRandom random;
    QtFileDialogs files;
    QtPrintService printing(&files, &messages);
    auto store = makeQSettingsStore();

    AppContext ctx;
    ctx.services = {&messages, &beeper, &clock, &random, &files, &printing};
    ctx.settingsStore = store.get();
    // The start directory: where the program was started, as an absolute path.
    ctx.startDir = QDir::currentPath();

    Startup startup(ctx);
    const int status = startup.run();
    if (status != 0)
        return status;
    return app.exec();
}
