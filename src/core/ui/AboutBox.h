#pragma once
// The about window, which doubles as the start-up splash: product picture,
// version, revision, web and e-mail addresses. As the splash it closes itself
// after its timer runs out; a click on the picture opens the credits.
#include <QDialog>

class AppContext;
class QLabel;
class QTimer;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(AppContext& ctx, QWidget* parent = nullptr);

    // The splash time (3000 ms unless a test asks for less) and the credits' step.
    void setSplashInterval(int ms);
    void setCreditsStepMs(int ms) { m_creditsStepMs = ms; }

    // "keycode =  16shift =  3" for the Shift key with Shift and Ctrl held.
    static QString keyMessage(int keyCode, int shiftState);
    // The key code and shift state the keeper knows from the key event.
    static int keeperKeyCode(int qtKey);
    static int keeperShiftState(Qt::KeyboardModifiers modifiers);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void closeSplash();

private:
    // Becoming active in splash mode starts the splash timer.
    void startSplashTimer();
    void showCredits();
    // A click on the window's background: closes it unless it is the splash.
    void closeOnClick();

    QLabel* m_picture = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_revisionLabel = nullptr;
    QLabel* m_webLabel = nullptr;
    QLabel* m_emailLabel = nullptr;
    QTimer* m_splashTimer = nullptr;

    AppContext& m_ctx;
    int m_creditsStepMs = 25;
    bool m_closingByTimer = false;
    bool m_showingCredits = false;
};
