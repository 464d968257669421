// The names cross-reference's rows: sorting on either column by header clicks,
// case ignored, and selections that follow their rows through a sort.
#include "tools/NamesCrossReferenceModel.h"

#include <QItemSelectionModel>
#include <QPersistentModelIndex>
#include <gtest/gtest.h>

namespace {

QStringList column(const NamesCrossReferenceModel& model, int col)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, col).data().toString();
    return out;
}

QVector<NameRow> sampleRows()
{
    return {{"Tang - Yellow ", "Zebrasoma flavescens"},
            {"angelfish - Flame ", "Centropyge loricula"},
            {"Goby - Watchman ", "Cryptocentrus cinctus"},
            {"Tang - Blue ", "Paracanthurus hepatus"}};
}

} // namespace

TEST(NamesCrossReferenceModelTest, ColumnsAndRowsAsGiven)
{
    NamesCrossReferenceModel model;
    model.setRows(sampleRows());
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Common Name");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Latin Name");
    EXPECT_EQ(column(model, 0), QStringList({"Tang - Yellow ", "angelfish - Flame ", "Goby - Watchman ", "Tang - Blue "}));
    EXPECT_EQ(model.index(2, 1).data().toString(), "Cryptocentrus cinctus");
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(NamesCrossReferenceModelTest, HeaderClicksToggleAndSwitchColumns)
{
    NamesCrossReferenceModel model;
    model.sort(NamesCrossReferenceModel::CommonColumn, Qt::AscendingOrder);
    model.setRows(sampleRows());
    // Sorted as the rows arrive; case does not count.
    EXPECT_EQ(column(model, 0), QStringList({"angelfish - Flame ", "Goby - Watchman ", "Tang - Blue ", "Tang - Yellow "}));

    const struct {
        int clicked;
        int column;
        Qt::SortOrder order;
        QStringList latin;
    } steps[] = {
        {1, 1, Qt::AscendingOrder,
         {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}},
        {1, 1, Qt::DescendingOrder,
         {"Zebrasoma flavescens", "Paracanthurus hepatus", "Cryptocentrus cinctus", "Centropyge loricula"}},
        {1, 1, Qt::AscendingOrder,
         {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}},
        {0, 0, Qt::AscendingOrder,
         {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}},
        {0, 0, Qt::DescendingOrder,
         {"Zebrasoma flavescens", "Paracanthurus hepatus", "Cryptocentrus cinctus", "Centropyge loricula"}},
        {1, 1, Qt::AscendingOrder,
         {"Centropyge loricula", "Cryptocentrus cinctus", "Paracanthurus hepatus", "Zebrasoma flavescens"}},
    };
    int n = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(++n);
        model.sortByHeaderClick(s.clicked);
        EXPECT_EQ(model.sortColumn(), s.column);
        EXPECT_EQ(model.sortOrder(), s.order);
        EXPECT_EQ(column(model, 1), s.latin);
    }
}

TEST(NamesCrossReferenceModelTest, EqualNamesKeepFileOrderBothWays)
{
    NamesCrossReferenceModel model;
    model.setRows({{"Tang", "B second"}, {"tang", "A first"}, {"Angel", "C third"}});
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 1), QStringList({"C third", "B second", "A first"}));
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(model, 1), QStringList({"B second", "A first", "C third"}));
}

TEST(NamesCrossReferenceModelTest, SelectionFollowsItsRowThroughASort)
{
    NamesCrossReferenceModel model;
    model.sort(0, Qt::AscendingOrder);
    model.setRows(sampleRows());
    QItemSelectionModel selection(&model);
    selection.setCurrentIndex(model.index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_EQ(model.index(2, 0).data().toString(), "Tang - Blue ");

    model.sortByHeaderClick(1);   // Latin ascending: Paracanthurus is third
    model.sortByHeaderClick(1);   // descending: second
    const QModelIndex current = selection.currentIndex();
    EXPECT_EQ(current.row(), 1);
    EXPECT_EQ(current.data().toString(), "Tang - Blue ");
    ASSERT_EQ(selection.selectedRows().size(), 1);
    EXPECT_EQ(selection.selectedRows().first().row(), 1);
}

// Short names, shared beginnings, case and accents: the order a keeper reads
// A to Z, the shorter of two names with the same beginning first.
TEST(NamesCrossReferenceModelTest, OrderOfShortAndSimilarNames)
{
    NamesCrossReferenceModel model;
    model.setRows({{"Tang - Yellow ", "1"}, {"tan", "2"}, {"TANG", "3"}, {"Tang - blue ", "4"}, {"Ta", "5"},
                   {"T", "6"}, {"Tang - Blue Hippo ", "7"}, {QString::fromUtf8("\u00c9toile"), "8"},
                   {QString::fromUtf8("\u00e9tang"), "9"}, {"", "10"}});
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(column(model, 1), QStringList({"10", "6", "5", "2", "3", "4", "7", "1", "9", "8"}));
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(model, 1), QStringList({"8", "9", "1", "7", "4", "3", "2", "5", "6", "10"}));
}
