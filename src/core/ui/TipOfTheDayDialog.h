#pragma once
// Tip of the day: a random tip, Next Tip for another (never the same twice in a
// row) and the check box that decides whether a tip greets the keeper at start-up.
#include <QDialog>

class AppContext;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

class TipOfTheDayDialog : public QDialog {
    Q_OBJECT
public:
    explicit TipOfTheDayDialog(AppContext& ctx, QWidget* parent = nullptr);

private slots:
    void showNextTip();
    void storeShowAtStartup();

private:
    int drawTip();
    void showTip(int index);

    QFrame* m_tipFrame = nullptr;
    QLabel* m_picture = nullptr;
    QLabel* m_didYouKnowLabel = nullptr;
    QTextEdit* m_tipText = nullptr;
    QCheckBox* m_showAtStartupCheck = nullptr;
    QPushButton* m_nextTipButton = nullptr;
    QPushButton* m_okButton = nullptr;

    AppContext& m_ctx;
    int m_tipIndex = 1;   // 1..94
};
