#include "logbook/SpeciesLists.h"

#include <QSqlQuery>
#include <QVariant>

namespace {

// Runs a one-column query with bound values and keeps the non-blank texts.
QStringList readColumn(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    QStringList out;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return out;
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return out;
    while (q.next()) {
        const QVariant v = q.value(0);
        if (v.isNull())
            continue;
        const QString s = v.toString();
        if (s.trimmed().isEmpty())
            continue;
        out.append(s);
    }
    return out;
}

// Case-insensitive merge of a sorted list with extra words, keeping the first spelling.
QStringList mergeDistinct(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    QStringList out;
    for (const QString& n : names)
        if (out.isEmpty() || QString::compare(out.last(), n, Qt::CaseInsensitive) != 0)
            out.append(n);
    return out;
}

} // namespace

SpeciesWater speciesWaterFor(const QString& waterTypeCode)
{
    const QString code = waterTypeCode.trimmed();
    return (code == QLatin1String("2") || code == QLatin1String("3")) ? SpeciesWater::Salt
                                                                      : SpeciesWater::Fresh;
}

QStringList speciesNamesFromDb(const QSqlDatabase& db, SpeciesWater water)
{
    const bool salt = water == SpeciesWater::Salt;
    const QVariantList values = salt ? QVariantList{QStringLiteral("2"), QStringLiteral("2"),
                                                    QStringLiteral("3"), QStringLiteral("3")}
                                     : QVariantList{QStringLiteral("1"), QStringLiteral("1"),
                                                    QStringLiteral("4"), QStringLiteral("5")};
    // A name in both the reference list and the log is offered in the
    // reference spelling. Tanks whose water type is missing or unknown count as freshwater, like
    // the list the dialog chooses for them.
    const QString freshExtra = salt ? QString()
                                    : QStringLiteral(" OR t.TankWaterType IS NULL OR "
                                                     "TRIM(t.TankWaterType) NOT IN ('2','3')");
    const QString sql =
        QStringLiteral("SELECT animalname, 0 FROM animallist WHERE TRIM(AnimalType) = ? "
                       "UNION ALL SELECT l.animalname, 1 FROM livestock l JOIN TANKLST t "
                       "ON l.tankname = t.tankid WHERE TRIM(t.TankWaterType) IN (?, ?, ?)")
        + freshExtra + QStringLiteral(" ORDER BY 1 COLLATE NOCASE, 2");
    return mergeDistinct(readColumn(db, sql, values));
}

QStringList wherePurchasedList(const QSqlDatabase& db)
{
    return mergeDistinct(readColumn(
        db, QStringLiteral("SELECT DISTINCT where_purch FROM livestock ORDER BY 1 COLLATE NOCASE"),
        {}));
}

const QStringList& fixedStatuses()
{
    static const QStringList statuses{
        QStringLiteral("Active"),    QStringLiteral("Deceased"),     QStringLiteral("Sick"),
        QStringLiteral("On-order"),  QStringLiteral("Available"),    QStringLiteral("In quarantine"),
        QStringLiteral("Sale Pending"), QStringLiteral("Sold")};
    return statuses;
}

QStringList statusList(const QSqlDatabase& db)
{
    QStringList all = fixedStatuses();
    all += readColumn(db, QStringLiteral("SELECT DISTINCT Status FROM livestock"), {});
    return mergeDistinct(all);
}

QStringList maintTaskList(const QSqlDatabase& db)
{
    return mergeDistinct(readColumn(
        db,
        QStringLiteral("SELECT animalname FROM animallist WHERE TRIM(AnimalType) = 'M' "
                       "UNION SELECT maintlogtask FROM maintlog ORDER BY 1 COLLATE NOCASE"),
        {}));
}

const QStringList& maintUnits()
{
    static const QStringList units{
        QStringLiteral("c.c."),   QStringLiteral("drops"), QStringLiteral("gallons"),
        QStringLiteral("litres"), QStringLiteral("ml"),    QStringLiteral("oz."),
        QStringLiteral("percent"), QStringLiteral("ppm")};
    return units;
}
