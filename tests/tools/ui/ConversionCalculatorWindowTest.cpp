// The conversion calculator window: its list, the unit labels, converting a
// typed number, the notes when there is nothing to convert, header sorting,
// Close and how it opens from the main window.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/HelpWindow.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/TestEnv.h"
#include "tools/ui/ConversionCalculatorWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace {

struct Calculator {
    TestEnv env{false};
    std::unique_ptr<ConversionCalculatorWindow> window;

    Calculator()
    {
        window = std::make_unique<ConversionCalculatorWindow>(*env.ctx);
        window->resize(600, 460);
        window->show();
    }
    QTreeWidget* list() const { return child<QTreeWidget>(window.get(), "conversionList"); }
    QLineEdit* fromEdit() const { return child<QLineEdit>(window.get(), "fromValueEdit"); }
    QLineEdit* toEdit() const { return child<QLineEdit>(window.get(), "toValueEdit"); }
    QString fromUnit() const { return child<QLabel>(window.get(), "fromUnitLabel")->text(); }
    QString toUnit() const { return child<QLabel>(window.get(), "toUnitLabel")->text(); }
    void clickRow(int row)
    {
        QTreeWidgetItem* item = list()->topLevelItem(row);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(item).center());
    }
    // Picks the conversion shown as from > to, types the number and clicks Convert.
    QString convert(const QString& from, const QString& to, const QString& typed)
    {
        for (int r = 0; r < list()->topLevelItemCount(); ++r) {
            QTreeWidgetItem* item = list()->topLevelItem(r);
            if (item->text(0) == from && item->text(1) == to) {
                clickRow(r);
                fromEdit()->setText(typed);
                QTest::mouseClick(child<QPushButton>(window.get(), "convertButton"), Qt::LeftButton);
                return toEdit()->text();
            }
        }
        throw std::runtime_error("no conversion " + (from + ">" + to).toStdString());
    }
    QStringList columnTexts(int column) const
    {
        QStringList out;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            out << list()->topLevelItem(r)->text(column);
        return out;
    }
    void clickHeader(int column)
    {
        QHeaderView* header = list()->header();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
};

} // namespace

TEST(ConversionCalculatorWindowTest, OpensWithTheFirstConversionSelected)
{
    Calculator c;
    EXPECT_EQ(c.window->windowTitle(), "Conversions");
    EXPECT_EQ(c.list()->topLevelItemCount(), 40);
    EXPECT_EQ(c.list()->headerItem()->text(0), "Convert From");
    EXPECT_EQ(c.list()->headerItem()->text(1), "Convert To");
    ASSERT_EQ(c.list()->selectedItems().size(), 1);
    EXPECT_EQ(c.list()->selectedItems().first(), c.list()->topLevelItem(0));
    EXPECT_EQ(c.fromUnit(), "Gallons (US gal)");
    EXPECT_EQ(c.toUnit(), "Litres (L)");
    EXPECT_TRUE(c.toEdit()->text().isEmpty());
    // The Fahrenheit row keeps the mark its key ends with.
    EXPECT_EQ(c.list()->topLevelItem(19)->text(1), "Degrees Centigrade>");
}

TEST(ConversionCalculatorWindowTest, ConvertsWithTheSelectedConversion)
{
    Calculator c;
    const struct {
        const char* from;
        const char* to;
        const char* typed;
        const char* shown;
    } cases[] = {
        {"Degrees Fahrenheit", "Degrees Centigrade>", "0", "-17.7778"},
        {"Gallons (US gal)", "Cubic Centimeters (cc)", "1000000", "3,785,000,000.0000"},
        {"Litres (L) Water", "Pounds(lb)", "10", "22.0460"},
        {"Millilitres (mL)", "Cubic Centimeters (cc)", "2.5", "2.5000"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.from);
        EXPECT_EQ(c.convert(k.from, k.to, k.typed), QString::fromLatin1(k.shown));
        EXPECT_EQ(c.fromUnit(), k.from);
        EXPECT_EQ(c.toUnit(), k.to);
    }
    EXPECT_TRUE(c.env.messages.shown.isEmpty());
}

TEST(ConversionCalculatorWindowTest, SelectingARowClearsTheResultButTypingDoesNot)
{
    Calculator c;
    ASSERT_EQ(c.convert("Gallons (US gal)", "Litres (L)", "10"), "37.8500");
    QTest::keyClicks(c.fromEdit(), "5");
    EXPECT_EQ(c.toEdit()->text(), "37.8500");
    c.clickRow(1);
    EXPECT_TRUE(c.toEdit()->text().isEmpty());
    EXPECT_EQ(c.fromUnit(), "Litres (L)");
    EXPECT_EQ(c.fromEdit()->text(), "105");
}

TEST(ConversionCalculatorWindowTest, NoConversionSelectedShowsTheNoteAndKeepsTheResult)
{
    Calculator c;
    ASSERT_EQ(c.convert("Gallons (US gal)", "Litres (L)", "10"), "37.8500");
    c.list()->clearSelection();
    EXPECT_TRUE(c.fromUnit().isEmpty());
    EXPECT_TRUE(c.toUnit().isEmpty());
    c.toEdit()->setText("37.8500");   // as it stood before the selection went
    QTest::mouseClick(child<QPushButton>(c.window.get(), "convertButton"), Qt::LeftButton);
    ASSERT_EQ(c.env.messages.shown.size(), 1);
    const Message& m = c.env.messages.shown.first();
    EXPECT_EQ(m.text, "Select a formula by clicking on it. ");
    EXPECT_EQ(m.title, "Note!");
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_EQ(c.toEdit()->text(), "37.8500");
}

TEST(ConversionCalculatorWindowTest, UnusableValuesGiveANoteAndNoResult)
{
    const struct {
        const char* typed;
        const char* noteStart;
    } cases[] = {
        {"", "Type the number to convert"},
        {"ten", "The value to convert is not a number"},
        {"1,5", "The value to convert is not a number"},
        {"1e400", "The number is too large to convert"},
        {"999999999999999", "The number is too large to convert"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        Calculator c;
        ASSERT_EQ(c.convert("Gallons (US gal)", "Litres (L)", "10"), "37.8500");
        EXPECT_EQ(c.convert("Gallons (US gal)", "Litres (L)", k.typed), "");
        ASSERT_EQ(c.env.messages.shown.size(), 1);
        EXPECT_TRUE(c.env.messages.shown.first().text.startsWith(k.noteStart))
            << c.env.messages.shown.first().text.toStdString();
        EXPECT_EQ(c.env.messages.shown.first().title, "Note!");
        EXPECT_EQ(c.env.messages.shown.first().icon, MsgIcon::Information);
    }
}

TEST(ConversionCalculatorWindowTest, HeaderClicksSortAndRowsKeepTheirConversions)
{
    Calculator c;
    c.clickRow(18);   // Degrees Centigrade > Degrees Fahrenheit
    c.clickHeader(1);
    QStringList to = c.columnTexts(1);
    EXPECT_TRUE(std::is_sorted(to.begin(), to.end()));
    c.clickHeader(1);
    to = c.columnTexts(1);
    EXPECT_TRUE(std::is_sorted(to.rbegin(), to.rend()));
    EXPECT_EQ(to.first(), "Teaspoon (tsp)");
    c.clickHeader(0);
    const QStringList from = c.columnTexts(0);
    EXPECT_TRUE(std::is_sorted(from.begin(), from.end()));
    EXPECT_EQ(from.first(), "Centimeters (cm)");
    // The selection stayed on its conversion, which still converts as before.
    ASSERT_EQ(c.list()->selectedItems().size(), 1);
    EXPECT_EQ(c.list()->selectedItems().first()->text(0), "Degrees Centigrade");
    c.fromEdit()->setText("100");
    QTest::mouseClick(child<QPushButton>(c.window.get(), "convertButton"), Qt::LeftButton);
    EXPECT_EQ(c.toEdit()->text(), "212.0000");
}

TEST(ConversionCalculatorWindowTest, F1ShowsItsHelpPage)
{
    Calculator c;
    QTest::keyClick(c.fromEdit(), Qt::Key_F1);
    auto* help = c.window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(shownHelpPage(*help), "conversions.html");
}

TEST(ConversionCalculatorWindowTest, OpensFromToolsLeavesFilePrintAloneAndCloses)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    QAction* print = child<QAction>(&main, "printAction");
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        main.claimFilePrint(enabled, "&Print Entries...");
        child<QAction>(&main, "conversionsAction")->trigger();
        QPointer<QWidget> window = main.activeChild();
        ASSERT_NE(dynamic_cast<ConversionCalculatorWindow*>(window.data()), nullptr);
        EXPECT_EQ(print->isEnabled(), enabled);
        EXPECT_EQ(print->text(), "&Print Entries...");

        QTest::mouseClick(child<QPushButton>(window, "closeButton"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_TRUE(child<QMdiArea>(main, "mdiArea")->subWindowList().isEmpty());
    }
}
