// Fitting texts into a printout's room: where lines break, how a text that
// needs more lines than it may take ends, and how a title shrinks.
// At 10 points a character is 5 wide here, so 50 holds 10.
#include "core/PrintFitting.h"
#include "support/ParamNames.h"

#include <gtest/gtest.h>

namespace {

// A page 540 wide whose characters are half their point size wide.
class HalfPointCharacters : public IPageWriter {
public:
    PageOrientation orientation() const override { return PageOrientation::Portrait; }
    double pageWidth() const override { return 540; }
    double pageHeight() const override { return 720; }
    double lineHeight(const PrintFont& font) const override { return font.pointSize * 1.2; }
    double textWidth(const QString& text, const PrintFont& font) const override
    {
        return text.size() * font.pointSize * 0.5;
    }
    void drawText(double, double, const QString&, const PrintFont&) override {}
    void drawLine(double, double, double, double) override {}
    void drawPicture(const QRectF&, const std::function<void(QPainter&, const QRectF&)>&) override {}
    void newPage() override {}
};

struct WrapCase {
    const char* name;
    const char* text;
    double width;
    int maxLines;
    QStringList lines;
};

class WrapToWidth : public ::testing::TestWithParam<WrapCase> {};

} // namespace

TEST_P(WrapToWidth, BreaksAtBlanksAndCutsWithAnEllipsis)
{
    const WrapCase& c = GetParam();
    HalfPointCharacters writer;
    PrintFont font;
    EXPECT_EQ(wrapToWidth(writer, QString::fromUtf8(c.text), font, c.width, c.maxLines), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    PrintFitting, WrapToWidth,
    ::testing::Values(
        WrapCase{"a text that fits stays one line", "Feed", 50, 5, {"Feed"}},
        WrapCase{"an empty text is one empty line", "", 50, 5, {""}},
        WrapCase{"exactly the width fits", "0123456789", 50, 5, {"0123456789"}},
        WrapCase{"breaks at the last blank that fits", "Rinse the sponge well", 50, 5, {"Rinse the", "sponge", "well"}},
        WrapCase{"the blank just after the room ends a line too", "0123456789 next", 50, 5, {"0123456789", "next"}},
        WrapCase{"a word wider than the room breaks inside", "abcdefghijklmnopqrstuvwxy z", 50, 5,
                 {"abcdefghij", "klmnopqrst", "uvwxy z"}},
        WrapCase{"more lines than allowed end with an ellipsis", "one two three four five six seven", 50, 2,
                 {"one two", "three fou\u2026"}},
        WrapCase{"a cut after a blank leaves the blank out", "abcdefgh  xyz", 50, 1, {"abcdefgh\u2026"}},
        WrapCase{"the lines allowed just suffice", "one two three", 50, 2, {"one two", "three"}}),
    NameOfCase());

TEST(PrintFitting, ATitleShrinksInHalfPointsUntilItFits)
{
    HalfPointCharacters writer;
    PrintFont title;
    title.family = QStringLiteral("Arial");
    title.pointSize = 18;
    // 60 characters: 540 at 18 points exactly, 600 at 20.
    const QString text = QString(60, QLatin1Char('x'));
    EXPECT_EQ(shrinkToWidth(writer, text, title, writer.pageWidth()), title);
    title.pointSize = 20;
    EXPECT_EQ(shrinkToWidth(writer, text, title, writer.pageWidth()).pointSize, 18);
    // 61 characters: 549 at 18 points, 533.75 at 17.5.
    const PrintFont shrunk = shrinkToWidth(writer, text + 'x', title, writer.pageWidth());
    EXPECT_EQ(shrunk.pointSize, 17.5);
    EXPECT_EQ(shrunk.family, QStringLiteral("Arial"));
    EXPECT_TRUE(shrunk.bold == title.bold && shrunk.italic == title.italic);
}
