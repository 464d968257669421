#pragma once
// The window shown while an older database file is brought up to date: a label
// and a progress bar follow the upgrade steps, whose closing messages are shown
// to the keeper. The work starts from a timer, once the window is on screen.
#include "core/Database.h"

#include <QDialog>

class AppContext;
class QLabel;
class QProgressBar;
class QTimer;

class UpgradeWindow : public QDialog {
    Q_OBJECT
public:
    explicit UpgradeWindow(AppContext& ctx, QWidget* parent = nullptr, int delayMs = 0);

    QLabel* Label1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timerx = nullptr;

    void Timerx_Timer();
    const UpgradeResult& result() const { return m_result; }
    bool finished() const { return m_finished; }
    // The labels shown, in order (what the keeper saw of the steps).
    QStringList labelsShown() const { return m_labels; }

    // What the keeper is told when a step fails: the reason, the version the file
    // is left at (an earlier step may have completed) and where the copy of the
    // file from before the upgrade is kept.
    static QString failureText(const QString& dbPath, const QString& reason, const QString& versionNow,
                               const QString& backupPath);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& m_ctx;
    UpgradeResult m_result;
    bool m_finished = false;
    bool m_started = false;
    QStringList m_labels;
};
