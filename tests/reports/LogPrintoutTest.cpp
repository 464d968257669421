// The printed logs as the recording printer sees them: page frame, columns,
// number formats, paging, sections per tank, copies and the empty log.
// Recording metrics: a line is 1.2 x the point size, a character half of it;
// a portrait page is 540 x 720, a landscape one 720 x 540.
#include "core/Dates.h"
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "reports/LogPrintout.h"
#include "support/ParamNames.h"
#include "support/TestEnv.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

struct LogFixture {
    TestEnv env;
    int tanksAdded = 0;

    QString addTank(const QString& name, const QString& desc = QString(), std::optional<double> size = 75)
    {
        TankRecord t;
        t.tankname = name;
        t.tankdesc = desc;
        t.tanksize = size;
        t.watertype = "3";
        TankStore(env.ctx->db()).add(t, env.clock.now().addSecs(tanksAdded++));
        return t.tankid;
    }
    // Entry i of a tank, an hour apart from the one before.
    static QDateTime momentOf(int i) { return QDateTime(QDate(2026, 1, 1), QTime(6, 0, 0)).addSecs(3600LL * i); }

    void addLivestock(const QString& tankid, int i, const QString& animal = QStringLiteral("Clownfish"),
                      std::optional<qint64> quantity = 2, const QString& status = QStringLiteral("Alive"))
    {
        LivestockRecord r;
        r.tankid = tankid;
        r.dateadded = momentOf(i).date();
        r.timeadded = momentOf(i).time();
        r.animalname = animal;
        r.quantity = quantity;
        r.status = status;
        ASSERT_TRUE(LivestockStore(env.ctx->db()).insert(r));
    }
    void addWater(const QString& tankid, int i, double ph = 8.2)
    {
        WaterLogRecord r;
        r.tankid = tankid;
        r.logdate = momentOf(i).date();
        r.logtime = momentOf(i).time();
        r.ph = ph;
        r.ammonia = 0;
        ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(r));
    }
    void addMaintenance(const QString& tankid, int i, const QString& task = QStringLiteral("Water change"),
                        std::optional<double> qty = 10, const QString& unit = QStringLiteral("gal"),
                        const QString& desc = QStringLiteral("RO water"), const QString& note = QStringLiteral("ok"))
    {
        MaintLogRecord r;
        r.tankid = tankid;
        r.logdate = momentOf(i).date();
        r.logtime = momentOf(i).time();
        r.task = task;
        r.quantity = qty;
        r.unit = unit;
        r.description = desc;
        r.note = note;
        ASSERT_TRUE(MaintLogStore(env.ctx->db()).insert(r));
    }
    void addEntries(LogKind kind, const QString& tankid, int count, int first = 0)
    {
        for (int i = first; i < first + count; ++i) {
            switch (kind) {
            case LogKind::Livestock: addLivestock(tankid, i); break;
            case LogKind::WaterQuality: addWater(tankid, i); break;
            case LogKind::Maintenance: addMaintenance(tankid, i); break;
            }
        }
    }

    LogPrintResult print(LogKind kind, const QString& tankKey, bool allTanks = false)
    {
        LogPrintRequest request;
        request.kind = kind;
        request.tankKey = tankKey;
        request.allTanks = allTanks;
        request.dateMask = env.ctx->settings.dateMask;
        return printLogEntries(env.ctx->db(), env.printing, env.clock, request);
    }
};

const RecordedItem* findText(const RecordedPage& page, const QString& text)
{
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Text && item.text == text)
            return &item;
    return nullptr;
}

QList<const RecordedItem*> rules(const RecordedPage& page)
{
    QList<const RecordedItem*> out;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Line)
            out << &item;
    return out;
}

// Texts of a page that start with an entry's date ("01/01/26 - ...").
QStringList entryDateTexts(const RecordedPage& page)
{
    QStringList out;
    for (const QString& text : page.texts())
        if (text.contains(QStringLiteral(" - ")) && text.at(2) == QLatin1Char('/'))
            out << text;
    return out;
}

PrintFont font(const char* family, double size, bool bold = false, bool italic = false, bool underline = false)
{
    return PrintFont{QString::fromLatin1(family), size, bold, italic, underline};
}

} // namespace

TEST(LogPageFrame, HeadingAndFooterTextsFontsAndPlaces)
{
    LogFixture f;
    const QString reef = f.addTank("Reef", "Mixed reef in the living room", 75);
    f.addLivestock(reef, 0);
    ASSERT_EQ(f.print(LogKind::Livestock, reef).status, LogPrintResult::Printed);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];

    struct Expected {
        const char* text;
        PrintFont font;
        double x, y;
    };
    const Expected expected[] = {
        {"Brinestead Livestock Log", font("Arial", 14, true, true), 0, 0},
        {"Tankname: ", font("Times New Roman", 10), 0, 33.6},
        {"Reef", font("Times New Roman", 10, true), 50, 33.6},
        {"Tanksize: 75 gal.      Mixed reef in the living room", font("Times New Roman", 10), 0, 45.6},
        // The footer: one line below the rule at 11/12 of the page (660).
        {"Report Created: 12/08/26", font("Times New Roman", 10, false, true), 0, 672},
        {"Page number:1", font("Times New Roman", 10, false, true), 0, 684},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        const RecordedItem* item = findText(page, QString::fromLatin1(e.text));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->font, e.font);
        EXPECT_DOUBLE_EQ(item->x, e.x);
        EXPECT_NEAR(item->y, e.y, 1e-9);
    }
    const auto lines = rules(page);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_DOUBLE_EQ(lines[0]->y, 660);
    EXPECT_DOUBLE_EQ(lines[0]->y2, 660);
    EXPECT_DOUBLE_EQ(lines[0]->x, 0);
    EXPECT_DOUBLE_EQ(lines[0]->x2, 540);
}

TEST(LogPageFrame, MissingSizeAndDescriptionPrintEmpty)
{
    LogFixture f;
    const QString pond = f.addTank("Pond", QString(), std::nullopt);
    f.addLivestock(pond, 0);
    f.print(LogKind::Livestock, pond);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    EXPECT_NE(findText(f.env.printing.jobs[0].pages[0], "Tanksize:  gal.      "), nullptr);
}

// ---- columns ------------------------------------------------------------------

struct ColumnCase {
    const char* name;
    LogKind kind;
    PageOrientation orientation;
    QList<QPair<QString, double>> headings;   // text and x
};

class LogColumns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(LogColumns, HeadingsUnderlinedAtTheirPositions)
{
    const ColumnCase& c = GetParam();
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(c.kind, reef, 1);
    ASSERT_EQ(f.print(c.kind, reef).status, LogPrintResult::Printed);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    EXPECT_EQ(f.env.printing.jobs[0].orientation, c.orientation);
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];
    for (const auto& [text, x] : c.headings) {
        SCOPED_TRACE(text.toStdString());
        const RecordedItem* item = findText(page, text);
        ASSERT_NE(item, nullptr);
        EXPECT_DOUBLE_EQ(item->x, x);
        EXPECT_DOUBLE_EQ(item->y, 70);   // below the heading's empty line (69.6), rounded
        EXPECT_EQ(item->font, font("Times New Roman", 10, false, false, true));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PrintedLogs, LogColumns,
    ::testing::Values(
        ColumnCase{"livestock on a portrait page", LogKind::Livestock, PageOrientation::Portrait,
                   {{"Date /Time Added", 0}, {"Animal", 135}, {"Quantity", 405}, {"Status", 472}}},
        ColumnCase{"maintenance on a portrait page", LogKind::Maintenance, PageOrientation::Portrait,
                   {{"Date /Time Performed", 0}, {"Task Performed", 135}}},
        // After the widest date and time (22 characters of 5 and a blank) the
        // grid of fifteenths leaves "Ammonia" too little room before nitrite
        // at 3/15: the columns follow each other, each a four-digit value and
        // a blank wide (45), the 25 left over shared out among the thirteen.
        ColumnCase{"water quality on a landscape page", LogKind::WaterQuality, PageOrientation::Landscape,
                   {{"Date /Time Added", 0}, {"Ammonia", 115}, {"Nitrite", 162}, {"Nitrate", 209}, {"ph", 256},
                    {"s.g.", 303}, {"Temp", 350}, {"o2", 397}, {"dkh", 444}, {"Calcium", 491}, {"Copper", 538},
                    {"Redox", 585}, {"Custom1", 632}, {"Custom2", 679}}}),
    NameOfCase());

// ---- entries ------------------------------------------------------------------

TEST(LivestockLogPrintout, EachFieldInItsColumn)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    LivestockRecord r;
    r.tankid = reef;
    r.dateadded = QDate(2026, 3, 4);
    r.timeadded = QTime(15, 6, 7);
    r.animalname = "Yellow Tang";
    r.quantity = 3;
    r.status = "Quarantine";
    r.comment = "not printed";
    ASSERT_TRUE(LivestockStore(f.env.ctx->db()).insert(r));
    LivestockRecord noStatus = r;
    noStatus.timeadded = QTime(16, 0, 0);
    noStatus.animalname = "Cleaner Shrimp";
    noStatus.quantity = 1;
    noStatus.status.clear();
    ASSERT_TRUE(LivestockStore(f.env.ctx->db()).insert(noStatus));

    f.print(LogKind::Livestock, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];
    const QStringList lines = page.lines();
    const int first = int(lines.indexOf("Date /Time AddedAnimalQuantityStatus"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(lines.mid(first + 1, 2),
              (QStringList{"03/04/26 - 03:06:07 PMYellow Tang3Quarantine", "03/04/26 - 04:00:00 PMCleaner Shrimp1"}));
    const RecordedItem* date = findText(page, "03/04/26 - 03:06:07 PM");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->font, font("Times New Roman", 10));
    EXPECT_DOUBLE_EQ(date->x, 0);
    EXPECT_DOUBLE_EQ(findText(page, "Yellow Tang")->x, 135);
    EXPECT_DOUBLE_EQ(findText(page, "3")->x, 405);
    EXPECT_DOUBLE_EQ(findText(page, "Quarantine")->x, 472);
    EXPECT_EQ(findText(page, "not printed"), nullptr);
}

TEST(WaterQualityLogPrintout, EveryValueWithThreeDecimalsInItsColumn)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    WaterLogRecord r;
    r.tankid = reef;
    r.logdate = QDate(2026, 11, 30);
    r.logtime = QTime(0, 5, 9);
    r.ammonia = 0.25;
    r.nitrite = 1.5;
    r.nitrate = 1234.5;
    r.ph = 8;
    r.sg = 1.024;
    r.temp = 77.2;
    r.oxygen = 6.75;
    r.dkh = 9.125;
    r.calcium = 420;
    r.copper = 0.0004;
    r.orp = 350;
    r.custom1 = 2.0005;
    r.custom2.reset();   // not measured
    r.comment = "not printed";
    ASSERT_TRUE(WaterLogStore(f.env.ctx->db()).insert(r));

    f.print(LogKind::WaterQuality, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];
    const RecordedItem* date = findText(page, "11/30/26 - 12:05:09 AM");
    ASSERT_NE(date, nullptr);
    const QList<QPair<QString, double>> values = {
        {"0.250", 115}, {"1.500", 162},   {"1234.500", 209}, {"8.000", 256}, {"1.024", 303},
        {"77.200", 350}, {"6.750", 397},  {"9.125", 444},    {"420.000", 491}, {"0.000", 538},
        {"350.000", 585}, {"2.001", 632},
    };
    for (const auto& [text, x] : values) {
        SCOPED_TRACE(text.toStdString());
        const RecordedItem* item = findText(page, text);
        ASSERT_NE(item, nullptr);
        EXPECT_DOUBLE_EQ(item->x, x);
        EXPECT_DOUBLE_EQ(item->y, date->y);
        EXPECT_EQ(item->font, font("Times New Roman", 10));
    }
    // The ammonia value starts after the date and time have ended.
    EXPECT_GE(115, date->x + date->text.size() * 5);
    // Nothing at all in the custom2 column, and the comment is not printed.
    for (const RecordedItem& item : page.items)
        EXPECT_FALSE(item.kind == RecordedItem::Text && item.y == date->y && item.x >= 679) << item.text.toStdString();
    EXPECT_EQ(findText(page, "not printed"), nullptr);
}

TEST(MaintenanceLogPrintout, ThreeLinesAnEntryWithTheDetailsSpaced)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addMaintenance(reef, 0, "Water change", 10.5, "gal", "RO water", "Cloudy afterwards");
    f.addMaintenance(reef, 1, "Dose", 5, QString(), QString(), QString());
    f.print(LogKind::Maintenance, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const QStringList lines = f.env.printing.jobs[0].pages[0].lines();
    const int headings = int(lines.indexOf("Date /Time PerformedTask Performed"));
    ASSERT_GE(headings, 0);
    EXPECT_EQ(lines.mid(headings + 1, 5), (QStringList{
                                                "01/01/26 - 06:00:00 AMWater change",
                                                "10.5  gal  RO water",
                                                "Cloudy afterwards",
                                                "01/01/26 - 07:00:00 AMDose",
                                                "5    ",
                                            }));
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];
    // One empty line after the headings (70); the entry without a note still takes three lines.
    EXPECT_DOUBLE_EQ(findText(page, "01/01/26 - 06:00:00 AM")->y, 94);
    EXPECT_DOUBLE_EQ(findText(page, "01/01/26 - 07:00:00 AM")->y, 94 + 36);
    EXPECT_DOUBLE_EQ(findText(page, "Cloudy afterwards")->x, 135);
    EXPECT_DOUBLE_EQ(findText(page, "5    ")->x, 135);
}

TEST(MaintenanceLogPrintout, ContinuationPageStartsOneLineLower)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(LogKind::Maintenance, reef, 16);   // 15 fit on the first page
    f.print(LogKind::Maintenance, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(entryDateTexts(pages[0]).size(), 15);
    ASSERT_EQ(entryDateTexts(pages[1]), QStringList{"01/01/26 - 09:00:00 PM"});
    EXPECT_DOUBLE_EQ(findText(pages[1], "01/01/26 - 09:00:00 PM")->y, 106);
}

// ---- room on the paper ----------------------------------------------------------

namespace {

// Recording metrics with narrower characters: four tenths of the point size.
class NarrowRecorder : public RecordingPageWriter {
public:
    using RecordingPageWriter::RecordingPageWriter;
    double textWidth(const QString& text, const PrintFont& font) const override
    {
        return text.size() * font.pointSize * 0.4;
    }
};

// Recording metrics that remember the longest text measured.
class MeasuringRecorder : public RecordingPageWriter {
public:
    using RecordingPageWriter::RecordingPageWriter;
    double textWidth(const QString& text, const PrintFont& font) const override
    {
        longestMeasured = std::max(longestMeasured, text.size());
        return RecordingPageWriter::textWidth(text, font);
    }
    mutable qsizetype longestMeasured = 0;
};

// One copy of a log of all tanks printed on the writer.
int printOn(LogFixture& f, LogKind kind, IPageWriter& writer)
{
    const std::unique_ptr<LogPrintout> log = LogPrintout::create(kind);
    LogRowReader rows(f.env.ctx->db(), *log, true, QString());
    if (!rows.next())
        return 0;
    const LogPageFrame frame(QStringLiteral("MM/DD/YY"), f.env.clock);
    return printLogRows(*log, rows, writer, frame, QStringLiteral("MM/DD/YY"));
}

// Texts that run into the next text of their line, or off the page, by the
// writer's metrics.
QStringList crowded(const RecordedJob& job, const IPageWriter& writer)
{
    QStringList out;
    for (const RecordedPage& page : job.pages) {
        std::map<double, QList<RecordedItem>> rows;
        for (const RecordedItem& item : page.items)
            if (item.kind == RecordedItem::Text && !item.text.isEmpty())
                rows[item.y].append(item);
        for (auto& [y, row] : rows) {
            std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
            for (qsizetype i = 0; i < row.size(); ++i) {
                const double end = row[i].x + writer.textWidth(row[i].text, row[i].font);
                const double limit = i + 1 < row.size() ? row[i + 1].x : writer.pageWidth();
                if (end > limit + 1e-9)
                    out << QStringLiteral("%1 (to %2, room to %3)").arg(row[i].text).arg(end).arg(limit);
            }
        }
    }
    return out;
}

// The texts printed at x on a page, top to bottom.
QStringList textsAt(const RecordedPage& page, double x)
{
    QStringList out;
    std::map<double, QString> byY;
    for (const RecordedItem& item : page.items)
        if (item.kind == RecordedItem::Text && item.x == x)
            byY[item.y] += item.text;
    for (const auto& [y, text] : byY)
        out << text;
    return out;
}

QString numberedWords(const QString& word, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("%1-%2").arg(word).arg(i);
    return out.join(QLatin1Char(' '));
}

} // namespace

struct WaterRoomCase {
    const char* name;
    bool narrow;   // characters of four tenths of the point size instead of half
    PageOrientation orientation;
    double pointSize;           // of the table
    QList<double> valueX;       // ammonia to custom1, where the case pins them down
    // The custom2 value too wide for its column prints smaller as long as that
    // is at least 60 % of the table's size; else it wraps at the table's size.
    double custom2Size;
};

class WaterQualityRoom : public ::testing::TestWithParam<WaterRoomCase> {};

TEST_P(WaterQualityRoom, EveryHeadingAndValueEndsBeforeTheNextColumn)
{
    const WaterRoomCase& c = GetParam();
    LogFixture f;
    const QString reef = f.addTank("Reef");
    WaterLogRecord r;
    r.tankid = reef;
    r.logdate = QDate(2026, 12, 28);
    r.logtime = QTime(23, 58, 58);
    r.ammonia = 100.125;
    r.nitrite = r.nitrate = r.ph = r.sg = r.temp = r.oxygen = r.dkh = r.calcium = r.copper = r.orp = r.custom1 =
        9999.999;
    r.custom2 = 123456789012.0;   // too wide for any column: smaller or wrapped within its own
    ASSERT_TRUE(WaterLogStore(f.env.ctx->db()).insert(r));

    NarrowRecorder narrow(c.orientation);
    RecordingPageWriter plain(c.orientation);
    RecordingPageWriter& writer = c.narrow ? narrow : plain;
    ASSERT_EQ(printOn(f, LogKind::WaterQuality, writer), 1);
    const RecordedPage& page = writer.job().pages[0];

    EXPECT_EQ(crowded(writer.job(), writer).join(QLatin1Char('\n')).toStdString(), "");
    const RecordedItem* ammonia = findText(page, "Ammonia");
    ASSERT_NE(ammonia, nullptr);
    EXPECT_EQ(ammonia->font.pointSize, c.pointSize);
    const RecordedItem* value = findText(page, "100.125");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->font, font("Times New Roman", c.pointSize));
    for (qsizetype i = 0; i < c.valueX.size(); ++i) {
        SCOPED_TRACE(i);
        const QString text = i == 0 ? QStringLiteral("100.125") : QStringLiteral("9999.999");
        bool found = false;
        for (const RecordedItem& item : page.items)
            found = found || (item.text == text && item.x == c.valueX[i] && item.y == value->y);
        EXPECT_TRUE(found);
    }
    // The value too wide for custom2 is there whole, over the entry's lines.
    const RecordedItem* custom2 = findText(page, "Custom2");
    ASSERT_NE(custom2, nullptr);
    EXPECT_EQ(textsAt(page, custom2->x).mid(1).join(QString()), "123456789012.000");
    for (const RecordedItem& item : page.items) {
        if (item.kind == RecordedItem::Text && item.x == custom2->x && item.y > custom2->y) {
            EXPECT_EQ(item.font.pointSize, c.custom2Size) << item.text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    PrintedLogs, WaterQualityRoom,
    ::testing::Values(
        // The grid of fifteenths holds everything: ammonia after the date and
        // time (22 characters of 4 and a blank), nitrite at 3/15 and on.
        // The custom2 value (16 characters of 4) has 48 of the 64 it needs: 7.5 points.
        WaterRoomCase{"narrow characters keep the grid of fifteenths", true, PageOrientation::Landscape, 10,
                      {92, 144, 192, 240, 288, 336, 384, 432, 480, 528, 576, 624}, 7.5},
        // Where the columns go then: LogColumns and EveryValueWithThreeDecimalsInItsColumn.
        // The custom2 value would need 5 points (41 of 80) and wraps instead.
        WaterRoomCase{"the grid too tight: columns as wide as they need", false, PageOrientation::Landscape, 10, {},
                      10},
        // Thirteen values and the date and time need 695 at 10 points; the
        // page is 540 wide.
        WaterRoomCase{"a portrait page prints the table smaller", false, PageOrientation::Portrait, 7.5, {}, 7.5}),
    NameOfCase());

TEST(MaintenanceLogPrintout, LongTextsWrapInTheTaskColumnAndEntriesStayWholeAboveTheFooter)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    QStringList entries;   // what each entry prints in the task column, in order
    for (int i = 0; i < 12; ++i) {
        const QString task = i % 3 ? QStringLiteral("Water change") : numberedWords(QStringLiteral("Task"), 25);
        const QString note = numberedWords(QStringLiteral("Note%1").arg(i), 15 + 12 * i);
        f.addMaintenance(reef, i, task, 10, "gal", "RO water", note);
        entries << task + ' ' + QStringLiteral("10  gal  RO water") + ' ' + note;
    }
    f.print(LogKind::Maintenance, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_GE(pages.size(), 3);
    qsizetype next = 0;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        // Whole entries on each page, their texts in the task column as the keeper wrote them.
        const QString column = textsAt(pages[p], 135).mid(1).join(' ');   // below "Task Performed"
        const qsizetype first = next;
        QString whole;
        while (next < entries.size() && whole.size() < column.size())
            whole += (whole.isEmpty() ? QString() : QStringLiteral(" ")) + entries[next++];
        EXPECT_EQ(column, whole);
        EXPECT_EQ(entryDateTexts(pages[p]).size(), next - first);
        for (const RecordedItem& item : pages[p].items) {
            if (item.kind == RecordedItem::Text && !item.font.italic) {
                EXPECT_LE(item.y + 12, 660) << item.text.toStdString();
            }
        }
    }
    EXPECT_EQ(next, entries.size());
    EXPECT_EQ(crowded(f.env.printing.jobs[0], RecordingPageWriter()).join(QLatin1Char('\n')).toStdString(), "");
}

struct LongTextCase {
    const char* name;
    LogKind kind;
    double x;          // of the column the text prints in
    int linesBefore;   // of that column, above the text on a page
};

class LongStoredText : public ::testing::TestWithParam<LongTextCase> {};

TEST_P(LongStoredText, IsCutToAPageEndingWithAnEllipsisAndMeasuredOnlyAsFarAsItPrints)
{
    const LongTextCase& c = GetParam();
    LogFixture f;
    const QString reef = f.addTank("Reef");
    const QString text = QStringLiteral("Skimmer cup rinsed ").repeated(5300);   // 100,700 characters
    for (int i = 0; i < 2; ++i) {
        if (c.kind == LogKind::Maintenance)
            f.addMaintenance(reef, i, "Water change", 10, "gal", "RO water", text);
        else
            f.addLivestock(reef, i, text);
    }
    MeasuringRecorder writer;
    ASSERT_EQ(printOn(f, c.kind, writer), 2);   // one page an entry
    for (const RecordedPage& page : writer.job().pages) {
        const QStringList lines = textsAt(page, c.x).mid(c.linesBefore);
        const QString printed = lines.join(' ');
        ASSERT_TRUE(printed.endsWith(QStringLiteral("\u2026"))) << printed.right(40).toStdString();
        EXPECT_TRUE(text.startsWith(printed.chopped(1))) << printed.right(40).toStdString();
        EXPECT_GT(lines.size(), 40);   // the page is used, not just a line
        for (const RecordedItem& item : page.items) {
            if (item.kind == RecordedItem::Text && !item.font.italic) {
                EXPECT_LE(item.y + 12, 660) << item.text.toStdString();
            }
        }
    }
    EXPECT_LT(writer.longestMeasured, 1000);
}

INSTANTIATE_TEST_SUITE_P(PrintedLogs, LongStoredText,
                         ::testing::Values(LongTextCase{"maintenance note", LogKind::Maintenance, 135, 3},
                                           LongTextCase{"animal name", LogKind::Livestock, 135, 1}),
                         NameOfCase());

// ---- paging -----------------------------------------------------------------------

struct PagingCase {
    const char* name;
    LogKind kind;
    int perPage;   // entries that fit above the footer on a tank's pages
    double footerTop;
    double lineHeight;   // of one entry
};

class LogPaging : public ::testing::TestWithParam<PagingCase> {};

TEST_P(LogPaging, OverflowNumbersThePagesAndNeverReachesTheFooter)
{
    const PagingCase& c = GetParam();
    LogFixture f;
    const QString reef = f.addTank("Reef");
    const int entries = 2 * c.perPage + 3;
    f.addEntries(c.kind, reef, entries);
    f.print(c.kind, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_EQ(pages.size(), 3);
    QStringList printed;
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        const RecordedPage& page = pages[p];
        EXPECT_NE(findText(page, QStringLiteral("Page number:%1").arg(p + 1)), nullptr);
        EXPECT_NE(findText(page, "Tankname: "), nullptr);
        const auto lines = rules(page);
        ASSERT_EQ(lines.size(), 1);
        EXPECT_DOUBLE_EQ(lines[0]->y, c.footerTop);
        for (const RecordedItem& item : page.items)
            if (item.kind == RecordedItem::Text && !item.font.italic) {
                EXPECT_LE(item.y + 12, c.footerTop) << item.text.toStdString();
            }
        printed += entryDateTexts(page);
    }
    EXPECT_EQ(entryDateTexts(pages[0]).size(), c.perPage);
    EXPECT_EQ(entryDateTexts(pages[2]).size(), 3);
    ASSERT_EQ(printed.size(), entries);
    for (int i = 0; i < entries; ++i)
        EXPECT_TRUE(printed[i].startsWith(formatDateMask(LogFixture::momentOf(i).date(), "MM/DD/YY")));
}

TEST_P(LogPaging, NoEmptyPageAfterAFullPage)
{
    const PagingCase& c = GetParam();
    LogFixture f;
    const QString alpha = f.addTank("Alpha");
    const QString beta = f.addTank("Beta");
    f.addEntries(c.kind, alpha, c.perPage);
    f.addEntries(c.kind, beta, 1);
    f.print(c.kind, QString(), true);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(entryDateTexts(pages[0]).size(), c.perPage);
    EXPECT_NE(findText(pages[1], "Beta"), nullptr);
    EXPECT_NE(findText(pages[1], "Page number:1"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(PrintedLogs, LogPaging,
                         ::testing::Values(PagingCase{"livestock", LogKind::Livestock, 48, 660, 12},
                                           PagingCase{"water quality", LogKind::WaterQuality, 34, 495, 12},
                                           PagingCase{"maintenance", LogKind::Maintenance, 15, 660, 36}),
                         NameOfCase());

// ---- tanks, copies, empty logs ------------------------------------------------------

TEST(PrintedLogs, AllTanksInNameOrderEachFromPageOneWithoutEmptyTanks)
{
    LogFixture f;
    const QString zeta = f.addTank("Zeta", "last");
    const QString alpha = f.addTank("alpha", "first");
    f.addTank("Middle", "no entries");
    f.addLivestock(zeta, 1, "Tang");
    f.addLivestock(alpha, 2, "Goby");
    f.addLivestock(alpha, 0, "Blenny");
    // A row whose tank is gone.
    QSqlQuery orphan(f.env.ctx->db());
    ASSERT_TRUE(orphan.exec("INSERT INTO livestock (tankname, dateadded, animalname) "
                            "VALUES ('01-01-2000 00:00:00', '2026-01-01', 'Lost fish')"));

    f.print(LogKind::Livestock, QString(), true);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_EQ(pages.size(), 2);
    EXPECT_NE(findText(pages[0], "alpha"), nullptr);
    EXPECT_NE(findText(pages[0], "Tanksize: 75 gal.      first"), nullptr);
    EXPECT_NE(findText(pages[0], "Page number:1"), nullptr);
    EXPECT_NE(findText(pages[1], "Zeta"), nullptr);
    EXPECT_NE(findText(pages[1], "Page number:1"), nullptr);
    QStringList animals;
    for (const RecordedPage& page : pages)
        for (const RecordedItem& item : page.items)
            if (item.x == 135 && item.font == font("Times New Roman", 10))
                animals << item.text;
    EXPECT_EQ(animals, (QStringList{"Blenny", "Goby", "Tang"}));
}

TEST(PrintedLogs, OneTankLeavesTheOthersOut)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    const QString pond = f.addTank("Pond");
    f.addWater(reef, 0, 8.1);
    f.addWater(pond, 1, 7.1);
    f.print(LogKind::WaterQuality, pond);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const QStringList texts = f.env.printing.allPages()[0].texts();
    EXPECT_TRUE(texts.contains("Pond"));
    EXPECT_TRUE(texts.contains("7.100"));
    EXPECT_FALSE(texts.contains("Reef"));
    EXPECT_FALSE(texts.contains("8.100"));
}

struct EmptyCase {
    const char* name;
    LogKind kind;
    bool allTanks;
    const char* message;
};

class EmptyLog : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(EmptyLog, GivesItsNoteAndStartsNoJob)
{
    const EmptyCase& c = GetParam();
    LogFixture f;
    const QString reef = f.addTank("Reef");
    // Entries of the other logs do not count.
    for (LogKind other : {LogKind::WaterQuality, LogKind::Livestock, LogKind::Maintenance})
        if (other != c.kind)
            f.addEntries(other, reef, 2);
    f.env.printing.copies = 3;
    const LogPrintResult result = f.print(c.kind, reef, c.allTanks);
    EXPECT_EQ(result.status, LogPrintResult::NothingFound);
    EXPECT_EQ(result.message, QString::fromLatin1(c.message));
    EXPECT_EQ(result.jobs, 0);
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    PrintedLogs, EmptyLog,
    ::testing::Values(
        EmptyCase{"livestock of one tank", LogKind::Livestock, false,
                  "No Livestock entries were found for this tank. No log was printed."},
        EmptyCase{"livestock of all tanks", LogKind::Livestock, true,
                  "No Livestock entries were found for this tank. No log was printed."},
        EmptyCase{"water quality", LogKind::WaterQuality, false,
                  "No water quality entries were found for this tank. No log was printed."},
        EmptyCase{"maintenance", LogKind::Maintenance, true,
                  "No Maintenance entries were found for this tank. No log was printed."}),
    NameOfCase());

TEST(PrintedLogs, NoTankHandedOverFindsNothing)
{
    LogFixture f;
    f.addEntries(LogKind::Livestock, f.addTank("Reef"), 2);
    EXPECT_EQ(f.print(LogKind::Livestock, QString()).status, LogPrintResult::NothingFound);
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

TEST(PrintedLogs, CancelledPrintDialogPrintsNothing)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(LogKind::Maintenance, reef, 2);
    f.env.printing.accept = {false};
    const LogPrintResult result = f.print(LogKind::Maintenance, reef);
    EXPECT_EQ(result.status, LogPrintResult::Cancelled);
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(f.env.printing.dialogTitles, QStringList{"Print Maintenance Log"});
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

TEST(PrintedLogs, EachCopyIsAJobOfItsOwnWithTheSamePages)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(LogKind::WaterQuality, reef, 40);
    f.env.printing.copies = 3;
    const LogPrintResult result = f.print(LogKind::WaterQuality, reef);
    EXPECT_EQ(result.status, LogPrintResult::Printed);
    EXPECT_EQ(result.jobs, 3);
    ASSERT_EQ(f.env.printing.jobs.size(), 3);
    for (const RecordedJob& job : f.env.printing.jobs) {
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.orientation, PageOrientation::Landscape);
        ASSERT_EQ(job.pages.size(), 2);
        EXPECT_NE(findText(job.pages[0], "Page number:1"), nullptr);
        EXPECT_EQ(job.pages[1].lines(), f.env.printing.jobs[0].pages[1].lines());
    }
}

TEST(PrintedLogs, WaterLogPrintsLandscapeTheOthersInTheOrientationTheKeeperChose)
{
    for (const PageOrientation chosen : {PageOrientation::Portrait, PageOrientation::Landscape}) {
        SCOPED_TRACE(chosen == PageOrientation::Portrait ? "portrait chosen" : "landscape chosen");
        LogFixture f;
        f.env.printing.orientation = chosen;
        const QString reef = f.addTank("Reef");
        f.addEntries(LogKind::Livestock, reef, 1);
        f.addEntries(LogKind::Maintenance, reef, 1);
        // A water log that found nothing, then one that printed: neither changes the others.
        EXPECT_EQ(f.print(LogKind::WaterQuality, reef).status, LogPrintResult::NothingFound);
        f.print(LogKind::Livestock, reef);
        f.addEntries(LogKind::WaterQuality, reef, 1);
        f.print(LogKind::WaterQuality, reef);
        f.print(LogKind::Maintenance, reef);
        ASSERT_EQ(f.env.printing.jobs.size(), 3);
        EXPECT_EQ(f.env.printing.jobs[0].orientation, chosen);
        EXPECT_EQ(f.env.printing.jobs[1].orientation, PageOrientation::Landscape);
        EXPECT_EQ(f.env.printing.jobs[2].orientation, chosen);
    }
}

TEST(PrintedLogs, PrinterThatRefusesTheJobIsReported)
{
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(LogKind::Livestock, reef, 1);
    f.env.printing.failJobs = true;
    const LogPrintResult result = f.print(LogKind::Livestock, reef);
    EXPECT_EQ(result.status, LogPrintResult::Failed);
    EXPECT_TRUE(result.message.contains("The printer is not ready.")) << result.message.toStdString();
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

TEST(PrintedLogs, DatesFollowTheKeepersFormat)
{
    LogFixture f;
    f.env.ctx->settings.dateMask = "DD-MM-YY";
    const QString reef = f.addTank("Reef");
    f.addMaintenance(reef, 30);   // 02/01/26 12:00:00
    f.print(LogKind::Maintenance, reef);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const RecordedPage& page = f.env.printing.jobs[0].pages[0];
    EXPECT_NE(findText(page, "02-01-26 - 12:00:00 PM"), nullptr);
    EXPECT_NE(findText(page, "Report Created: 08-12-26"), nullptr);
}

TEST(PrintedLogs, FooterDateIsTakenWhenEachPageIsHeaded)
{
    // A printout that runs past midnight: each heading reads the clock anew.
    class MidnightClock : public IClock {
    public:
        mutable int reads = 0;
        QDateTime now() const override
        {
            return QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59)).addSecs(reads++);
        }
    };
    LogFixture f;
    const QString reef = f.addTank("Reef");
    f.addEntries(LogKind::Livestock, reef, 50);   // two pages
    MidnightClock clock;
    LogPrintRequest request;
    request.kind = LogKind::Livestock;
    request.tankKey = reef;
    ASSERT_EQ(printLogEntries(f.env.ctx->db(), f.env.printing, clock, request).status, LogPrintResult::Printed);
    const auto pages = f.env.printing.allPages();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_NE(findText(pages[0], "Report Created: 12/08/26"), nullptr);
    EXPECT_NE(findText(pages[1], "Report Created: 12/09/26"), nullptr);
}
