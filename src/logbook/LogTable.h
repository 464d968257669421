#pragma once
// What the three log tables have in common: how values are stored (ISO dates,
// 24-hour times, NULL when absent, numbers with '.'), and listing, fetching and
// removing rows of one table by tank and by rowid.
#include "logbook/LogStore.h"

#include <QSqlQuery>
#include <QVariant>
#include <functional>

namespace logtable {

QVariant date(const QDate& d);                      // ISO text, NULL when invalid
QVariant time(const QTime& t);                      // "HH:MM:SS", NULL when invalid
QVariant text(const QString& s);                    // NULL for a null string
QVariant number(const std::optional<double>& v);
QVariant integer(const std::optional<qint64>& v);

QDate readDate(const QVariant& v);                  // invalid when absent or unreadable
QTime readTime(const QVariant& v);
std::optional<double> readNumber(const QVariant& v);   // also a number stored as text
std::optional<qint64> readInteger(const QVariant& v);

// Runs a prepared statement; with oneRow, a statement that changed no row
// fails with kEntryGone.
bool run(QSqlQuery& q, QString* error, bool oneRow = false);

// A table's shape: "SELECT rowid, ... FROM table " (ending in a blank), its
// tank-key, date and time columns.
struct Shape {
    const char* select;
    const char* table;
    const char* tankColumn;
    const char* dateColumn;
    const char* timeColumn;
};

// The tank's rows by date and time (then by rowid), oldest first or newest first.
// False (with the database's reason in *error) when the rows cannot be read.
bool listRows(const QSqlDatabase& db, const Shape& shape, const QString& tankid, SortOrder order,
              const std::function<void(const QSqlQuery&)>& onRow, QString* error = nullptr);
// Positions q on the row; false when there is none, or when it cannot be read
// (then *error holds the database's reason).
bool fetchRow(QSqlQuery& q, const Shape& shape, qint64 rowid, QString* error = nullptr);
bool removeRow(const QSqlDatabase& db, const Shape& shape, qint64 rowid, QString* error);

} // namespace logtable
