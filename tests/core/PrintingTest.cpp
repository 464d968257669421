// The text flow that every printout uses.
#include "support/RecordingPrinting.h"

#include <gtest/gtest.h>

TEST(PrintFlow, LinesContinueAndEndWithTheTallestFontOfTheLine)
{
    RecordingPageWriter page;
    PrintFlow flow(page);
    PrintFont title{QStringLiteral("Arial"), 14, true, true, false};
    flow.setFont(title);
    flow.print(QStringLiteral("Title "));
    flow.setFont(PrintFont{});
    flow.printLine(QStringLiteral("rest"));
    EXPECT_DOUBLE_EQ(flow.y(), 14 * 1.2);   // the title's line height, not the body's
    EXPECT_DOUBLE_EQ(flow.x(), 0);
    flow.printLine();                       // an empty line in the body font
    EXPECT_DOUBLE_EQ(flow.y(), 14 * 1.2 + 10 * 1.2);

    const RecordedPage& p = page.job().pages.first();
    ASSERT_EQ(p.items.size(), 2);
    EXPECT_EQ(p.items[0].font, title);
    EXPECT_DOUBLE_EQ(p.items[1].x, 6 * 14 * 0.5);   // continues after "Title "
    EXPECT_EQ(p.lines(), QStringList{QStringLiteral("Title rest")});
}

TEST(PrintFlow, FitsAboveTellsWhetherTheNextLineStillFits)
{
    RecordingPageWriter page;
    PrintFlow flow(page);
    flow.setY(100 - 12);
    EXPECT_TRUE(flow.fitsAbove(100));
    flow.setY(100 - 11.9);
    EXPECT_FALSE(flow.fitsAbove(100));
    flow.newPage();
    EXPECT_EQ(page.job().pages.size(), 2);
    EXPECT_DOUBLE_EQ(flow.y(), 0);
}
