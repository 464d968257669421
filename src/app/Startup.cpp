#include "app/Startup.h"

#include "app/Wiring.h"
#include "app/MainWindow.h"
#include "core/AppContext.h"
#include "core/Backup.h"
#include "core/Database.h"
#include "core/OwnFiles.h"
#include "core/Settings.h"
#include "core/ui/AboutBox.h"
#include "core/ui/TipOfTheDayDialog.h"
#include "core/ui/UpgradeWindow.h"
#include "logbook/NamesFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <clocale>

namespace {

// The mark, beside the database, that a new start directory's setup (the
// shipped names files and their names in the database) is not finished yet.
// It is made before the database file is created and removed once the setup
// is complete, so a later start finishes what a first start cut short (the
// program ended while the new-database note was up) did not.
QString setupPendingPath(const AppContext& ctx)
{
    return ctx.dbPath() + QStringLiteral(".setup");
}

void markSetupPending(const AppContext& ctx)
{
    writeOwnFile(setupPendingPath(ctx), QByteArray());
}

} // namespace

bool tipOfTheDayAtStartup(ISettingsStore& store)
{
    const QString key = QStringLiteral("Show_Tips");
    const QString value = store.get(key, kNotFound).toUpper();
    if (value == QLatin1String("YES"))
        return true;
    if (value == QLatin1String("NO"))
        return false;
    store.set(key, QStringLiteral("Yes"));
    return true;
}

Startup::Startup(AppContext& ctx, StartupOptions options)
    : m_ctx(ctx), m_options(options)
{
}

Startup::~Startup()
{
    // The about box is a child of the main window; let it go first.
    m_about.reset();
    m_main.reset();
}

int Startup::run()
{
    // The application object set the C library to the environment's locale;
    // numbers are read and written with '.' as the decimal point whatever the
    // keeper's language, so the C library keeps the C rules for numbers.
    std::setlocale(LC_NUMERIC, "C");

    // Windows come and go before the main window is up; none of that ends the program.
    const bool quitOnLast = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    struct RestoreQuit {
        bool value;
        ~RestoreQuit() { QApplication::setQuitOnLastWindowClosed(value); }
    } restore{quitOnLast};

    // Build the main window, with its pop-ups hidden and File > Print disabled,
    // and wire the commands of its menus and toolbar.
    m_main = std::make_unique<MainWindow>(m_ctx);
    m_main->setFilePrintEnabled(false);
    wireApplication(m_ctx, *m_main);

    // Name the database file and load the about window without showing it.
    m_ctx.dbFileName = QStringLiteral("VX.MDB");
    m_about = std::make_unique<AboutBox>(m_ctx, m_main.get());
    m_about->setSplashInterval(m_options.splashMs);
    m_about->setCreditsStepMs(m_options.creditsStepMs);

    // Open the database file, creating a missing one; a file that cannot be
    // used ends the start with the reason.
    if (!QFileInfo::exists(m_ctx.dbPath()))
        markSetupPending(m_ctx);
    const DbOpenResult opened = openDatabase(m_ctx);
    if (!opened.ok()) {
        m_ctx.services.tell(opened.message, QStringLiteral("Brinestead"), MsgIcon::Critical, true);
        return 2;
    }
    if (opened.status == DbOpenResult::Created && !opened.message.isEmpty())
        m_ctx.services.tell(opened.message, QStringLiteral("Note!"), MsgIcon::Information, false);
    // A file that was mended on the way in (its indexes rebuilt): the keeper
    // hears what was found and where the copy of the damaged file is.
    if (opened.status == DbOpenResult::Opened && !opened.message.isEmpty())
        m_ctx.services.tell(opened.message, QStringLiteral("Brinestead"), MsgIcon::Exclamation, true);
    // A backup cut short in an earlier run leaves its temporary copy; it goes now.
    removeInterruptedBackupCopy(m_ctx);

    // Check the file's version; an older file is upgraded in its window first.
    if (checkDatabaseVersion(m_ctx) != kCurrentDbVersion) {
        UpgradeWindow upgrade(m_ctx, nullptr, m_options.upgradeDelayMs);
        upgrade.exec();
        if (!upgrade.finished() || !upgrade.result().ok)
            return 3;
    }

    // A new start directory gets the shipped species names files beside its
    // database, and their names in the database's reference list, so that the
    // species lists offer names from the first day whichever source is chosen.
    // A setup that an earlier start left unfinished is finished here.
    const QString setupPending = setupPendingPath(m_ctx);
    // Only a mark the program made counts: a link under its name is none.
    const QFileInfo mark(setupPending);
    if (opened.status == DbOpenResult::Created || (mark.isFile() && !mark.isSymLink())) {
        QString problem;
        const bool filesInstalled = installDefaultNameFiles(m_ctx.startDir, &problem);
        if (!filesInstalled)
            m_ctx.services.tell(QStringLiteral("A species names file could not be installed in %1 (%2). "
                                               "Brinestead tries again at its next start.")
                                    .arg(QDir::toNativeSeparators(m_ctx.startDir), problem),
                                QStringLiteral("Brinestead"), MsgIcon::Exclamation, true);
        QSqlDatabase db = m_ctx.db();
        const bool namesAdded = addShippedNamesToAnimalList(db) >= 0;
        if (filesInstalled && namesAdded)
            QFile::remove(setupPending);
    }

    // Load every setting, from the settings store and the CONFIG row.
    loadSettings(m_ctx);

    // Set the graph's page size, then let the windows drawn so far paint.
    m_ctx.graphPageSize = 20;
    QApplication::processEvents();

    // Fill the reminders box with the next reminders.
    m_main->rebuildRemindersBox();

    // Show the main window; the splash and the tip open over it.
    m_main->show();

    if (m_options.splashAndTip) {
        // Show the splash until its timer runs out.
        m_ctx.splashMode = true;
        m_about->exec();
        m_ctx.splashMode = false;

        // Show the tip of the day, unless the keeper turned it off.
        m_ctx.showTipsFlag = m_ctx.settingsStore ? tipOfTheDayAtStartup(*m_ctx.settingsStore) : true;
        if (m_ctx.showTipsFlag) {
            TipOfTheDayDialog tod(m_ctx, m_main.get());
            tod.exec();
        }
    }

    // Warn when no tank is set up, and enable the logbook and graphing buttons
    // only when one is.
    m_main->checkTanksSetUp();
    return 0;
}
