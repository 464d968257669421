#include "core/ui/AboutBox.h"

#include "core/AppContext.h"
#include "core/ui/CreditsWindow.h"
#include "version.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

AboutBox::AboutBox(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName("AboutBox");
    setWindowTitle(QStringLiteral("About Brinestead..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_picture = new QLabel(this);
    m_picture->setObjectName("picture");
    m_picture->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
    m_picture->setCursor(Qt::PointingHandCursor);
    m_picture->installEventFilter(this);

    m_titleLabel = new QLabel(QStringLiteral("Brinestead"), this);
    m_titleLabel->setObjectName("titleLabel");
    QFont big = m_titleLabel->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    m_titleLabel->setFont(big);

    auto* subtitle = new QLabel(QStringLiteral("The logbook for aquarium and pond keepers"), this);
    subtitle->setObjectName("subtitleLabel");

    m_versionLabel = new QLabel(this);
    m_versionLabel->setObjectName("versionLabel");
    m_revisionLabel = new QLabel(this);
    m_revisionLabel->setObjectName("revisionLabel");
    m_webLabel = new QLabel(QStringLiteral("www.brinestead.example.org"), this);
    m_webLabel->setObjectName("webLabel");
    m_emailLabel = new QLabel(QStringLiteral("support@brinestead.example.org"), this);
    m_emailLabel->setObjectName("emailLabel");

    // Version and revision as plain decimal numbers from the build.
    m_versionLabel->setText(QStringLiteral("Ver %1.%2").arg(BRINESTEAD_VERSION_MAJOR).arg(BRINESTEAD_VERSION_MINOR));
    m_revisionLabel->setText(QStringLiteral("rev.%1").arg(BRINESTEAD_VERSION_PATCH));

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_picture, 0, 0, 6, 1, Qt::AlignTop);
    layout->addWidget(m_titleLabel, 0, 1);
    layout->addWidget(subtitle, 1, 1);
    layout->addWidget(m_versionLabel, 2, 1);
    layout->addWidget(m_revisionLabel, 3, 1);
    layout->addWidget(m_webLabel, 4, 1);
    layout->addWidget(m_emailLabel, 5, 1);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(18);

    m_splashTimer = new QTimer(this);
    m_splashTimer->setObjectName("splashTimer");
    m_splashTimer->setSingleShot(true);
    m_splashTimer->setInterval(3000);
    connect(m_splashTimer, &QTimer::timeout, this, &AboutBox::closeSplash);
}

void AboutBox::setSplashInterval(int ms)
{
    m_splashTimer->setInterval(ms);
}

void AboutBox::startSplashTimer()
{
    // The credits window is modal over the splash: the splash waits for it,
    // whatever activation changes the window system reports meanwhile.
    if (m_ctx.splashMode && !m_showingCredits && !m_splashTimer->isActive())
        m_splashTimer->start();
}

void AboutBox::closeSplash()
{
    m_splashTimer->stop();
    m_closingByTimer = true;
    done(QDialog::Accepted);
    m_closingByTimer = false;
}

void AboutBox::showCredits()
{
    m_splashTimer->stop();
    m_showingCredits = true;
    CreditsWindow credits(this, m_creditsStepMs);
    credits.exec();
    m_showingCredits = false;
    // Back from the credits: the splash starts its three seconds again.
    startSplashTimer();
}

void AboutBox::closeOnClick()
{
    if (!m_ctx.splashMode)
        accept();
}

QString AboutBox::keyMessage(int keyCode, int shiftState)
{
    // Each number is shown with a blank in front where its sign would go.
    const auto withSignPlace = [](int n) {
        return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
    };
    return QStringLiteral("keycode = ") + withSignPlace(keyCode) + QStringLiteral("shift = ") + withSignPlace(shiftState);
}

int AboutBox::keeperKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 65 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 48 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return qtKey & 0xFFFF;
    }
}

int AboutBox::keeperShiftState(Qt::KeyboardModifiers modifiers)
{
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

void AboutBox::reject()
{
    // Escape or the frame: Help > About closes; the splash waits for its timer.
    if (m_ctx.splashMode && !m_closingByTimer)
        return;
    QDialog::reject();
}

void AboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    startSplashTimer();
}

void AboutBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        startSplashTimer();
}

void AboutBox::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    closeOnClick();
}

void AboutBox::keyPressEvent(QKeyEvent* event)
{
    m_ctx.setStatus(keyMessage(keeperKeyCode(event->key()), keeperShiftState(event->modifiers())));
    QDialog::keyPressEvent(event);
}

void AboutBox::closeEvent(QCloseEvent* event)
{
    if (m_ctx.splashMode && !m_closingByTimer) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonPress) {
        showCredits();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
