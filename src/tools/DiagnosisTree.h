#pragma once
// The questions of the diagnosis wizard: a fixed tree of multiple-choice pages,
// each answer leading to another question or to a diagnosis title. The tree is
// data; the wizard walks it (tools/DiagnosisRun.h).
#include <QList>
#include <QString>

namespace diagnosis {

enum class Question {
    StartingPoint,
    Behavior,
    Breathing,
    Eating,
    Fins,
    GillFlukes,
    LateralLineDisease,
    RedMarks,
    Swelling,
    WhitePatches,
    WhiteSpots,
};

// The most answers a page can have (the window holds this many answer buttons).
constexpr int kMaxAnswers = 6;

struct Answer {
    QString text;
    // Where the answer leads: a further question, or (when diagnosis is not
    // empty) the diagnosis with that title.
    Question next = Question::StartingPoint;
    QString diagnosis;

    bool leadsToDiagnosis() const { return !diagnosis.isEmpty(); }
};

struct QuestionPage {
    Question id;
    QString text;
    QList<Answer> answers;   // index 0 at the top, at most kMaxAnswers
};

// The page of a question.
const QuestionPage& questionPage(Question question);

} // namespace diagnosis
