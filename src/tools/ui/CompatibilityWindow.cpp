#include "tools/ui/CompatibilityWindow.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/ui/EntryWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QListWidget* makeResultList(const char* name, const QColor& background, const QColor& text)
{
    auto* list = named(new QListWidget, name);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFont(QFont(QStringLiteral("Monospace")));
    QPalette p = list->palette();
    p.setColor(QPalette::Base, background);
    if (text.isValid())
        p.setColor(QPalette::Text, text);
    list->setPalette(p);
    list->setAutoFillBackground(true);
    return list;
}

} // namespace

CompatibilityWindow::CompatibilityWindow(AppContext& ctx, IShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName("CompatibilityWindow");
    addHelpKey(this, QStringLiteral("compatibility.html"));
    setWindowTitle(QStringLiteral("Quick Compatibility"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/compatability.png")));

    m_animalGroup = named(new QGroupBox(QStringLiteral("Select animal to check")), "animalGroup");
    m_saltwaterOption = named(new QRadioButton(QStringLiteral("Saltwater / Reef")), "saltwaterOption");
    m_freshwaterOption = named(new QRadioButton(QStringLiteral("Freshwater")), "freshwaterOption");
    m_animalList = named(new QComboBox, "animalList");
    m_animalList->setFont(QFont(QStringLiteral("Monospace")));
    m_animalList->setMinimumContentsLength(32);
    auto* groupLayout = new QHBoxLayout(m_animalGroup);
    groupLayout->addWidget(m_saltwaterOption);
    groupLayout->addWidget(m_freshwaterOption);
    groupLayout->addWidget(m_animalList, 1);

    m_compatibleLabel = named(new QLabel(QStringLiteral("Should be compatible with...")), "compatibleLabel");
    m_maybeLabel = named(new QLabel(QStringLiteral("May have problems with...")), "maybeLabel");
    m_incompatibleLabel = named(new QLabel(QStringLiteral("Will probably have problems with...")), "incompatibleLabel");
    m_compatibleList = makeResultList("compatibleList", QColor(0, 255, 0), QColor());
    m_maybeList = makeResultList("maybeList", QColor(255, 255, 0), QColor(0, 0, 0));
    m_incompatibleList = makeResultList("incompatibleList", QColor(255, 0, 0), QColor(255, 255, 0));

    // Three lists of one width side by side, filling the window.
    auto* results = new QGridLayout;
    results->addWidget(m_compatibleLabel, 0, 0);
    results->addWidget(m_maybeLabel, 0, 1);
    results->addWidget(m_incompatibleLabel, 0, 2);
    results->addWidget(m_compatibleList, 1, 0);
    results->addWidget(m_maybeList, 1, 1);
    results->addWidget(m_incompatibleList, 1, 2);
    for (int c = 0; c < 3; ++c)
        results->setColumnStretch(c, 1);
    results->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_animalGroup);
    layout->addLayout(results, 1);
    resize(760, 420);

    connect(m_saltwaterOption, &QRadioButton::clicked, this, [this] { chooseWater(WaterKind::Saltwater); });
    connect(m_freshwaterOption, &QRadioButton::clicked, this, [this] { chooseWater(WaterKind::Freshwater); });
    // Only the keeper's pick sorts; filling the box does not.
    connect(m_animalList, qOverload<int>(&QComboBox::activated), this, &CompatibilityWindow::sortAnimals);

    const WaterKind start = m_ctx.defWaterType == QLatin1String("SALT") ? WaterKind::Saltwater : WaterKind::Freshwater;
    (start == WaterKind::Saltwater ? m_saltwaterOption : m_freshwaterOption)->setChecked(true);
    chooseWater(start);
}

WaterKind CompatibilityWindow::water() const
{
    return m_saltwaterOption->isChecked() ? WaterKind::Saltwater : WaterKind::Freshwater;
}

void CompatibilityWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

void CompatibilityWindow::chooseWater(WaterKind water)
{
    m_compatibleList->clear();
    m_maybeList->clear();
    m_incompatibleList->clear();
    m_animalList->clear();
    m_animalList->addItems(CompatibilityTable::forWater(water).pickList());
    m_animalList->setCurrentIndex(-1);
}

void CompatibilityWindow::sortAnimals(int index)
{
    m_compatibleList->clear();
    m_maybeList->clear();
    m_incompatibleList->clear();
    if (index < 0)
        return;
    const CompatibilityLists lists = CompatibilityTable::forWater(water()).listsFor(index + 1);
    m_compatibleList->addItems(lists.compatible);
    m_maybeList->addItems(lists.maybe);
    m_incompatibleList->addItems(lists.incompatible);
    if (lists.compatible.isEmpty()) {
        const Message m = aggressiveAnimalReminder();
        m_ctx.services.tell(m.text, m.title, m.icon);
    }
}

void CompatibilityWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The reminder follows the window's first showing, once it has painted.
    if (!m_reminderShown) {
        m_reminderShown = true;
        QTimer::singleShot(0, this, &CompatibilityWindow::showOpeningReminder);
    }
}

void CompatibilityWindow::showOpeningReminder()
{
    const Message m = compatibilityChartReminder();
    m_ctx.services.tell(m.text, m.title, m.icon);
}

