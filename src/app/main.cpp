#include "app/Wiring.h"
#include "app/frm_ZELMDIMain.h"
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/ui/QtServices.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brinestead"));

    QtMessageBox messages;
    QtBeeper beeper;
    SystemClock clock;
    SystemRandom random;
    QtFileDialogs files;
    auto store = makeQSettingsStore();

    AppContext ctx;
    ctx.services = {&messages, &beeper, &clock, &random, &files};
    ctx.settingsStore = store.get();
    ctx.startDir = QDir::currentPath();

    const DbOpenResult opened = openDatabase(ctx);
    if (!opened.ok()) {
        ctx.services.tell(opened.message, QStringLiteral("Brinestead"), MsgIcon::Critical);
        return 1;
    }
    Get_Initial_Properties(ctx);

    frm_ZELMDIMain main(ctx);
    wireApplication(ctx, main);
    main.Top20List();
    main.show();
    return app.exec();
}
