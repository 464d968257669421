// The water-quality graph window inside the main window: which tank and page
// it draws, its refusals, the twelve graph types, and printing the graph.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/TankStore.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/QtPrinting.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LogbookWindow.h"
#include "reports/ui/GraphChartBuilder.h"
#include "support/PdfWords.h"
#include "reports/ui/WaterGraphWindow.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/HelpShown.h"

#include <QAction>
#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPieSeries>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <stdexcept>

// Failures show texts as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// Runs `act` on the modal window named `name` once it is up (within two seconds).
void whenModal(const QString& name, const std::function<void(QWidget&)>& act)
{
    auto* poll = new QTimer;
    poll->setInterval(2);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, name, act] {
        QWidget* window = QApplication::activeModalWidget();
        const bool up = window && window->objectName() == name;
        if (!up && waited->elapsed() < 2000)
            return;
        poll->stop();
        if (up)
            act(*window);
        else
            ADD_FAILURE() << name.toStdString() << " never came up";
        poll->deleteLater();
    });
    poll->start();
}

// In the tank editor: the keeper types the name and presses OK.
void nameTank(QWidget& editor, const QString& name)
{
    child<QLineEdit>(editor, "nameEdit")->setText(name);
    child<QPushButton>(editor, "okButton")->click();
}

// In the tank list: the keeper chooses the tank of this name.
void chooseInList(QWidget& list, const QString& name)
{
    auto* tanks = child<QListWidget>(list, "tankList");
    const QList<QListWidgetItem*> found = tanks->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    tanks->setCurrentItem(found[0]);
}

// In the tank list: Details... renames the tank.
void renameInList(QWidget& list, const QString& from, const QString& to)
{
    chooseInList(list, from);
    whenModal("TankEditorDialog", [to](QWidget& editor) { nameTank(editor, to); });
    child<QPushButton>(list, "changeButton")->click();
}

// In the tank list: Add New... adds a tank.
void addInList(QWidget& list, const QString& name)
{
    whenModal("TankEditorDialog", [name](QWidget& editor) { nameTank(editor, name); });
    child<QPushButton>(list, "addButton")->click();
}

// The main window with the program's wiring, over a few tanks.
struct Graph {
    TestEnv env;
    std::unique_ptr<MainWindow> main;
    QHash<QString, QString> ids;   // tank name -> key
    QList<QMenu*> popups;

    explicit Graph(const QStringList& tanks = {"Reef", "Pond"})
    {
        for (const QString& name : tanks)
            addTank(name);
        main = std::make_unique<MainWindow>(*env.ctx);
        wireApplication(*env.ctx, *main);
        main->resize(900, 650);
        main->show();
        if (!QTest::qWaitForWindowExposed(main.get()))
            throw std::runtime_error("the main window was never shown");
    }
    void addTank(const QString& name)
    {
        TankRecord t;
        t.tankname = name;
        t.watertype = "1";
        t.tanksize = 55;
        TankStore(env.ctx->db()).add(t, env.clock.now().addSecs(ids.size()));
        ids.insert(name, t.tankid);
    }
    // The keys of the tanks under the names they have now.
    void readIds()
    {
        ids.clear();
        for (const TankRecord& tank : TankStore(env.ctx->db()).listByName())
            ids.insert(tank.tankname, tank.tankid);
    }
    // Tools > Set Up Tanks: the keeper does `inList` in the tank list and
    // closes it with OK.
    void setUpTanks(const std::function<void(QWidget&)>& inList)
    {
        whenModal("TankListDialog", [inList](QWidget& list) {
            inList(list);
            child<QPushButton>(list, "okButton")->click();
        });
        child<QAction>(main.get(), "tankSetupAction")->trigger();
        readIds();
    }
    // In the tank list: Delete, and OK to the question.
    void deleteInList(QWidget& list, const QString& name)
    {
        chooseInList(list, name);
        env.messages.answers.enqueue(MsgResult::Ok);
        child<QPushButton>(list, "deleteButton")->click();
    }
    // One of the commands of the logbook's tank pop-up, on the tank the
    // logbook shows; `inEditor` answers the tank editor it opens.
    void tankPopup(const QString& command, const std::function<void(QWidget&)>& inEditor = {})
    {
        if (inEditor)
            whenModal("TankEditorDialog", inEditor);
        child<QAction>(main.get(), command)->trigger();
        readIds();
    }
    // n tests on n days from 1 January 2026: ammonia 0.25, nitrite 0.5 and nitrate 1..n.
    void addTests(const QString& tank, int n, const QDate& from = QDate(2026, 1, 1))
    {
        for (int i = 0; i < n; ++i) {
            WaterLogRecord r;
            r.tankid = ids.value(tank);
            r.logdate = from.addDays(i);
            r.logtime = QTime(9, 0);
            r.ammonia = 0.25;
            r.nitrite = 0.5;
            r.nitrate = i + 1;
            r.custom1 = 3;
            r.custom2 = 4;
            WaterLogStore(env.ctx->db()).insert(r);
        }
    }
    // Tools > Graphing.
    void graphing() { child<QAction>(main.get(), "graphingAction")->trigger(); }
    // Tools > Logbook, with `tank` picked in its tree.
    LogbookWindow* logbookOn(const QString& tank)
    {
        child<QAction>(main.get(), "logbookAction")->trigger();
        auto* logbook = qobject_cast<LogbookWindow*>(main->childWindow("LogbookWindow", false));
        if (!logbook || !logbook->selectNode(tank))
            throw std::runtime_error("the logbook did not open on " + tank.toStdString());
        return logbook;
    }
    WaterGraphWindow* window() const
    {
        auto* w = qobject_cast<WaterGraphWindow*>(main->childWindow("WaterGraphWindow", false));
        if (!w)
            throw std::runtime_error("the graph window is not open");
        w->showPopup = [this](QMenu* menu, const QPoint&) { const_cast<Graph*>(this)->popups << menu; };
        return w;
    }
    QChart* chart() const { return window()->chart(); }
    QToolButton* next() const { return child<QToolButton>(window(), "nextButton"); }
    QToolButton* previous() const { return child<QToolButton>(window(), "previousButton"); }
    QComboBox* tankBox() const { return child<QComboBox>(window(), "tankBox"); }
    QStringList boxNames() const
    {
        QStringList out;
        for (int i = 0; i < tankBox()->count(); ++i)
            out << tankBox()->itemText(i);
        return out;
    }
    // The keeper picks `tank` in the graph's tank box.
    void pick(const QString& tank) const
    {
        const int index = tankBox()->findData(ids.value(tank));
        if (index < 0)
            throw std::runtime_error("the tank box does not list " + tank.toStdString());
        tankBox()->setCurrentIndex(index);
        emit tankBox()->activated(index);
    }
    QStringList rowLabels() const
    {
        for (QAbstractAxis* axis : chart()->axes(Qt::Horizontal))
            if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis))
                return categories->categories();
        return {};
    }
    // The names the legend shows on the screen, as the keeper reads them:
    // line by line, left to right.
    QStringList legend() const
    {
        QCoreApplication::processEvents();
        QList<QGraphicsTextItem*> labels;
        QList<QGraphicsItem*> items = chart()->legend()->childItems();
        while (!items.isEmpty()) {
            QGraphicsItem* item = items.takeFirst();
            items += item->childItems();
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                labels << text;
        }
        std::sort(labels.begin(), labels.end(), [](QGraphicsTextItem* a, QGraphicsTextItem* b) {
            const QPointF pa = a->scenePos(), pb = b->scenePos();
            return qRound(pa.y()) != qRound(pb.y()) ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        QStringList out;
        for (QGraphicsTextItem* label : labels)
            out << label->toPlainText();
        return out;
    }
    // The texts the chart shows on the screen (axis labels and titles, the
    // legend), as Qt Charts laid them out: a label too wide for its room is
    // cut to "10/..." or "...".
    QStringList shownTexts() const
    {
        QCoreApplication::processEvents();
        QStringList out;
        for (QGraphicsItem* item : chart()->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                out << text->toPlainText();
        return out;
    }
    QStringList titles() const
    {
        QStringList out;
        for (const Message& m : env.messages.shown)
            out << m.title;
        return out;
    }
};

// With no tank picked, Tools > Graphing draws the first tank by name, whatever
// its name: a file made elsewhere may hold a tank named "" or " ". Picked
// again in the box, after another, it is drawn again.
TEST(WaterGraphWindow, ToolsGraphingDrawsTheFirstTankAndClaimsFilePrint)
{
    for (const QString& first : {QStringLiteral("Pond"), QString(), QStringLiteral(" ")}) {
        SCOPED_TRACE("the first tank named '" + first.toStdString() + "'");
        Graph g({first, "Reef"});
        g.addTests(first, 3);
        g.addTests("Reef", 2, QDate(2026, 4, 1));
        g.graphing();
        WaterGraphWindow* w = g.window();
        EXPECT_EQ(w->windowTitle(), "Water Quality Graphing");
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(g.tankBox()->currentText(), first);
        EXPECT_EQ(g.rowLabels(), QStringList({"1/1", "1/2", "1/3"}));
        EXPECT_EQ(g.legend(), QStringList({"Nh3", "No2", "No3"}));
        EXPECT_EQ(g.main->activeChild(), w);
        QAction* print = child<QAction>(g.main.get(), "printAction");
        EXPECT_TRUE(print->isEnabled());
        EXPECT_EQ(print->text(), "&Print");

        g.pick("Reef");
        EXPECT_EQ(g.rowLabels(), QStringList({"4/1", "4/2"}));
        g.pick(first);
        EXPECT_EQ(g.tankBox()->currentText(), first);
        EXPECT_EQ(g.rowLabels(), QStringList({"1/1", "1/2", "1/3"}));
        EXPECT_TRUE(g.env.messages.shown.isEmpty());
    }
}

TEST(WaterGraphWindow, NextAndPreviousTurnThePagesOfTheTank)
{
    Graph g;
    g.addTests("Reef", 45);
    g.main->showWaterGraph(g.ids.value("Reef"));
    const struct {
        QToolButton* (Graph::*click)() const;
        int page;
        QString firstLabel;
        int rows;
        bool next, previous;
    } steps[] = {
        {nullptr, 1, "1/1", 20, true, false},
        {&Graph::next, 2, "1/21", 20, true, true},
        {&Graph::next, 3, "2/10", 5, false, true},
        {&Graph::previous, 2, "1/21", 20, true, true},
        {&Graph::previous, 1, "1/1", 20, true, false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.page);
        if (step.click)
            QTest::mouseClick((g.*step.click)(), Qt::LeftButton);
        EXPECT_EQ(g.window()->shownPage().page, step.page);
        EXPECT_EQ(g.rowLabels().size(), step.rows);
        EXPECT_EQ(g.rowLabels().value(0), step.firstLabel);
        EXPECT_EQ(g.next()->isEnabled(), step.next);
        EXPECT_EQ(g.previous()->isEnabled(), step.previous);
    }
}

TEST(WaterGraphWindow, ChoosingAnotherTankStartsAtItsFirstPage)
{
    Graph g;
    g.addTests("Reef", 45);
    g.addTests("Pond", 25, QDate(2025, 6, 1));
    g.main->showWaterGraph(g.ids.value("Reef"));
    QTest::mouseClick(g.next(), Qt::LeftButton);
    QTest::mouseClick(g.next(), Qt::LeftButton);
    ASSERT_EQ(g.window()->shownPage().page, 3);
    g.pick("Pond");
    EXPECT_EQ(g.tankBox()->currentText(), "Pond");
    EXPECT_EQ(g.window()->shownPage().page, 1);
    EXPECT_EQ(g.rowLabels().value(0), "6/1");
    EXPECT_TRUE(g.next()->isEnabled());
    EXPECT_FALSE(g.previous()->isEnabled());
    // A day-first keeper reads the day first, and a dot never reads as a decimal.
    g.env.ctx->settings.dateOrder = "DDMMYY";
    g.env.ctx->settings.dateDelimiter = ".";
    g.graphing();
    EXPECT_EQ(g.rowLabels().value(0), "1.6.");
}

// The date labels of tests on consecutive days from `from`, as the keeper
// reads them: month and day, or day and month ending in the dot.
QStringList datesFrom(const QDate& from, int days, bool dayFirstWithDots)
{
    QStringList out;
    for (int i = 0; i < days; ++i) {
        const QDate d = from.addDays(i);
        out << (dayFirstWithDots ? QStringLiteral("%1.%2.").arg(d.day()).arg(d.month())
                                 : QStringLiteral("%1/%2").arg(d.month()).arg(d.day()));
    }
    return out;
}

// Sets the desktop's type size for the life of a test (0: Qt's own).
struct DesktopFont {
    QFont before = QApplication::font();
    explicit DesktopFont(double points)
    {
        if (points <= 0)
            return;
        QFont font = before;
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(before); }
};

// A cut label is shown with Qt's "..." in place of its end.
bool anyCut(const QStringList& texts)
{
    return std::any_of(texts.cbegin(), texts.cend(), [](const QString& t) {
        return t.contains(QLatin1String("...")) || t.contains(QChar(0x2026));
    });
}

struct DateLabelCase {
    const char* name;
    bool dayFirstWithDots;
    int entries;
    QDate from;
    bool maximized;       // the graph maximized in a main window on an 800-pixel-wide screen
    double desktopPoints; // the desktop's type size (0: Qt's own)
};

class DateLabels : public ::testing::TestWithParam<DateLabelCase> {};

TEST_P(DateLabels, EveryLabelOfThePageReadsWholeOnTheScreen)
{
    const DateLabelCase& c = GetParam();
    const DesktopFont font(c.desktopPoints);
    Graph g;
    g.main->resize(800, 560);
    g.addTests("Reef", c.entries, c.from);
    if (c.dayFirstWithDots) {
        g.env.ctx->settings.dateOrder = "DDMMYY";
        g.env.ctx->settings.dateDelimiter = ".";
    }
    g.main->showWaterGraph(g.ids.value("Reef"));
    if (c.maximized) {
        g.main->showMaximized();
        qobject_cast<QMdiSubWindow*>(g.window()->parentWidget())->showMaximized();
        QCoreApplication::processEvents();
        ASSERT_LE(g.main->width(), 800);
    }
    const QStringList dates = datesFrom(c.from, c.entries, c.dayFirstWithDots);
    ASSERT_EQ(g.rowLabels(), dates);
    const QStringList shown = g.shownTexts();
    for (const QString& date : dates)
        EXPECT_TRUE(shown.contains(date)) << date.toStdString();
    EXPECT_FALSE(anyCut(shown)) << shown.join(' ').toStdString();
    // Wider, the labels still read whole.
    auto* frame = qobject_cast<QMdiSubWindow*>(g.window()->parentWidget());
    frame->showNormal();
    frame->resize(frame->width() + 150, frame->height());
    EXPECT_FALSE(anyCut(g.shownTexts())) << g.shownTexts().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    GraphWindow, DateLabels,
    ::testing::Values(
        DateLabelCase{"FullPageAtTheDefaultSize", false, 20, QDate(2025, 10, 1), false, 0},
        DateLabelCase{"FullPageOfDayFirstDatesInADesktopsLargerType", true, 20, QDate(2025, 11, 10), false, 11},
        DateLabelCase{"TwelveDayFirstDatesMaximizedInADesktopsLargerType", true, 12, QDate(2025, 11, 25), true, 11}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* description;
    QString tank;   // the tank the logbook asks for (a key of no tank when none is named so)
    std::function<void(Graph&)> arrange;
    QString text;
    QString title;
    MsgIcon icon;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, ShowTheirMessageAndDrawNothing)
{
    const RefusalCase& c = GetParam();
    Graph g;
    c.arrange(g);
    g.env.messages.clear();
    g.main->showWaterGraph(g.ids.value(c.tank, c.tank));
    ASSERT_EQ(g.env.messages.shown.size(), 1);
    const Message& m = g.env.messages.shown[0];
    EXPECT_EQ(m.text, c.text);
    EXPECT_EQ(m.title, c.title);
    EXPECT_EQ(m.icon, c.icon);
    EXPECT_TRUE(g.chart()->series().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    GraphChart, Refusals,
    ::testing::Values(
        RefusalCase{"no tank", "Reef",
                    [](Graph& g) {
                        for (const QString& id : g.ids)
                            TankStore(g.env.ctx->db()).remove(id);
                    },
                    "You have no tanks set up in Brinestead. You must set-up at least one tank and enter at least 2 "
                    "log entries into it before you can graph the results. Set up a tank by choosing \"Tools\", "
                    "\"Set Up Tanks\" on the menu.",
                    "No Tanks Set Up Yet", MsgIcon::Exclamation},
        RefusalCase{"tank not found", "Gone", [](Graph&) {},
                    "You have no log entries set up in Brinestead. You must enter at least 2 water quality log "
                    "entries into it before you can graph the results.",
                    "No Tanks Set Up Yet", MsgIcon::Exclamation},
        RefusalCase{"nothing selected", "Reef",
                    [](Graph& g) {
                        g.addTests("Reef", 3);
                        g.env.ctx->settings.graphChecks = "0000000000000";
                    },
                    "Nothing is selected to graph! Select the measurements you'd like to graph by checking the "
                    "appropriate boxes.",
                    "Note!", MsgIcon::Information},
        RefusalCase{"one entry", "Reef", [](Graph& g) { g.addTests("Reef", 1); },
                    "Remember, you need to have at least 2 water quality log entries for a tank in order to create "
                    "a graph. Select another tank or add more water quality entries.",
                    "Not Enough Entries To Create A Graph!", MsgIcon::Exclamation}),
    [](const auto& info) {
        std::string name = info.param.description;
        for (char& ch : name)
            if (ch == ' ')
                ch = '_';
        return name;
    });

// The buttons follow what is drawn, and the hint offers only what the window does.
TEST(WaterGraphWindow, WithNothingDrawnNeitherButtonTurnsAPage)
{
    Graph g;
    g.addTests("Reef", 45);
    g.main->showChild("WaterGraphWindow");   // opened without a drawing
    EXPECT_TRUE(g.chart()->series().isEmpty());
    EXPECT_FALSE(g.next()->isEnabled());
    EXPECT_FALSE(g.previous()->isEnabled());
    EXPECT_EQ(child<QLabel>(g.window(), "hintLabel")->text(), "(Right Click for Graph Properties)");

    g.main->showWaterGraph(g.ids.value("Reef"));
    QTest::mouseClick(g.next(), Qt::LeftButton);
    ASSERT_TRUE(g.next()->isEnabled());
    ASSERT_TRUE(g.previous()->isEnabled());
    // Nothing chosen to graph: the chart is emptied, and so are the pages.
    g.env.ctx->settings.graphChecks = "0000000000000";
    g.graphing();
    EXPECT_EQ(g.titles(), QStringList({"Note!"}));
    EXPECT_TRUE(g.chart()->series().isEmpty());
    EXPECT_FALSE(g.next()->isEnabled());
    EXPECT_FALSE(g.previous()->isEnabled());
}

TEST(WaterGraphWindow, FewerThanTwoEntriesDisablesBothButtonsAndKeepsTheChart)
{
    Graph g;
    g.addTests("Reef", 25);
    g.addTests("Pond", 1);
    g.main->showWaterGraph(g.ids.value("Reef"));
    QTest::mouseClick(g.next(), Qt::LeftButton);
    g.pick("Pond");
    EXPECT_EQ(g.titles(), QStringList({"Not Enough Entries To Create A Graph!"}));
    EXPECT_FALSE(g.next()->isEnabled());
    EXPECT_FALSE(g.previous()->isEnabled());
    EXPECT_EQ(g.rowLabels().size(), 5);   // Reef's page 2 stays drawn
}

// The legend shows the names as the keeper typed them, in every kind of
// graph: nothing in them reads as markup, and their blanks stay.
TEST(WaterGraphWindow, UserTestsAreLabelledWithTheNamesInTheOptions)
{
    for (int code : {1, 3, 5, 7, 8, 14, 16}) {
        SCOPED_TRACE(code);
        Graph g;
        g.addTests("Reef", 2);
        g.env.ctx->settings.graphStyle = code;
        g.env.ctx->settings.graphChecks = "1000000000011";
        g.env.ctx->userFieldName1 = "K<Na";
        g.env.ctx->userFieldName2 = "<i>Mg</i> & Ca";
        g.main->showWaterGraph(g.ids.value("Reef"));
        EXPECT_EQ(g.legend(), QStringList({"ph", "K<Na", "<i>Mg</i> & Ca"}));
        // Renamed in the options: the next drawing carries the new names.
        g.env.ctx->userFieldName1 = "KH  test";
        g.env.ctx->userFieldName2 = " Sr";
        g.graphing();
        EXPECT_EQ(g.legend(), QStringList({"ph", "KH  test", " Sr"}));
    }
}

// The points of the line pieces drawn for series `number`.
QList<QPointF> pointsOf(QChart* chart, int number, int* pieces = nullptr)
{
    QList<QPointF> points;
    int count = 0;
    for (QAbstractSeries* s : chart->series()) {
        auto* line = qobject_cast<QLineSeries*>(s);
        if (line && graphSeriesNumber(line) == number) {
            points += line->points();
            ++count;
        }
    }
    if (pieces)
        *pieces = count;
    return points;
}

TEST(WaterGraphWindow, ASkippedZeroLeavesAGapInTheLine)
{
    Graph g;
    g.addTests("Reef", 3);
    QSqlQuery(g.env.ctx->db()).exec("UPDATE waterlog SET Ammonia = 0 WHERE nitrate = 2");
    g.env.ctx->settings.graphStyle = 3;   // 2D Line
    g.env.ctx->settings.graphChecks = "0100000000000";

    g.main->showWaterGraph(g.ids.value("Reef"));
    int pieces = 0;
    EXPECT_EQ(pointsOf(g.chart(), 0, &pieces), QList<QPointF>({{0, 0.25}, {1, 0}, {2, 0.25}}));
    EXPECT_EQ(pieces, 1);

    g.env.ctx->settings.graphSkipZeroes = 1;
    g.graphing();
    EXPECT_EQ(pointsOf(g.chart(), 0, &pieces), QList<QPointF>({{0, 0.25}, {2, 0.25}}));
    EXPECT_EQ(pieces, 2);
    EXPECT_EQ(g.legend(), QStringList({"Nh3"}));   // one legend entry for both pieces
}

// Tests that hold none of the chosen measurements draw an empty chart: the
// window says why.
TEST(WaterGraphWindow, ATankWithoutValuesOfTheChosenTestsIsToldSo)
{
    Graph g;
    g.addTests("Reef", 3);     // no pH, no temperature
    g.addTests("Pond", 25);
    g.env.ctx->settings.graphChecks = "1000010000000";
    const auto notice = [&] { return child<QLabel>(g.window(), "noValuesLabel"); };

    g.main->showWaterGraph(g.ids.value("Reef"));
    EXPECT_TRUE(g.env.messages.shown.isEmpty());
    EXPECT_TRUE(notice()->isVisible());
    EXPECT_EQ(notice()->text(), "The water tests of this tank hold no values for the measurements chosen to graph.");
    EXPECT_EQ(g.legend(), QStringList({"ph", "temp"}));

    // A tank of two pages: the page shown holds none.
    g.main->showWaterGraph(g.ids.value("Pond"));
    EXPECT_EQ(notice()->text(), "The water tests on this page hold no values for the measurements chosen to graph.");
    EXPECT_TRUE(notice()->isVisible());

    // Nitrate chosen as well: its values are drawn, and nothing is said.
    g.env.ctx->settings.graphChecks = "1001010000000";
    g.graphing();
    EXPECT_FALSE(notice()->isVisible());

    // Zeros the keeper skips are no values either.
    QSqlQuery(g.env.ctx->db()).exec("UPDATE waterlog SET nitrate = 0");
    g.env.ctx->settings.graphSkipZeroes = 1;
    g.main->showWaterGraph(g.ids.value("Reef"));
    EXPECT_TRUE(notice()->isVisible());
}

struct KindCase {
    int code;
    int barSets;       // bar sets in the one bar series (0: no bars)
    int lines;         // line pieces
    int areas;
    int pies;
    int pointsPerLine; // points of each line (0: not checked)
    bool pointsVisible;
};

class GraphTypes : public ::testing::TestWithParam<KindCase> {};

TEST_P(GraphTypes, DrawTheirKindOfSeriesAndNameThemInTheLegend)
{
    const KindCase& c = GetParam();
    Graph g;
    g.addTests("Reef", 4);
    g.env.ctx->settings.graphStyle = c.code;
    g.main->showWaterGraph(g.ids.value("Reef"));

    int barSets = 0, lines = 0, areas = 0, pies = 0;
    for (QAbstractSeries* s : g.chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(s)) {
            barSets += int(bars->count());
        } else if (auto* line = qobject_cast<QLineSeries*>(s)) {
            ++lines;
            if (c.pointsPerLine) {
                EXPECT_EQ(line->count(), c.pointsPerLine);
            }
            EXPECT_EQ(line->pointsVisible(), c.pointsVisible);
        } else if (qobject_cast<QAreaSeries*>(s)) {
            ++areas;
        } else if (auto* pie = qobject_cast<QPieSeries*>(s)) {
            ++pies;
            EXPECT_EQ(pie->count(), 3);   // a slice per measurement
        }
    }
    EXPECT_EQ(barSets, c.barSets);
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(areas, c.areas);
    EXPECT_EQ(pies, c.pies);
    EXPECT_EQ(g.legend(), QStringList({"Nh3", "No2", "No3"}));
    if (c.pies) {
        // Each pie carries its entry's date.
        QStringList dates;
        for (QGraphicsItem* item : g.chart()->childItems())
            if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
                dates << text->text();
        EXPECT_EQ(dates, QStringList({"1/1", "1/2", "1/3", "1/4"}));
    }
    if (c.pies == 0) {
        ASSERT_EQ(g.chart()->axes(Qt::Horizontal).size(), 1);
        ASSERT_EQ(g.chart()->axes(Qt::Vertical).size(), 1);
        EXPECT_EQ(g.chart()->axes(Qt::Horizontal)[0]->titleText(), c.code == 16 ? "Entry" : "Date");
        EXPECT_EQ(g.chart()->axes(Qt::Vertical)[0]->titleText(), "Value");
        if (c.code != 16) {
            EXPECT_EQ(g.rowLabels(), QStringList({"1/1", "1/2", "1/3", "1/4"}));
        }
    }
    // The chart is really drawn: the window's picture holds the series' colours.
    const QImage shot = g.window()->grab().toImage();
    int coloured = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2) {
            const QColor p = shot.pixelColor(x, y);
            coloured += std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()}) > 60;
        }
    EXPECT_GT(coloured, 50);
}

INSTANTIATE_TEST_SUITE_P(
    AllTwelve, GraphTypes,
    ::testing::Values(KindCase{0, 3, 0, 0, 0, 0, false}, KindCase{1, 3, 0, 0, 0, 0, false},
                      KindCase{2, 0, 3, 0, 0, 4, true}, KindCase{3, 0, 3, 0, 0, 4, true},
                      KindCase{4, 0, 0, 3, 0, 0, false}, KindCase{5, 0, 0, 3, 0, 0, false},
                      KindCase{6, 0, 3, 0, 0, 8, false}, KindCase{7, 0, 3, 0, 0, 8, false},
                      KindCase{8, 1, 2, 0, 0, 4, true}, KindCase{9, 1, 2, 0, 0, 4, true},
                      KindCase{14, 0, 0, 0, 4, 0, false}, KindCase{16, 0, 3, 0, 0, 4, true}),
    [](const auto& info) { return "Code" + std::to_string(info.param.code); });

TEST(WaterGraphWindow, XYDrawsEachSeriesAgainstTheEntryNumber)
{
    Graph g;
    g.addTests("Reef", 3);
    g.env.ctx->settings.graphStyle = 16;
    g.main->showWaterGraph(g.ids.value("Reef"));
    EXPECT_EQ(pointsOf(g.chart(), 2), QList<QPointF>({{1, 1}, {2, 2}, {3, 3}}));
}

// Tanks added, renamed or deleted while the graph is open, in Tools > Set Up
// Tanks or through the logbook's tank pop-up, show in the graph's box at
// once: it lists the tanks there are and names the tank the chart shows (and
// prints), and picking a name draws the tank that bears it now. A tank shown
// and then deleted leaves the box and the chart empty.
TEST(WaterGraphWindow, ATankAddedWhileTheWindowIsOpenCanBeGraphed)
{
    Graph g;
    g.addTests("Reef", 2, QDate(2026, 1, 1));
    g.addTests("Pond", 2, QDate(2026, 2, 1));
    LogbookWindow* logbook = g.logbookOn("Reef");
    g.main->showWaterGraph(g.ids.value("Reef"));
    QtPrintService qt(&g.env.files);
    g.env.ctx->services.printing = &qt;
    // Tools > Set Up Tanks with the graph in front; the pop-up in the logbook's tree.
    const auto inGraph = [&] { g.main->showChild("WaterGraphWindow"); };
    const auto inLogbook = [&](const QString& tank) {
        g.main->showChild("LogbookWindow");
        ASSERT_TRUE(logbook->selectNode(tank)) << tank.toStdString();
    };
    const struct {
        const char* step;
        std::function<void()> change;
        QStringList box;
        QString shown;       // the tank the box names ("": none)
        QString firstDate;   // of the chart ("": nothing drawn)
        QString printed;     // the tank the printed title names (none: not printed)
        QString pick;        // then picked in the box (none: nothing picked)
        QString pickedDate;
    } steps[] = {
        {"Set Up Tanks: Reef and Pond swap names",
         [&] {
             inGraph();
             g.setUpTanks([](QWidget& list) {
                 renameInList(list, "Reef", "Swap");
                 renameInList(list, "Pond", "Reef");
                 renameInList(list, "Swap", "Pond");
             });
         },
         {"Pond", "Reef"}, "Pond", "1/1", "Pond", "Reef", "2/1"},
        {"Set Up Tanks: a tank added",
         [&] {
             inGraph();
             g.setUpTanks([](QWidget& list) { addInList(list, "Angel"); });
             g.addTests("Angel", 2, QDate(2026, 5, 7));
         },
         {"Angel", "Pond", "Reef"}, "Reef", "2/1", "", "Angel", "5/7"},
        {"the logbook's Properties renames the tank shown",
         [&] {
             inLogbook("Angel");
             g.tankPopup("tankPropertiesAction", [](QWidget& editor) { nameTank(editor, "Angels"); });
         },
         {"Angels", "Pond", "Reef"}, "Angels", "5/7", "Angels", "Pond", "1/1"},
        {"the logbook's New Tank",
         [&] {
             inLogbook("Reef");
             g.tankPopup("newTankAction", [](QWidget& editor) { nameTank(editor, "Tang"); });
         },
         {"Angels", "Pond", "Reef", "Tang"}, "Pond", "1/1", "", "", ""},
        {"the logbook's Delete Tank deletes the tank shown",
         [&] {
             inLogbook("Pond");
             g.env.messages.answers.enqueue(MsgResult::Ok);
             g.tankPopup("deleteTankAction");
         },
         {"Angels", "Reef", "Tang"}, "", "", "", "Reef", "2/1"},
        {"Set Up Tanks: the tank shown deleted",
         [&] {
             inGraph();
             g.setUpTanks([&](QWidget& list) { g.deleteInList(list, "Reef"); });
         },
         {"Angels", "Tang"}, "", "", "", "Angels", "5/7"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        step.change();
        EXPECT_EQ(g.boxNames(), step.box);
        EXPECT_EQ(g.tankBox()->currentText(), step.shown);
        EXPECT_EQ(g.rowLabels().value(0), step.firstDate);
        if (!step.printed.isEmpty()) {
            const QString path = g.env.path(QStringLiteral("%1.pdf").arg(step.printed));
            g.env.files.answers.enqueue(path);
            g.env.messages.answers.enqueue(MsgResult::No);   // not maximized
            g.window()->printGraph(PrintDestination::PdfFile);
            const PdfWords pdf(path);
            ASSERT_EQ(pdf.pageCount(), 1) << pdf.error().toStdString();
            EXPECT_TRUE(pdf.page(0).lines().contains("Brinestead Graph for Tank: " + step.printed))
                << pdf.page(0).lines().join('|').toStdString();
        }
        g.env.messages.clear();
        if (step.pick.isEmpty())
            continue;
        g.pick(step.pick);
        EXPECT_EQ(g.tankBox()->currentText(), step.pick);
        EXPECT_EQ(g.rowLabels().value(0), step.pickedDate);
        EXPECT_TRUE(g.env.messages.shown.isEmpty()) << g.titles().join(", ").toStdString();
    }
}

TEST(WaterGraphWindow, RightClickOffersTheGraphPopupAndF1OpensItsHelp)
{
    Graph g;
    g.addTests("Reef", 2);
    g.graphing();
    WaterGraphWindow* w = g.window();
    auto* view = child<QChartView>(w, "chartView");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20), view->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(view->viewport(), &click);
    ASSERT_EQ(g.popups.size(), 1);
    EXPECT_EQ(g.popups[0]->objectName(), "graphMenu");

    QTest::keyClick(w, Qt::Key_F1);
    auto* help = g.main->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_EQ(shownHelpPage(*help), "graph.html");
}

TEST(WaterGraphWindow, GraphOptionsRedrawsAnOpenGraphAndOpensNoClosedOne)
{
    Graph g;
    g.addTests("Reef", 3);
    QList<int> tabs;
    g.main->hooks.showOptions = [&](int tab) {
        tabs << tab;
        g.env.ctx->settings.graphStyle = 3;   // the keeper picks "2D Line"
    };
    QAction* options = child<QAction>(g.main.get(), "graphOptionsAction");
    options->trigger();
    EXPECT_EQ(tabs, QList<int>({1}));
    EXPECT_EQ(g.main->childWindow("WaterGraphWindow", false), nullptr);

    g.env.ctx->settings.graphStyle = 1;
    g.main->showWaterGraph(g.ids.value("Reef"));
    ASSERT_TRUE(qobject_cast<QBarSeries*>(g.chart()->series().value(0)));
    options->trigger();
    EXPECT_EQ(tabs, QList<int>({1, 1}));
    ASSERT_FALSE(g.chart()->series().isEmpty());
    EXPECT_TRUE(qobject_cast<QLineSeries*>(g.chart()->series().value(0)));
}

// Tools > Graphing and its toolbar button draw the tank picked last, in the
// logbook's tree or in the graph's box; the logbook's graph button draws the
// logbook's tank, and Graph Options redraws the tank the graph shows. Once
// the tank the graph shows is deleted, Tools > Graphing draws the first tank.
TEST(WaterGraphWindow, ToolsGraphingDrawsTheTankPickedLastInTheLogbookOrTheGraph)
{
    Graph g({"Reef", "Pond", "Community", "Tang"});
    g.addTests("Reef", 2, QDate(2026, 4, 1));
    g.addTests("Pond", 2, QDate(2026, 1, 1));
    g.addTests("Community", 2, QDate(2026, 3, 1));
    g.addTests("Tang", 2, QDate(2026, 5, 1));
    g.main->hooks.showOptions = [](int) {};
    LogbookWindow* logbook = g.logbookOn("Reef");   // "Community" comes first by name
    const auto inLogbook = [&](const QString& tank) {
        if (!logbook->selectNode(tank))
            throw std::runtime_error("the logbook does not list " + tank.toStdString());
    };
    const auto toolsGraphing = [&] { g.graphing(); };
    const auto toolbarButton = [&] { g.main->toolbarButton("graphing")->trigger(); };
    const auto logbooksButton = [&] { child<QAction>(logbook, "graphAction")->trigger(); };
    const auto graphOptions = [&] { child<QAction>(g.main.get(), "graphOptionsAction")->trigger(); };
    const struct {
        const char* step;
        std::function<void()> pickFirst;   // none: nothing picked before
        std::function<void()> draw;
        QString drawn;
    } steps[] = {
        {"Tools > Graphing opens on the logbook's tank", {}, toolsGraphing, "Reef"},
        {"picked in the logbook", [&] { inLogbook("Community"); }, toolsGraphing, "Community"},
        {"picked in the graph's box", [&] { g.pick("Pond"); }, {}, "Pond"},
        {"the toolbar button draws the box's pick", {}, toolbarButton, "Pond"},
        {"picked in the logbook again", [&] { inLogbook("Reef"); }, toolbarButton, "Reef"},
        {"the logbook's button after a pick in the box", [&] { g.pick("Community"); }, logbooksButton, "Reef"},
        {"Graph Options after a pick in the logbook", [&] { g.pick("Pond"); inLogbook("Community"); }, graphOptions, "Pond"},
        {"Tools > Graphing after Graph Options", {}, toolsGraphing, "Community"},
        {"picked in the logbook, then deleted",
         [&] {
             g.pick("Reef");
             inLogbook("Pond");
             TankStore(g.env.ctx->db()).remove(g.ids.value("Pond"));
         },
         toolsGraphing, "Reef"},
        {"the tank shown, deleted in Set Up Tanks",
         [&] {
             g.setUpTanks([&](QWidget& list) { g.deleteInList(list, "Reef"); });
             g.env.messages.clear();
         },
         toolsGraphing, "Community"},
    };
    const QHash<QString, QString> firstDates = {
        {"Reef", "4/1"}, {"Pond", "1/1"}, {"Community", "3/1"}, {"Tang", "5/1"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.step);
        if (step.pickFirst)
            step.pickFirst();
        if (step.draw)
            step.draw();
        EXPECT_EQ(g.tankBox()->currentText(), step.drawn);
        EXPECT_EQ(g.rowLabels().value(0), firstDates.value(step.drawn));
        EXPECT_EQ(g.main->activeChild(), g.window());
        EXPECT_TRUE(g.env.messages.shown.isEmpty()) << g.titles().join(", ").toStdString();
    }
}

// ---- printing ----------------------------------------------------------------------

struct Printed : Graph {
    Printed()
    {
        addTests("Reef", 5);
        main->showWaterGraph(ids.value("Reef"));
    }
    QMdiSubWindow* frame() const { return qobject_cast<QMdiSubWindow*>(window()->parentWidget()); }
    void printViaFileMenu() { child<QAction>(main.get(), "printAction")->trigger(); }
};

TEST(GraphPrinting, CancelAtTheMaximizeQuestionPrintsNothing)
{
    Printed p;
    p.env.messages.answers.enqueue(MsgResult::Cancel);
    p.printViaFileMenu();
    ASSERT_EQ(p.env.messages.shown.size(), 1);
    EXPECT_EQ(p.env.messages.shown[0].title, "Maximize Window?");
    EXPECT_EQ(p.env.messages.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(p.env.messages.shown[0].icon, MsgIcon::Question);
    EXPECT_TRUE(p.env.printing.dialogTitles.isEmpty());
    EXPECT_TRUE(p.env.printing.jobs.isEmpty());
    EXPECT_FALSE(p.frame()->isMaximized());
}

TEST(GraphPrinting, CancelInThePrintDialogPrintsNothingAndLeavesTheChartAsItWas)
{
    Printed p;
    p.env.messages.answers.enqueue(MsgResult::No);
    p.env.printing.accept = {false};
    p.printViaFileMenu();
    EXPECT_EQ(p.env.printing.dialogTitles, QStringList({"Print Water Quality Graph"}));
    EXPECT_TRUE(p.env.printing.jobs.isEmpty());
    EXPECT_EQ(p.chart()->title(), "");
    EXPECT_FALSE(p.frame()->isMaximized());
}

TEST(GraphPrinting, YesMaximizesBothWindowsAndEachCopyIsALandscapePage)
{
    Printed p;
    p.env.messages.answers.enqueue(MsgResult::Yes);
    p.env.printing.copies = 3;
    p.printViaFileMenu();
    EXPECT_TRUE(p.frame()->isMaximized());
    EXPECT_TRUE(p.main->isMaximized());
    ASSERT_EQ(p.env.printing.jobs.size(), 3);
    for (const RecordedJob& job : p.env.printing.jobs) {
        EXPECT_EQ(job.orientation, PageOrientation::Landscape);
        ASSERT_EQ(job.pages.size(), 1);
        const RecordedItem& chart = job.pages[0].items.value(0);
        EXPECT_EQ(chart.kind, RecordedItem::Picture);
        EXPECT_EQ(QRectF(QPointF(chart.x, chart.y), QPointF(chart.x2, chart.y2)), QRectF(0, 27, 720, 486));
        EXPECT_EQ(job.pages[0].texts(), QStringList({"Printed by Brinestead - 2026"}));
    }
    // Maximized now: the next print asks nothing.
    p.env.messages.clear();
    p.env.printing.jobs.clear();
    p.env.printing.copies = 1;
    p.printViaFileMenu();
    EXPECT_TRUE(p.env.messages.shown.isEmpty());
    EXPECT_EQ(p.env.printing.jobs.size(), 1);
}

// Prints into pictures, as a printer would paint them.
class ImagePrintService : public IPrintService {
public:
    QList<QImage> pages;
    std::unique_ptr<IPrintSession> choosePrinter(const QString&, PrintDestination) override
    {
        return std::make_unique<Session>(*this);
    }

private:
    class Session : public IPrintSession {
    public:
        explicit Session(ImagePrintService& s) : m_s(s) {}
        int copies() const override { return 1; }
        IPageWriter* beginJob(std::optional<PageOrientation> o) override
        {
            m_image = QImage(1100, 850, QImage::Format_RGB32);
            m_image.fill(Qt::white);
            m_painter = std::make_unique<QPainter>(&m_image);
            m_writer = std::make_unique<PainterPageWriter>(*m_painter, m_image, o.value_or(PageOrientation::Landscape),
                                                           [] {});
            return m_writer.get();
        }
        bool endJob() override
        {
            m_writer.reset();
            m_painter.reset();
            m_s.pages << m_image;
            return true;
        }
        QString errorText() const override { return {}; }

    private:
        ImagePrintService& m_s;
        QImage m_image;
        std::unique_ptr<QPainter> m_painter;
        std::unique_ptr<PainterPageWriter> m_writer;
    };
};

// Pixels whose channels differ by more than a tint.
int colouredPixels(const QImage& image)
{
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor p = image.pixelColor(x, y);
            coloured += std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()}) > 40;
        }
    return coloured;
}

TEST(GraphPrinting, GreyscaleUnlessTheKeeperChoseColourPrinting)
{
    for (int colour : {0, 1}) {
        SCOPED_TRACE(colour);
        Printed p;
        ImagePrintService images;
        p.env.ctx->services.printing = &images;
        p.env.ctx->settings.graphPrintColor = colour;
        p.env.messages.defaultAnswer = MsgResult::No;
        p.window()->printGraph();
        ASSERT_EQ(images.pages.size(), 1);
        if (colour)
            EXPECT_GT(colouredPixels(images.pages[0]), 200);
        else
            EXPECT_EQ(colouredPixels(images.pages[0]), 0);
        // The chart's title is printed above the plot, in the top band of the picture.
        int dark = 0;
        for (int y = 43; y < 160; ++y)
            for (int x = 0; x < images.pages[0].width(); ++x)
                dark += qGray(images.pages[0].pixel(x, y)) < 128;
        EXPECT_GT(dark, 100);
        // The chart on the screen keeps its colours.
        EXPECT_GT(colouredPixels(p.window()->grab().toImage()), 50);
    }
}

struct PrintedDatesCase {
    const char* name;
    QSize screen;           // maximized on a screen of this size, then printed at once (none: as drawn)
    bool narrowest;         // the graph at its smallest size: dates of 13 entries or more stand upright
    bool dayFirstWithDots;
    bool pies = false;      // "2D Pie", printed in colour: a pie and its date for each entry
    bool titles = false;    // then the tank renamed 1 to 50 wide or narrow letters long, printed each time
};

// The page of a PDF as a picture, at `dpi` dots per inch.
QImage pdfPageImage(const QString& path, int dpi)
{
    const QString stem = path + QStringLiteral(".page");
    QProcess tool;
    tool.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-r"),
                                            QString::number(dpi), path, stem});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return QImage();
    return QImage(stem + QStringLiteral(".png"));
}

// Coloured pixels (not black, grey or white) within `area`.
int colouredPixelsWithin(const QImage& image, const QRect& area)
{
    int coloured = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            coloured += std::max({p.red(), p.green(), p.blue()}) - std::min({p.red(), p.green(), p.blue()}) > 40;
        }
    return coloured;
}

// On the screen, each pie's date lies in the plot under its pie, clear of
// every pie (the pies of the next row included).
void expectPieDatesClearOfThePies(QChart* chart)
{
    QCoreApplication::processEvents();
    const QRectF plot = chart->plotArea();
    struct Disk {
        QPointF centre;
        double radius;
    };
    QHash<QString, Disk> disks;   // by the date of the pie
    for (QAbstractSeries* series : chart->series())
        if (auto* pie = qobject_cast<QPieSeries*>(series))
            disks.insert(pie->name(), {QPointF(plot.left() + pie->horizontalPosition() * plot.width(),
                                               plot.top() + pie->verticalPosition() * plot.height()),
                                       pie->pieSize() * std::min(plot.width(), plot.height()) / 2});
    int dates = 0;
    for (QGraphicsItem* item : chart->childItems()) {
        auto* label = dynamic_cast<QGraphicsSimpleTextItem*>(item);
        if (!label || !label->isVisible())
            continue;
        ++dates;
        const QRectF box = label->mapRectToParent(label->boundingRect());
        const std::string date = label->text().toStdString();
        EXPECT_TRUE(plot.contains(box)) << date << " lies outside the plot";
        const Disk own = disks.value(label->text());
        EXPECT_NEAR(box.center().x(), own.centre.x(), 1) << date << " is not under its pie";
        EXPECT_GE(box.top(), own.centre.y() + own.radius) << date << " is not under its pie";
        for (const Disk& disk : disks) {
            const QPointF nearest(std::clamp(disk.centre.x(), box.left(), box.right()),
                                  std::clamp(disk.centre.y(), box.top(), box.bottom()));
            EXPECT_GE(QLineF(disk.centre, nearest).length(), disk.radius) << "a pie covers " << date;
        }
    }
    EXPECT_EQ(dates, disks.size());
}

// Prints every job as the next page of one PDF file, on a printer as the
// program's PDF printing sets it up, so that many printouts are read back at once.
class OnePdfPrintService : public IPrintService {
public:
    explicit OnePdfPrintService(const QString& path) : m_printer(QPrinter::HighResolution)
    {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(path);
    }
    std::unique_ptr<IPrintSession> choosePrinter(const QString&, PrintDestination) override
    {
        return std::make_unique<Session>(*this);
    }
    // Closes the file; true when every page was written.
    bool finish() { return !m_painter.isActive() || m_painter.end(); }

private:
    class Session : public IPrintSession {
    public:
        explicit Session(OnePdfPrintService& s) : m_s(s) {}
        int copies() const override { return 1; }
        IPageWriter* beginJob(std::optional<PageOrientation> o) override
        {
            const PageOrientation orientation = o.value_or(PageOrientation::Landscape);
            m_s.m_printer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                                       : QPageLayout::Portrait);
            if (m_s.m_painter.isActive())
                m_s.m_printer.newPage();
            else if (!m_s.m_painter.begin(&m_s.m_printer))
                return nullptr;
            m_writer = std::make_unique<PainterPageWriter>(m_s.m_painter, m_s.m_printer, orientation,
                                                           [this] { m_s.m_printer.newPage(); });
            return m_writer.get();
        }
        bool endJob() override
        {
            m_writer.reset();
            return true;
        }
        QString errorText() const override { return QStringLiteral("The PDF file could not be written."); }

    private:
        OnePdfPrintService& m_s;
        std::unique_ptr<PainterPageWriter> m_writer;
    };
    QPrinter m_printer;
    QPainter m_painter;
};

void PrintTo(const PrintedDatesCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintedDates : public ::testing::TestWithParam<PrintedDatesCase> {};

// The graph is drawn at its default size (or its smallest); maximized on the
// screen, as Yes to the question does, it is printed at once. Each date of a
// page of 2 to 20 entries prints whole on one line, level or upright, and
// nothing else (another date, the axis title "Date", a pie of the next row)
// prints over it. Upright dates read from the bottom up. The title names a
// tank of 50 wide letters whole, in a smaller type where it must (and, at the
// smallest size, a tank of any name 1 to 50 letters long); on the screen the
// title is back at its own size after.
TEST_P(PrintedDates, EveryDatePrintsWholeWithNothingOverIt)
{
    const PrintedDatesCase& c = GetParam();
    const QDate from(2025, 10, 10);
    const QList<int> counts = c.pies ? QList<int>{11, 15, 16, 20} : QList<int>{2, 13, 14, 18, 20};
    QStringList tanks;
    for (int n : counts)
        tanks << QString::number(n).rightJustified(50, QLatin1Char('W'));
    Graph g(tanks);
    g.main->resize(800, 560);
    for (int i = 0; i < tanks.size(); ++i)
        g.addTests(tanks[i], counts[i], from);
    if (c.dayFirstWithDots) {
        g.env.ctx->settings.dateOrder = "DDMMYY";
        g.env.ctx->settings.dateDelimiter = ".";
    }
    if (c.pies) {
        g.env.ctx->settings.graphStyle = 14;
        g.env.ctx->settings.graphPrintColor = 1;
    }
    QtPrintService qt(&g.env.files);
    g.env.ctx->services.printing = &qt;
    g.env.messages.defaultAnswer = MsgResult::No;   // not maximized: printed at the size it has
    for (int i = 0; i < tanks.size(); ++i) {
        SCOPED_TRACE(counts[i]);
        auto* frame = qobject_cast<QMdiSubWindow*>(g.main->childWindow("WaterGraphWindow")->parentWidget());
        if (c.narrowest)
            frame->resize(frame->minimumSizeHint());
        g.main->showWaterGraph(g.ids.value(tanks[i]));
        QCoreApplication::processEvents();
        if (c.screen.isValid()) {
            // The offscreen screen is 800x600: a larger one is the main window
            // at its size, which it takes as late as a maximized one does.
            g.main->windowHandle()->resize(c.screen);
            frame->showMaximized();
        }
        const QString path = g.env.path(QStringLiteral("graph%1.pdf").arg(counts[i]));
        g.env.files.answers.enqueue(path);
        const QFont screenTitleFont = g.chart()->titleFont();
        g.window()->printGraph(PrintDestination::PdfFile);
        // Where the title printed smaller, on the screen it is back at its own size.
        EXPECT_EQ(g.chart()->titleFont().toString().toStdString(), screenTitleFont.toString().toStdString());
        if (c.pies)
            expectPieDatesClearOfThePies(g.chart());
        if (c.screen.isValid()) {
            ASSERT_EQ(g.main->size(), c.screen);
            frame->showNormal();
            g.main->resize(800, 560);
        }

        const PdfWords pdf(path);
        ASSERT_TRUE(pdf.ok()) << pdf.error().toStdString();
        ASSERT_EQ(pdf.pageCount(), 1);
        const QList<PdfWord>& words = pdf.page(0).words;
        QStringList texts;
        for (const PdfWord& w : words)
            texts << w.text;
        EXPECT_FALSE(anyCut(texts)) << texts.join(' ').toStdString();
        EXPECT_TRUE(pdf.page(0).lines().contains("Brinestead Graph for Tank: " + tanks[i]))
            << pdf.page(0).lines().join('|').toStdString();
        const QImage paper = c.pies ? pdfPageImage(path, 144) : QImage();
        ASSERT_EQ(paper.isNull(), !c.pies) << "pdftoppm could not picture " << path.toStdString();
        const double dots = paper.isNull() ? 0 : paper.width() / pdf.page(0).width;
        const QStringList dates = datesFrom(from, counts[i], c.dayFirstWithDots);
        for (const QString& date : dates) {
            const QList<PdfWord> found = pdf.page(0).find(date);
            EXPECT_EQ(found.size(), 1) << date.toStdString() << " in " << texts.join(' ').toStdString();
            if (found.size() != 1)
                continue;
            const QRectF box = found[0].box;
            for (const PdfWord& other : words) {
                if (other.text != date) {
                    EXPECT_FALSE(box.intersects(other.box)) << other.text.toStdString() << " prints over " << date.toStdString();
                }
            }
            if (c.pies) {
                // The date is printed in black: any colour in its box is a pie over it.
                const QRect dotsBox = QRectF(box.topLeft() * dots, box.bottomRight() * dots).toRect();
                EXPECT_EQ(colouredPixelsWithin(paper, dotsBox), 0) << "a pie prints over " << date.toStdString();
                continue;
            }
            const bool upright = box.height() > box.width();
            if (c.narrowest && counts[i] >= 13) {
                EXPECT_TRUE(upright) << date.toStdString();
            }
            // Upright, the last date of the page begins in the lower half of
            // its box and ends in the upper half.
            if (upright && date == dates.last()) {
                const QRectF lower(box.left(), box.center().y(), box.width(), box.height() / 2);
                const QRectF upper(box.left(), box.top(), box.width(), box.height() / 2);
                const QString start = PdfWords::textWithin(path, 0, lower);
                const QString end = PdfWords::textWithin(path, 0, upper);
                EXPECT_TRUE(!start.isEmpty() && date.startsWith(start))
                    << date.toStdString() << " reads " << start.toStdString() << " at its foot";
                EXPECT_TRUE(!end.isEmpty() && date.endsWith(end))
                    << date.toStdString() << " reads " << end.toStdString() << " at its head";
            }
        }
    }
    if (!c.titles)
        return;

    // The graph stays as it is; its tank is renamed from 1 to 50 letters, wide
    // ones and narrow ones, and printed after each change: each title prints
    // whole, in a smaller type where it must, never cut to "...".
    const QString path = g.env.path(QStringLiteral("titles.pdf"));
    OnePdfPrintService onePdf(path);
    g.env.ctx->services.printing = &onePdf;
    TankRecord tank = *g.env.tankNamed(tanks.last());
    QStringList names;
    for (const char* letters : {"WM", "il"}) {
        for (int length = 1; length <= 50; ++length) {
            QString name;
            for (int i = 0; i < length; ++i)
                name += QLatin1Char(letters[i % 2]);
            tank.tankname = name;
            ASSERT_EQ(TankStore(g.env.ctx->db()).update(tank), TankWrite::Ok);
            const QFont screenTitleFont = g.chart()->titleFont();
            g.window()->printGraph(PrintDestination::PdfFile);
            EXPECT_EQ(g.chart()->titleFont().toString().toStdString(), screenTitleFont.toString().toStdString())
                << name.toStdString();
            names << name;
        }
    }
    ASSERT_TRUE(onePdf.finish());
    const PdfWords pdf(path);
    ASSERT_TRUE(pdf.ok()) << pdf.error().toStdString();
    ASSERT_EQ(pdf.pageCount(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const QStringList lines = pdf.page(i).lines();
        EXPECT_TRUE(lines.contains("Brinestead Graph for Tank: " + names[i])) << lines.join('|').toStdString();
        EXPECT_FALSE(anyCut(lines)) << lines.join('|').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    GraphPrinting, PrintedDates,
    ::testing::Values(PrintedDatesCase{"DefaultSize", QSize(), false, false},
                      PrintedDatesCase{"DefaultSizeDayFirst", QSize(), false, true},
                      PrintedDatesCase{"SmallestSizeDayFirst", QSize(), true, true, false, true},
                      PrintedDatesCase{"MaximizedOn800x600", QSize(800, 600), false, false},
                      PrintedDatesCase{"MaximizedOn1024x768", QSize(1024, 768), false, false},
                      PrintedDatesCase{"MaximizedOn1280x1024", QSize(1280, 1024), false, false},
                      PrintedDatesCase{"MaximizedOn1280x1024DayFirst", QSize(1280, 1024), false, true},
                      PrintedDatesCase{"MaximizedOn1920x1080", QSize(1920, 1080), false, false},
                      PrintedDatesCase{"PiesAtTheDefaultSize", QSize(), false, false, true},
                      PrintedDatesCase{"PiesAtTheSmallestSize", QSize(), true, false, true},
                      PrintedDatesCase{"PiesMaximizedOn800x600", QSize(800, 600), false, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Passes print commands on to another print service; while the keeper
// chooses the printer, the chart behind the print dialog is looked at.
class WatchedPrintService : public IPrintService {
public:
    WatchedPrintService(IPrintService& printer, std::function<void()> look) : m_printer(printer), m_look(std::move(look))
    {
    }
    std::unique_ptr<IPrintSession> choosePrinter(const QString& title, PrintDestination destination) override
    {
        m_look();
        return m_printer.choosePrinter(title, destination);
    }

private:
    IPrintService& m_printer;
    std::function<void()> m_look;
};

// The logbook and the graph each keep the tank they were given: choosing a
// tank in one never changes what the other shows or prints. The printed
// title and legend name the tank and the measurements as the keeper typed
// them, beside a tank whose name is the first word of the one drawn.
TEST(GraphPrinting, TheLogbookAndTheGraphKeepTheirOwnTanksOnScreenAndOnPaper)
{
    const QString quarantine = "Reef <Quarantine> & <b>co</b>";
    const QString title = "Brinestead Graph for Tank: " + quarantine;
    Graph g({quarantine, "Reef"});
    g.addTests(quarantine, 5);
    g.addTests("Reef", 1, QDate(2026, 3, 1));
    g.env.ctx->settings.graphChecks = "0111000000010";
    g.env.ctx->userFieldName1 = "K<Na";
    QtPrintService qt(&g.env.files);
    QStringList behindTheDialog;
    WatchedPrintService watched(qt, [&] { behindTheDialog = g.shownTexts(); });
    g.env.ctx->services.printing = &watched;
    g.env.messages.defaultAnswer = MsgResult::No;   // not maximized
    const auto printToPdf = [&](const QString& name) {
        const QString path = g.env.path(name);
        g.env.files.answers.enqueue(path);
        g.window()->printGraph(PrintDestination::PdfFile);
        const PdfWords pdf(path);
        EXPECT_TRUE(pdf.ok()) << pdf.error().toStdString();
        EXPECT_EQ(pdf.pageCount(), 1);
        return pdf.pageCount() > 0 ? pdf.page(0).lines() : QStringList();
    };
    const auto expectNamedAsTyped = [&](const QStringList& lines) {
        EXPECT_TRUE(lines.contains(title)) << lines.join('|').toStdString();
        EXPECT_FALSE(lines.contains("Brinestead Graph for Tank: Reef")) << lines.join('|').toStdString();
        EXPECT_TRUE(lines.join(' ').split(' ').contains("K<Na")) << lines.join('|').toStdString();
        // On the screen, behind the print dialog, the chart carries the same title and legend.
        EXPECT_TRUE(behindTheDialog.contains(title)) << behindTheDialog.join('|').toStdString();
        EXPECT_TRUE(behindTheDialog.contains("K<Na")) << behindTheDialog.join('|').toStdString();
    };

    LogbookWindow* logbook = g.logbookOn(quarantine);
    child<QAction>(logbook, "graphAction")->trigger();
    ASSERT_EQ(g.rowLabels(), QStringList({"1/1", "1/2", "1/3", "1/4", "1/5"}));

    expectNamedAsTyped(printToPdf("quarantine.pdf"));
    // After printing, the chart on screen has the title it had before.
    EXPECT_EQ(g.chart()->title(), "");

    // The logbook moves on; so does the graph's own box, to a tank with too
    // few tests to draw: the chart keeps the first tank's entries, and so
    // does its title.
    ASSERT_TRUE(logbook->selectNode("Reef"));
    g.env.messages.clear();
    g.pick("Reef");
    EXPECT_EQ(g.titles(), QStringList({"Not Enough Entries To Create A Graph!"}));
    ASSERT_EQ(g.rowLabels().size(), 5);

    expectNamedAsTyped(printToPdf("again.pdf"));
    EXPECT_EQ(g.chart()->title(), "");
    // The logbook still lists the tank it was given.
    EXPECT_EQ(logbook->currentTankId(), g.env.tankNamed("Reef")->tankid);
}

} // namespace
