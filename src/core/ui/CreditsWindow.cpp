#include "core/ui/CreditsWindow.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

CreditsWindow::CreditsWindow(QWidget* parent, int stepMs)
    : QDialog(parent)
{
    setObjectName("CreditsWindow");
    setWindowTitle(QStringLiteral("Hey... you found it!"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_headingLabel = new QLabel(QStringLiteral("Self Indulgent, Gratuitous, Thank you screen..."), this);
    m_headingLabel->setObjectName("headingLabel");
    QFont heading = m_headingLabel->font();
    heading.setBold(true);
    m_headingLabel->setFont(heading);
    m_headingLabel->setAlignment(Qt::AlignCenter);

    m_viewport = new QFrame(this);
    m_viewport->setObjectName("viewport");
    m_viewport->setFrameShape(QFrame::Box);
    m_viewport->setFixedSize(360, 220);
    m_viewport->setStyleSheet(QStringLiteral("#viewport { background: #0b2a4a; }"));

    m_creditsLabel = new QLabel(m_viewport);
    m_creditsLabel->setObjectName("creditsLabel");
    m_creditsLabel->setText(creditsText());
    m_creditsLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_creditsLabel->setWordWrap(true);
    m_creditsLabel->setStyleSheet(QStringLiteral("color: #e8f4ff;"));
    m_creditsLabel->setFixedWidth(m_viewport->width() - 20);
    m_creditsLabel->adjustSize();
    m_creditsLabel->move(10, m_viewport->height() + 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_headingLabel);
    layout->addWidget(m_viewport, 0, Qt::AlignHCenter);

    m_scrollTimer = new QTimer(this);
    m_scrollTimer->setObjectName("scrollTimer");
    m_scrollTimer->setInterval(stepMs);
    connect(m_scrollTimer, &QTimer::timeout, this, &CreditsWindow::scrollStep);

    for (QWidget* w : std::initializer_list<QWidget*>{m_headingLabel, m_viewport, m_creditsLabel})
        w->installEventFilter(this);
}

QString CreditsWindow::creditsText()
{
    const QStringList paragraphs = {
        QStringLiteral("Thank you!"),
        QStringLiteral("To every keeper who ever sat up late watching a tank cycle, counting the days until the nitrite finally read zero."),
        QStringLiteral("To the shop owners who told us the truth about how big that little fish would grow."),
        QStringLiteral("To the club members who shared cuttings, fry, spare heaters and good advice, and never asked for anything back."),
        QStringLiteral("To our families, who put up with buckets in the bathtub, siphon hoses across the floor and the hum of air pumps at night."),
        QStringLiteral("To the testers who typed in years of water tests and found the dates we got wrong."),
        QStringLiteral("And to the fish, who are the whole point."),
        QStringLiteral("Happy fishkeeping!"),
    };
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

void CreditsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    // The text starts just below the viewport and moves up one step per tick.
    m_started = true;
    m_closeRequested = false;
    m_steps = 0;
    m_creditsLabel->move(m_creditsLabel->x(), m_viewport->height() + 3);
    m_scrollTimer->start();
}

void CreditsWindow::scrollStep()
{
    if (m_closeRequested || m_steps >= kSteps) {
        m_scrollTimer->stop();
        return;
    }
    m_creditsLabel->move(m_creditsLabel->x(), m_creditsLabel->y() - 1);
    ++m_steps;
    if (m_steps >= kSteps)
        m_scrollTimer->stop();   // the text stops; the window waits for a click
}

void CreditsWindow::closeOnClick()
{
    m_closeRequested = true;
    m_scrollTimer->stop();
    accept();
}

void CreditsWindow::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    closeOnClick();
}

bool CreditsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        closeOnClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
