#include "core/ui/UpgradeWindow.h"

#include "core/AppContext.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

UpgradeWindow::UpgradeWindow(AppContext& ctx, QWidget* parent, int delayMs)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName("UpgradeWindow");
    setWindowTitle(QStringLiteral("Processing Status"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setModal(true);

    m_stepLabel = new QLabel(QStringLiteral("Upgrading Database to ver "), this);
    m_stepLabel->setObjectName("stepLabel");
    m_stepLabel->setMinimumWidth(360);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName("progressBar");
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stepLabel);
    layout->addWidget(m_progressBar);

    // The work starts once the window is on the screen.
    m_startTimer = new QTimer(this);
    m_startTimer->setObjectName("startTimer");
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(delayMs);
    connect(m_startTimer, &QTimer::timeout, this, &UpgradeWindow::runUpgrade);
    m_startTimer->start();
}

QString UpgradeWindow::failureText(const QString& dbPath, const QString& reason, const QString& versionNow,
                                   const QString& backupPath)
{
    QString text = QStringLiteral("The database file %1 could not be upgraded: %2\n\n")
                       .arg(dbPath, reason.isEmpty() ? QStringLiteral("unknown error") : reason);
    if (backupPath.isEmpty()) {
        // Nothing was changed: the copy is taken before the first step.
        text += QStringLiteral("The file has been left as it was.");
    } else {
        // The failed step was undone, but an earlier one may have been completed.
        text += QStringLiteral("The step that failed has been undone; the file is at version %1. "
                               "A copy of the file as it was before the upgrade is kept at %2.")
                    .arg(versionNow.trimmed(), backupPath);
    }
    return text + QStringLiteral(" Brinestead will now close.");
}

void UpgradeWindow::runUpgrade()
{
    m_startTimer->stop();
    if (m_started)
        return;
    m_started = true;

    UpgradeCallbacks callbacks;
    callbacks.progress = [this](int value) {
        m_progressBar->setValue(value);
        m_progressBar->repaint();
    };
    callbacks.label = [this](const QString& text) {
        m_stepLabel->setText(text);
        repaint();
    };
    callbacks.message = [this](const Message& message) {
        return m_ctx.services.messages ? m_ctx.services.messages->show(message) : MsgResult::Ok;
    };
    m_result = upgradeDatabase(m_ctx, callbacks);
    m_finished = true;
    if (!m_result.ok) {
        m_ctx.services.tell(failureText(m_ctx.dbPath(), m_result.error, m_ctx.dbVersion, m_result.backupPath), QStringLiteral("Upgrade Failed"),
                            MsgIcon::Critical, true);
        done(QDialog::Rejected);
        return;
    }
    done(QDialog::Accepted);
}

void UpgradeWindow::reject()
{
    // Escape does not interrupt an upgrade.
    if (m_finished)
        QDialog::reject();
}

void UpgradeWindow::closeEvent(QCloseEvent* event)
{
    if (!m_finished) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
