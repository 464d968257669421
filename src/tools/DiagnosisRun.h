#pragma once
// One run of the diagnosis wizard: the disclaimer page, the question pages the
// keeper's answers lead through, and the diagnosis page. The run decides which
// page is showing, which buttons work, and what goes into the history; the
// window only shows it.
#include "tools/DiagnosisHistory.h"
#include "tools/DiagnosisTree.h"

#include <QString>

namespace diagnosis {

class WizardRun {
public:
    enum class Page { Disclaimer, Question, Diagnosis };

    // A run starts on the disclaimer page with a new history.
    explicit WizardRun(History& history);

    Page page() const { return m_page; }
    // The question on a question page.
    const QuestionPage& question() const { return questionPage(m_question); }
    // On the diagnosis page: the title and its description. A title the
    // catalogue does not hold has an empty description and no description found.
    const QString& diagnosisTitle() const { return m_title; }
    const QString& diagnosisDescription() const { return m_description; }
    bool descriptionFound() const { return m_descriptionFound; }

    bool nextEnabled() const { return m_nextEnabled; }
    bool printEnabled() const { return m_page == Page::Diagnosis; }
    bool startOverEnabled() const { return true; }
    bool backEnabled() const { return false; }

    // The keeper picks an answer on a question page; Next becomes available.
    void chooseAnswer(int index);
    // Next: on the disclaimer page, the first question (the history starts
    // again there); on a question page, records the question and the chosen
    // answer and moves where the answer leads. Does nothing while Next is not available.
    void next();
    // Start Over: this run ends without a further step.
    void startOver();

private:
    void openQuestion(Question question);
    void openDiagnosis(const QString& title);

    History& m_history;
    Page m_page = Page::Disclaimer;
    Question m_question = Question::StartingPoint;
    QString m_response;
    bool m_nextEnabled = true;
    QString m_title;
    QString m_description;
    bool m_descriptionFound = false;
};

} // namespace diagnosis
