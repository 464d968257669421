#pragma once
// The pick lists of the livestock and maintenance dialogs, read from the
// database: species names by water type, places of purchase, statuses and
// maintenance tasks, plus the fixed lists.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

enum class SpeciesWater { Fresh, Salt };

// Saltwater fish-only ("2") and reef ("3") tanks use the saltwater list; every
// other water type (freshwater, brackish, pond) the freshwater one.
SpeciesWater speciesWaterFor(const QString& waterTypeCode);

// The reference names of animallist of that type ("1" fresh, "2" salt) together
// with the animal names kept in tanks of the matching water types, each name
// once (regardless of case), in ascending order, without empty names.
QStringList speciesNamesFromDb(const QSqlDatabase& db, SpeciesWater water);

// Places of purchase already used, in ascending order, each once, without
// empty or blank entries.
QStringList wherePurchasedList(const QSqlDatabase& db);

// The eight statuses always offered.
const QStringList& fixedStatuses();
// Statuses already used together with the eight fixed ones, each once, in
// ascending order, without empty or blank entries.
QStringList statusList(const QSqlDatabase& db);

// The maintenance task names of animallist (type "M") together with every task
// already used in any maintenance log, each once, in ascending order.
QStringList maintTaskList(const QSqlDatabase& db);

// The units of measure offered, in their fixed order.
const QStringList& maintUnits();
