// File > Backup Database through the main window's menu.
#include "app/Wiring.h"
#include "app/MainWindow.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A folder nobody may create files in: a read-only folder, or for the
// superuser (who writes anywhere on a normal disk) sysfs.
QString readOnlyFolder(TestEnv& env)
{
    if (geteuid() != 0) {
        const QString folder = env.path("locked");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        return folder;
    }
    return QStringLiteral("/sys");
}

// File > Backup Database, as the keeper picks it.
void backUp(MainWindow& main)
{
    for (QAction* action : main.findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("&Backup Database")) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << "the main window has no Backup Database command";
}

} // namespace

TEST(BackupMenu, ReadOnlyFolderIsReportedAndTheProgramKeepsWorking)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    const QString target = readOnlyFolder(env) + "/copy.bak";
    env.files.answers.enqueue(target);

    backUp(main);

    ASSERT_EQ(env.files.titles, QStringList({"Backup Brinestead Database As ..."}));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_TRUE(env.messages.shown[0].text.startsWith("VX.MDB could not be backed up to " + target + ": "));
    EXPECT_FALSE(QFileInfo::exists(target));

    // The database is still open: a write works, and the next backup succeeds.
    QSqlQuery q(env.ctx->db());
    EXPECT_TRUE(q.exec("INSERT INTO TANKLST (tankid, tankname) VALUES ('12-08-2026 14:05:09', 'Reef')"));
    const QString good = env.path("good.bak");
    env.files.answers.enqueue(good);
    backUp(main);
    ASSERT_EQ(env.messages.shown.size(), 2);
    EXPECT_TRUE(env.messages.shown[1].text.startsWith("VX.MDB was backed up to " + good));
    EXPECT_TRUE(QFileInfo(good).size() > 0);
}
