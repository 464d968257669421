#include "core/ui/TipOfTheDayDialog.h"

#include "core/AppContext.h"
#include "core/Tips.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include <cmath>

TipOfTheDayDialog::TipOfTheDayDialog(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx)
{
    setObjectName("TipOfTheDayDialog");
    setWindowTitle(QStringLiteral("Brinestead - Tip of the Day"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Frame3D1 = new QFrame(this);
    Frame3D1->setObjectName("Frame3D1");
    Frame3D1->setFrameShape(QFrame::StyledPanel);
    Frame3D1->setFrameShadow(QFrame::Sunken);
    Frame3D1->setStyleSheet(QStringLiteral("#Frame3D1 { background: white; }"));

    Image1 = new QLabel(Frame3D1);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/icons/tip.png")));
    Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lbl_DidYouKnow = new QLabel(QStringLiteral("Did you know..."), Frame3D1);
    lbl_DidYouKnow->setObjectName("lbl_DidYouKnow");
    QFont heading = lbl_DidYouKnow->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    lbl_DidYouKnow->setFont(heading);

    txt_tod = new QTextEdit(Frame3D1);
    txt_tod->setObjectName("txt_tod");
    txt_tod->setReadOnly(true);
    txt_tod->setFrameShape(QFrame::NoFrame);
    txt_tod->setMinimumSize(320, 120);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(lbl_DidYouKnow);
    textColumn->addWidget(txt_tod, 1);
    auto* frameLayout = new QHBoxLayout(Frame3D1);
    frameLayout->addWidget(Image1);
    frameLayout->addLayout(textColumn, 1);

    chk_ShowTipsAtStartup = new QCheckBox(QStringLiteral("Show Tips at Startup"), this);
    chk_ShowTipsAtStartup->setObjectName("chk_ShowTipsAtStartup");
    cmd_nexttip = new QPushButton(QStringLiteral("&Next Tip"), this);
    cmd_nexttip->setObjectName("cmd_nexttip");
    cmd_nexttip->setAutoDefault(false);
    cmd_ok = new QPushButton(QStringLiteral("OK"), this);
    cmd_ok->setObjectName("cmd_ok");
    cmd_ok->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chk_ShowTipsAtStartup);
    buttons->addStretch(1);
    buttons->addWidget(cmd_nexttip);
    buttons->addWidget(cmd_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame3D1, 1);
    layout->addLayout(buttons);

    chk_ShowTipsAtStartup->setChecked(m_ctx.showTipsFlag);
    showTip(drawTip());

    connect(cmd_nexttip, &QPushButton::clicked, this, [this] { cmd_nexttip_Click(); });
    connect(cmd_ok, &QPushButton::clicked, this, [this] { cmd_ok_Click(); });
    connect(chk_ShowTipsAtStartup, &QCheckBox::clicked, this, [this] { chk_ShowTipsAtStartup_Click(); });
}

int TipOfTheDayDialog::drawTip()
{
    const double r = m_ctx.services.random ? m_ctx.services.random->nextDouble() : 0.0;
    const int index = static_cast<int>(std::floor(r * kTipCount)) + 1;
    return qBound(1, index, kTipCount);
}

void TipOfTheDayDialog::showTip(int index)
{
    TipIndex = index;
    txt_tod->setPlainText(tipText(index));
}

void TipOfTheDayDialog::cmd_nexttip_Click()
{
    // Draw again while the same tip comes up; a generator that keeps repeating
    // itself must not hang the window, so after a while take the next tip.
    int next = drawTip();
    for (int attempt = 0; next == TipIndex && attempt < 1000; ++attempt)
        next = drawTip();
    if (next == TipIndex)
        next = TipIndex % kTipCount + 1;
    showTip(next);
}

void TipOfTheDayDialog::chk_ShowTipsAtStartup_Click()
{
    const bool show = chk_ShowTipsAtStartup->isChecked();
    m_ctx.showTipsFlag = show;
    if (m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("Show_Tips"), show ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void TipOfTheDayDialog::cmd_ok_Click()
{
    accept();
}
