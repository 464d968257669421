#pragma once
// Rows of the three logbooks. A row is identified by its SQLite rowid for as
// long as a window shows it; change, delete and move act on that row alone.
#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTime>
#include <QVector>
#include <optional>

enum class SortOrder { Ascending, Descending };

// The reason a change, delete or move of a row that is no longer there fails with.
inline const QString kEntryGone = QStringLiteral("The entry is no longer in the log.");

struct WaterLogRecord {
    qint64 rowid = 0;                  // 0: not stored yet
    QString tankid;                    // waterlog.tankname holds the tank's key
    QDate logdate;
    QTime logtime;
    std::optional<double> ph, ammonia, nitrite, nitrate, sg, temp, oxygen, dkh, calcium,
        copper, orp, custom1, custom2;
    QString comment;
};

struct LivestockRecord {
    qint64 rowid = 0;
    QString tankid;
    QDate dateadded;
    QTime timeadded;
    QString animalname;
    std::optional<qint64> quantity;
    QString status;
    std::optional<double> price_paid;
    std::optional<double> price_sold;
    std::optional<QDate> datelost;
    QString where_purch;
    QString comment;
};

struct MaintLogRecord {
    qint64 rowid = 0;
    QString tankid;                    // maintlog.mainttankname
    QDate logdate;
    QTime logtime;
    QString task;
    std::optional<double> quantity;
    QString unit;
    QString description;
    QString note;
};

// Each store reads and writes one table with bound values only.
class WaterLogStore {
public:
    explicit WaterLogStore(QSqlDatabase db);
    // An empty list or no row, with the database's reason in *error, when
    // the table cannot be read.
    QVector<WaterLogRecord> list(const QString& tankid, SortOrder order, QString* error = nullptr) const;
    std::optional<WaterLogRecord> get(qint64 rowid, QString* error = nullptr) const;
    bool insert(WaterLogRecord& rec, QString* error = nullptr);   // sets rec.rowid
    bool update(const WaterLogRecord& rec, QString* error = nullptr);
    bool remove(qint64 rowid, QString* error = nullptr);

private:
    QSqlDatabase m_db;
};

class LivestockStore {
public:
    explicit LivestockStore(QSqlDatabase db);
    // An empty list or no row, with the database's reason in *error, when
    // the table cannot be read.
    QVector<LivestockRecord> list(const QString& tankid, SortOrder order, QString* error = nullptr) const;
    std::optional<LivestockRecord> get(qint64 rowid, QString* error = nullptr) const;
    bool insert(LivestockRecord& rec, QString* error = nullptr);
    bool update(const LivestockRecord& rec, QString* error = nullptr);
    bool remove(qint64 rowid, QString* error = nullptr);
    // Moves the row to the tank with key targetTankId; when moment is given the
    // date and time acquired become that moment.
    bool move(qint64 rowid, const QString& targetTankId, const std::optional<QDateTime>& moment,
              QString* error = nullptr);

private:
    QSqlDatabase m_db;
};

class MaintLogStore {
public:
    explicit MaintLogStore(QSqlDatabase db);
    // An empty list or no row, with the database's reason in *error, when
    // the table cannot be read.
    QVector<MaintLogRecord> list(const QString& tankid, SortOrder order, QString* error = nullptr) const;
    std::optional<MaintLogRecord> get(qint64 rowid, QString* error = nullptr) const;
    bool insert(MaintLogRecord& rec, QString* error = nullptr);
    bool update(const MaintLogRecord& rec, QString* error = nullptr);
    bool remove(qint64 rowid, QString* error = nullptr);

private:
    QSqlDatabase m_db;
};
