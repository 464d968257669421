// The Disease Diagnosis Wizard as the keeper drives it: pages and buttons,
// the ways out of a run, printing from the diagnosis page, help, and the
// Tools > Disease Diagnosis loop of the main window.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/QtPrinting.h"
#include "support/Controls.h"
#include "support/HelpShown.h"
#include "support/PdfWords.h"
#include "support/ScriptedPrintDialog.h"
#include "support/TestEnv.h"
#include "tools/DiagnosisCatalogue.h"
#include "tools/DiagnosisPrintout.h"
#include "tools/ui/DiagnosisWizard.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <stdexcept>

using namespace diagnosis;

namespace {

struct Wizard {
    TestEnv env;
    History history;
    DiagnosisWizard wizard{*env.ctx, history, nullptr};

    Wizard() { wizard.show(); }
    QPushButton* button(const char* name) const { return child<QPushButton>(&wizard, name); }
    QRadioButton* answer(int i) const { return child<QRadioButton>(&wizard, QStringLiteral("answer%1").arg(i)); }
    QWidget* page() const { return child<QStackedWidget>(&wizard, "pages")->currentWidget(); }
    QString question() const { return child<QLabel>(&wizard, "questionLabel")->text(); }
    void next() { QTest::mouseClick(button("nextButton"), Qt::LeftButton); }
    void choose(int i) { QTest::mouseClick(answer(i), Qt::LeftButton, {}, QPoint(5, answer(i)->height() / 2)); }
    void walk(const QList<int>& answers)
    {
        next();
        for (int a : answers) {
            choose(a);
            next();
        }
    }
    // Which of Print Answers, Start Over, Back, Next, Cancel work.
    QList<bool> buttonStates() const
    {
        return {button("printButton")->isEnabled(), button("startOverButton")->isEnabled(),
                button("backButton")->isEnabled(), button("nextButton")->isEnabled(),
                button("cancelButton")->isEnabled()};
    }
};

} // namespace

TEST(DiagnosisWizard, LeadsFromTheDisclaimerThroughTheQuestionsToTheDiagnosis)
{
    Wizard w;
    EXPECT_EQ(w.wizard.windowTitle(), "Disease Diagnosis Wizard");
    EXPECT_EQ(w.button("cancelButton")->text(), "&Cancel");
    EXPECT_EQ(w.button("startOverButton")->text(), "Start Over");
    EXPECT_EQ(w.button("backButton")->text(), "< &Back");
    EXPECT_EQ(w.button("nextButton")->text(), "&Next >");
    EXPECT_EQ(w.button("printButton")->text(), "&Print Answers");

    EXPECT_EQ(w.page()->objectName(), "disclaimerBox");
    const QString disclaimer = child<QPlainTextEdit>(&w.wizard, "disclaimerText")->toPlainText();
    EXPECT_TRUE(disclaimer.startsWith("REMINDER: This program is only a tool to help you"));
    EXPECT_TRUE(disclaimer.endsWith("veterinarian before medicating your aquarium or animals."));
    EXPECT_EQ(w.buttonStates(), (QList<bool>{false, true, false, true, true}));

    w.next();
    EXPECT_EQ(w.page()->objectName(), "questionPage");
    EXPECT_EQ(w.question(), "Look at the animal's body shape and condition, as well as the condition of it's fins.");
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(w.answer(i)->isVisible()) << i;
        EXPECT_FALSE(w.answer(i)->isChecked()) << i;
    }
    EXPECT_EQ(w.answer(5)->text(), "The fish is emaciated, and has poor color.");
    EXPECT_EQ(w.buttonStates(), (QList<bool>{false, true, false, false, true}));

    w.choose(5);
    EXPECT_TRUE(w.button("nextButton")->isEnabled());
    w.next();
    EXPECT_EQ(w.question(), "Is the fish eating regularly and normally?");
    EXPECT_EQ(w.buttonStates(), (QList<bool>{false, true, false, false, true}));
    for (int i = 3; i < 6; ++i) {
        EXPECT_FALSE(w.answer(i)->isVisible()) << i;
        EXPECT_TRUE(w.answer(i)->text().isEmpty()) << i;
    }
    w.choose(1);
    w.next();
    EXPECT_EQ(w.page()->objectName(), "diagnosisBox");
    EXPECT_EQ(child<QLabel>(&w.wizard, "diagnosisLabel")->text(), "Loss of Appetite");
    EXPECT_EQ(child<QPlainTextEdit>(&w.wizard, "descriptionText")->toPlainText(), *describe("Loss of Appetite"));
    EXPECT_EQ(w.buttonStates(), (QList<bool>{true, true, false, false, true}));

    EXPECT_EQ(w.history.line(3), "Q: " + questionPage(Question::StartingPoint).text);
    EXPECT_EQ(w.history.line(6), "  A:The fish WAS eating actively, but is not now. ");
    EXPECT_EQ(w.history.line(9), "DIAGNOSIS: Loss of Appetite");
    EXPECT_TRUE(w.env.messages.shown.isEmpty());
}

TEST(DiagnosisWizard, TheSameAnswerAsOnThePageBeforeCanBeChosenAgain)
{
    Wizard w;
    w.next();
    w.choose(0);
    w.next();
    EXPECT_EQ(w.question(), "How would you characterize the fish's behavior?");
    EXPECT_FALSE(w.answer(0)->isChecked());
    EXPECT_FALSE(w.button("nextButton")->isEnabled());
    w.choose(0);
    EXPECT_TRUE(w.button("nextButton")->isEnabled());
    w.next();
    EXPECT_EQ(w.question(), "Look closely at the animal's breathing and swimming. Does it appear to be normal?");
}

TEST(DiagnosisWizard, OpenSoreHasADescriptionOfItsOwn)
{
    Wizard w;
    w.walk({0, 0, 0, 2});
    EXPECT_EQ(child<QLabel>(&w.wizard, "diagnosisLabel")->text(), "Open Sore");
    const QString shown = child<QPlainTextEdit>(&w.wizard, "descriptionText")->toPlainText();
    EXPECT_EQ(shown, *describe("Open Sore"));
    EXPECT_TRUE(w.env.messages.shown.isEmpty());   // no "no diagnosis defined"
}

TEST(DiagnosisWizard, EveryWayOutEndsTheRunAsItShould)
{
    struct Case {
        const char* name;
        QList<int> answers;   // how far the run got
        std::function<void(DiagnosisWizard&)> leave;
        DiagnosisWizard::RunEnd end;
    };
    const auto click = [](const char* name) {
        return [name](DiagnosisWizard& d) { QTest::mouseClick(child<QPushButton>(&d, name), Qt::LeftButton); };
    };
    const QList<Case> cases = {
        {"Cancel on the disclaimer", {}, click("cancelButton"), DiagnosisWizard::Cancelled},
        {"Cancel on a question", {0}, click("cancelButton"), DiagnosisWizard::Cancelled},
        {"Escape on a question", {0}, [](DiagnosisWizard& d) { QTest::keyClick(&d, Qt::Key_Escape); },
         DiagnosisWizard::Cancelled},
        {"closed through the frame", {0, 0}, [](DiagnosisWizard& d) { d.close(); }, DiagnosisWizard::Cancelled},
        {"closed through the frame on the diagnosis", {4}, [](DiagnosisWizard& d) { d.close(); },
         DiagnosisWizard::Cancelled},
        {"Start Over on the disclaimer", {}, click("startOverButton"), DiagnosisWizard::StartedOver},
        {"Start Over on the diagnosis", {2, 0}, click("startOverButton"), DiagnosisWizard::StartedOver},
    };
    for (const Case& c : cases) {
        TestEnv env;
        History history;
        DiagnosisWizard wizard(*env.ctx, history, nullptr);
        QTimer::singleShot(0, &wizard, [&] {
            QTest::mouseClick(child<QPushButton>(&wizard, "nextButton"), Qt::LeftButton);
            for (int a : c.answers) {
                auto* answer = child<QRadioButton>(&wizard, QStringLiteral("answer%1").arg(a));
                QTest::mouseClick(answer, Qt::LeftButton, {}, QPoint(5, answer->height() / 2));
                QTest::mouseClick(child<QPushButton>(&wizard, "nextButton"), Qt::LeftButton);
            }
            c.leave(wizard);
        });
        EXPECT_EQ(wizard.runOnce(), c.end) << c.name;
        EXPECT_FALSE(wizard.isVisible()) << c.name;
        // What was answered stays in the history until the next run starts.
        const bool diagnosed = c.answers == QList<int>{4} || c.answers == QList<int>{2, 0};
        EXPECT_EQ(history.nextLine(), diagnosed ? 60 : 3 + 2 * int(c.answers.size())) << c.name;
    }
}

TEST(DiagnosisWizard, PrintAnswersPrintsEachCopyAndCancelPrintsNothing)
{
    Wizard w;
    w.walk({4});
    w.env.printing.copies = 3;
    QTest::mouseClick(w.button("printButton"), Qt::LeftButton);
    ASSERT_EQ(w.env.printing.jobs.size(), 3);
    for (const RecordedJob& job : w.env.printing.jobs) {
        QStringList texts;
        for (const RecordedPage& page : job.pages)
            texts += page.texts();
        EXPECT_EQ(texts.first(), "Brinestead for Windows - Disease Diagnosis Aid");
        EXPECT_TRUE(texts.contains("  A:The fish's eye(s) are swollen and protrude from their socket."));
        EXPECT_TRUE(texts.contains("DIAGNOSIS: Popeye"));
        EXPECT_EQ(texts.last(), "Copyright (C) 2026 The Brinestead developers");
    }
    EXPECT_EQ(w.page()->objectName(), "diagnosisBox");   // the page stays open

    w.env.printing.jobs.clear();
    w.env.printing.accept = {false};
    QTest::mouseClick(w.button("printButton"), Qt::LeftButton);
    EXPECT_TRUE(w.env.printing.jobs.isEmpty());
    EXPECT_TRUE(w.env.messages.shown.isEmpty());

    w.env.printing.failJobs = true;
    QTest::mouseClick(w.button("printButton"), Qt::LeftButton);
    ASSERT_EQ(w.env.messages.shown.size(), 1);
    EXPECT_TRUE(w.env.messages.shown[0].text.contains("could not be printed"));
}

TEST(DiagnosisWizard, F1ShowsTheWizardsHelpPage)
{
    Wizard w;
    QTest::keyClick(&w.wizard, Qt::Key_F1);
    // A modal wizard has a help window of its own.
    const auto* wizardHelp = w.wizard.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(wizardHelp, nullptr);
    EXPECT_TRUE(wizardHelp->isVisible());
    EXPECT_EQ(shownHelpPage(*wizardHelp), "diagnosis.html");
    EXPECT_NE(loadHelpContents().size(), 0);
    bool listed = false;
    for (const HelpTopic& t : loadHelpContents())
        listed = listed || t.page == "diagnosis.html";
    EXPECT_TRUE(listed);
    const QVector<HelpKeyword> index = loadHelpIndex();
    const int found = findHelpKeyword(index, "Disease Diagnosis Wizard");
    ASSERT_GE(found, 0);
    EXPECT_EQ(index[found].page, "diagnosis.html");
    QFile page(":/help/diagnosis.html");
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_FALSE(html.contains("Not yet available"));
    EXPECT_TRUE(html.contains("Print Answers"));
}

// Printed in the orientation the keeper chose in the print dialog.
TEST(DiagnosisWizard, PrintsToAPdfThatReadsRight)
{
    TestEnv env;
    ScriptedPrintDialog dialog;
    dialog.orientation = QPageLayout::Landscape;
    dialog.outputFile = env.path("answers.pdf");
    QtPrintService printer(nullptr, nullptr, &dialog);
    Services services = env.ctx->services;
    services.printing = &printer;
    History history;
    WizardRun run(history);
    run.next();
    run.chooseAnswer(2);
    run.next();
    run.chooseAnswer(0);
    run.next();
    EXPECT_EQ(printAnswers(services, history), 1);
    EXPECT_TRUE(env.messages.shown.isEmpty());
    const PdfWords words(dialog.outputFile);
    ASSERT_TRUE(words.ok()) << qPrintable(words.error());
    ASSERT_EQ(words.pageCount(), 1);   // no page holds nothing but the footer
    EXPECT_GT(words.page(0).width, words.page(0).height);
    EXPECT_EQ(words.page(0).lines().value(0), printoutTitle());
    QFile file(env.path("answers.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const QString text = QString::fromLatin1(bytes);
    // Plain, bold (title), italic (reminder, footer) and bold italic (answers) faces are embedded.
    const QRegularExpression fonts("/BaseFont /(?:[A-Z]+\\+)?([^\\s/]+)");
    QStringList faces;
    for (auto it = fonts.globalMatch(text); it.hasNext();)
        faces << it.next().captured(1);
    EXPECT_TRUE(std::any_of(faces.begin(), faces.end(),
                            [](const QString& f) { return f.contains("BoldItalic") || f.contains("BoldOblique"); }))
        << qPrintable(faces.join(", "));
}

TEST(DiagnosisWizard, ToolsDiseaseDiagnosisRunsUntilCancelAndReleasesFilePrint)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.resize(900, 600);
    main.show();
    QApplication::setActiveWindow(&main);
    QAction* filePrint = main.findChild<QAction*>("printAction");
    ASSERT_NE(filePrint, nullptr);
    filePrint->setEnabled(true);
    filePrint->setText("&Print Entries...");

    QStringList seen;
    int wizards = 0;
    QTimer poll;
    QPointer<QWidget> last;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* wizard = qobject_cast<DiagnosisWizard*>(QApplication::activeModalWidget());
        if (!wizard || wizard == last)
            return;
        last = wizard;
        ++wizards;
        const auto click = [&](const QString& name) {
            QTest::mouseClick(child<QPushButton>(wizard, name), Qt::LeftButton);
        };
        if (wizards == 1) {
            seen << QStringLiteral("print %1 %2").arg(filePrint->isEnabled()).arg(filePrint->text());
            click("nextButton");
            auto* fins = child<QRadioButton>(wizard, "answer1");
            QTest::mouseClick(fins, Qt::LeftButton, {}, QPoint(5, fins->height() / 2));
            click("nextButton");
            click("startOverButton");
        } else {
            // The next run starts on the disclaimer again.
            seen << child<QStackedWidget>(wizard, "pages")->currentWidget()->objectName();
            click("nextButton");
            auto* answer = child<QRadioButton>(wizard, "answer4");
            QTest::mouseClick(answer, Qt::LeftButton, {}, QPoint(5, answer->height() / 2));
            click("nextButton");
            click("printButton");
            click("cancelButton");
        }
    });
    poll.start();
    main.findChild<QAction*>("diagnosisAction")->trigger();
    poll.stop();

    EXPECT_EQ(wizards, 2);
    EXPECT_EQ(seen, (QStringList{"print 0 &Print", "disclaimerBox"}));
    ASSERT_EQ(env.printing.jobs.size(), 1);
    const QStringList printed = env.printing.jobs[0].pages.first().texts();
    EXPECT_TRUE(printed.contains("DIAGNOSIS: Popeye"));
    // The run that was started over left nothing in the history.
    EXPECT_FALSE(printed.contains("  A:The body shape is normal, but it's FINS are not."));
    EXPECT_EQ(printed.filter(QRegularExpression("^Q: ")).size(), 1);
}
