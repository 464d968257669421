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

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/icons/about.png")));
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    lbl_Title = new QLabel(QStringLiteral("Brinestead"), this);
    lbl_Title->setObjectName("lbl_Title");
    QFont big = lbl_Title->font();
    big.setPointSizeF(big.pointSizeF() * 2.0);
    big.setBold(true);
    lbl_Title->setFont(big);

    auto* subtitle = new QLabel(QStringLiteral("The logbook for aquarium and pond keepers"), this);
    subtitle->setObjectName("lbl_Subtitle");

    lbl_Version = new QLabel(this);
    lbl_Version->setObjectName("lbl_Version");
    lbl_revision = new QLabel(this);
    lbl_revision->setObjectName("lbl_revision");
    lbl_Web = new QLabel(QStringLiteral("www.brinestead.example.org"), this);
    lbl_Web->setObjectName("lbl_Web");
    lbl_Email = new QLabel(QStringLiteral("support@brinestead.example.org"), this);
    lbl_Email->setObjectName("lbl_Email");

    // Version and revision as plain decimal numbers from the build.
    lbl_Version->setText(QStringLiteral("Ver %1.%2").arg(BRINESTEAD_VERSION_MAJOR).arg(BRINESTEAD_VERSION_MINOR));
    lbl_revision->setText(QStringLiteral("rev.%1").arg(BRINESTEAD_VERSION_PATCH));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, 6, 1, Qt::AlignTop);
    layout->addWidget(lbl_Title, 0, 1);
    layout->addWidget(subtitle, 1, 1);
    layout->addWidget(lbl_Version, 2, 1);
    layout->addWidget(lbl_revision, 3, 1);
    layout->addWidget(lbl_Web, 4, 1);
    layout->addWidget(lbl_Email, 5, 1);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(18);

    tim_splash = new QTimer(this);
    tim_splash->setObjectName("tim_splash");
    tim_splash->setSingleShot(true);
    tim_splash->setInterval(3000);
    connect(tim_splash, &QTimer::timeout, this, [this] { tim_splash_Timer(); });

    showCredits = [this] {
        CreditsWindow credits(this, creditsStepMs);
        credits.exec();
    };
}

void AboutBox::setSplashInterval(int ms)
{
    tim_splash->setInterval(ms);
}

void AboutBox::activate()
{
    if (m_ctx.splashMode && !tim_splash->isActive())
        tim_splash->start();
}

void AboutBox::tim_splash_Timer()
{
    tim_splash->stop();
    m_closingByTimer = true;
    done(QDialog::Accepted);
    m_closingByTimer = false;
}

void AboutBox::Image1_Click()
{
    tim_splash->stop();
    if (showCredits)
        showCredits();
    // Back from the credits: the splash starts its three seconds again.
    activate();
}

void AboutBox::Form_Click()
{
    if (!m_ctx.splashMode)
        accept();
}

QString AboutBox::keyMessage(int keyCode, int shiftState)
{
    // Each number is shown with a blank in front where its sign would go.
    const auto signed_ = [](int n) {
        return n < 0 ? QString::number(n) : QStringLiteral(" ") + QString::number(n);
    };
    return QStringLiteral("keycode = ") + signed_(keyCode) + QStringLiteral("shift = ") + signed_(shiftState);
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
    activate();
}

void AboutBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void AboutBox::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    Form_Click();
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
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        Image1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
