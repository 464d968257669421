// The printed graph's page: the chart's rectangle, the footer and one
// landscape job per copy.
#include "reports/GraphPrintout.h"
#include "support/RecordingPrinting.h"

#include <gtest/gtest.h>

namespace {

const GraphPicturePainter kNoPaint = [](QPainter&, const QRectF&) {};

TEST(GraphPrintout, TitleNamesTheTankAndTheFooterCarriesTheYear)
{
    EXPECT_EQ(graphPrintTitle("Reef 55"), "Brinestead Graph for Tank: Reef 55");
    EXPECT_TRUE(graphPrintFooter(QDate(2031, 2, 3)).contains("2031"));
    EXPECT_FALSE(graphPrintFooter(QDate(2031, 2, 3)).contains("2026"));
}

TEST(GraphPrintout, EachCopyIsOneLandscapePageWithTheChartInTheMiddleNineTenths)
{
    RecordingPrintService printing;
    printing.copies = 3;
    auto session = printing.choosePrinter("Print Water Quality Graph", PrintDestination::Printer);
    ASSERT_TRUE(session);
    EXPECT_EQ(printGraphCopies(*session, kNoPaint, "Printed by Brinestead - 2026"), "");
    session.reset();

    ASSERT_EQ(printing.jobs.size(), 3);
    for (const RecordedJob& job : printing.jobs) {
        EXPECT_EQ(job.orientation, PageOrientation::Landscape);
        EXPECT_TRUE(job.ended);
        ASSERT_EQ(job.pages.size(), 1);
        const QList<RecordedItem>& items = job.pages[0].items;
        ASSERT_EQ(items.size(), 2);
        // The page is 720 x 540 points: the chart spans the full width and
        // the height from 27 to 513.
        const RecordedItem& chart = items[0];
        EXPECT_EQ(chart.kind, RecordedItem::Picture);
        EXPECT_DOUBLE_EQ(chart.x, 0);
        EXPECT_DOUBLE_EQ(chart.y, 27);
        EXPECT_DOUBLE_EQ(chart.x2, 720);
        EXPECT_DOUBLE_EQ(chart.y2, 513);
        // The footer sits on the page's last line, measured in its own font,
        // below the chart.
        const RecordedItem& footer = items[1];
        EXPECT_EQ(footer.kind, RecordedItem::Text);
        EXPECT_EQ(footer.text, "Printed by Brinestead - 2026");
        EXPECT_DOUBLE_EQ(footer.x, 0);
        EXPECT_DOUBLE_EQ(footer.y, 540 - footer.font.pointSize * 1.2);
        EXPECT_GE(footer.y, chart.y2);
    }
}

TEST(GraphPrintout, APrinterThatRefusesEndsThePrintingWithItsReason)
{
    RecordingPrintService printing;
    printing.copies = 2;
    printing.failJobs = true;
    auto session = printing.choosePrinter("Print Water Quality Graph", PrintDestination::Printer);
    ASSERT_TRUE(session);
    EXPECT_EQ(printGraphCopies(*session, kNoPaint, "footer"), "The printer is not ready.");
    session.reset();
    EXPECT_TRUE(printing.jobs.isEmpty());
}

TEST(GraphPrintout, FooterFollowsTheFontHeightOnAnyPageSize)
{
    // A bigger footer font on a portrait page still ends at the page's foot.
    RecordingPageWriter writer(PageOrientation::Portrait);
    layoutGraphPage(writer, kNoPaint, "x");
    const RecordedItem& footer = writer.job().pages[0].items[1];
    EXPECT_DOUBLE_EQ(footer.y + writer.lineHeight(footer.font), writer.pageHeight());
    const RecordedItem& chart = writer.job().pages[0].items[0];
    EXPECT_DOUBLE_EQ(chart.y, 720 * 0.05);
    EXPECT_DOUBLE_EQ(chart.y2, 720 * 0.95);
}

} // namespace
