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

    Label1 = new QLabel(QStringLiteral("Self Indulgent, Gratuitous, Thank you screen..."), this);
    Label1->setObjectName("Label1");
    QFont heading = Label1->font();
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);

    Picture1 = new QFrame(this);
    Picture1->setObjectName("Picture1");
    Picture1->setFrameShape(QFrame::Box);
    Picture1->setFixedSize(360, 220);
    Picture1->setStyleSheet(QStringLiteral("#Picture1 { background: #0b2a4a; }"));

    Label2 = new QLabel(Picture1);
    Label2->setObjectName("Label2");
    Label2->setText(creditsText());
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    Label2->setStyleSheet(QStringLiteral("color: #e8f4ff;"));
    Label2->setFixedWidth(Picture1->width() - 20);
    Label2->adjustSize();
    Label2->move(10, Picture1->height() + 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Picture1, 0, Qt::AlignHCenter);

    tim_scroll = new QTimer(this);
    tim_scroll->setObjectName("tim_scroll");
    tim_scroll->setInterval(stepMs);
    connect(tim_scroll, &QTimer::timeout, this, [this] { scrollStep(); });

    for (QWidget* w : {static_cast<QWidget*>(Label1), static_cast<QWidget*>(Picture1), static_cast<QWidget*>(Label2)})
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
    CloseRequested = false;
    m_steps = 0;
    Label2->move(Label2->x(), Picture1->height() + 3);
    tim_scroll->start();
}

void CreditsWindow::scrollStep()
{
    if (CloseRequested || m_steps >= kSteps) {
        tim_scroll->stop();
        return;
    }
    Label2->move(Label2->x(), Label2->y() - 1);
    ++m_steps;
    if (m_steps >= kSteps)
        tim_scroll->stop();   // the text stops; the window waits for a click
}

void CreditsWindow::Form_Click()
{
    CloseRequested = true;
    tim_scroll->stop();
    accept();
}

void CreditsWindow::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    Form_Click();
}

bool CreditsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        Form_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
