// The pick lists read from the database: species names by water type, places
// of purchase, statuses and maintenance tasks.
#include "logbook/SpeciesLists.h"

#include "support/TestEnv.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

void exec(QSqlDatabase db, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(db);
    ASSERT_TRUE(q.prepare(sql)) << sql.toStdString();
    for (const QVariant& v : values)
        q.addBindValue(v);
    ASSERT_TRUE(q.exec()) << sql.toStdString();
}

void addTank(QSqlDatabase db, const QString& id, const QString& name, const QString& type)
{
    exec(db, "INSERT INTO TANKLST (tankid, tankname, TankWaterType) VALUES (?, ?, ?)", {id, name, type});
}

void addAnimal(QSqlDatabase db, const QString& tankid, const QVariant& name,
               const QVariant& status = {}, const QVariant& where = {})
{
    exec(db, "INSERT INTO livestock (tankname, animalname, Status, where_purch) VALUES (?, ?, ?, ?)",
         {tankid, name, status, where});
}

class SpeciesListsTest : public ::testing::Test {
protected:
    TestEnv env;
    QSqlDatabase db = env.ctx->db();
};

} // namespace

TEST_F(SpeciesListsTest, NamesFollowTheTankWaterTypes)
{
    addTank(db, "T1", "Fresh", "1");
    addTank(db, "T2", "Salt", "2");
    addTank(db, "T3", "Reef", "3");
    addTank(db, "T4", "Brackish", "4");
    addTank(db, "T5", "Pond", "5");
    addAnimal(db, "T1", "Tetra - Neon ");
    addAnimal(db, "T2", "Tang - Yellow ");
    addAnimal(db, "T3", "Coral - Hammer ");
    addAnimal(db, "T4", "Puffer - Figure Eight ");
    addAnimal(db, "T5", "Koi");
    addAnimal(db, "T5", QVariant(QMetaType(QMetaType::QString)));
    exec(db, "INSERT INTO animallist (animalname, AnimalType) VALUES ('Clownfish - Percula ', '2')");
    // In both the reference list and the log: offered once, in the reference spelling.
    exec(db, "INSERT INTO animallist (animalname, AnimalType) VALUES ('Tang - Yellow ', '2')");
    addAnimal(db, "T3", "tang - yellow ");

    const QStringList fresh = speciesNamesFromDb(db, SpeciesWater::Fresh);
    const QStringList salt = speciesNamesFromDb(db, SpeciesWater::Salt);

    for (const char* name : {"Tetra - Neon ", "Puffer - Figure Eight ", "Koi"}) {
        EXPECT_TRUE(fresh.contains(name)) << name;
        EXPECT_FALSE(salt.contains(name)) << name;
    }
    for (const char* name : {"Tang - Yellow ", "Coral - Hammer ", "Clownfish - Percula "}) {
        EXPECT_TRUE(salt.contains(name)) << name;
        EXPECT_FALSE(fresh.contains(name)) << name;
    }
    EXPECT_EQ(salt.size(), 3);
    // The installed reference names are freshwater names.
    for (const QString& seed : freshwaterSeedNames())
        EXPECT_TRUE(fresh.contains(seed)) << seed.toStdString();
    EXPECT_EQ(QSet<QString>(fresh.begin(), fresh.end()).size(), fresh.size());
    EXPECT_FALSE(fresh.contains(QString()));
    for (int i = 1; i < fresh.size(); ++i)
        EXPECT_LE(QString::compare(fresh[i - 1], fresh[i], Qt::CaseInsensitive), 0);
}

TEST_F(SpeciesListsTest, WherePurchasedSortedWithoutBlanks)
{
    addTank(db, "T1", "Fresh", "1");
    for (const QVariant& where :
         {QVariant("Reef Shop"), QVariant(""), QVariant(" "), QVariant(QMetaType(QMetaType::QString)),
          QVariant("aquarium world"), QVariant("Reef Shop")})
        addAnimal(db, "T1", "Koi", QVariant(), where);
    EXPECT_EQ(wherePurchasedList(db), (QStringList{"aquarium world", "Reef Shop"}));
}

TEST_F(SpeciesListsTest, FixedStatusesAlwaysOffered)
{
    exec(db, "DELETE FROM animallist");
    EXPECT_EQ(statusList(db).size(), 8);

    addTank(db, "T1", "Fresh", "1");
    addAnimal(db, "T1", "Koi", "Breeding");
    addAnimal(db, "T1", "Koi", "active");
    addAnimal(db, "T1", "Koi", " ");
    const QStringList statuses = statusList(db);
    EXPECT_EQ(statuses.size(), 9);
    EXPECT_TRUE(statuses.contains("Breeding"));
    for (const QString& s : fixedStatuses())
        EXPECT_TRUE(statuses.contains(s)) << s.toStdString();
}
