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

    QFrame* Frame3D1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lbl_DidYouKnow = nullptr;
    QTextEdit* txt_tod = nullptr;
    QCheckBox* chk_ShowTipsAtStartup = nullptr;
    QPushButton* cmd_nexttip = nullptr;
    QPushButton* cmd_ok = nullptr;

    int TipIndex = 1;   // 1..94

    void cmd_nexttip_Click();
    void chk_ShowTipsAtStartup_Click();
    void cmd_ok_Click();

private:
    int drawTip();
    void showTip(int index);
    AppContext& m_ctx;
};
