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

    const UpgradeResult& result() const { return m_result; }
    bool finished() const { return m_finished; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void runUpgrade();

private:
    // What the keeper is told when a step fails: the reason, the version the file
    // is left at (an earlier step may have completed) and where the copy of the
    // file from before the upgrade is kept.
    static QString failureText(const QString& dbPath, const QString& reason, const QString& versionNow,
                               const QString& backupPath);

    QLabel* m_stepLabel = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QTimer* m_startTimer = nullptr;

    AppContext& m_ctx;
    UpgradeResult m_result;
    bool m_finished = false;
    bool m_started = false;
};
