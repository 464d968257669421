// The graph's choice of measurements and its pages of a tank's water tests.
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "reports/GraphPages.h"
#include "support/TestEnv.h"

#include <QSqlQuery>
#include <gtest/gtest.h>
#include <set>

namespace {

QStringList labels(const QVector<GraphSeriesChoice>& series)
{
    QStringList out;
    for (const GraphSeriesChoice& s : series)
        out << s.label;
    return out;
}

struct SeriesCase {
    const char* description;
    QString checks;
    QStringList labels;
    QStringList columns;
};

class ChosenSeries : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(ChosenSeries, FollowTheGraphChoicesInTheirOrder)
{
    const SeriesCase& c = GetParam();
    const QVector<GraphSeriesChoice> chosen = chosenGraphSeries(c.checks, "Iodine", "Strontium");
    EXPECT_EQ(labels(chosen), c.labels);
    QStringList columns;
    for (const GraphSeriesChoice& s : chosen)
        columns << s.column;
    EXPECT_EQ(columns, c.columns);
}

INSTANTIATE_TEST_SUITE_P(
    GraphChoices, ChosenSeries,
    ::testing::Values(
        SeriesCase{"default", "0111000000000", {"Nh3", "No2", "No3"}, {"Ammonia", "nitrite", "nitrate"}},
        SeriesCase{"user tests carry the keeper's names", "0000000000011", {"Iodine", "Strontium"},
                   {"custom1", "custom2"}},
        SeriesCase{"every measurement", "1111111111111",
                   {"ph", "Nh3", "No2", "No3", "S.G.", "temp", "o2", "dkh", "calcium", "cu", "Redox", "Iodine",
                    "Strontium"},
                   {"ph", "Ammonia", "nitrite", "nitrate", "sg", "temp", "oxygen", "dkh", "calcium", "copper", "orp",
                    "custom1", "custom2"}},
        SeriesCase{"short text counts as unchecked", "1", {"ph"}, {"ph"}},
        SeriesCase{"nothing", "0000000000000", {}, {}}),
    [](const auto& info) {
        std::string name = info.param.description;
        for (char& ch : name)
            if (!isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(GraphRowLabel, MonthAndDayInTheKeepersOrderWithoutLeadingZerosOrYear)
{
    const struct {
        QString order, delimiter;
        QDate date;
        QString label;
    } cases[] = {
        {"MMDDYY", "/", QDate(2026, 3, 5), "3/5"},
        {"MMDDYY", "/", QDate(2025, 11, 12), "11/12"},
        {"YYMMDD", "-", QDate(2025, 11, 12), "11-12"},
        {"DDMMYY", "/", QDate(2026, 9, 12), "12/9"},
        // A dot never makes the label read as a decimal number.
        {"DDMMYY", ".", QDate(2026, 12, 5), "5.12."},
        {"MMDDYY", ".", QDate(2026, 12, 5), "12.5."},
        {"MMDDYY", "/", QDate(), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(graphRowLabel(c.date, {c.order, c.delimiter}), c.label) << c.order.toStdString() << " " << c.date.toString(Qt::ISODate).toStdString();
}

TEST(GraphPageCount, WholePagesPlusOneForTheRest)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {20, 1}, {21, 2}, {40, 2}, {45, 3}};
    for (const auto& [entries, pages] : cases)
        EXPECT_EQ(GraphPager::pageCountFor(entries, 20), pages) << entries << " entries";
}

// A tank with water tests, and another tank beside it.
struct Tanks {
    TestEnv env;
    QString reef, pond;

    Tanks()
    {
        TankStore store(env.ctx->db());
        TankRecord a;
        a.tankname = "Reef";
        a.watertype = "3";
        store.add(a, env.clock.now());
        TankRecord b;
        b.tankname = "Pond";
        b.watertype = "5";
        store.add(b, env.clock.now().addSecs(1));
        reef = a.tankid;
        pond = b.tankid;
    }
    // A test whose nitrate reads `nitrate` (so each entry can be told apart).
    qint64 add(const QString& tank, const QDate& d, const QTime& t, double nitrate,
               std::optional<double> ammonia = 0.5)
    {
        WaterLogRecord r;
        r.tankid = tank;
        r.logdate = d;
        r.logtime = t;
        r.nitrate = nitrate;
        r.ammonia = ammonia;
        r.nitrite = 0.1;
        WaterLogStore(env.ctx->db()).insert(r);
        return r.rowid;
    }
    // n tests on n days from 1 January 2026, nitrate 1..n.
    void addDays(int n)
    {
        for (int i = 0; i < n; ++i)
            add(reef, QDate(2026, 1, 1).addDays(i), QTime(9, 0), i + 1);
    }
};

const QVector<GraphSeriesChoice> kNitrate = chosenGraphSeries("0001000000000", "", "");

QList<double> nitrates(const GraphPageData& page)
{
    QList<double> out;
    for (const GraphEntry& e : page.entries)
        out << e.values.value(0).value_or(-1);
    return out;
}

QList<double> range(int from, int to)
{
    QList<double> out;
    for (int i = from; i <= to; ++i)
        out << i;
    return out;
}

// Turns forward (or back) once and reads the page.
GraphPageData next(GraphPager& pager, const GraphPageData& shown)
{
    pager.turnToNextPage(shown.entries.last().key);
    return pager.readPage(kNitrate, false);
}
GraphPageData previous(GraphPager& pager, const GraphPageData& shown)
{
    pager.turnToPreviousPage(shown.entries.first().key);
    return pager.readPage(kNitrate, false);
}

struct PagingCase {
    int entries;
    QList<int> pageSizes;
};

class Paging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(Paging, PagesHoldTwentyEntriesAndTheButtonsFollow)
{
    const PagingCase& c = GetParam();
    Tanks t;
    t.addDays(c.entries);
    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);
    GraphPageData page = pager.readPage(kNitrate, false);
    const int pages = int(c.pageSizes.size());
    for (int k = 1; k <= pages; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(page.page, k);
        EXPECT_EQ(page.pageCount, pages);
        EXPECT_EQ(page.totalEntries, c.entries);
        EXPECT_EQ(nitrates(page), range((k - 1) * 20 + 1, (k - 1) * 20 + c.pageSizes[k - 1]));
        EXPECT_EQ(page.nextEnabled(), k < pages);
        EXPECT_EQ(page.previousEnabled(), k > 1);
        if (k < pages)
            page = next(pager, page);
    }
    // And back again, each page as it was.
    for (int k = pages - 1; k >= 1; --k) {
        SCOPED_TRACE(k);
        page = previous(pager, page);
        EXPECT_EQ(page.page, k);
        EXPECT_EQ(nitrates(page), range((k - 1) * 20 + 1, k * 20));
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, Paging,
                         ::testing::Values(PagingCase{20, {20}}, PagingCase{21, {20, 1}},
                                           PagingCase{45, {20, 20, 5}}),
                         [](const auto& info) { return std::to_string(info.param.entries) + "Entries"; });

TEST(Paging, EntriesSharingADateAndTimeAcrossTheBoundaryAreAllGraphed)
{
    Tanks t;
    for (int i = 1; i <= 19; ++i)
        t.add(t.reef, QDate(2026, 1, i), QTime(9, 0), i);
    // Entries 20, 21 and 22 were all taken on 20 January at 9:00.
    for (int i = 20; i <= 22; ++i)
        t.add(t.reef, QDate(2026, 1, 20), QTime(9, 0), i);
    // Another tank's test at that moment never shows.
    t.add(t.pond, QDate(2026, 1, 20), QTime(9, 0), 99);
    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);
    const GraphPageData first = pager.readPage(kNitrate, false);
    EXPECT_EQ(nitrates(first), range(1, 20));
    const GraphPageData second = next(pager, first);
    EXPECT_EQ(nitrates(second), QList<double>({21, 22}));
    EXPECT_EQ(nitrates(previous(pager, second)), range(1, 20));
}

TEST(Paging, TurningForwardAndBackVisitsEveryEntryOnceWhateverIsMissing)
{
    // Tests without a date or a time sort before the others, as the database
    // orders them; runs of equal moments and missing times cross page ends.
    Tanks t;
    QSqlQuery q(t.env.ctx->db());
    q.prepare("INSERT INTO waterlog (tankname, logdate, logtime, nitrate) VALUES (?, ?, ?, ?)");
    int n = 0;
    auto insert = [&](const QVariant& d, const QVariant& time) {
        q.addBindValue(t.reef);
        q.addBindValue(d);
        q.addBindValue(time);
        q.addBindValue(++n);
        ASSERT_TRUE(q.exec());
    };
    for (int i = 0; i < 3; ++i)
        insert(QVariant(), QVariant());
    for (int i = 0; i < 2; ++i)
        insert(QVariant(), "08:00:00");
    for (int i = 0; i < 30; ++i)
        insert("2026-02-01", i % 3 == 0 ? QVariant() : QVariant(QStringLiteral("10:00:00")));
    for (int i = 0; i < 12; ++i)
        insert(QString("2026-02-%1").arg(2 + i / 4, 2, 10, QChar('0')), "07:00:00");

    QSqlQuery all(t.env.ctx->db());
    all.exec("SELECT nitrate FROM waterlog ORDER BY logdate, logtime, rowid");
    QList<double> expected;
    while (all.next())
        expected << all.value(0).toDouble();
    ASSERT_EQ(expected.size(), 47);

    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);
    QList<GraphPageData> pages{pager.readPage(kNitrate, false)};
    while (pages.last().nextEnabled())
        pages << next(pager, pages.last());
    QList<double> seen;
    for (const GraphPageData& p : pages)
        seen += nitrates(p);
    EXPECT_EQ(seen, expected);
    GraphPageData current = pages.last();
    for (int k = int(pages.size()) - 2; k >= 0; --k) {
        current = previous(pager, current);
        EXPECT_EQ(nitrates(current), nitrates(pages[k])) << "page " << k + 1;
    }
}

TEST(Paging, RedrawShowsTheSamePageAndCountsEntriesAfresh)
{
    Tanks t;
    t.addDays(25);
    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);
    const GraphPageData second = next(pager, pager.readPage(kNitrate, false));
    EXPECT_EQ(second.pageCount, 2);
    EXPECT_FALSE(second.nextEnabled());
    // Twenty more tests arrive while page 2 is shown: the redraw keeps page 2
    // and Next is offered now.
    for (int i = 0; i < 20; ++i)
        t.add(t.reef, QDate(2027, 1, 1).addDays(i), QTime(9, 0), 100 + i);
    const GraphPageData again = pager.readPage(kNitrate, false);
    EXPECT_EQ(again.totalEntries, 45);
    EXPECT_EQ(again.pageCount, 3);
    EXPECT_TRUE(again.nextEnabled());
    EXPECT_EQ(nitrates(again).mid(0, 5), range(21, 25));
}

TEST(Paging, ZerosAreGapsOnlyWhenTheKeeperSkipsThemAndMissingValuesAlwaysAre)
{
    Tanks t;
    t.add(t.reef, QDate(2026, 1, 1), QTime(9, 0), 0, 0.0);
    t.add(t.reef, QDate(2026, 1, 2), QTime(9, 0), 5, std::nullopt);
    const auto series = chosenGraphSeries("0101000000000", "", "");   // ammonia, nitrate
    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);

    const GraphPageData plotted = pager.readPage(series, false);
    ASSERT_EQ(plotted.entries.size(), 2);
    EXPECT_EQ(plotted.entries[0].values, (QVector<std::optional<double>>{0.0, 0.0}));
    EXPECT_EQ(plotted.entries[1].values, (QVector<std::optional<double>>{std::nullopt, 5.0}));
    EXPECT_EQ(plotted.entries[0].date, QDate(2026, 1, 1));

    const GraphPageData skipped = pager.readPage(series, true);
    EXPECT_EQ(skipped.entries[0].values, (QVector<std::optional<double>>{std::nullopt, std::nullopt}));
    EXPECT_EQ(skipped.entries[1].values, (QVector<std::optional<double>>{std::nullopt, 5.0}));
}

TEST(Paging, ATankWithoutTestsHasNoPages)
{
    Tanks t;
    t.add(t.pond, QDate(2026, 1, 1), QTime(9, 0), 1);
    GraphPager pager(t.env.ctx->db(), 20);
    pager.startTank(t.reef);
    const GraphPageData page = pager.readPage(kNitrate, false);
    EXPECT_EQ(page.totalEntries, 0);
    EXPECT_EQ(page.pageCount, 0);
    EXPECT_TRUE(page.entries.isEmpty());
    EXPECT_FALSE(page.nextEnabled());
}

} // namespace
