#include "tools/ui/DiagnosisWizard.h"

#include "core/AppContext.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/ShellInterfaces.h"
#include "tools/DiagnosisPrintout.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const char* const kDisclaimer =
    "REMINDER: This program is only a tool to help you \r\n"
    "determine POSSIBLE CAUSES of disease in your \r\n"
    "animals - it is by no means\r\n"
    "complete or totally comprehensive, and is NOT intended \r\n"
    "to replace the advice of your Venerinarian or \r\n"
    "experienced dealer. \r\n"
    "ALWAYS consult with an EXPERIENCED DEALER or \r\n"
    "veterinarian before medicating your aquarium or animals.\r\n";

QLabel* pictureLabel(QWidget* parent)
{
    auto* picture = new QLabel(parent);
    picture->setPixmap(QPixmap(QStringLiteral(":/icons/med.png")));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return picture;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

DiagnosisWizard::DiagnosisWizard(AppContext& ctx, diagnosis::History& history, IShell* shell, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_history(history), m_shell(shell), m_run(history)
{
    setObjectName("DiagnosisWizard");
    addHelpKey(this, QStringLiteral("diagnosis.html"));
    setWindowTitle(QStringLiteral("Disease Diagnosis Wizard"));
    setModal(true);
    buildControls();
    resize(560, 400);
    showPage();
}

void DiagnosisWizard::buildControls()
{
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName("pages");

    // the disclaimer
    m_disclaimerBox = new QGroupBox(QStringLiteral("Before You Start..."), m_pages);
    m_disclaimerBox->setObjectName("disclaimerBox");
    auto* disclaimerLayout = new QHBoxLayout(m_disclaimerBox);
    disclaimerLayout->addWidget(pictureLabel(m_disclaimerBox));
    m_disclaimerText = new QPlainTextEdit(m_disclaimerBox);
    m_disclaimerText->setObjectName("disclaimerText");
    m_disclaimerText->setReadOnly(true);
    m_disclaimerText->setPlainText(QString::fromLatin1(kDisclaimer).remove(QLatin1Char('\r')).trimmed());
    disclaimerLayout->addWidget(m_disclaimerText, 1);
    m_pages->addWidget(m_disclaimerBox);

    // a question and its answers
    m_questionPage = new QWidget(m_pages);
    m_questionPage->setObjectName("questionPage");
    auto* questionLayout = new QVBoxLayout(m_questionPage);
    m_questionLabel = new QLabel(m_questionPage);
    m_questionLabel->setObjectName("questionLabel");
    m_questionLabel->setWordWrap(true);
    QFont questionFont = m_questionLabel->font();
    questionFont.setBold(true);
    m_questionLabel->setFont(questionFont);
    questionLayout->addWidget(m_questionLabel);
    m_answersBox = new QGroupBox(QStringLiteral("Choose the answer the best describes your animal's symptoms"),
                                 m_questionPage);
    m_answersBox->setObjectName("answersBox");
    auto* answersLayout = new QVBoxLayout(m_answersBox);
    m_answerGroup = new QButtonGroup(this);
    for (int i = 0; i < diagnosis::kMaxAnswers; ++i) {
        auto* answer = new QRadioButton(m_answersBox);
        answer->setObjectName(QStringLiteral("answer%1").arg(i));
        m_answerGroup->addButton(answer, i);
        answersLayout->addWidget(answer);
        m_answerButtons[i] = answer;
    }
    answersLayout->addStretch(1);
    questionLayout->addWidget(m_answersBox, 1);
    connect(m_answerGroup, &QButtonGroup::idClicked, this, &DiagnosisWizard::chooseAnswer);
    m_pages->addWidget(m_questionPage);

    // the diagnosis
    m_diagnosisBox = new QGroupBox(QStringLiteral("Diagnosis!"), m_pages);
    m_diagnosisBox->setObjectName("diagnosisBox");
    auto* diagnosisLayout = new QHBoxLayout(m_diagnosisBox);
    diagnosisLayout->addWidget(pictureLabel(m_diagnosisBox));
    auto* diagnosisColumn = new QVBoxLayout;
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("Diagnosis..."), m_diagnosisBox));
    m_diagnosisLabel = new QLabel(m_diagnosisBox);
    m_diagnosisLabel->setObjectName("diagnosisLabel");
    QFont titleFont = m_diagnosisLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_diagnosisLabel->setFont(titleFont);
    titleRow->addWidget(m_diagnosisLabel, 1);
    diagnosisColumn->addLayout(titleRow);
    diagnosisColumn->addWidget(new QLabel(QStringLiteral("Comments, Notes, Suggestions:"), m_diagnosisBox));
    m_descriptionText = new QPlainTextEdit(m_diagnosisBox);
    m_descriptionText->setObjectName("descriptionText");
    m_descriptionText->setReadOnly(true);
    diagnosisColumn->addWidget(m_descriptionText, 1);
    diagnosisLayout->addLayout(diagnosisColumn, 1);
    m_pages->addWidget(m_diagnosisBox);

    // the buttons, in one row along the bottom
    m_cancelButton = button(QStringLiteral("&Cancel"), "cancelButton", this);
    m_startOverButton = button(QStringLiteral("Start Over"), "startOverButton", this);
    m_backButton = button(QStringLiteral("< &Back"), "backButton", this);
    m_nextButton = button(QStringLiteral("&Next >"), "nextButton", this);
    m_printButton = button(QStringLiteral("&Print Answers"), "printButton", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_cancelButton, m_startOverButton, m_backButton, m_nextButton, m_printButton})
        buttons->addWidget(b);
    connect(m_cancelButton, &QPushButton::clicked, this, &DiagnosisWizard::reject);
    connect(m_startOverButton, &QPushButton::clicked, this, &DiagnosisWizard::startOver);
    connect(m_nextButton, &QPushButton::clicked, this, &DiagnosisWizard::goNext);
    connect(m_printButton, &QPushButton::clicked, this, &DiagnosisWizard::printAnswers);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
}

DiagnosisWizard::RunEnd DiagnosisWizard::runOnce()
{
    return exec() == StartedOver ? StartedOver : Cancelled;
}

void DiagnosisWizard::showPage()
{
    using Page = diagnosis::WizardRun::Page;
    switch (m_run.page()) {
    case Page::Disclaimer:
        m_pages->setCurrentWidget(m_disclaimerBox);
        break;
    case Page::Question: {
        const diagnosis::QuestionPage& page = m_run.question();
        m_questionLabel->setText(page.text);
        // No answer is checked on a new page, so the same answer as on the
        // page before is chosen again by a click.
        m_answerGroup->setExclusive(false);
        for (int i = 0; i < diagnosis::kMaxAnswers; ++i) {
            QRadioButton* answer = m_answerButtons[i];
            answer->setChecked(false);
            const bool present = i < page.answers.size();
            answer->setText(present ? page.answers[i].text : QString());
            answer->setVisible(present);
        }
        m_answerGroup->setExclusive(true);
        m_pages->setCurrentWidget(m_questionPage);
        break;
    }
    case Page::Diagnosis:
        m_diagnosisLabel->setText(m_run.diagnosisTitle());
        m_descriptionText->setPlainText(m_run.diagnosisDescription());
        m_pages->setCurrentWidget(m_diagnosisBox);
        break;
    }
    m_printButton->setEnabled(m_run.printEnabled());
    m_nextButton->setEnabled(m_run.nextEnabled());
    m_backButton->setEnabled(m_run.backEnabled());
    m_startOverButton->setEnabled(m_run.startOverEnabled());
}

void DiagnosisWizard::chooseAnswer(int index)
{
    m_run.chooseAnswer(index);
    m_nextButton->setEnabled(m_run.nextEnabled());
}

void DiagnosisWizard::goNext()
{
    if (!m_run.nextEnabled())
        return;
    m_run.next();
    showPage();
    if (m_run.page() == diagnosis::WizardRun::Page::Diagnosis && !m_run.descriptionFound())
        m_ctx.services.tell(QStringLiteral("no diagnosis defined"), QString(), MsgIcon::None, false);
}

void DiagnosisWizard::startOver()
{
    m_run.startOver();
    done(StartedOver);
}

void DiagnosisWizard::printAnswers()
{
    if (m_run.printEnabled())
        diagnosis::printAnswers(m_ctx.services, m_history);
}



void DiagnosisWizard::claimFilePrint()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

void DiagnosisWizard::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    claimFilePrint();
}

void DiagnosisWizard::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        claimFilePrint();
}
