// The start-up sequence from an empty folder, an older file and a bad file.
#include "AppTestSupport.h"
#include "support/Controls.h"
#include "app/Startup.h"
#include "core/Database.h"
#include "core/OldLayouts.h"
#include "core/ui/TipOfTheDayDialog.h"
#include "logbook/NamesFile.h"
#include "support/CommaDecimalLocale.h"
#include "support/Files.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <clocale>

namespace {

StartupOptions quickOptions()
{
    StartupOptions options;
    options.splashMs = 20;
    options.upgradeDelayMs = 30;
    return options;
}

// Logs every message box ("msg:<title>") and modal window (its object name) in
// the order the keeper meets them; the tip window is closed with OK.
struct StartupRun {
    TestEnv env{false};
    QStringList log;
    std::unique_ptr<Startup> startup;
    std::unique_ptr<ModalWatcher> watcher;
    bool mainVisibleAtUpgradeMessage = true;
    QHash<QString, QRect> shownAt;   // where each modal window came up

    StartupRun()
    {
        env.messages.onShow = [this](const Message& m) {
            log << QStringLiteral("msg:") + m.title;
            if (m.title == QLatin1String("Upgrade Successful") && startup && startup->mainWindow())
                mainVisibleAtUpgradeMessage = startup->mainWindow()->isVisible();
        };
        watcher = std::make_unique<ModalWatcher>(log);
        watcher->answer = [this](QWidget* w) {
            shownAt.insert(w->objectName(), w->geometry());
            if (auto* tod = qobject_cast<TipOfTheDayDialog*>(w))
                tod->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        };
    }
    int run()
    {
        startup = std::make_unique<Startup>(*env.ctx, quickOptions());
        return startup->run();
    }
    // The program ends; the next start in the same folder begins afresh.
    void restart()
    {
        startup.reset();
        log.clear();
        env.messages.clear();
        env.ctx = std::make_unique<AppContext>();
        env.ctx->services = {&env.messages, &env.beeper, &env.clock, &env.random, &env.files, &env.printing};
        env.ctx->settingsStore = &env.store;
        env.ctx->startDir = env.dir.path();
    }
};

// Both shipped names files beside the database, and their names in its
// reference list.
void expectShippedNamesInstalled(TestEnv& env)
{
    for (const QString& name : {kSaltNamesFile, kFreshNamesFile})
        EXPECT_TRUE(QFileInfo(env.path(name)).isFile()) << name.toStdString();
    QSqlDatabase db = env.ctx->db();
    EXPECT_EQ(addShippedNamesToAnimalList(db), 0);   // every one is there already
}

} // namespace

TEST(Startup, FirstStartInAnEmptyFolder)
{
    StartupRun run;
    ASSERT_EQ(run.run(), 0);

    EXPECT_TRUE(QFile::exists(run.env.path("VX.MDB")));
    // Created-file notice, splash, tip, then the no-tank warning.
    EXPECT_EQ(run.log, (QStringList{"msg:Note!", "AboutBox", "TipOfTheDayDialog", "msg:No Tanks Set Up Yet"}));
    EXPECT_EQ(run.env.store.values.value("Show_Tips"), "Yes");
    EXPECT_FALSE(run.env.ctx->splashMode);

    const Message& warning = run.env.messages.shown.last();
    EXPECT_EQ(warning.text,
              "You have no tanks set up in Brinestead for Windows. You must set-up at least one tank before you "
              "can use the logging, graphing, or data-import tools in Brinestead. Set up a tank by clicking on the "
              "\"Setup / Manage Tanks\" button on the main menu.");
    EXPECT_EQ(warning.icon, MsgIcon::Exclamation);
    EXPECT_GE(run.env.beeper.count, 1);

    MainWindow* main = run.startup->mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(main->toolbarButton("logbook")->isEnabled());
    EXPECT_FALSE(main->toolbarButton("graphing")->isEnabled());
    EXPECT_TRUE(main->toolbarButton("tanksetup")->isEnabled());
    EXPECT_TRUE(child<QAction>(*main, "logbookAction")->isEnabled());
    EXPECT_TRUE(child<QAction>(*main, "graphingAction")->isEnabled());
    EXPECT_FALSE(child<QAction>(*main, "printAction")->isEnabled());
    EXPECT_EQ(run.env.ctx->graphPageSize, 20);
    EXPECT_EQ(run.env.ctx->dbVersion, kCurrentDbVersion);
    expectShippedNamesInstalled(run.env);
}

TEST(Startup, FirstStartLeftUnfinishedIsFinishedByTheNextStart)
{
    // The program ends while the note that the file was created is up, or a
    // folder stands where a names file goes. A link left under the name of the
    // mark of an unfinished start, to a file of the keeper's or to none, is
    // not written through: the mark is made new in its place.
    enum Case { EndedAtTheNote, FolderInTheWay, LinkToAFile, DanglingLink };
    for (const Case c : {EndedAtTheNote, FolderInTheWay, LinkToAFile, DanglingLink}) {
        SCOPED_TRACE(c == FolderInTheWay ? "folder in the way"
                     : c == LinkToAFile  ? "ended at the note, a link to a file of the keeper's under the mark's name"
                     : c == DanglingLink ? "ended at the note, a dangling link under the mark's name"
                                         : "ended at the note");
        const bool folderInTheWay = c == FolderInTheWay;
        StartupRun run;
        const QString setupMark = run.env.path("VX.MDB.setup");
        QTemporaryDir elsewhere;
        const QString keepers = elsewhere.filePath("notes.txt");
        if (c == LinkToAFile) {
            writeFile(keepers, "the keeper's notes\n");
        }
        if (c == LinkToAFile || c == DanglingLink) {
            ASSERT_TRUE(QFile::link(keepers, setupMark));
        }
        if (folderInTheWay) {
            ASSERT_TRUE(QDir().mkdir(run.env.path(kSaltNamesFile)));
            ASSERT_EQ(run.run(), 0);
            // The keeper hears which file could not be placed and why.
            ASSERT_EQ(run.log.mid(0, 2), (QStringList{"msg:Note!", "msg:Brinestead"}))
                << run.log.join(", ").toStdString();
            const Message& told = run.env.messages.shown[1];
            EXPECT_TRUE(told.text.contains(kSaltNamesFile + ": a folder of that name is in the way"))
                << told.text.toStdString();
            EXPECT_EQ(told.icon, MsgIcon::Exclamation);
            EXPECT_TRUE(QFileInfo(run.env.path(kFreshNamesFile)).isFile());
            EXPECT_TRUE(QFile::exists(setupMark));
            ASSERT_TRUE(QDir().rmdir(run.env.path(kSaltNamesFile)));
        } else {
            struct Ended {};
            const auto logMessage = run.env.messages.onShow;
            run.env.messages.onShow = [](const Message&) { throw Ended(); };
            EXPECT_THROW(run.run(), Ended);
            run.env.messages.onShow = logMessage;
            EXPECT_TRUE(QFileInfo(setupMark).isFile() && !QFileInfo(setupMark).isSymLink());
        }
        ASSERT_TRUE(QFile::exists(run.env.path("VX.MDB")));
        EXPECT_EQ(readAll(keepers), c == LinkToAFile ? "the keeper's notes\n" : "");
        EXPECT_EQ(QFileInfo::exists(keepers), c == LinkToAFile);

        run.restart();
        ASSERT_EQ(run.run(), 0);
        expectShippedNamesInstalled(run.env);
        EXPECT_FALSE(QFile::exists(setupMark));
        EXPECT_FALSE(run.log.contains("msg:Brinestead")) << run.log.join(", ").toStdString();

        // Once finished, a later start leaves the keeper's choice alone: a names
        // file the keeper removed stays removed.
        ASSERT_TRUE(QFile::remove(run.env.path(kFreshNamesFile)));
        run.restart();
        ASSERT_EQ(run.run(), 0);
        EXPECT_FALSE(QFile::exists(run.env.path(kFreshNamesFile)));
    }
}

TEST(Startup, ShowTipsSettingDecidesTheTip)
{
    const struct {
        const char* stored;
        bool tipShown;
        const char* storedAfter;
    } cases[] = {
        {"Yes", true, "Yes"},
        {"YES", true, "YES"},
        {"no", false, "no"},
        {"No", false, "No"},
        {"maybe", true, "Yes"},
        {"", true, "Yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        StartupRun run;
        run.env.store.values.insert("Show_Tips", QString::fromLatin1(c.stored));
        ASSERT_EQ(run.run(), 0);
        EXPECT_EQ(run.log.contains("TipOfTheDayDialog"), c.tipShown);
        EXPECT_EQ(run.env.store.values.value("Show_Tips"), QString::fromLatin1(c.storedAfter));
        EXPECT_EQ(run.env.ctx->showTipsFlag, c.tipShown);
    }
}

TEST(Startup, WithATankTheButtonsStayEnabledAndNoWarningShows)
{
    StartupRun run;
    ASSERT_TRUE(createInstalledDatabase(run.env.path("VX.MDB")));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "startup_tank");
        db.setDatabaseName(run.env.path("VX.MDB"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("INSERT INTO TANKLST (tankid, tankname, TankWaterType) "
                           "VALUES ('12-01-2026 10:00:00', 'Reef 1', '3')"));
        db.close();
    }
    QSqlDatabase::removeDatabase("startup_tank");
    run.env.store.values.insert("Show_Tips", "No");
    ASSERT_EQ(run.run(), 0);
    EXPECT_EQ(run.log, QStringList{"AboutBox"});
    EXPECT_TRUE(run.startup->mainWindow()->toolbarButton("logbook")->isEnabled());
    EXPECT_TRUE(run.startup->mainWindow()->toolbarButton("graphing")->isEnabled());
}

TEST(Startup, OlderFileIsUpgradedInItsWindowBeforeTheMainWindowShows)
{
    StartupRun run;
    oldlayout::Content content;
    content.tanks = {"Reef 1"};
    ASSERT_EQ(oldlayout::build(run.env.path("VX.MDB"), oldlayout::Version::V11, content), QString());

    ASSERT_EQ(run.run(), 0);
    const int upgradeAt = run.log.indexOf("UpgradeWindow");
    const int messageAt = run.log.indexOf("msg:Upgrade Successful");
    const int splashAt = run.log.indexOf("AboutBox");
    ASSERT_GE(upgradeAt, 0) << run.log.join(", ").toStdString();
    EXPECT_GT(messageAt, upgradeAt);
    EXPECT_GT(splashAt, messageAt);
    EXPECT_FALSE(run.mainVisibleAtUpgradeMessage);
    EXPECT_EQ(run.env.ctx->dbVersion, kCurrentDbVersion);
    // Then the start goes on as usual: a tank exists, so no warning.
    EXPECT_FALSE(run.log.contains("msg:No Tanks Set Up Yet"));
    EXPECT_TRUE(run.startup->mainWindow()->isVisible());
    // Each window opens whole on the screen, centred: the upgrade window on
    // the screen, the main window not being up yet, and the splash over the
    // main window.
    const QRect screen = run.startup->mainWindow()->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(run.startup->mainWindow()->frameGeometry()));
    const auto offCentre = [](const QRect& window, const QRect& over) {
        const QPoint off = window.center() - over.center();
        return std::max(std::abs(off.x()), std::abs(off.y()));
    };
    EXPECT_LE(offCentre(run.shownAt.value("UpgradeWindow"), screen), 1);
    EXPECT_LE(offCentre(run.shownAt.value("AboutBox"), run.startup->mainWindow()->geometry()), 1);
}

TEST(Startup, FileThatIsNoDatabaseEndsWithAMessageAndAnErrorStatus)
{
    StartupRun run;
    {
        QFile bad(run.env.path("VX.MDB"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write(QByteArray(4096, 'x'));
    }
    EXPECT_NE(run.run(), 0);
    ASSERT_FALSE(run.env.messages.shown.isEmpty());
    EXPECT_EQ(run.env.messages.shown.first().icon, MsgIcon::Critical);
    EXPECT_TRUE(run.env.messages.shown.first().text.contains("VX.MDB"));
    EXPECT_FALSE(run.log.contains("AboutBox"));
    EXPECT_FALSE(run.startup->mainWindow()->isVisible());
    QFile bad(run.env.path("VX.MDB"));
    ASSERT_TRUE(bad.open(QIODevice::ReadOnly));
    EXPECT_EQ(bad.readAll(), QByteArray(4096, 'x'));   // left untouched
}

TEST(Startup, StartBesideARunningCopyEndsAndLeavesThatCopysBackupAlone)
{
    // The copy that runs is backing the file up: its record and its temporary
    // copy beside the target, as this release or an earlier one records it.
    const struct {
        const char* label;
        const char* record;   // %1: the target, %2: the temporary copy
    } cases[] = {
        {"this release", "backup to %1\n"},
        {"an earlier release", "%2\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        StartupRun run;
        ASSERT_TRUE(createInstalledDatabase(run.env.path("VX.MDB")));
        AppContext running;
        running.startDir = run.env.dir.path();
        running.connectionName = QStringLiteral("running_copy");
        ASSERT_TRUE(openDatabase(running).ok());
        const QString target = run.env.path("weekly.bak");
        const QString part = target + ".a1B2c3.part";
        const QString record = run.env.path("VX.MDB.backup");
        writeFile(part, QByteArray(4096, 'x'));
        writeFile(part + "-journal", QByteArray(512, 'j'));
        writeFile(record, QString::fromLatin1(c.record).arg(target, part).toUtf8());
        const QByteArray recorded = readAll(record);

        EXPECT_NE(run.run(), 0);

        ASSERT_EQ(run.env.messages.shown.size(), 1);
        EXPECT_EQ(run.env.messages.shown[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(run.env.messages.shown[0].text.contains("another running copy"))
            << run.env.messages.shown[0].text.toStdString();
        EXPECT_FALSE(run.startup->mainWindow()->isVisible());
        EXPECT_EQ(readAll(part), QByteArray(4096, 'x'));
        EXPECT_EQ(readAll(part + "-journal"), QByteArray(512, 'j'));
        EXPECT_EQ(readAll(record), recorded);
        closeDatabase(running);
    }
}

TEST(Startup, FailedUpgradeEndsWithAMessageAndAnErrorStatus)
{
    // A column the 2.0 step means to add is already there: that step fails. From
    // "0.0 " the 1.1 step has been completed by then, so the file is not as it was.
    const struct {
        oldlayout::Version version;
        bool firstStepDone;
    } cases[] = {{oldlayout::Version::V11, false}, {oldlayout::Version::V00, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firstStepDone ? "from 0.0" : "from 1.1");
        StartupRun run;
        oldlayout::Content content;
        ASSERT_EQ(oldlayout::build(run.env.path("VX.MDB"), c.version, content), QString());
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "startup_break");
            db.setDatabaseName(run.env.path("VX.MDB"));
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            ASSERT_TRUE(q.exec("ALTER TABLE maintsched ADD COLUMN SchedRtype INTEGER"));
            db.close();
        }
        QSqlDatabase::removeDatabase("startup_break");

        EXPECT_NE(run.run(), 0);
        EXPECT_EQ(run.log.contains("msg:Upgrade Successful"), c.firstStepDone);
        EXPECT_TRUE(run.log.contains("msg:Upgrade Failed")) << run.log.join(", ").toStdString();
        EXPECT_FALSE(run.log.contains("AboutBox"));
        EXPECT_FALSE(run.startup->mainWindow()->isVisible());

        const Message& failure = run.env.messages.shown.last();
        EXPECT_EQ(failure.icon, MsgIcon::Critical);
        EXPECT_FALSE(failure.text.contains("left as it was")) << failure.text.toStdString();
        EXPECT_TRUE(failure.text.contains("version 1.1")) << failure.text.toStdString();
        // The message names the copy of the file from before the upgrade, and it is there.
        const QStringList copies = QDir(run.env.dir.path()).entryList({"VX.MDB.*.bak"}, QDir::Files);
        ASSERT_EQ(copies.size(), 1);
        EXPECT_TRUE(failure.text.contains(copies.first())) << failure.text.toStdString();
    }
}

TEST(Startup, TipDecisionRepairsUnknownValues)
{
    const struct {
        const char* stored;   // nullptr: missing
        bool show;
        const char* after;
    } cases[] = {
        {nullptr, true, "Yes"}, {"yEs", true, "yEs"}, {"nO", false, "nO"}, {"Not Found", true, "Yes"}, {" no", true, "Yes"},
    };
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (c.stored)
            store.values.insert("Show_Tips", QString::fromLatin1(c.stored));
        EXPECT_EQ(tipOfTheDayAtStartup(store), c.show) << (c.stored ? c.stored : "(missing)");
        EXPECT_EQ(store.values.value("Show_Tips"), QString::fromLatin1(c.after));
    }
}

TEST(Startup, NumbersKeepTheirPointOnACommaDecimalSystem)
{
    // The application object hands the C library the environment's language.
    CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << "no comma-decimal locale installed (scripts/install-deps.sh makes de_DE.UTF-8)";
    StartupRun run;
    ASSERT_EQ(run.run(), 0);
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
}

TEST(Startup, FileMendedOnTheWayInIsReportedBeforeTheMainWindow)
{
    StartupRun run;
    ASSERT_TRUE(createInstalledDatabase(run.env.path("VX.MDB")));
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "mend");
        raw.setDatabaseName(run.env.path("VX.MDB"));
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("INSERT INTO TANKLST (tankid, tankname) VALUES ('k', 'Reef')"));
        ASSERT_TRUE(q.exec("INSERT INTO livestock (tankname, dateadded, animalname) VALUES ('k', '2026-01-01', 'Tang')"));
        // The index now reads differently from how its entries were made: it
        // no longer matches its table, as after flipped bits.
        ASSERT_TRUE(q.exec("PRAGMA writable_schema = ON"));
        ASSERT_TRUE(q.exec("UPDATE sqlite_master SET sql = 'CREATE INDEX livestock_tank ON livestock (animalname)' "
                           "WHERE name = 'livestock_tank'"));
        q.finish();
        raw.close();
    }
    QSqlDatabase::removeDatabase("mend");

    ASSERT_EQ(run.run(), 0);
    ASSERT_FALSE(run.log.isEmpty());
    EXPECT_EQ(run.log.first(), "msg:Brinestead");
    EXPECT_TRUE(run.env.messages.shown.first().text.contains("VX.MDB.damaged"))
        << qPrintable(run.env.messages.shown.first().text);
    EXPECT_TRUE(QFile::exists(run.env.path("VX.MDB.damaged")));
}
