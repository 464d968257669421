#include "core/ui/TankListDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/TankStore.h"
#include "core/ui/TankEditorDialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const QString kNote = QStringLiteral("Note!");
const QString kSelectToChange = QStringLiteral("You must first select a tank entry to change.");
const QString kSelectToDelete = QStringLiteral("You must first select a tank to delete.");
constexpr int kTankIdRole = Qt::UserRole;
} // namespace

TankListDialog::TankListDialog(AppContext& ctx, IShell* shell, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("TankListDialog"));
    addHelpKey(this, QStringLiteral("tanks.html"));
    setWindowTitle(QStringLiteral("Master Tanklist"));
    setModal(true);

    m_tabBar = new QTabBar(this);
    m_tabBar->setObjectName(QStringLiteral("tabBar"));
    m_tabBar->addTab(QStringLiteral("Tank List"));

    m_tankList = new QListWidget(this);
    m_tankList->setObjectName(QStringLiteral("tankList"));
    m_tankList->setSelectionMode(QAbstractItemView::SingleSelection);

    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    m_addButton = makeButton("addButton", QStringLiteral("&Add New..."));
    m_changeButton = makeButton("changeButton", QStringLiteral("Details..."));
    m_deleteButton = makeButton("deleteButton", QStringLiteral("&Delete"));
    m_okButton = makeButton("okButton", QStringLiteral("&OK"));
    m_okButton->setDefault(true);
    m_cancelButton = makeButton("cancelButton", QStringLiteral("&Cancel"));

    connect(m_addButton, &QPushButton::clicked, this, &TankListDialog::addTank);
    connect(m_changeButton, &QPushButton::clicked, this, &TankListDialog::changeChosenTank);
    connect(m_deleteButton, &QPushButton::clicked, this, &TankListDialog::deleteChosenTank);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tankList, &QListWidget::itemClicked, this, [this] { enableTankButtons(); });
    connect(m_tankList, &QListWidget::itemDoubleClicked, this, [this] { changeChosenTank(); });

    auto* side = new QVBoxLayout;
    side->addWidget(m_addButton);
    side->addWidget(m_changeButton);
    side->addWidget(m_deleteButton);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(m_tankList, 1);
    body->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabBar);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

void TankListDialog::refreshTankList()
{
    m_tankList->clear();
    QString error;
    for (const TankRecord& tank : TankStore(m_ctx.db()).listByName(&error)) {
        auto* item = new QListWidgetItem(tank.tankname, m_tankList);
        item->setData(kTankIdRole, tank.tankid);
    }
    if (!error.isEmpty())
        m_ctx.services.tell(QStringLiteral("The list of tanks could not be read: %1").arg(error),
                            QStringLiteral("Database Error"), MsgIcon::Exclamation);
    m_tankList->setCurrentRow(-1);
    m_tankList->clearSelection();
}

void TankListDialog::showTankList()
{
    refreshTankList();
    exec();
}

std::optional<QString> TankListDialog::chosenTank(const QString& notice)
{
    const QList<QListWidgetItem*> selected = m_tankList->selectedItems();
    if (selected.isEmpty()) {
        m_ctx.services.tell(notice, kNote, MsgIcon::Information);
        return std::nullopt;
    }
    return selected.first()->data(kTankIdRole).toString();
}

bool TankListDialog::changeTank(const QString& tankId)
{
    // A tank deleted meanwhile is treated as no choice at all.
    const std::optional<TankRecord> tank = TankStore(m_ctx.db()).findById(tankId);
    if (!tank) {
        m_ctx.services.tell(kSelectToChange, kNote, MsgIcon::Information);
        return false;
    }
    TankEditorDialog editor(m_ctx, m_shell, isVisible() ? static_cast<QWidget*>(this) : parentWidget());
    editor.prepareEdit(*tank);
    editor.exec();
    return editor.saved();
}

bool TankListDialog::deleteTank(const QString& tankId)
{
    TankStore store(m_ctx.db());
    const std::optional<TankRecord> tank = store.findById(tankId);
    if (!tank) {
        m_ctx.services.tell(kSelectToDelete, kNote, MsgIcon::Information);
        return false;
    }
    const QString& name = tank->tankname;

    const QString question = QStringLiteral("Are you sure you want to delete the tank you named ") + name +
                             QStringLiteral("? ") + QChar(13) +
                             QStringLiteral(" Deleting this entry will delete ALL entries for this tank in EVERY "
                                            "logbook - Maintenence, Water Quality, and Livestock. ") +
                             QStringLiteral("(Remember, you CANNOT \"undo\" a delete!)");
    const MsgResult answer = m_ctx.services.tell(question, QStringLiteral("Are you sure..."), MsgIcon::Question,
                                                 true, MsgButtons::OkCancel, MsgResult::Cancel);
    if (answer != MsgResult::Ok)
        return false;

    QString error;
    if (!store.remove(tank->tankid, &error)) {
        m_ctx.services.tell(QStringLiteral("The tank named ") + name +
                                QStringLiteral(" could not be deleted; nothing was removed. ") + error,
                            kNote, MsgIcon::Exclamation);
        return false;
    }
    m_ctx.services.tell(QStringLiteral("The tank named ") + name + QStringLiteral(" was successfully deleted."),
                        QStringLiteral("Tank Deleted"), MsgIcon::Information, false);
    return true;
}

void TankListDialog::addTank()
{
    TankEditorDialog editor(m_ctx, m_shell, this);
    editor.prepareAdd();
    editor.exec();
    refreshTankList();
}

void TankListDialog::changeChosenTank()
{
    if (const std::optional<QString> tankId = chosenTank(kSelectToChange))
        changeTank(*tankId);
    refreshTankList();
}

void TankListDialog::deleteChosenTank()
{
    if (const std::optional<QString> tankId = chosenTank(kSelectToDelete))
        deleteTank(*tankId);
    refreshTankList();
}

void TankListDialog::enableTankButtons()
{
    m_changeButton->setEnabled(true);
    m_deleteButton->setEnabled(true);
}
