// The small windows of the shell: tip of the day, about box and splash,
// credits, upgrade window and help window.
#include "core/Tips.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/CreditsWindow.h"
#include "core/ui/AboutBox.h"
#include "core/ui/TipOfTheDayDialog.h"
#include "support/TestEnv.h"

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
        EXPECT_EQ(tod.TipIndex, c.index) << c.draw;
        EXPECT_EQ(tod.txt_tod->toPlainText(), tipText(c.index));
        EXPECT_EQ(tod.chk_ShowTipsAtStartup->isChecked(), c.flag);
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
    QSet<int> seen{tod.TipIndex};
    for (int i = 0; i < 600; ++i) {
        const int before = tod.TipIndex;
        tod.cmd_nexttip->click();
        ASSERT_NE(tod.TipIndex, before);
        ASSERT_GE(tod.TipIndex, 1);
        ASSERT_LE(tod.TipIndex, kTipCount);
        EXPECT_EQ(tod.txt_tod->toPlainText(), tipText(tod.TipIndex));
        seen.insert(tod.TipIndex);
    }
    EXPECT_EQ(seen.size(), kTipCount);
}

TEST(TipOfTheDay, GeneratorStuckOnOneValueStillMovesOn)
{
    TestEnv env;
    env.random.values = {0.25};
    TipOfTheDayDialog tod(*env.ctx);
    const int first = tod.TipIndex;
    tod.cmd_nexttip_Click();
    EXPECT_NE(tod.TipIndex, first);
}

TEST(TipOfTheDay, CheckBoxStoresTheSettingAtOnce)
{
    TestEnv env;
    env.ctx->showTipsFlag = true;
    TipOfTheDayDialog tod(*env.ctx);
    tod.chk_ShowTipsAtStartup->click();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "No");
    EXPECT_FALSE(env.ctx->showTipsFlag);
    tod.chk_ShowTipsAtStartup->click();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "Yes");
    EXPECT_TRUE(env.ctx->showTipsFlag);
    // Closing through the frame keeps what was stored.
    tod.chk_ShowTipsAtStartup->click();
    tod.reject();
    EXPECT_EQ(env.store.values.value("Show_Tips"), "No");
}

// ---- about box and splash ----------------------------------------------------

TEST(AboutBox, VersionAndRevisionFromTheBuild)
{
    TestEnv env;
    AboutBox about(*env.ctx);
    EXPECT_EQ(about.windowTitle(), "About Brinestead...");
    EXPECT_EQ(about.lbl_Version->text(), "Ver 2.0");
    EXPECT_EQ(about.lbl_revision->text(), "rev.1");
    EXPECT_EQ(about.tim_splash->interval(), 3000);
    EXPECT_FALSE(about.Image1->pixmap().isNull());
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
    bool timerRunningDuringCredits = true;
    int creditsShown = 0;
    about.showCredits = [&] {
        ++creditsShown;
        timerRunningDuringCredits = about.tim_splash->isActive();
    };
    QTimer::singleShot(5, &about, [&] { QTest::mouseClick(about.Image1, Qt::LeftButton); });
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
        timerRan = about.tim_splash->isActive();
        QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(3, 3));
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_FALSE(timerRan);
}

// ---- credits -------------------------------------------------------------------

TEST(Credits, ScrollsUpOneStepAtATimeAndStopsAfterItsSteps)
{
    CreditsWindow credits(nullptr, 1000000);   // the test moves the text itself
    EXPECT_EQ(credits.windowTitle(), "Hey... you found it!");
    EXPECT_EQ(credits.Label1->text(), "Self Indulgent, Gratuitous, Thank you screen...");
    credits.show();
    const int start = credits.Label2->y();
    EXPECT_GE(start, credits.Picture1->height());   // starts just below the viewport
    EXPECT_TRUE(credits.tim_scroll->isActive());
    credits.scrollStep();
    credits.scrollStep();
    EXPECT_EQ(credits.Label2->y(), start - 2);
    for (int i = 0; i < 1000; ++i)
        credits.scrollStep();
    EXPECT_EQ(credits.stepsDone(), CreditsWindow::kSteps);
    EXPECT_EQ(credits.Label2->y(), start - CreditsWindow::kSteps);
    EXPECT_FALSE(credits.tim_scroll->isActive());
    EXPECT_TRUE(credits.isVisible());   // waits for a click
    credits.close();
}

TEST(Credits, AClickOnTheTextClosesItAtOnce)
{
    CreditsWindow credits(nullptr, 1);
    QTimer::singleShot(20, &credits, [&] { QTest::mouseClick(credits.Label2, Qt::LeftButton); });
    credits.exec();
    EXPECT_TRUE(credits.CloseRequested);
    EXPECT_FALSE(credits.tim_scroll->isActive());
    EXPECT_GT(credits.stepsDone(), 0);
    EXPECT_LT(credits.stepsDone(), CreditsWindow::kSteps);
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
    help.showContents();
    EXPECT_EQ(help.tab_Help->currentIndex(), 0);
    EXPECT_EQ(help.currentPage(), kHelpContentsPage);
    EXPECT_GT(help.lst_Contents->count(), 20);

    help.showIndex();
    EXPECT_EQ(help.tab_Help->currentIndex(), 1);
    QTest::keyClicks(help.txt_Search, "nitra");
    ASSERT_NE(help.lst_Index->currentItem(), nullptr);
    EXPECT_EQ(help.lst_Index->currentItem()->text(), "nitrate");
    QTest::keyClick(help.txt_Search, Qt::Key_Return);
    EXPECT_EQ(help.currentPage(), "waterquality.html");
    EXPECT_TRUE(help.txt_Page->toPlainText().contains("nitrate"));

    // Clicking a topic in the contents shows it.
    for (int i = 0; i < help.lst_Contents->count(); ++i)
        if (help.lst_Contents->item(i)->data(Qt::UserRole).toString() == "backup.html")
            emit help.lst_Contents->itemClicked(help.lst_Contents->item(i));
    EXPECT_EQ(help.currentPage(), "backup.html");
    EXPECT_FALSE(help.showPage("no-such-page.html"));
    EXPECT_EQ(help.currentPage(), "backup.html");
}
