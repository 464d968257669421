#pragma once
// The tanks table TANKLST: listing, finding, adding with a unique key,
// changing (never the key) and deleting a tank with all its log rows.
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>
#include <optional>

struct TankRecord {
    QString tankid;                    // "MM-DD-YYYY HH:MM:SS", stamped once
    QString tankname;
    QString tankdesc;
    QString tanknotes;
    std::optional<double> tanksize;    // gallons
    QString watertype;                 // "1".."5"
};

enum class TankWrite { Ok, DuplicateName, Failed };

class TankStore {
public:
    explicit TankStore(QSqlDatabase db);

    // Ascending by name; an empty list, with the database's reason in *error,
    // when the table cannot be read.
    QVector<TankRecord> listByName(QString* error = nullptr) const;
    std::optional<TankRecord> findById(const QString& tankid) const;

    // Stamps rec.tankid from moment (the next free second when taken) and inserts.
    TankWrite add(TankRecord& rec, const QDateTime& moment, QString* error = nullptr);
    // Writes every column but tankid of the row whose tankid is rec.tankid.
    TankWrite update(const TankRecord& rec, QString* error = nullptr);
    // Deletes the tank and its rows of maintlog, livestock and waterlog in one transaction.
    bool remove(const QString& tankid, QString* error = nullptr);

private:
    QSqlDatabase m_db;
};
