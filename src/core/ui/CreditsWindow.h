#pragma once
// The thank-you window: a text that scrolls upwards like film credits, moved by
// a timer one step at a time. A click anywhere, or the frame, closes it.
#include <QDialog>

class QFrame;
class QLabel;
class QTimer;

class CreditsWindow : public QDialog {
    Q_OBJECT
public:
    // stepMs: time between two one-pixel steps of the scroll.
    explicit CreditsWindow(QWidget* parent = nullptr, int stepMs = 25);

    static constexpr int kSteps = 630;
    static QString creditsText();

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void scrollStep();

private:
    void closeOnClick();

    QLabel* m_headingLabel = nullptr;
    QFrame* m_viewport = nullptr;
    QLabel* m_creditsLabel = nullptr;
    QTimer* m_scrollTimer = nullptr;

    bool m_closeRequested = false;
    int m_steps = 0;
    bool m_started = false;
};
