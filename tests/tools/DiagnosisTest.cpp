// The diagnosis aid's logic: the question tree, a run through it, the history
// it writes, the wrap of the descriptions and the catalogue.
#include "tools/DiagnosisCatalogue.h"
#include "tools/DiagnosisHistory.h"
#include "tools/DiagnosisRun.h"
#include "tools/DiagnosisTree.h"

#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace diagnosis;

namespace {

// One path through the tree from the first question to a diagnosis: the
// answer indices chosen on each page.
struct Path {
    QList<Question> questions;
    QList<int> answers;
    QString diagnosis;
};

// Every path from the first question to a diagnosis, read off the pages.
QList<Path> allPaths()
{
    QList<Path> out;
    Path current;
    std::function<void(Question)> walk = [&](Question question) {
        const QuestionPage& page = questionPage(question);
        for (int i = 0; i < page.answers.size(); ++i) {
            const Answer& answer = page.answers[i];
            current.questions << question;
            current.answers << i;
            if (answer.leadsToDiagnosis()) {
                current.diagnosis = answer.diagnosis;
                out << current;
                current.diagnosis.clear();
            } else {
                walk(answer.next);
            }
            current.questions.removeLast();
            current.answers.removeLast();
        }
    };
    walk(Question::StartingPoint);
    return out;
}

// Drives a run from the disclaimer through the given answers.
void answerAll(WizardRun& run, const QList<int>& answers)
{
    run.next();   // past the disclaimer
    for (int a : answers) {
        run.chooseAnswer(a);
        run.next();
    }
}

const QStringList kAllTitles = {
    "Dropsy", "Popeye", "Diarrhoea", "Fin Rot", "Bacterial Infection", "Lymphocyctis", "Fin Nipping",
    "Unable to Diagnose", "Loss of Appetite", "Failure to Acclimate", "Bullying or Failure to Acclimate",
    "Possible poisoning or stress", "Swim Bladder problem", "Fungus", "ICK or other parasite", "Chilodonella",
    "Gill Flukes", "Lateral Line Disease", "Open Sore",
};

} // namespace

TEST(DiagnosisTree, ReachesTheNineteenTitlesAndEveryQuestion)
{
    QSet<QString> reached;
    QSet<Question> asked;
    for (const Path& path : allPaths()) {
        reached.insert(path.diagnosis);
        for (Question q : path.questions)
            asked.insert(q);
    }
    EXPECT_EQ(reached, QSet<QString>(kAllTitles.begin(), kAllTitles.end()));
    EXPECT_EQ(asked.size(), 11);   // every question of the tree
    for (Question q : asked) {
        const QuestionPage& page = questionPage(q);
        EXPECT_GE(page.answers.size(), 2);
        EXPECT_LE(page.answers.size(), kMaxAnswers);
    }
}

TEST(DiagnosisTree, ChosenPathsLeadToTheirTitles)
{
    struct Case {
        QList<int> answers;
        const char* title;
    };
    const Case cases[] = {
        {{3}, "Diarrhoea"},
        {{4}, "Popeye"},
        {{2, 0}, "Dropsy"},
        {{2, 1}, "Bacterial Infection"},
        {{2, 2}, "Lymphocyctis"},
        {{1, 0}, "Fin Rot"},
        {{1, 1}, "Bacterial Infection"},
        {{1, 2}, "Fin Nipping"},
        {{1, 3}, "Fin Nipping"},
        {{5, 0}, "Unable to Diagnose"},
        {{5, 1}, "Loss of Appetite"},
        {{5, 2}, "Failure to Acclimate"},
        {{0, 1}, "Possible poisoning or stress"},
        {{0, 2}, "Swim Bladder problem"},
        {{0, 3}, "Bullying or Failure to Acclimate"},
        {{0, 0, 0, 2}, "Open Sore"},
        {{0, 0, 0, 3}, "Fungus"},
        {{0, 0, 0, 1, 0}, "Lateral Line Disease"},
        {{0, 0, 0, 1, 1}, "Bacterial Infection"},
        {{0, 0, 0, 0, 1}, "Fungus"},
        {{0, 0, 0, 0, 2}, "Chilodonella"},
        {{0, 0, 0, 0, 0, 2}, "Failure to Acclimate"},
        {{0, 0, 1, 1}, "ICK or other parasite"},
        {{0, 0, 1, 0, 0}, "Gill Flukes"},
        {{0, 0, 1, 0, 1}, "ICK or other parasite"},
        {{0, 0, 1, 2, 0, 1}, "Loss of Appetite"},
    };
    for (const Case& c : cases) {
        History history;
        WizardRun run(history);
        answerAll(run, c.answers);
        EXPECT_EQ(run.page(), WizardRun::Page::Diagnosis) << c.title;
        EXPECT_EQ(run.diagnosisTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(history.line(3 + 2 * c.answers.size() + 2), QStringLiteral("DIAGNOSIS: ") + c.title);
    }
}

TEST(DiagnosisTree, EveryPathWritesItsExactQuestionsAndAnswers)
{
    const QList<Path> paths = allPaths();
    EXPECT_EQ(paths.size(), 32);
    int longest = 0;
    for (const Path& path : paths) {
        History history;
        WizardRun run(history);
        answerAll(run, path.answers);
        ASSERT_EQ(run.page(), WizardRun::Page::Diagnosis);
        EXPECT_EQ(run.diagnosisTitle(), path.diagnosis);
        for (int i = 0; i < path.questions.size(); ++i) {
            const QuestionPage& page = questionPage(path.questions[i]);
            EXPECT_EQ(history.line(3 + 2 * i), "Q: " + page.text);
            EXPECT_EQ(history.line(4 + 2 * i), "  A:" + page.answers[path.answers[i]].text);
        }
        longest = std::max(longest, int(path.questions.size()));
    }
    EXPECT_EQ(longest, 6);
}

TEST(DiagnosisTree, QuestionAndAnswerLinesKeepTheirExactText)
{
    History history;
    WizardRun run(history);
    answerAll(run, {0, 0, 0, 1, 0});
    EXPECT_EQ(history.line(1), " Brinestead for Windows - Marine Disease Diagnosis Aid");
    EXPECT_TRUE(history.line(2).isEmpty());
    EXPECT_EQ(history.line(3),
              "Q: Look at the animal's body shape and condition, as well as the condition of it's fins.");
    EXPECT_EQ(history.line(4), "  A:The fish's body shape is fine, it's fins seem OK also.");
    const QString lateral = history.line(11);
    EXPECT_EQ(lateral.size(), 3 + 166);
    EXPECT_TRUE(lateral.startsWith("Q: Is there redness or open holes along the fish's \"Lateral Line\"?  (the"));
    EXPECT_EQ(history.line(12), "  A:Yes, the \"Lateral Line\" looks red or open");
}

TEST(DiagnosisRun, NextWaitsForAnAnswerOnEveryQuestionPage)
{
    History history;
    WizardRun run(history);
    EXPECT_EQ(run.page(), WizardRun::Page::Disclaimer);
    EXPECT_TRUE(run.nextEnabled());
    EXPECT_FALSE(run.printEnabled());
    EXPECT_FALSE(run.backEnabled());

    run.next();
    EXPECT_EQ(run.page(), WizardRun::Page::Question);
    EXPECT_EQ(history.nextLine(), 3);   // the disclaimer records nothing
    EXPECT_FALSE(run.nextEnabled());
    run.next();   // ignored: no answer yet
    EXPECT_EQ(run.question().id, Question::StartingPoint);
    EXPECT_EQ(history.nextLine(), 3);

    run.chooseAnswer(0);
    EXPECT_TRUE(run.nextEnabled());
    run.next();
    EXPECT_EQ(run.question().id, Question::Behavior);
    // Next waits for a new click on this page.
    EXPECT_FALSE(run.nextEnabled());
    run.chooseAnswer(9);   // no such answer on this page
    EXPECT_FALSE(run.nextEnabled());
    run.chooseAnswer(0);   // the same index as before counts again
    EXPECT_TRUE(run.nextEnabled());

    run.startOver();
    EXPECT_FALSE(run.nextEnabled());
    run.next();   // nothing more is recorded
    EXPECT_EQ(history.nextLine(), 5);
}

TEST(DiagnosisRun, DiagnosisPageEnablesPrintingOnly)
{
    History history;
    WizardRun run(history);
    answerAll(run, {4});
    EXPECT_EQ(run.page(), WizardRun::Page::Diagnosis);
    EXPECT_TRUE(run.printEnabled());
    EXPECT_FALSE(run.nextEnabled());
    EXPECT_FALSE(run.backEnabled());
    EXPECT_TRUE(run.startOverEnabled());
    EXPECT_TRUE(run.descriptionFound());
    EXPECT_EQ(run.diagnosisDescription(), *describe("Popeye"));
}

TEST(DiagnosisRun, ANewRunStartsANewHistory)
{
    History history;
    {
        WizardRun run(history);
        answerAll(run, {2, 0});
    }
    EXPECT_EQ(history.nextLine(), 60);   // kept after the run ends
    WizardRun again(history);
    EXPECT_EQ(history.nextLine(), 3);
    EXPECT_TRUE(history.line(3).isEmpty());
    EXPECT_TRUE(history.line(9).isEmpty());
    EXPECT_EQ(history.line(1), History::titleLine());
}

TEST(DiagnosisHistory, DiagnosisAfterTwoQuestionsFollowsTheLayout)
{
    History history;
    WizardRun run(history);
    answerAll(run, {2, 0});
    const QStringList wrapped = wrapDescription(*describe("Dropsy"));
    const int L = wrapped.size();
    EXPECT_TRUE(history.line(7).isEmpty());
    EXPECT_TRUE(history.line(8).isEmpty());
    EXPECT_EQ(history.line(9), "DIAGNOSIS: Dropsy");
    EXPECT_TRUE(history.line(10).isEmpty());
    EXPECT_EQ(history.line(11), "Your fish probably has a disease called \"DROPSY\" which is often caused by a");
    EXPECT_EQ(history.line(11).size(), 75);
    EXPECT_TRUE(history.line(12).startsWith(" bacterial infection."));
    for (int i = 0; i < L; ++i)
        EXPECT_EQ(history.line(11 + i), wrapped[i]);
    for (int i = 11 + L; i < 14 + L; ++i)
        EXPECT_TRUE(history.line(i).isEmpty()) << i;
    const QString heading = history.line(14 + L);
    EXPECT_EQ(heading, "Dealer or Vet's Comments " + QString(59, '_'));
    EXPECT_EQ(heading.size(), 84);
    for (int i = 15 + L; i <= 24 + L; ++i)
        EXPECT_EQ(history.line(i), QString(84, '_')) << i;
    for (int i = 25 + L; i < History::kSize; ++i)
        EXPECT_TRUE(history.line(i).isEmpty()) << i;
    EXPECT_EQ(history.nextLine(), 60);
}

TEST(DiagnosisHistory, NeverWritesPastItsLastLine)
{
    History history;
    const QString word = QStringLiteral("word ");
    // Six questions, then a description far longer than the room left.
    for (int i = 0; i < 6; ++i)
        history.recordAnswer(QStringLiteral("question %1").arg(i), QStringLiteral("answer %1").arg(i));
    history.recordDiagnosis(QStringLiteral("Long"), word.repeated(600));
    for (int i = History::kLastLine + 1; i < History::kSize; ++i)
        EXPECT_TRUE(history.line(i).isEmpty()) << i;
    EXPECT_FALSE(history.line(History::kLastLine).isEmpty());
    EXPECT_EQ(history.nextLine(), History::kLastLine);

    // A history already at its end takes no more answers.
    history.recordAnswer(QStringLiteral("late"), QStringLiteral("answer"));
    for (int i = History::kLastLine + 1; i < History::kSize; ++i)
        EXPECT_TRUE(history.line(i).isEmpty()) << i;
}

TEST(DiagnosisCatalogue, EveryDescriptionFitsTheRoomOfItsDeepestPath)
{
    for (const Path& path : allPaths()) {
        History history;
        WizardRun run(history);
        answerAll(run, path.answers);
        const int k = path.questions.size();
        const int L = wrapDescription(run.diagnosisDescription()).size();
        const int heading = 10 + 2 * k + L;
        EXPECT_EQ(history.line(heading), History::commentsHeading()) << qPrintable(path.diagnosis);
        EXPECT_LE(heading + History::kCommentLines, History::kLastLine) << qPrintable(path.diagnosis);
        EXPECT_EQ(history.line(heading + History::kCommentLines), History::commentLine());
    }
}

TEST(DiagnosisCatalogue, DescriptionsOpenWithTheirFixedSentence)
{
    const QList<QPair<QString, QString>> openings = {
        {"Dropsy", "Your fish probably has a disease called \"DROPSY\" which is often caused by a bacterial infection."},
        {"Popeye", "Your fish probably has a condition called \"POP EYE\" which is usually a reaction to some sort of "
                   "stress - (i.e. poor water conditions, high ammonia, nitrite, or nitrate levels)."},
        {"Diarrhoea", "Your fish probably has \"DIARRHOEA\" which is usually caused by poor diet, improperly "
                      "prepared or rotten food."},
        {"Fin Rot", "Your fish probably has a condition called \"FIN-ROT\", a bacterial infection that is usually "
                    "(but not always) associated with poor water conditions."},
        {"Bacterial Infection", "Your fish probably has some sort of BACTERIAL INFECTION."},
        {"Lymphocyctis", "Your fish may have a form of \"LYMPHOCYCTIS\" which is a viral infection which causes "
                         "the \"cauliflower\" looking lumps you see."},
        {"Fin Nipping", "It sounds like your fish's fin may have been nipped by a tankmate, or may have been "
                        "damaged in shipping or handling particularly if the fish is new."},
        {"Unable to Diagnose", "Unfortunately, your problem seems to be outside the capabilities of Brinestead!"},
        {"Loss of Appetite", "Not eating, unfortunately, can be a symptom of many things, or sometimes no disease "
                             "at all."},
        {"Failure to Acclimate", "If a fish will not eat for you - ask yourself \"Am I sure I saw it eat at the "
                                 "dealers before I purchased it?\" If the answer to this is \"No\", it's possible "
                                 "the animal will never acclimate to captivity."},
        {"Bullying or Failure to Acclimate",
         "While some fish are fairly secretive and \"loners\" by nature, a fish that will not emerge - even to eat "
         "- is usually being \"bullied\" by another animal, or has failed to acclimate to your particular "
         "aquarium."},
        {"Possible poisoning or stress", "Dashing and erratic swimming is often caused by some type of poisoning "
                                         "entering the aquarium."},
        {"Swim Bladder problem", "Your fish probably has some type of \"Swim Bladder\" problem."},
        {"Fungus", "  Your fish probably has a white \"cotton-like\" FUNGUS which may have taken over an existing "
                   "open sore or bacterial infection."},
        {"ICK or other parasite", "  Your fish probably has 1 of several types of common parasite infections."},
        {"Chilodonella", "Your fish may have a parasite infection called \"CHILODONELLA\" which appears as flat "
                         "(not fuzzy) white cloudy area, often on the top side of the fish, obscuring the "
                         "coloration."},
        {"Gill Flukes", "Your fish probably is probably infected with an infestation of \"GILL FLUKES\"."},
        {"Lateral Line Disease", "Your fish may have a condition called \"LATERAL LINE DISEASE\" which is an "
                                 "inflamation of the lateral line - a line of nerve endings which runs from the "
                                 "eye of the fish, along the back, to the tail."},
    };
    for (const auto& [title, opening] : openings) {
        const std::optional<QString> d = describe(title);
        ASSERT_TRUE(d.has_value()) << qPrintable(title);
        EXPECT_TRUE(d->startsWith(opening + ' ')) << qPrintable(title);
        EXPECT_GT(d->size(), opening.size() + 200) << qPrintable(title) << ": the advice is missing";
    }
    // Every reachable title has a description of its own, "Open Sore" too.
    QSet<QString> seen;
    for (const QString& title : kAllTitles) {
        const std::optional<QString> d = describe(title);
        ASSERT_TRUE(d.has_value()) << qPrintable(title);
        EXPECT_FALSE(seen.contains(*d)) << qPrintable(title);
        seen.insert(*d);
    }
    EXPECT_TRUE(describe("Open Sore")->contains("OPEN SORE"));
    EXPECT_FALSE(describe("dropsy").has_value());   // titles compare exactly
}

TEST(DiagnosisCatalogue, JoinedDescriptionsKeepTheirPieces)
{
    const QString fungus = *describe("Fungus");
    const QStringList pieces = fungus.split(QChar(13));
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_TRUE(pieces[1].startsWith("   Beware, however, that some anti-fungals MAY damage the tank's "
                                     "ammonia/nitrite/nitrate processing bacteria."));
    EXPECT_EQ(pieces[2], "   Always check with a Veterinarian or an EXPERIENCED fish dealer before beginning any "
                         "medicinal treatment. ");
    const QString ick = *describe("ICK or other parasite");
    EXPECT_TRUE(ick.contains("  Other possibile parasites include \"OODINIUM\" or \"Coral Fish Disease\", and "
                             "\"Gill Flukes\", which can be cured similiarly."));
    EXPECT_TRUE(ick.endsWith("Proceed Carefully.   Always check with a Veterinarian or an EXPERIENCED fish dealer "
                             "before beginning any medicinal treatment."));
    // The carriage returns stay inside the wrapped lines.
    EXPECT_EQ(wrapDescription(fungus).join(QString()).count(QChar(13)), 2);
}

TEST(DiagnosisWrap, BreaksBeforeBlanksAndCutsRunsWithoutOne)
{
    const QString eighty(80, 'a');
    struct Case {
        const char* name;
        QString text;
        QStringList lines;
    };
    const QList<Case> cases = {
        {"piece of exactly 80 then a blank", eighty + " tail", {eighty, " tail"}},
        {"run without a blank", QString(200, 'b'), {QString(80, 'b'), QString(80, 'b'), QString(40, 'b')}},
        {"run of 81 without a blank", QString(81, 'c'), {QString(80, 'c'), "c"}},
        {"two characters", "ab", {"ab"}},
        {"eighty characters", eighty, {eighty}},
        {"one character", "x", {}},
        {"nothing", "", {}},
        {"trailing blank", QString(80, 'd') + ' ', {QString(80, 'd')}},
        {"blank near the end of the piece", QString(70, 'e') + ' ' + QString(20, 'f'),
         {QString(70, 'e'), ' ' + QString(20, 'f')}},
        {"carriage return is no break", "one\rtwo", {"one\rtwo"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(wrapDescription(c.text), c.lines) << c.name;
    // No line is longer than 80, and the lines give the text back.
    for (const CatalogueEntry& e : catalogue()) {
        const QStringList lines = wrapDescription(e.description);
        for (const QString& line : lines)
            EXPECT_LE(line.size(), 80);
        QString joined = lines.join(QString());
        if (joined.size() + 1 == e.description.size())
            joined += ' ';   // a lone final blank is not written
        EXPECT_EQ(joined, e.description) << qPrintable(e.title);
    }
}
