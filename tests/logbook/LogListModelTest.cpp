// The three log list models: columns as designed, formatted cells, rows keyed
// by rowid, sorting inside the list by value and the Date column's toggling.
#include "logbook/LogListModels.h"

#include <gtest/gtest.h>

namespace {

WaterLogRecord water(qint64 rowid, const QDate& d, const QTime& t)
{
    WaterLogRecord r;
    r.rowid = rowid;
    r.logdate = d;
    r.logtime = t;
    return r;
}

QStringList headers(const LogListModel& m)
{
    QStringList out;
    for (int c = 0; c < m.columnCount(); ++c)
        out << m.headerData(c, Qt::Horizontal).toString();
    return out;
}

QStringList column(const LogListModel& m, int c)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.text(r, c);
    return out;
}

} // namespace

TEST(LogListModels, ColumnsHeadersWidthsAndAlignments)
{
    WaterLogListModel w;
    LivestockListModel l;
    MaintLogListModel m;
    EXPECT_EQ(headers(w), (QStringList{"Date", "ph", "Nh3 - Ammonia", "No2 - Nitrite", "No3 - Nitrate",
                                       "S.G. - Specific Gravity", "Temperature", "o2 - Oxygen", "dKh", "Calcium",
                                       "Cu - Copper", "Orp ", "Custom1", "Custom2", "Comments"}));
    EXPECT_EQ(headers(l), (QStringList{"Date", "Animal", "Quantity", "Status", "Price Paid", "price_sold",
                                       "Date Lost", "Where Purchased", "Comments"}));
    EXPECT_EQ(headers(m), (QStringList{"Date", "Task", "Quantity", "Unit of Measure", "Description", "Comments"}));

    auto widths = [](const LogListModel& model) {
        QList<int> out;
        for (int c = 0; c < model.columnCount(); ++c)
            out << model.headerData(c, Qt::Horizontal, LogListModel::WidthTwipsRole).toInt();
        return out;
    };
    EXPECT_EQ(widths(w), (QList<int>{1520, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 1440}));
    EXPECT_EQ(widths(l), (QList<int>{1520, 1500, 400, 500, 500, 500, 500, 1500, 1440}));
    EXPECT_EQ(widths(m), (QList<int>{1520, 1000, 500, 500, 1000, 1500}));

    auto right = [](const LogListModel& model, int c) {
        return bool(model.headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>()
                    & Qt::AlignRight);
    };
    EXPECT_FALSE(right(w, 0));
    for (int c = 1; c <= 13; ++c)
        EXPECT_TRUE(right(w, c)) << c;
    EXPECT_FALSE(right(w, 14));
    for (int c = 0; c < l.columnCount(); ++c)
        EXPECT_EQ(right(l, c), c == 4) << c;   // only "Price Paid"
    for (int c = 0; c < m.columnCount(); ++c)
        EXPECT_FALSE(right(m, c)) << c;
}

TEST(LogListModels, WaterCellsAreFormattedPerColumn)
{
    WaterLogListModel m;
    WaterLogRecord r = water(7, QDate(2026, 12, 8), QTime(14, 5, 9));
    r.ph = 7;
    r.ammonia = 0.25;
    r.nitrite = 0;
    r.nitrate = 1234.5;
    r.sg = 1.023;
    r.temp = 78;
    r.oxygen = 6.5;
    r.dkh = 9;
    r.calcium = 420;
    r.copper = 0.1;
    r.orp = 350;
    r.custom1 = 1.5;
    r.custom2 = 2;
    r.comment = "Cloudy";
    WaterLogRecord empty = water(8, QDate(), QTime());
    m.setRecords({r, empty});
    ASSERT_EQ(m.rowCount(), 2);
    QStringList row;
    for (int c = 0; c < m.columnCount(); ++c)
        row << m.text(0, c);
    EXPECT_EQ(row, (QStringList{"12/08/26 - 02:05:09 pm", "7.00", "0.250", "0.000", "1234.500", "1.023", "78.00",
                                "6.500", "9.000", "420.000", "0.100", "350.000", "1.5", "2", "Cloudy"}));
    // Missing values are empty; the item text keeps its " - ".
    EXPECT_EQ(m.text(1, 0), " - ");
    EXPECT_EQ(m.text(1, 1), "");
    EXPECT_EQ(m.text(1, 12), "");
    EXPECT_EQ(m.rowidAt(1), 8);
    EXPECT_EQ(m.rowOf(7), 0);
    EXPECT_EQ(m.rowOf(99), -1);

    m.setDateMask("DD.MM.YY");
    EXPECT_EQ(m.itemText(0), "08.12.26 - 02:05:09 pm");
}

TEST(LogListModels, LivestockAndMaintenanceCells)
{
    LivestockListModel l;
    LivestockRecord a;
    a.rowid = 1;
    a.dateadded = QDate(2026, 2, 3);
    a.timeadded = QTime(9, 30, 0);
    a.animalname = "Clown";
    a.quantity = 3;
    a.status = "Alive";
    a.price_paid = 12.5;
    a.price_sold = 0;
    a.datelost = QDate(2026, 7, 14);
    a.where_purch = "Shop";
    a.comment = "pair";
    l.setDateMask("DD/MM/YY");
    l.setRecords({a});
    QStringList row;
    for (int c = 0; c < l.columnCount(); ++c)
        row << l.text(0, c);
    // Livestock times end in capitals; the date lost follows the keeper's date order too.
    EXPECT_EQ(row, (QStringList{"03/02/26 - 09:30:00 AM", "Clown", "3", "Alive", "12.50", "0.00", "14/07/26", "Shop",
                                "pair"}));
    l.setDateMask("YY-MM-DD");
    EXPECT_EQ(l.text(0, 0), "26-02-03 - 09:30:00 AM");
    EXPECT_EQ(l.text(0, 6), "26-07-14");

    MaintLogListModel m;
    MaintLogRecord w;
    w.rowid = 4;
    w.logdate = QDate(2026, 2, 3);
    w.logtime = QTime(0, 5, 0);
    w.task = "Water Change";
    w.quantity = 25;
    w.unit = "Gallons";
    w.description = "d";
    w.note = "n";
    m.setRecords({w});
    row.clear();
    for (int c = 0; c < m.columnCount(); ++c)
        row << m.text(0, c);
    EXPECT_EQ(row, (QStringList{"02/03/26 - 12:05:00 am", "Water Change", "25", "Gallons", "d", "n"}));
}

TEST(LogListModels, InListSortingIsByValueAndIgnoresCase)
{
    WaterLogListModel m;
    QVector<WaterLogRecord> rows;
    const double phs[] = {9, 10, 8.5};
    const char* comments[] = {"beta", "Alpha", "gamma"};
    for (int i = 0; i < 3; ++i) {
        WaterLogRecord r = water(i + 1, QDate(2026, 1, 1 + i), QTime(10, 0, 0));
        r.ph = phs[i];
        r.comment = comments[i];
        rows << r;
    }
    WaterLogRecord none = water(4, QDate(2026, 1, 9), QTime(10, 0, 0));
    none.comment = "delta";
    rows << none;
    m.setRecords(rows);

    m.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(m, 1), (QStringList{"", "8.50", "9.00", "10.00"}));   // 9 before 10
    m.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(column(m, 1), (QStringList{"10.00", "9.00", "8.50", ""}));
    m.sort(14, Qt::AscendingOrder);
    EXPECT_EQ(column(m, 14), (QStringList{"Alpha", "beta", "delta", "gamma"}));
    EXPECT_EQ(m.rowidAt(0), 2);   // rows keep their keys when sorted
}

TEST(LogListModels, HeaderClicksToggleDateQueryAndSortOtherColumns)
{
    WaterLogListModel m;
    // Initial state: first Date click descending, second ascending.
    HeaderClick c = m.columnClick(1);
    EXPECT_TRUE(c.requery);
    EXPECT_EQ(c.requeryOrder, SortOrder::Descending);
    c = m.columnClick(1);
    EXPECT_EQ(c.requeryOrder, SortOrder::Ascending);
    EXPECT_FALSE(m.sortsItself());

    // Another column sorts the items, its second click flips the direction.
    c = m.columnClick(3);
    EXPECT_FALSE(c.requery);
    EXPECT_EQ(c.column, 2);
    EXPECT_EQ(c.order, Qt::AscendingOrder);
    EXPECT_TRUE(m.sortsItself());
    c = m.columnClick(3);
    EXPECT_EQ(c.order, Qt::DescendingOrder);
    c = m.columnClick(5);
    EXPECT_EQ(c.column, 4);
    EXPECT_EQ(c.order, Qt::AscendingOrder);

    // After another column, Date queries ascending (and stops the own sorting).
    c = m.columnClick(1);
    EXPECT_TRUE(c.requery);
    EXPECT_EQ(c.requeryOrder, SortOrder::Ascending);
    EXPECT_FALSE(m.sortsItself());
    c = m.columnClick(1);
    EXPECT_EQ(c.requeryOrder, SortOrder::Descending);
}

TEST(LogListModels, SortOrderTextIsDescendingOnlyWhenExact)
{
    EXPECT_EQ(sortOrderFromText("descending"), SortOrder::Descending);
    for (const char* t : {"Descending", "DESCENDING", "ascending", "Ascending", ""})
        EXPECT_EQ(sortOrderFromText(t), SortOrder::Ascending) << t;
}
