#pragma once
// The about window, which doubles as the start-up splash: product picture,
// version, revision, web and e-mail addresses. As the splash it closes itself
// after its timer runs out; a click on the picture opens the credits.
#include <QDialog>
#include <functional>

class AppContext;
class QLabel;
class QTimer;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* lbl_Title = nullptr;
    QLabel* lbl_Version = nullptr;
    QLabel* lbl_revision = nullptr;
    QLabel* lbl_Web = nullptr;
    QLabel* lbl_Email = nullptr;
    QTimer* tim_splash = nullptr;

    // The splash time (3000 ms unless a test asks for less) and the credits' step.
    void setSplashInterval(int ms);
    int creditsStepMs = 25;

    // Becoming active in splash mode starts the splash timer.
    void activate();
    void tim_splash_Timer();
    void Image1_Click();
    // A click on the window's background: closes it unless it is the splash.
    void Form_Click();

    // "keycode =  16shift =  3" for the Shift key with Shift and Ctrl held.
    static QString keyMessage(int keyCode, int shiftState);
    // The key code and shift state the keeper knows from the key event.
    static int keeperKeyCode(int qtKey);
    static int keeperShiftState(Qt::KeyboardModifiers modifiers);

    // Shows the credits modally; tests replace it.
    std::function<void()> showCredits;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_ctx;
    bool m_closingByTimer = false;
};
