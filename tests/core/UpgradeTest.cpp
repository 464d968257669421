// Bringing "0.0 " and "1.1 " files up to "2.0 ".
#include "core/OldLayouts.h"
#include "support/TestEnv.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QList<QStringList> rows(const QSqlDatabase& db, const QString& sql)
{
    QList<QStringList> out;
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << qPrintable(q.lastError().text());
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i)
            row << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        out << row;
    }
    return out;
}

struct Recorded {
    QList<int> progress;
    QStringList labels;
    QList<Message> messages;
    UpgradeCallbacks callbacks()
    {
        return {[this](int v) { progress << v; }, [this](const QString& t) { labels << t; },
                [this](const Message& m) {
                    messages << m;
                    return MsgResult::Ok;
                }};
    }
};

// A start directory holding an old file, opened and version-checked.
struct OldFileEnv {
    TestEnv env{false};
    explicit OldFileEnv(oldlayout::Version version, const oldlayout::Content& content)
    {
        const QString error = oldlayout::build(env.ctx->dbPath(), version, content);
        EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
    }
    DbOpenResult open()
    {
        const DbOpenResult r = openDatabase(*env.ctx);
        if (r.ok())
            checkDatabaseVersion(*env.ctx);
        return r;
    }
    QSqlDatabase db() const { return env.ctx->db(); }
};

const QString kMessage11 = QStringLiteral(
    "Your copy of Brinestead has been successfully upgraded to version 1.1. The new \"tank water type\" "
    "and freshwater animal list options have been installed, and all of your tanks are set to \"salt "
    "water\". Be sure to use the \"Setup/Manage Tanks\" option to set the correct water type if this is "
    "incorrect. You will not get freshwater animals lists until you do. ");
const QString kMessage20 = QStringLiteral("Your copy of Brinestead has been successfully upgraded to version 98.");

} // namespace

TEST(Upgrade, FirstLayoutPassesBothSteps)
{
    oldlayout::Content content;
    content.tanks = {"Reef", "Pond"};
    content.animals = {"Clownfish", "Tang", "Goby"};
    content.reminders = {{"Feed", QStringLiteral("2024-02-29"), 1}, {"Clean", QStringLiteral("1998-08-15"), 3}};
    OldFileEnv f(oldlayout::Version::V00, content);
    ASSERT_TRUE(f.open().ok());
    EXPECT_EQ(f.env.ctx->dbVersion, "0.0 ");
    const QByteArray before = fileHash(f.env.ctx->dbPath());

    Recorded rec;
    const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(f.env.ctx->dbVersion, "2.0 ");
    EXPECT_EQ(rows(f.db(), "SELECT db_version FROM CONFIG"), QList<QStringList>{{"2.0 "}});

    EXPECT_EQ(rows(f.db(), "SELECT tankname, TankWaterType FROM TANKLST ORDER BY rowid"),
              (QList<QStringList>{{"Reef", "2"}, {"Pond", "2"}}));

    const auto animals = rows(f.db(), "SELECT animalname, AnimalType FROM animallist ORDER BY rowid");
    ASSERT_EQ(animals.size(), 3 + 55 + 12);
    EXPECT_EQ(animals.mid(0, 3), (QList<QStringList>{{"Clownfish", "2"}, {"Tang", "2"}, {"Goby", "2"}}));
    for (int i = 0; i < 55; ++i)
        EXPECT_EQ(animals[3 + i], (QStringList{freshwaterSeedNames()[i], "1"}));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(animals[58 + i], (QStringList{maintenanceSeedNames()[i], "M"}));
    EXPECT_EQ(freshwaterSeedNames().first(), "Algaeeater");
    EXPECT_EQ(freshwaterSeedNames().last(), "Zebra");
    EXPECT_EQ(maintenanceSeedNames().at(10), "Water Top - off");

    EXPECT_EQ(rows(f.db(), "SELECT SchedTask, SchedRtype, SchedRSubtype, SchedDetailText, SchedEnglishDesc, "
                           "SchedEndDate FROM maintsched ORDER BY rowid"),
              (QList<QStringList>{{"Feed", "0", "<null>", "<null>", "<null>", "2025-02-28"},
                                  {"Clean", "0", "<null>", "<null>", "<null>", "2001-08-15"}}));

    EXPECT_EQ(rec.progress, (QList<int>{10, 20, 30, 40, 50, 100, 10, 20, 30, 40, 50, 60, 70, 80}));
    EXPECT_EQ(rec.labels, (QStringList{"Upgrading database to version 1.1", "Upgrading database to version 2.0"}));
    ASSERT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(rec.messages[0].text, kMessage11);
    EXPECT_EQ(rec.messages[0].title, "Upgrade Successful");
    EXPECT_EQ(rec.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(rec.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(rec.messages[1].text, kMessage20);
    EXPECT_EQ(rec.messages[1].title, "Upgrade Successful");
    EXPECT_EQ(rec.messages[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(rec.messages[1].icon, MsgIcon::Information);

    // The copy beside the file is the file as it was before the first step.
    ASSERT_FALSE(result.backupPath.isEmpty());
    EXPECT_EQ(fileHash(result.backupPath), before);

    // Settings from the old CONFIG row survive.
    loadSettings(*f.env.ctx);
    EXPECT_EQ(f.env.ctx->defWaterType, "SALT");
    EXPECT_EQ(f.env.ctx->userFieldName1, "Iodine");
}

TEST(Upgrade, SecondLayoutRunsOnlyTheSecondStep)
{
    oldlayout::Content content;
    content.tanks = {"Reef"};
    content.reminders = {{"Feed", QStringLiteral("2020-03-01"), QVariant()},
                         {"Test", QVariant(), 2},
                         {"Dose", QStringLiteral("2019-12-31"), 0}};
    OldFileEnv f(oldlayout::Version::V11, content);
    ASSERT_TRUE(f.open().ok());
    EXPECT_EQ(f.env.ctx->dbVersion, "1.1 ");
    // A copy kept by an earlier attempt is not overwritten.
    const QString earlierCopy = f.env.ctx->dbPath() + ".v1.1.bak";
    {
        QFile earlier(earlierCopy);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    // ... nor is a copy written through a link left under the next name.
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::link(elsewhere.filePath("copy"), earlierCopy + ".2"));
    const QByteArray before = fileHash(f.env.ctx->dbPath());

    Recorded rec;
    const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    EXPECT_EQ(rec.labels, QStringList{"Upgrading database to version 2.0"});
    EXPECT_EQ(rec.progress, (QList<int>{10, 20, 30, 40, 50, 60, 70, 80}));
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].text, kMessage20);
    EXPECT_EQ(rows(f.db(), "SELECT TankWaterType FROM TANKLST"), QList<QStringList>{{"1"}});
    EXPECT_EQ(rows(f.db(), "SELECT count(*) FROM animallist"), QList<QStringList>{{"0"}});
    // Null years or no start date give no end date.
    EXPECT_EQ(rows(f.db(), "SELECT SchedRtype, SchedEndDate FROM maintsched ORDER BY rowid"),
              (QList<QStringList>{{"0", "<null>"}, {"0", "<null>"}, {"0", "2019-12-31"}}));
    EXPECT_EQ(checkDatabaseVersion(*f.env.ctx), "2.0 ");
    EXPECT_EQ(result.backupPath, earlierCopy + ".3");
    EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath("copy")));
    EXPECT_EQ(fileHash(result.backupPath), before);
    QFile earlier(earlierCopy);
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
}

TEST(Upgrade, OtherVersionsRunNothing)
{
    struct Case {
        const char* stored;
        bool ran;
    };
    const Case cases[] = {{"2.0 ", false}, {"2.0", false}, {"", false}, {"garbage", false}, {"1.1", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        OldFileEnv f(oldlayout::Version::V11, {});
        {
            QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_version");
            raw.setDatabaseName(f.env.ctx->dbPath());
            ASSERT_TRUE(raw.open());
            QSqlQuery q(raw);
            q.prepare("UPDATE CONFIG SET db_version = ?");
            q.addBindValue(QString::fromLatin1(c.stored));
            ASSERT_TRUE(q.exec());
            raw.close();
        }
        QSqlDatabase::removeDatabase("raw_version");
        ASSERT_TRUE(f.open().ok());
        EXPECT_EQ(f.env.ctx->dbVersion, QString::fromLatin1(c.stored));
        const QByteArray before = fileHash(f.env.ctx->dbPath());
        Recorded rec;
        const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(result.ran, c.ran);
        if (!c.ran) {
            EXPECT_TRUE(rec.messages.isEmpty());
            EXPECT_TRUE(rec.progress.isEmpty());
            EXPECT_EQ(fileHash(f.env.ctx->dbPath()), before);
            EXPECT_TRUE(result.backupPath.isEmpty());
        } else {
            EXPECT_EQ(f.env.ctx->dbVersion, "2.0 ");
        }
    }
}

TEST(Upgrade, FailingStepLeavesTheFileAsItWas)
{
    oldlayout::Content content;
    content.tanks = {"Reef"};
    content.reminders = {{"Feed", QStringLiteral("2020-03-01"), 1}};
    OldFileEnv f(oldlayout::Version::V11, content);
    {
        // A column the step wants to add is there already.
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_fail");
        raw.setDatabaseName(f.env.ctx->dbPath());
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("ALTER TABLE maintsched ADD COLUMN SchedEndDate TEXT"));
        raw.close();
    }
    QSqlDatabase::removeDatabase("raw_fail");
    ASSERT_TRUE(f.open().ok());
    const QByteArray before = fileHash(f.env.ctx->dbPath());

    Recorded rec;
    const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.ran);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(f.env.ctx->dbVersion, "1.1 ");
    EXPECT_EQ(checkDatabaseVersion(*f.env.ctx), "1.1 ");
    EXPECT_FALSE(tableHasColumn(f.db(), "maintsched", "SchedRtype"));
    closeDatabase(*f.env.ctx);
    EXPECT_EQ(fileHash(f.env.ctx->dbPath()), before);
    EXPECT_EQ(fileHash(result.backupPath), before);
}

TEST(Upgrade, SecondStepFailingKeepsTheFirstStepsWork)
{
    // Each step is a transaction of its own: a "0.0 " file whose second step
    // fails stays at "1.1 ", and the next start runs only that step again.
    oldlayout::Content content;
    content.tanks = {"Reef"};
    OldFileEnv f(oldlayout::Version::V00, content);
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_fail2");
        raw.setDatabaseName(f.env.ctx->dbPath());
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("ALTER TABLE maintsched ADD COLUMN SchedRtype INTEGER"));
        raw.close();
    }
    QSqlDatabase::removeDatabase("raw_fail2");
    ASSERT_TRUE(f.open().ok());
    Recorded rec;
    const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(f.env.ctx->dbVersion, "1.1 ");
    EXPECT_EQ(checkDatabaseVersion(*f.env.ctx), "1.1 ");
    EXPECT_EQ(rows(f.db(), "SELECT count(*) FROM animallist"), QList<QStringList>{{"67"}});
}

TEST(Upgrade, FileWithoutConfigRowIsReadAtItsLayoutsVersionAndUpgraded)
{
    // The default row takes the version the tables are at: a "1.1 " file
    // taken for "2.0 " would never get the rule columns, and every reminder
    // would fail to read from then on.
    const struct {
        oldlayout::Version layout;
        const char* version;
    } cases[] = {{oldlayout::Version::V00, "0.0 "}, {oldlayout::Version::V11, "1.1 "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        oldlayout::Content content;
        content.configRow = false;
        content.reminders = {{"Feed", QStringLiteral("2020-03-01"), 1}};
        OldFileEnv f(c.layout, content);
        ASSERT_TRUE(f.open().ok());
        EXPECT_EQ(f.env.ctx->dbVersion.toStdString(), c.version);
        Recorded rec;
        const UpgradeResult result = upgradeDatabase(*f.env.ctx, rec.callbacks());
        ASSERT_TRUE(result.ok) << qPrintable(result.error);
        EXPECT_TRUE(result.ran);
        EXPECT_EQ(rows(f.db(), "SELECT db_version, default_salt, default_fresh FROM CONFIG"),
                  (QList<QStringList>{{"2.0 ", "0", "1"}}));
        EXPECT_EQ(rows(f.db(), "SELECT SchedRtype, SchedRSubtype, SchedDetailText, SchedEnglishDesc, SchedEndDate "
                               "FROM maintsched"),
                  (QList<QStringList>{{"0", "<null>", "<null>", "<null>", "2021-03-01"}}));
    }
}
