// The printed questions and answers: what a copy shows, in which fonts, where
// the footer goes, and how copies, a cancelled dialog and printer failures end.
#include "core/Services.h"
#include "support/RecordingPrinting.h"
#include "support/TestServices.h"
#include "tools/DiagnosisCatalogue.h"
#include "tools/DiagnosisPrintout.h"
#include "tools/DiagnosisRun.h"

#include <gtest/gtest.h>

using namespace diagnosis;

namespace {

struct Printer {
    ScriptedMessageBox messages;
    CountingBeeper beeper;
    RecordingPrintService printing;
    Services services;
    Printer()
    {
        services.messages = &messages;
        services.beeper = &beeper;
        services.printing = &printing;
    }
};

History historyFor(const QList<int>& answers)
{
    History history;
    WizardRun run(history);
    run.next();
    for (int a : answers) {
        run.chooseAnswer(a);
        run.next();
    }
    return history;
}

// The recorded text items of a job, in order, each with its page.
struct Item {
    int page;
    RecordedItem item;
};
QList<Item> textItems(const RecordedJob& job)
{
    QList<Item> out;
    for (int p = 0; p < job.pages.size(); ++p)
        for (const RecordedItem& item : job.pages[p].items)
            if (item.kind == RecordedItem::Text)
                out << Item{p, item};
    return out;
}

const double kFooterTop = 600;   // five sixths of the recorded page's 720, on a multiple of 50

} // namespace

TEST(DiagnosisPrintout, CopyShowsTitleReminderAnswersAndFooter)
{
    const History history = historyFor({2, 0});   // Dropsy after two questions
    RecordingPageWriter writer;
    layOutAnswers(writer, history);
    const QList<Item> items = textItems(writer.job());
    ASSERT_FALSE(items.isEmpty());

    const RecordedItem& title = items.first().item;
    EXPECT_EQ(title.text, "Brinestead for Windows - Disease Diagnosis Aid");
    EXPECT_EQ(title.font.family, "Arial");
    EXPECT_EQ(title.font.pointSize, 14);
    EXPECT_TRUE(title.font.bold);
    const double titleWidth = writer.textWidth(title.text, title.font);
    EXPECT_DOUBLE_EQ(title.x + titleWidth / 2, writer.pageWidth() / 2);   // centred

    // The reminder, its first line wrapped at the blank before its last word
    // (the continuation does not start with that blank).
    QStringList reminder;
    for (const Item& i : items)
        if (i.item.font.pointSize == 9 && i.item.y < kFooterTop)
            reminder << i.item.text;
    EXPECT_EQ(reminder.join('\n').toStdString(),
              QStringList({"REMINDER: This program is only a tool to help you determine POSSIBLE CAUSES of disease in "
                           "your animals - it is by no",
                           "means",
                           "complete or totally comprehensive, and is NOT intended to replace the advice of your "
                           "Venerinarian or experienced dealer.",
                           "ALWAYS consult with an EXPERIENCED DEALER or veterinarian before medicating your aquarium "
                           "or animals."}).join('\n').toStdString());

    QStringList texts;
    for (const Item& i : items)
        texts << i.item.text;
    EXPECT_FALSE(texts.contains(History::titleLine()));   // the history's own title line is not printed
    for (const Item& i : items) {
        const QString& t = i.item.text;
        if (t.startsWith("  A:")) {
            EXPECT_TRUE(i.item.font.bold && i.item.font.italic) << qPrintable(t);
        } else if (t.startsWith("Q:") || t.startsWith("DIAGNOSIS: ") || t.startsWith("Dealer or Vet's")) {
            EXPECT_FALSE(i.item.font.bold || i.item.font.italic) << qPrintable(t);
            EXPECT_EQ(i.item.font.pointSize, 10);
        }
    }
    const int q1 = texts.indexOf("Q: Look at the animal's body shape and condition, as well as the condition of it's fins.");
    ASSERT_GE(q1, 0);
    EXPECT_EQ(texts[q1 + 1], "  A:The fish's body is swollen, or has localized swelling");
    EXPECT_EQ(texts[q1 + 2], "Q: Can you describe how the swellings look?");
    EXPECT_EQ(texts[q1 + 3], "  A:The entire fish is swollen. Scales are raised.");
    EXPECT_EQ(texts[q1 + 4], "DIAGNOSIS: Dropsy");
    // Every question starts a paragraph: an empty line (12 units at 10 point) before it.
    const RecordedItem& firstAnswer = items[q1 + 1].item;
    const RecordedItem& secondQuestion = items[q1 + 2].item;
    EXPECT_DOUBLE_EQ(secondQuestion.y - firstAnswer.y, 24);
    const RecordedItem& diagnosisLine = items[q1 + 4].item;
    EXPECT_DOUBLE_EQ(diagnosisLine.y - items[q1 + 3].item.y, 36);   // two empty history lines between
    EXPECT_EQ(texts.count(History::commentLine()), 10);

    // The footer closes every page, below all other text.
    const int pages = writer.job().pages.size();
    int footers = 0;
    for (const Item& i : items) {
        if (i.item.text == "Copyright (C) 2026 The Brinestead developers") {
            ++footers;
            EXPECT_DOUBLE_EQ(i.item.y, kFooterTop);
            EXPECT_TRUE(i.item.font.italic);
            EXPECT_EQ(i.item.font.pointSize, 9);
        } else {
            EXPECT_LE(i.item.y + i.item.font.pointSize * 1.2, kFooterTop) << qPrintable(i.item.text);
        }
    }
    EXPECT_EQ(footers, pages);
    // The empty history lines after the comments start no page of their own.
    EXPECT_EQ(pages, 1);
}

TEST(DiagnosisPrintout, LongHistoryBreaksPagesAndWideLinesWrap)
{
    // The longest run: six questions, three of them with answers as wide as
    // the page or wider, each printed as these lines (108 characters to a line).
    const QString edge = QStringLiteral("edge ").repeated(21).trimmed();   // "  A:" and this: 108
    const struct {
        QString answer;
        QStringList lines;
    } wideAnswers[] = {
        // Broken at the last blank that fits, which no line keeps, and a word
        // wider than the page at the edge.
        {QStringLiteral("wide answer ").repeated(12) + QString(150, 'x'),
         {"  A:" + QStringLiteral("wide answer ").repeated(8) + "wide", "answer wide answer wide answer wide answer",
          QString(108, 'x'), QString(42, 'x')}},
        // A first line that ends exactly at the edge, the blank after it.
        {edge + " and the rest", {"  A:" + edge, "and the rest"}},
        // An answer exactly as wide as the page.
        {edge, {"  A:" + edge}},
    };
    History history;
    for (int i = 0; i < 6; ++i)
        history.recordAnswer(QStringLiteral("question %1").arg(i),
                             i >= 2 && i < 5 ? wideAnswers[i - 2].answer : QStringLiteral("answer %1").arg(i));
    history.recordDiagnosis("ICK or other parasite", *describe("ICK or other parasite"));
    RecordingPageWriter writer;
    layOutAnswers(writer, history);
    const RecordedJob& job = writer.job();
    ASSERT_GE(job.pages.size(), 2);
    QStringList printed;
    for (const Item& i : textItems(job)) {
        EXPECT_LE(writer.textWidth(i.item.text, i.item.font), writer.pageWidth() + 1e-9) << qPrintable(i.item.text);
        if (!i.item.text.startsWith("Copyright")) {
            EXPECT_LE(i.item.y + i.item.font.pointSize * 1.2, kFooterTop) << qPrintable(i.item.text);
        }
        printed << i.item.text;
    }
    for (int i = 2; i < 5; ++i) {
        const QStringList& lines = wideAnswers[i - 2].lines;
        const int answerAt = printed.indexOf(QStringLiteral("Q: question %1").arg(i)) + 1;
        ASSERT_GT(answerAt, 0) << qPrintable(printed.join('\n'));
        // Each answer is followed by the next question.
        EXPECT_EQ(printed.mid(answerAt, lines.size() + 1).join('\n').toStdString(),
                  (lines + QStringList{QStringLiteral("Q: question %1").arg(i + 1)}).join('\n').toStdString());
    }
    // Every comment line made it.
    for (const RecordedPage& page : job.pages)
        EXPECT_TRUE(page.texts().contains("Copyright (C) 2026 The Brinestead developers"));
    int comments = 0;
    for (const RecordedPage& page : job.pages)
        comments += page.texts().count(History::commentLine());
    EXPECT_EQ(comments, 10);
    // No page holds nothing but the footer.
    for (const RecordedPage& page : job.pages)
        EXPECT_GT(page.texts().size(), 1);
}

TEST(DiagnosisPrintout, EachCopyIsADocumentOfItsOwn)
{
    Printer p;
    p.printing.copies = 3;
    const History history = historyFor({4});
    EXPECT_EQ(printAnswers(p.services, history), 3);
    EXPECT_EQ(p.printing.dialogTitles, QStringList{"Print Questions and Answers"});
    ASSERT_EQ(p.printing.jobs.size(), 3);
    for (const RecordedJob& job : p.printing.jobs) {
        EXPECT_TRUE(job.ended);
        EXPECT_EQ(job.pages.first().texts().first(), "Brinestead for Windows - Disease Diagnosis Aid");
        EXPECT_TRUE(job.pages.last().texts().contains("Copyright (C) 2026 The Brinestead developers"));
        EXPECT_TRUE(job.pages.first().texts().contains("DIAGNOSIS: Popeye"));
    }
    EXPECT_TRUE(p.messages.shown.isEmpty());
}

TEST(DiagnosisPrintout, CancelledDialogPrintsNothingAndSaysNothing)
{
    Printer p;
    p.printing.accept = {false};
    EXPECT_EQ(printAnswers(p.services, historyFor({4})), 0);
    EXPECT_TRUE(p.printing.jobs.isEmpty());
    EXPECT_TRUE(p.messages.shown.isEmpty());
    EXPECT_EQ(p.beeper.count, 0);
}

TEST(DiagnosisPrintout, PrinterFailureIsReported)
{
    Printer p;
    p.printing.failJobs = true;
    p.printing.copies = 2;
    EXPECT_EQ(printAnswers(p.services, historyFor({4})), 0);
    ASSERT_EQ(p.messages.shown.size(), 1);   // once, not once a copy
    EXPECT_TRUE(p.messages.shown[0].text.startsWith("The questions and answers could not be printed."));
}
