#include "tools/ui/FantasyTankWindow.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/ui/EntryWidgets.h"
#include "tools/ui/AddAnimalDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The coloured band behind the stocking bar: green up to 74.5 percent of the
// capacity, yellow up to 99.6 percent, red beyond, measured along the bar.
class StockingBands : public QWidget {
public:
    static constexpr int kMarginX = 7;
    static constexpr int kMarginY = 8;

    explicit StockingBands(QProgressBar* bar, QWidget* parent = nullptr) : QWidget(parent), m_bar(bar)
    {
        bar->setParent(this);
        setMinimumHeight(44);
        setMinimumWidth(420);
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        m_bar->setGeometry(kMarginX, kMarginY, width() - 2 * kMarginX, height() - 2 * kMarginY);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const double barLeft = kMarginX;
        const double barWidth = width() - 2 * kMarginX;
        const int yellowFrom = int(barLeft + barWidth * 74.5 / kStockingCap);
        const int redFrom = int(barLeft + barWidth * 99.6 / kStockingCap);
        p.fillRect(QRect(0, 0, yellowFrom, height()), QColor(0, 255, 0));
        p.fillRect(QRect(yellowFrom, 0, redFrom - yellowFrom, height()), QColor(255, 255, 0));
        p.fillRect(QRect(redFrom, 0, width() - redFrom, height()), QColor(255, 0, 0));
    }

private:
    QProgressBar* m_bar;
};

} // namespace

FantasyTankWindow::FantasyTankWindow(AppContext& ctx, IShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName("FantasyTankWindow");
    addHelpKey(this, QStringLiteral("fantasy.html"));
    setWindowTitle(QStringLiteral("Fantasy Tank!"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/fantasy.png")));

    m_waterGroup = named(new QGroupBox(QStringLiteral("Aquarium Water Type")), "waterGroup");
    m_freshwaterOption = named(new QRadioButton(QStringLiteral("&Freshwater")), "freshwaterOption");
    m_saltwaterOption = named(new QRadioButton(QStringLiteral("&Saltwater")), "saltwaterOption");
    auto* waterLayout = new QVBoxLayout(m_waterGroup);
    waterLayout->addWidget(m_freshwaterOption);
    waterLayout->addWidget(m_saltwaterOption);

    m_sizeGroup = named(new QGroupBox(QStringLiteral("Aquarium Size")), "sizeGroup");
    m_tankSizeEdit = named(new QLineEdit(QString::number(kDefaultTankGallons)), "tankSizeEdit");
    m_tankSizeEdit->setMaximumWidth(60);
    m_tankSizeSpinner = named(new UpDown, "tankSizeSpinner");
    m_tankSizeSpinner->setRange(kMinTankGallons, kMaxTankGallons);
    m_tankSizeSpinner->setValue(kDefaultTankGallons);
    m_tankSizeSpinner->setBuddy(m_tankSizeEdit);
    auto* sizeLayout = new QHBoxLayout(m_sizeGroup);
    sizeLayout->addWidget(m_tankSizeEdit);
    sizeLayout->addWidget(m_tankSizeSpinner);
    sizeLayout->addWidget(new QLabel(QStringLiteral("(US Gal.)")));

    m_variablesGroup = named(new QGroupBox(QStringLiteral("Tankholding Variables")), "variablesGroup");
    m_wetDryCheck = named(new QCheckBox(QStringLiteral("Tank employs \"Wet/Dry\" Filtration")), "wetDryCheck");
    m_tallerCheck = named(new QCheckBox(QStringLiteral("Tank is Taller and Thinner than usual")), "tallerCheck");
    auto* variablesLayout = new QVBoxLayout(m_variablesGroup);
    variablesLayout->addWidget(m_wetDryCheck);
    variablesLayout->addWidget(m_tallerCheck);

    m_stockingBar = named(new QProgressBar, "stockingBar");
    m_stockingBar->setRange(0, kStockingCap);
    m_stockingBar->setTextVisible(false);
    auto* bands = named(new StockingBands(m_stockingBar), "stockingBands");

    m_holdingLabel = named(new QLabel, "holdingLabel");
    m_holdingLabel->setWordWrap(true);
    m_percentLabel = named(new QLabel, "percentLabel");
    QFont bold = m_percentLabel->font();
    bold.setPointSize(12);
    bold.setBold(true);
    m_percentLabel->setFont(bold);

    m_speciesList = named(new QListWidget, "speciesList");
    m_speciesList->setFont(QFont(QStringLiteral("Monospace")));
    m_speciesList->setMinimumWidth(280);
    m_addAnimalButton = named(new QPushButton(QStringLiteral("&Add Animal >>")), "addAnimalButton");
    m_removeAnimalButton = named(new QPushButton(QStringLiteral("<< &Remove Animal")), "removeAnimalButton");
    m_tankList = named(new QListWidget, "tankList");
    m_tankList->setMinimumWidth(220);

    auto* top = new QHBoxLayout;
    top->addWidget(m_waterGroup);
    top->addWidget(m_sizeGroup);
    top->addWidget(m_variablesGroup, 1);

    auto* figures = new QHBoxLayout;
    figures->addWidget(m_holdingLabel, 1);
    figures->addWidget(m_percentLabel);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_addAnimalButton, m_removeAnimalButton})
        b->setMinimumWidth(b->sizeHint().width() + 12);
    buttons->addStretch(1);
    buttons->addWidget(m_addAnimalButton);
    buttons->addWidget(m_removeAnimalButton);
    buttons->addStretch(1);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Select from These Animals")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Your \"Fantasy Tank\" contains")), 0, 2);
    lists->addWidget(m_speciesList, 1, 0);
    lists->addLayout(buttons, 1, 1);
    lists->addWidget(m_tankList, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bands);
    layout->addLayout(figures);
    layout->addLayout(lists, 1);
    // The window keeps its size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_speciesList->setMinimumHeight(220);

    connect(m_saltwaterOption, &QRadioButton::clicked, this, [this] { changeWater(WaterKind::Saltwater); });
    connect(m_freshwaterOption, &QRadioButton::clicked, this, [this] { changeWater(WaterKind::Freshwater); });
    connect(m_wetDryCheck, &QCheckBox::clicked, this, &FantasyTankWindow::calcStocking);
    connect(m_tallerCheck, &QCheckBox::clicked, this, &FantasyTankWindow::calcStocking);
    // Each press of the spinner has written its box first: recompute from it.
    for (auto* button : m_tankSizeSpinner->findChildren<QToolButton*>())
        connect(button, &QToolButton::clicked, this, &FantasyTankWindow::calcStocking);
    m_checker = new LeaveChecker(this);
    m_checker->addCheck(m_tankSizeEdit, [this] { return checkTankSize(); });

    connect(m_speciesList, &QListWidget::itemClicked, this, [this] { m_addAnimalButton->setEnabled(true); });
    connect(m_speciesList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_addAnimalButton->setEnabled(true);
    });
    connect(m_tankList, &QListWidget::itemClicked, this, [this] { m_removeAnimalButton->setEnabled(true); });
    connect(m_tankList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_removeAnimalButton->setEnabled(true);
    });
    connect(m_addAnimalButton, &QPushButton::clicked, this, &FantasyTankWindow::addAnimal);
    connect(m_speciesList, &QListWidget::itemDoubleClicked, this, &FantasyTankWindow::addAnimal);
    connect(m_removeAnimalButton, &QPushButton::clicked, this, &FantasyTankWindow::removeAnimal);
    connect(m_tankList, &QListWidget::itemDoubleClicked, this, &FantasyTankWindow::removeAnimal);

    const WaterKind start = m_ctx.defWaterType == QLatin1String("SALT") ? WaterKind::Saltwater : WaterKind::Freshwater;
    (start == WaterKind::Saltwater ? m_saltwaterOption : m_freshwaterOption)->setChecked(true);
    useWater(start);
}

void FantasyTankWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

void FantasyTankWindow::calcStocking()
{
    const WaterKind water = m_saltwaterOption->isChecked() ? WaterKind::Saltwater : WaterKind::Freshwater;
    if (!tankSizeRefusal(m_tankSizeEdit->text()))
        m_tankGallons = Decimal::leadingNumber(m_tankSizeEdit->text());
    m_stocking = computeStocking(water, m_tankGallons, m_wetDryCheck->isChecked(), m_tallerCheck->isChecked(),
                                 m_plan.inches());
    m_stockingBar->setValue(int(m_stocking.percentFull.floor()));
    m_holdingLabel->setText(m_stocking.holdingText);
    m_percentLabel->setText(m_stocking.percentText);
}

void FantasyTankWindow::resetTank()
{
    m_plan.startOver(m_plan.water());
    m_tankList->clear();
    m_speciesList->setCurrentRow(-1);
    m_speciesList->clearSelection();
    m_addAnimalButton->setEnabled(false);
    m_removeAnimalButton->setEnabled(false);
    m_tankSizeEdit->setText(QString::number(kDefaultTankGallons));
    m_tankSizeSpinner->setValue(kDefaultTankGallons);
    calcStocking();
}

void FantasyTankWindow::changeWater(WaterKind water)
{
    if (water == m_plan.water())
        return;
    if (!m_plan.isEmpty()) {
        const MsgResult answer = m_ctx.services.tell(
            QStringLiteral("Changing tank water type will clear your choices. Are you sure you want to clear your "
                           "Fantasy Tank?"),
            QStringLiteral("Are you sure..."), MsgIcon::Question, false, MsgButtons::OkCancel);
        if (answer != MsgResult::Ok) {
            // The option goes back: lists, plan and factor stay of one water type.
            (m_plan.water() == WaterKind::Saltwater ? m_saltwaterOption : m_freshwaterOption)->setChecked(true);
            return;
        }
    }
    useWater(water);
}

void FantasyTankWindow::useWater(WaterKind water)
{
    m_speciesList->clear();
    m_speciesList->addItems(CompatibilityTable::forWater(water).pickList());
    m_wetDryCheck->setEnabled(water == WaterKind::Saltwater);
    m_plan.startOver(water);
    resetTank();
}

bool FantasyTankWindow::checkTankSize()
{
    if (const std::optional<QString> refusal = tankSizeRefusal(m_tankSizeEdit->text()))
        return refuseField(m_ctx.services, m_tankSizeEdit, QStringLiteral("Validation error!"), *refusal);
    calcStocking();
    return true;
}

void FantasyTankWindow::addAnimal()
{
    QListWidgetItem* picked = m_speciesList->currentItem();
    if (!picked || !picked->isSelected()) {
        m_ctx.services.tell(QStringLiteral("You must first select an animal to add."), QStringLiteral("Note!"),
                            MsgIcon::Information);
        return;
    }
    AddAnimalDialog dialog(m_ctx, m_plan, m_speciesList->row(picked) + 1, picked->text(), this);
    dialog.exec();
    m_tankList->clear();
    m_tankList->addItems(m_plan.lineTexts());
    m_speciesList->setCurrentRow(-1);
    m_speciesList->clearSelection();
    calcStocking();
}

void FantasyTankWindow::removeAnimal()
{
    QListWidgetItem* picked = m_tankList->currentItem();
    if (!picked || !picked->isSelected()) {
        m_ctx.services.tell(QStringLiteral("You must first select an animal to delete."), QStringLiteral("Oops!"),
                            MsgIcon::Information);
        return;
    }
    const int row = m_tankList->row(picked);
    m_plan.removeLine(row);
    delete m_tankList->takeItem(row);
    calcStocking();
    m_tankList->setCurrentRow(-1);
    m_tankList->clearSelection();
}

void FantasyTankWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_reminderShown) {
        m_reminderShown = true;
        QTimer::singleShot(0, this, &FantasyTankWindow::showOpeningReminder);
    }
}

void FantasyTankWindow::showOpeningReminder()
{
    const Message m = fantasyTankReminder();
    m_ctx.services.tell(m.text, m.title, m.icon);
}

