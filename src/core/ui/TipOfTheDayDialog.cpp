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

    m_tipFrame = new QFrame(this);
    m_tipFrame->setObjectName("tipFrame");
    m_tipFrame->setFrameShape(QFrame::StyledPanel);
    m_tipFrame->setFrameShadow(QFrame::Sunken);
    m_tipFrame->setStyleSheet(QStringLiteral("#tipFrame { background: white; }"));

    m_picture = new QLabel(m_tipFrame);
    m_picture->setObjectName("picture");
    m_picture->setPixmap(QPixmap(QStringLiteral(":/icons/tip.png")));
    m_picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_didYouKnowLabel = new QLabel(QStringLiteral("Did you know..."), m_tipFrame);
    m_didYouKnowLabel->setObjectName("didYouKnowLabel");
    QFont heading = m_didYouKnowLabel->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    m_didYouKnowLabel->setFont(heading);

    m_tipText = new QTextEdit(m_tipFrame);
    m_tipText->setObjectName("tipText");
    m_tipText->setReadOnly(true);
    m_tipText->setFrameShape(QFrame::NoFrame);
    m_tipText->setMinimumSize(320, 120);

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(m_didYouKnowLabel);
    textColumn->addWidget(m_tipText, 1);
    auto* frameLayout = new QHBoxLayout(m_tipFrame);
    frameLayout->addWidget(m_picture);
    frameLayout->addLayout(textColumn, 1);

    m_showAtStartupCheck = new QCheckBox(QStringLiteral("Show Tips at Startup"), this);
    m_showAtStartupCheck->setObjectName("showAtStartupCheck");
    m_nextTipButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_nextTipButton->setObjectName("nextTipButton");
    m_nextTipButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName("okButton");
    m_okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showAtStartupCheck);
    buttons->addStretch(1);
    buttons->addWidget(m_nextTipButton);
    buttons->addWidget(m_okButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tipFrame, 1);
    layout->addLayout(buttons);

    m_showAtStartupCheck->setChecked(m_ctx.showTipsFlag);
    showTip(drawTip());

    connect(m_nextTipButton, &QPushButton::clicked, this, &TipOfTheDayDialog::showNextTip);
    connect(m_okButton, &QPushButton::clicked, this, &TipOfTheDayDialog::accept);
    connect(m_showAtStartupCheck, &QCheckBox::clicked, this, &TipOfTheDayDialog::storeShowAtStartup);
}

int TipOfTheDayDialog::drawTip()
{
    const double r = m_ctx.services.random ? m_ctx.services.random->nextDouble() : 0.0;
    const int index = static_cast<int>(std::floor(r * kTipCount)) + 1;
    return qBound(1, index, kTipCount);
}

void TipOfTheDayDialog::showTip(int index)
{
    m_tipIndex = index;
    m_tipText->setPlainText(tipText(index));
}

void TipOfTheDayDialog::showNextTip()
{
    // Draw again while the same tip comes up; a generator that keeps repeating
    // itself must not hang the window, so after a while take the next tip.
    int next = drawTip();
    for (int attempt = 0; next == m_tipIndex && attempt < 1000; ++attempt)
        next = drawTip();
    if (next == m_tipIndex)
        next = m_tipIndex % kTipCount + 1;
    showTip(next);
}

void TipOfTheDayDialog::storeShowAtStartup()
{
    const bool show = m_showAtStartupCheck->isChecked();
    m_ctx.showTipsFlag = show;
    if (m_ctx.settingsStore)
        m_ctx.settingsStore->set(QStringLiteral("Show_Tips"), show ? QStringLiteral("Yes") : QStringLiteral("No"));
}
