#pragma once
// The Disease Diagnosis Wizard: a modal dialog that leads the keeper from the
// symptoms of a sick marine fish, question by question, to a likely diagnosis,
// and prints the questions and answers for a dealer or vet. One dialog is one
// run; the main window starts runs until the keeper cancels.
#include "tools/DiagnosisHistory.h"
#include "tools/DiagnosisRun.h"

#include <QDialog>
#include <QPointer>
#include <array>

class AppContext;
class IShell;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;

class DiagnosisWizard : public QDialog {
    Q_OBJECT
public:
    // How a run ended.
    enum RunEnd { Cancelled = QDialog::Rejected, StartedOver = 2 };

    DiagnosisWizard(AppContext& ctx, diagnosis::History& history, IShell* shell, QWidget* parent = nullptr);

    // One run: the disclaimer, the questions and the diagnosis, until Cancel
    // (the keeper is done; closing through the frame or Escape is the same)
    // or Start Over (the caller starts the next run).
    RunEnd runOnce();

private slots:
    void chooseAnswer(int index);
    void goNext();
    void startOver();
    void printAnswers();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void showPage();
    void claimFilePrint();

    AppContext& m_ctx;
    diagnosis::History& m_history;
    IShell* m_shell;
    diagnosis::WizardRun m_run;

    QStackedWidget* m_pages = nullptr;
    QGroupBox* m_disclaimerBox = nullptr;
    QPlainTextEdit* m_disclaimerText = nullptr;
    QWidget* m_questionPage = nullptr;
    QLabel* m_questionLabel = nullptr;
    QGroupBox* m_answersBox = nullptr;
    QButtonGroup* m_answerGroup = nullptr;
    std::array<QRadioButton*, diagnosis::kMaxAnswers> m_answerButtons{};
    QGroupBox* m_diagnosisBox = nullptr;
    QLabel* m_diagnosisLabel = nullptr;
    QPlainTextEdit* m_descriptionText = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_startOverButton = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_printButton = nullptr;
};
