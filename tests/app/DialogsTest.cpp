// The small windows of the shell: tip of the day, about box and splash,
// credits, upgrade window and help window.
#include "core/Tips.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/CreditsWindow.h"
#include "core/ui/AboutBox.h"
#include "core/ui/TipOfTheDayDialog.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/HelpShown.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `answer` on the first modal window of type T to come up (within two seconds).
template <typename T>
void whenModalShows(std::function<void(T&)> answer)
{
    auto* poll = new QTimer;
    auto* waited = new QElapsedTimer;
    waited->start();
    poll->setInterval(2);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, answer] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window && waited->elapsed() < 2000)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (!window) {
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " came up";
            return;
        }
        answer(*window);
    });
    poll->start();
}

// The number (1..94) of the tip the window shows.
int shownTip(const TipOfTheDayDialog& tod)
{
    return int(tipTexts().indexOf(child<QTextEdit>(tod, "tipText")->toPlainText())) + 1;
}

} // namespace

// ---- tips ------------------------------------------------------------------

TEST(Tips, NinetyFourDistinctTipsIncludingTheClassics)
{
    const QStringList& tips = tipTexts();
    ASSERT_EQ(tips.size(), kTipCount);
    EXPECT_EQ(QSet<QString>(tips.begin(), tips.end()).size(), kTipCount);
    for (const QString& tip : tips) {
        EXPECT_GT(tip.size(), 20) << tip.toStdString();
        EXPECT_TRUE(tip.endsWith('.') || tip.endsWith('!')) << tip.toStdString();
    }
    for (const char* classic : {"Plastic army men make a great bio-filter material.",
                                "Tanks with more surface area provide more oxygen to the animals in the tank.",
                                "Never test a heater out of the water - it could shatter in your hand."})
        EXPECT_TRUE(tips.contains(QString::fromLatin1(classic))) << classic;
    EXPECT_EQ(tipText(1), tips.first());
    EXPECT_EQ(tipText(94), tips.last());
    EXPECT_TRUE(tipText(0).isEmpty());
    EXPECT_TRUE(tipText(95).isEmpty());
}

TEST(TipOfTheDay, OpensOnTheDrawnTipWithTheCheckBoxFromTheFlag)
{
    const struct {
        double draw;
        int index;
        bool flag;
    } cases[] = {{0.0, 1, true}, {0.5, 48, false}, {0.999999, 94, true}, {1.0 / 94.0, 2, false}};
    for (const auto& c : cases) {
        TestEnv env;
        env.random.values = {c.draw};
        env.ctx->showTipsFlag = c.flag;
        TipOfTheDayDialog tod(*env.ctx);
        EXPECT_EQ(child<QTextEdit>(tod, "tipText")->toPlainText(), tipText(c.index)) << c.draw;
        EXPECT_EQ(child<QCheckBox>(tod, "showAtStartupCheck")->isChecked(), c.flag);
        EXPECT_EQ(tod.windowTitle(), "Brinestead - Tip of the Day");
    }
}

TEST(TipOfTheDay, NextTipNeverRepeatsAndReachesEveryTip)
{
    TestEnv env;
    // A generator that repeats itself a lot: every value three times over.
    for (int i = 0; i < 400; ++i)
        env.random.values << ((i / 3) * 37 % 94 + 0.5) / 94.0;
    TipOfTheDayDialog tod(*env.ctx);
    QPushButton* nextTip = child<QPushButton>(tod, "nextTipButton");
    QSet<int> seen{shownTip(tod)};
    for (int i = 0; i < 600; ++i) {
        const int before = shownTip(tod);
        nextTip->click();
        const int now = shownTip(tod);
        ASSERT_NE(now, before);
        ASSERT_GE(now, 1);
        ASSERT_LE(now, kTipCount);
        seen.insert(now);
    }
    EXPECT_EQ(seen.size(), kTipCount);
}

TEST(TipOfTheDay, GeneratorStuckOnOneValueStillMovesOn)
{
    TestEnv env;
    env.random.values = {0.25};
    TipOfTheDayDialog tod(*env.ctx);
    const int first = shownTip(tod);
    child<QPushButton>(tod, "nextTipButton")->click();
    EXPECT_NE(shownTip(tod), first);
    EXPECT_GE(shownTip(tod), 1);
}

TEST(TipOfTheDay, CheckBoxStoresTheSettingAtOnce)
{
    TestEnv env;
    env.ctx->showTipsFlag = true;
    TipOfTheDayDialog tod(*env.ctx);
    QCheckBox* showAtStartup = child<QCheckBox>(tod, "showAtStartupCheck");
    showAtStartup->click();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "No");
    EXPECT_FALSE(env.ctx->showTipsFlag);
    showAtStartup->click();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "Yes");
    EXPECT_TRUE(env.ctx->showTipsFlag);
    // Closing through the frame keeps what was stored.
    showAtStartup->click();
    tod.reject();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "No");
}

TEST(TipOfTheDay, OkClosesTheWindow)
{
    TestEnv env;
    TipOfTheDayDialog tod(*env.ctx);
    QTimer::singleShot(0, &tod, [&tod] { QTest::mouseClick(child<QPushButton>(tod, "okButton"), Qt::LeftButton); });
    EXPECT_EQ(tod.exec(), QDialog::Accepted);
}

// ---- about box and splash ----------------------------------------------------

TEST(AboutBox, VersionAndRevisionFromTheBuild)
{
    TestEnv env;
    AboutBox about(*env.ctx);
    EXPECT_EQ(about.windowTitle(), "About Brinestead...");
    EXPECT_EQ(child<QLabel>(about, "versionLabel")->text(), "Ver 2.0");
    EXPECT_EQ(child<QLabel>(about, "revisionLabel")->text(), "rev.1");
    EXPECT_EQ(child<QTimer>(about, "splashTimer")->interval(), 3000);
    EXPECT_FALSE(child<QLabel>(about, "picture")->pixmap().isNull());
}

TEST(AboutBox, KeyReportInTheStatusLine)
{
    EXPECT_EQ(AboutBox::keyMessage(16, 3), "keycode =  16shift =  3");
    EXPECT_EQ(AboutBox::keyMessage(65, 0), "keycode =  65shift =  0");
    EXPECT_EQ(AboutBox::keeperKeyCode(Qt::Key_Shift), 16);
    EXPECT_EQ(AboutBox::keeperKeyCode(Qt::Key_A), 65);
    EXPECT_EQ(AboutBox::keeperKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(AboutBox::keeperShiftState(Qt::ShiftModifier | Qt::ControlModifier), 3);
    EXPECT_EQ(AboutBox::keeperShiftState(Qt::AltModifier), 4);

    TestEnv env;
    QString status;
    env.ctx->statusLine = [&](const QString& text) { status = text; };
    AboutBox about(*env.ctx);
    QTest::keyClick(&about, Qt::Key_B, Qt::ShiftModifier);
    EXPECT_EQ(status, "keycode =  66shift =  1");
}

TEST(Splash, ClosesOnlyByItsTimer)
{
    TestEnv env;
    env.ctx->splashMode = true;
    AboutBox about(*env.ctx);
    about.setSplashInterval(60);
    int clicksIgnored = 0;
    QTimer::singleShot(10, &about, [&] {
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(5, 5));
        about.reject();   // Escape
        about.close();    // the frame
        if (about.isVisible())
            ++clicksIgnored;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    about.exec();
    EXPECT_EQ(clicksIgnored, 1);
    EXPECT_GE(elapsed.elapsed(), 50);
    EXPECT_FALSE(about.isVisible());
}

TEST(Splash, PictureStopsTheTimerOpensCreditsAndRestartsAfterwards)
{
    TestEnv env;
    env.ctx->splashMode = true;
    AboutBox about(*env.ctx);
    about.setSplashInterval(40);
    QTimer* splashTimer = child<QTimer>(about, "splashTimer");
    bool timerRunningDuringCredits = true;
    int creditsShown = 0;
    QTimer::singleShot(5, &about, [&] {
        whenModalShows<CreditsWindow>([&](CreditsWindow& credits) {
            ++creditsShown;
            timerRunningDuringCredits = splashTimer->isActive();
            QTest::mouseClick(&credits, Qt::LeftButton, {}, QPoint(3, 3));
        });
        QTest::mouseClick(child<QLabel>(about, "picture"), Qt::LeftButton);
    });
    about.exec();
    EXPECT_EQ(creditsShown, 1);
    EXPECT_FALSE(timerRunningDuringCredits);
    EXPECT_FALSE(about.isVisible());   // closed by the restarted timer
}

TEST(AboutBox, FromTheHelpMenuAClickClosesItAndNoTimerRuns)
{
    TestEnv env;
    env.ctx->splashMode = false;
    AboutBox about(*env.ctx);
    bool timerRan = true;
    QTimer::singleShot(5, &about, [&] {
        timerRan = child<QTimer>(about, "splashTimer")->isActive();
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(3, 3));
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_FALSE(timerRan);
}

// ---- credits -------------------------------------------------------------------

TEST(Credits, ScrollsUpOnePixelAStepAndStopsAfterItsSteps)
{
    CreditsWindow credits(nullptr, 0);   // as fast as the event loop goes
    EXPECT_EQ(credits.windowTitle(), "Hey... you found it!");
    EXPECT_EQ(child<QLabel>(credits, "headingLabel")->text(), "Self Indulgent, Gratuitous, Thank you screen...");
    QLabel* text = child<QLabel>(credits, "creditsLabel");
    QTimer* scroll = child<QTimer>(credits, "scrollTimer");
    credits.show();
    const int start = text->y();
    EXPECT_GE(start, child<QFrame>(credits, "viewport")->height());   // starts just below the viewport
    EXPECT_TRUE(scroll->isActive());
    QElapsedTimer waited;
    waited.start();
    while (scroll->isActive() && waited.elapsed() < 30000)
        QCoreApplication::processEvents();
    EXPECT_FALSE(scroll->isActive());
    EXPECT_EQ(text->y(), start - CreditsWindow::kSteps);
    QTest::qWait(20);
    EXPECT_EQ(text->y(), start - CreditsWindow::kSteps);
    EXPECT_TRUE(credits.isVisible());   // waits for a click
    credits.close();
}

TEST(Credits, AClickOnTheTextClosesItAtOnce)
{
    CreditsWindow credits(nullptr, 1);
    QLabel* text = child<QLabel>(credits, "creditsLabel");
    const int start = text->y();
    // Click as soon as the text has begun to move, however busy the machine is.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &credits, [&] {
        if (text->y() < start) {
            watch.stop();
            QTest::mouseClick(text, Qt::LeftButton);
        }
    });
    watch.start(0);
    EXPECT_EQ(credits.exec(), QDialog::Accepted);
    EXPECT_FALSE(child<QTimer>(credits, "scrollTimer")->isActive());
    const int stoppedAt = text->y();
    EXPECT_LT(stoppedAt, start);
    EXPECT_GT(stoppedAt, start - CreditsWindow::kSteps);
    QTest::qWait(20);
    EXPECT_EQ(text->y(), stoppedAt);
}

// ---- help ------------------------------------------------------------------------

TEST(Help, KeywordSearchFindsByBeginningThenAnywhere)
{
    const QVector<HelpKeyword> index = {
        {"ammonia", "a.html"}, {"backup", "b.html"}, {"nitrate", "n.html"}, {"nitrite", "n2.html"},
        {"printing logs", "p.html"}, {"tank setup", "t.html"},
    };
    const struct {
        const char* typed;
        int found;
    } cases[] = {{"nit", 2}, {"NITRI", 3}, {"back", 1}, {"logs", 4}, {"setup", 5}, {"zzz", -1}, {"  ", -1}, {"", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(findHelpKeyword(index, QString::fromLatin1(c.typed)), c.found) << c.typed;
}

TEST(Help, EveryContentsEntryIndexEntryAndLinkLeadsToAPage)
{
    const QVector<HelpTopic> contents = loadHelpContents();
    const QVector<HelpKeyword> index = loadHelpIndex();
    ASSERT_GE(contents.size(), 20);
    ASSERT_GE(index.size(), 50);
    QSet<QString> pages;
    for (const HelpTopic& t : contents)
        pages.insert(t.page);
    for (const HelpKeyword& k : index)
        pages.insert(k.page);
    pages.insert(helpPageForContext(4));
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)\""));
    for (const QString& page : QSet<QString>(pages)) {
        QFile file(":/help/" + page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        const QString html = QString::fromUtf8(file.readAll());
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target)) << page.toStdString() << " -> " << target.toStdString();
        }
    }
    // The index is in alphabetical order whatever the case.
    for (int i = 1; i < index.size(); ++i)
        EXPECT_LE(index[i - 1].keyword.compare(index[i].keyword, Qt::CaseInsensitive), 0);
}

TEST(Help, WindowOpensOnContentsAndFindsAPageByKeyword)
{
    HelpWindow help;
    QListWidget* contents = child<QListWidget>(help, "contentsList");
    help.showContents();
    EXPECT_EQ(shownHelpTab(help), "Contents");
    EXPECT_EQ(shownHelpPage(help), kHelpContentsPage);
    EXPECT_GT(contents->count(), 20);

    help.showIndex();
    EXPECT_EQ(shownHelpTab(help), "Index");
    QLineEdit* search = child<QLineEdit>(help, "searchEdit");
    QListWidget* index = child<QListWidget>(help, "indexList");
    QTest::keyClicks(search, "nitra");
    ASSERT_NE(index->currentItem(), nullptr);
    EXPECT_EQ(index->currentItem()->text(), "nitrate");
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(shownHelpPage(help), "waterquality.html");
    EXPECT_TRUE(child<QTextBrowser>(help, "pageView")->toPlainText().contains("nitrate"));

    // Clicking a topic in the contents shows it.
    help.showContents();
    QListWidgetItem* backup = nullptr;
    for (int i = 0; i < contents->count(); ++i)
        if (contents->item(i)->data(Qt::UserRole).toString() == "backup.html")
            backup = contents->item(i);
    ASSERT_NE(backup, nullptr);
    contents->scrollToItem(backup);
    QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(backup).center());
    EXPECT_EQ(shownHelpPage(help), "backup.html");
    EXPECT_FALSE(help.showPage("no-such-page.html"));
    EXPECT_EQ(shownHelpPage(help), "backup.html");
}

TEST(Help, DisplayShowsThePageOfTheSelectedKeyword)
{
    HelpWindow help;
    help.showIndex("backup");
    EXPECT_EQ(helpSearchText(help), "backup");
    QTest::mouseClick(child<QPushButton>(help, "displayButton"), Qt::LeftButton);
    EXPECT_EQ(shownHelpPage(help), "backup.html");
}
