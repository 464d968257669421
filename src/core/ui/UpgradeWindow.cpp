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

    Label1 = new QLabel(QStringLiteral("Upgrading Database to ver "), this);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(360);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);

    // The work starts once the window is on the screen.
    Timerx = new QTimer(this);
    Timerx->setObjectName("Timerx");
    Timerx->setSingleShot(true);
    Timerx->setInterval(delayMs);
    connect(Timerx, &QTimer::timeout, this, [this] { Timerx_Timer(); });
    Timerx->start();
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

void UpgradeWindow::Timerx_Timer()
{
    Timerx->stop();
    if (m_started)
        return;
    m_started = true;

    UpgradeCallbacks callbacks;
    callbacks.progress = [this](int value) {
        ProgressBar1->setValue(value);
        ProgressBar1->repaint();
    };
    callbacks.label = [this](const QString& text) {
        m_labels << text;
        Label1->setText(text);
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
