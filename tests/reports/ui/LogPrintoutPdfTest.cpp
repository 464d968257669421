// The printed logs on real paper, read back from the PDF: every heading, value
// and text the keeper wrote is on the paper whole, and nothing prints over
// anything else, whatever the paper, its orientation and the fonts.
#include "core/TankStore.h"
#include "logbook/LogStore.h"
#include "reports/LogPrintout.h"
#include "support/PrintedPdf.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

namespace {

// `count` numbered words ("Gravel-1 Gravel-2 ..."), as a keeper's long note reads.
QString numberedWords(const QString& word, int count)
{
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("%1-%2").arg(word).arg(i);
    return out.join(QLatin1Char(' '));
}

class LogPdf : public ::testing::TestWithParam<PrintSetting> {
protected:
    LogPdf()
    {
        TankRecord t;
        t.tankname = "Reef";
        t.tankdesc = "Mixed reef in the living room";
        t.tanksize = 75;
        t.watertype = "3";
        TankStore(env.ctx->db()).add(t, env.clock.now());
        reef = t.tankid;
    }

    PdfWords print(LogKind kind)
    {
        const std::unique_ptr<LogPrintout> log = LogPrintout::create(kind);
        LogRowReader rows(env.ctx->db(), *log, false, reef);
        EXPECT_TRUE(rows.next());
        const LogPageFrame frame(QStringLiteral("MM/DD/YY"), env.clock);
        return printOnPaper(env.path("log.pdf"), GetParam(), [&](IPageWriter& writer) {
            printLogRows(*log, rows, writer, frame, QStringLiteral("MM/DD/YY"));
        });
    }

    static void expectAllOnThePaper(const PdfWords& pdf, const QStringList& texts)
    {
        ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
        EXPECT_EQ(listed(textsNotPrinted(readingOrder(pdf), texts)), "");
        EXPECT_EQ(listed(wordsOffThePaper(pdf)), "");
        EXPECT_EQ(listed(overprintedWords(pdf)), "");
    }

    TestEnv env;
    QString reef;
};

} // namespace

TEST_P(LogPdf, WaterQualityHeadingsAndValuesEachInTheirOwnPlace)
{
    WaterLogStore store(env.ctx->db());
    WaterLogRecord wide;
    wide.tankid = reef;
    wide.logdate = QDate(2026, 12, 28);
    wide.logtime = QTime(23, 58, 58);
    wide.ammonia = 100.125;
    wide.nitrite = 1234.5;
    wide.nitrate = 9999.999;
    wide.ph = 8.2;
    wide.sg = 1.024;
    wide.temp = 77.5;
    wide.oxygen = 6.75;
    wide.dkh = 9.125;
    wide.calcium = 1000;
    wide.copper = 0.25;
    wide.orp = 350;
    wide.custom1 = 1234.5;
    wide.custom2 = 9999;
    ASSERT_TRUE(store.insert(wide));
    // Values wider than four digits before the point, and values not measured.
    WaterLogRecord wider;
    wider.tankid = reef;
    wider.logdate = QDate(2026, 12, 29);
    wider.logtime = QTime(8, 0, 0);
    wider.ammonia = 12345.5;
    wider.calcium = 123456;
    wider.custom2 = 54321.75;
    ASSERT_TRUE(store.insert(wider));

    const PdfWords pdf = print(LogKind::WaterQuality);
    expectAllOnThePaper(pdf, {"Brinestead Water Quality Log", "Date /Time Added", "Ammonia", "Nitrite", "Nitrate",
                              "ph", "s.g.", "Temp", "o2", "dkh", "Calcium", "Copper", "Redox", "Custom1", "Custom2",
                              "12/28/26 - 11:58:58 PM", "100.125", "1234.500", "9999.999", "8.200", "1.024",
                              "77.500", "6.750", "9.125", "1000.000", "0.250", "350.000", "1234.500", "9999.000",
                              "12/29/26 - 08:00:00 AM", "12345.500", "123456.000", "54321.750"});
}

TEST_P(LogPdf, MaintenanceTextsWrapWithinTheTaskColumn)
{
    MaintLogStore store(env.ctx->db());
    for (int i = 0; i < 12; ++i) {
        MaintLogRecord r;
        r.tankid = reef;
        r.logdate = QDate(2026, 4, 1).addDays(i);
        r.logtime = QTime(18, 15, 0);
        r.task = i % 2 ? QStringLiteral("Replaced the heater and cleaned all intake sponges")
                       : QStringLiteral("Water change");
        r.quantity = 9999;
        r.unit = "gallons";
        r.description = "RO water from the shop, remineralised to 8 dKH";
        r.note = numberedWords(QStringLiteral("Entry%1-gravel").arg(i + 1), 20 + 10 * i);
        ASSERT_TRUE(store.insert(r));
    }

    const PdfWords pdf = print(LogKind::Maintenance);
    QStringList texts{"Brinestead Maintenance Log", "Date /Time Performed", "Task Performed"};
    for (int i = 0; i < 12; ++i) {
        texts << QStringLiteral("04/%1/26 - 06:15:00 PM").arg(i + 1, 2, 10, QLatin1Char('0'))
              << (i % 2 ? QStringLiteral("Replaced the heater and cleaned all intake sponges")
                        : QStringLiteral("Water change"))
              << QStringLiteral("9999 gallons RO water from the shop, remineralised to 8 dKH")
              << numberedWords(QStringLiteral("Entry%1-gravel").arg(i + 1), 20 + 10 * i);
    }
    expectAllOnThePaper(pdf, texts);
}

TEST_P(LogPdf, LivestockNamesAndStatusesStayInTheirColumns)
{
    LivestockStore store(env.ctx->db());
    const QStringList animals = {"Yellowtail blue damsel (Chrysiptera parasema)", "Clownfish"};
    const QStringList statuses = {"In quarantine until next month", "Active"};
    for (int i = 0; i < 2; ++i) {
        LivestockRecord r;
        r.tankid = reef;
        r.dateadded = QDate(2026, 3, 4 + i);
        r.timeadded = QTime(15, 6, 7);
        r.animalname = animals[i];
        r.quantity = 1000;
        r.status = statuses[i];
        ASSERT_TRUE(store.insert(r));
    }

    const PdfWords pdf = print(LogKind::Livestock);
    expectAllOnThePaper(pdf, {"Brinestead Livestock Log", "Date /Time Added", "Animal", "Quantity", "Status",
                              "03/04/26 - 03:06:07 PM", animals[0], "1000", statuses[0],
                              "03/05/26 - 03:06:07 PM", animals[1], "1000", statuses[1]});
}

INSTANTIATE_TEST_SUITE_P(PrintedLogs, LogPdf, ::testing::ValuesIn(printSettings()), NameOfSetting());
