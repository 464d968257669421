// Sorting each column of the three log lists: every column orders the entries
// by its own values (numbers by value, dates by date, text regardless of
// case), and each entry keeps its rowid wherever it lands.
#include "logbook/LogListModels.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Four values per kind, in ascending order, chosen so that a wrong comparison
// gives another order: as text "10" < "100" < "2" < "9.5", "01/01/27" sorts
// before "01/05/26", and "Beta" < "Delta" < "alpha" < "charlie" by case.
const double kNumbers[] = {2, 9.5, 10, 100};
const QDate kDates[] = {QDate(2026, 1, 5), QDate(2026, 2, 1), QDate(2026, 10, 1), QDate(2027, 1, 1)};
const QTime kTimes[] = {QTime(13, 0, 0), QTime(9, 0, 0), QTime(23, 0, 0), QTime(1, 0, 0)};
const QString kTexts[] = {"alpha", "Beta", "charlie", "Delta"};

enum Kind { Moment, Number, Date, Text };

// Record i takes rank (i + column) % 4 in each column, so no two columns
// share an order; the rowid of record i is 10 + i.
int rankOf(int record, int column) { return (record + column) % 4; }

template <typename Record>
struct ColumnSetter {
    const char* header;
    Kind kind;
    std::function<void(Record&, int rank)> set;
};

template <typename Record>
auto number(std::optional<double> Record::*member)
{
    return [member](Record& r, int rank) { r.*member = kNumbers[rank]; };
}
template <typename Record>
auto text(QString Record::*member)
{
    return [member](Record& r, int rank) { r.*member = kTexts[rank]; };
}

// Sorts model by each column both ways and checks the rowids' order.
template <typename Model, typename Record>
void checkEveryColumn(const QVector<ColumnSetter<Record>>& setters, std::function<void(Record&, int)> setMoment)
{
    QVector<Record> records;
    for (int i = 0; i < 4; ++i) {
        Record r;
        r.rowid = 10 + i;
        setMoment(r, rankOf(i, 0));
        for (int c = 1; c < setters.size(); ++c)
            setters[c].set(r, rankOf(i, c));
        records << r;
    }
    Model model;
    model.setDateMask("MM/DD/YY");
    model.setRecords(records);
    ASSERT_EQ(model.columnCount(), setters.size());
    for (int c = 0; c < setters.size(); ++c) {
        SCOPED_TRACE(setters[c].header);
        ASSERT_EQ(model.headerData(c, Qt::Horizontal).toString(), QString::fromLatin1(setters[c].header));
        QList<qint64> ascending;
        for (int rank = 0; rank < 4; ++rank)
            for (int i = 0; i < 4; ++i)
                if (rankOf(i, c) == rank)
                    ascending << 10 + i;
        model.sort(c, Qt::AscendingOrder);
        QList<qint64> shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.rowidAt(row);
        EXPECT_EQ(shown, ascending);
        // The rowid of a row and what the row shows stay together.
        for (int row = 0; row < model.rowCount(); ++row)
            EXPECT_EQ(model.rowOf(model.rowidAt(row)), row);

        model.sort(c, Qt::DescendingOrder);
        shown.clear();
        for (int row = 0; row < model.rowCount(); ++row)
            shown << model.rowidAt(row);
        std::reverse(ascending.begin(), ascending.end());
        EXPECT_EQ(shown, ascending);
    }
}

} // namespace

TEST(LogListSort, WaterColumnsSortByTheirOwnValues)
{
    using R = WaterLogRecord;
    const QVector<ColumnSetter<R>> setters = {
        {"Date", Moment, nullptr},
        {"ph", Number, number(&R::ph)},
        {"Nh3 - Ammonia", Number, number(&R::ammonia)},
        {"No2 - Nitrite", Number, number(&R::nitrite)},
        {"No3 - Nitrate", Number, number(&R::nitrate)},
        {"S.G. - Specific Gravity", Number, number(&R::sg)},
        {"Temperature", Number, number(&R::temp)},
        {"o2 - Oxygen", Number, number(&R::oxygen)},
        {"dKh", Number, number(&R::dkh)},
        {"Calcium", Number, number(&R::calcium)},
        {"Cu - Copper", Number, number(&R::copper)},
        {"Orp ", Number, number(&R::orp)},
        {"Custom1", Number, number(&R::custom1)},
        {"Custom2", Number, number(&R::custom2)},
        {"Comments", Text, text(&R::comment)},
    };
    checkEveryColumn<WaterLogListModel, R>(setters, [](R& r, int rank) {
        r.logdate = kDates[rank];
        r.logtime = kTimes[rank];
    });
}

TEST(LogListSort, LivestockColumnsSortByTheirOwnValues)
{
    using R = LivestockRecord;
    const QVector<ColumnSetter<R>> setters = {
        {"Date", Moment, nullptr},
        {"Animal", Text, text(&R::animalname)},
        {"Quantity", Number, [](R& r, int rank) { r.quantity = qint64(kNumbers[rank] * 2); }},
        {"Status", Text, text(&R::status)},
        {"Price Paid", Number, number(&R::price_paid)},
        {"price_sold", Number, number(&R::price_sold)},
        {"Date Lost", Date, [](R& r, int rank) { r.datelost = kDates[rank]; }},
        {"Where Purchased", Text, text(&R::where_purch)},
        {"Comments", Text, text(&R::comment)},
    };
    checkEveryColumn<LivestockListModel, R>(setters, [](R& r, int rank) {
        r.dateadded = kDates[rank];
        r.timeadded = kTimes[rank];
    });
}

TEST(LogListSort, MaintenanceColumnsSortByTheirOwnValues)
{
    using R = MaintLogRecord;
    const QVector<ColumnSetter<R>> setters = {
        {"Date", Moment, nullptr},
        {"Task", Text, text(&R::task)},
        {"Quantity", Number, number(&R::quantity)},
        {"Unit of Measure", Text, text(&R::unit)},
        {"Description", Text, text(&R::description)},
        {"Comments", Text, text(&R::note)},
    };
    checkEveryColumn<MaintLogListModel, R>(setters, [](R& r, int rank) {
        r.logdate = kDates[rank];
        r.logtime = kTimes[rank];
    });
}
