#include "tools/DiagnosisRun.h"

#include "tools/DiagnosisCatalogue.h"

namespace diagnosis {

WizardRun::WizardRun(History& history)
    : m_history(history)
{
    m_history.reset();
}

void WizardRun::chooseAnswer(int index)
{
    if (m_page != Page::Question || index < 0 || index >= question().answers.size())
        return;
    m_response = QString::number(index);
    m_nextEnabled = true;
}

void WizardRun::next()
{
    if (!m_nextEnabled)
        return;
    m_nextEnabled = false;
    switch (m_page) {
    case Page::Disclaimer:
        m_history.reset();
        openQuestion(Question::StartingPoint);
        break;
    case Page::Question: {
        bool ok = false;
        const int index = m_response.toInt(&ok);
        const QuestionPage& page = question();
        if (!ok || index < 0 || index >= page.answers.size())
            return;
        const Answer& answer = page.answers[index];
        m_history.recordAnswer(page.text, answer.text);
        if (answer.leadsToDiagnosis())
            openDiagnosis(answer.diagnosis);
        else
            openQuestion(answer.next);
        break;
    }
    case Page::Diagnosis:
        break;
    }
}

void WizardRun::startOver()
{
    m_nextEnabled = false;
}

void WizardRun::openQuestion(Question question)
{
    m_page = Page::Question;
    m_question = question;
    m_nextEnabled = false;
}

void WizardRun::openDiagnosis(const QString& title)
{
    m_page = Page::Diagnosis;
    m_nextEnabled = false;
    m_title = title;
    const std::optional<QString> description = describe(title);
    m_descriptionFound = description.has_value();
    m_description = description.value_or(QString());
    m_history.recordDiagnosis(m_title, m_description);
}

} // namespace diagnosis
