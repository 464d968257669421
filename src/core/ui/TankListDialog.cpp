#include "core/ui/TankListDialog.h"

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
} // namespace

TankListDialog::TankListDialog(AppContext& ctx, IShell* shell, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("TankListDialog"));
    setWindowTitle(QStringLiteral("Master Tanklist"));
    setModal(true);

    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("Tank List"));

    lst_tanklist = new QListWidget(this);
    lst_tanklist->setObjectName(QStringLiteral("lst_tanklist"));
    lst_tanklist->setSelectionMode(QAbstractItemView::SingleSelection);

    auto makeButton = [this](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    cmd_AddTank = makeButton("cmd_AddTank", QStringLiteral("&Add New..."));
    cmd_ChangeTank = makeButton("cmd_ChangeTank", QStringLiteral("Details..."));
    cmd_DeleteTank = makeButton("cmd_DeleteTank", QStringLiteral("&Delete"));
    cmd_OK = makeButton("cmd_OK", QStringLiteral("&OK"));
    cmd_OK->setDefault(true);
    cmd_Cancel = makeButton("cmd_Cancel", QStringLiteral("&Cancel"));

    connect(cmd_AddTank, &QPushButton::clicked, this, &TankListDialog::cmd_AddTank_Click);
    connect(cmd_ChangeTank, &QPushButton::clicked, this, &TankListDialog::cmd_ChangeTank_Click);
    connect(cmd_DeleteTank, &QPushButton::clicked, this, &TankListDialog::cmd_DeleteTank_Click);
    connect(cmd_OK, &QPushButton::clicked, this, &TankListDialog::cmd_OK_Click);
    connect(cmd_Cancel, &QPushButton::clicked, this, &TankListDialog::cmd_Cancel_Click);
    connect(lst_tanklist, &QListWidget::itemClicked, this, [this] { lst_tanklist_Click(); });
    connect(lst_tanklist, &QListWidget::itemDoubleClicked, this, [this] { lst_tanklist_DblClick(); });

    auto* side = new QVBoxLayout;
    side->addWidget(cmd_AddTank);
    side->addWidget(cmd_ChangeTank);
    side->addWidget(cmd_DeleteTank);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(lst_tanklist, 1);
    body->addLayout(side);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TabStrip1);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
}

void TankListDialog::Refresh_TankList()
{
    lst_tanklist->clear();
    for (const TankRecord& tank : TankStore(m_ctx.db()).listByName())
        lst_tanklist->addItem(tank.tankname);
    lst_tanklist->setCurrentRow(-1);
    lst_tanklist->clearSelection();
}

void TankListDialog::Show_List()
{
    Refresh_TankList();
    exec();
}

QString TankListDialog::chosenTank(const QString& name, const QString& notice)
{
    if (!name.isEmpty())
        return name;
    const QList<QListWidgetItem*> selected = lst_tanklist->selectedItems();
    if (selected.isEmpty()) {
        m_ctx.services.tell(notice, kNote, MsgIcon::Information);
        return QString();
    }
    return selected.first()->text();
}

bool TankListDialog::runEditor(TankEditorDialog& editor)
{
    if (!beforeEditorShow || beforeEditorShow(editor))
        editor.exec();
    return editor.saved();
}

bool TankListDialog::ChangeTankInfo(const QString& name)
{
    const QString chosen = chosenTank(name, kSelectToChange);
    if (chosen.isEmpty())
        return false;
    // A name that matches no tank (renamed or deleted meanwhile) is treated
    // as no choice at all.
    const std::optional<TankRecord> tank = TankStore(m_ctx.db()).findByName(chosen);
    if (!tank) {
        m_ctx.services.tell(kSelectToChange, kNote, MsgIcon::Information);
        return false;
    }
    TankEditorDialog editor(m_ctx, m_shell, isVisible() ? static_cast<QWidget*>(this) : parentWidget());
    editor.prepareEdit(*tank);
    return runEditor(editor);
}

bool TankListDialog::DeleteTankInfo(const QString& name)
{
    const QString chosen = chosenTank(name, kSelectToDelete);
    if (chosen.isEmpty())
        return false;
    TankStore store(m_ctx.db());
    const std::optional<TankRecord> tank = store.findByName(chosen);
    if (!tank) {
        m_ctx.services.tell(kSelectToDelete, kNote, MsgIcon::Information);
        return false;
    }

    const QString question = QStringLiteral("Are you sure you want to delete the tank you named ") + chosen +
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
        m_ctx.services.tell(QStringLiteral("The tank named ") + chosen +
                                QStringLiteral(" could not be deleted; nothing was removed. ") + error,
                            kNote, MsgIcon::Exclamation);
        return false;
    }
    m_ctx.services.tell(QStringLiteral("The tank named ") + chosen + QStringLiteral(" was successfully deleted."),
                        QStringLiteral("Tank Deleted"), MsgIcon::Information, false);
    m_ctx.currentTankName.clear();
    m_ctx.currentTankID.clear();
    return true;
}

void TankListDialog::cmd_AddTank_Click()
{
    TankEditorDialog editor(m_ctx, m_shell, this);
    editor.prepareAdd();
    runEditor(editor);
    Refresh_TankList();
}

void TankListDialog::cmd_ChangeTank_Click()
{
    ChangeTankInfo(QString());
    Refresh_TankList();
}

void TankListDialog::cmd_DeleteTank_Click()
{
    const QList<QListWidgetItem*> selected = lst_tanklist->selectedItems();
    if (selected.isEmpty())
        m_ctx.services.tell(kSelectToDelete, kNote, MsgIcon::Information);
    else
        DeleteTankInfo(selected.first()->text());
    Refresh_TankList();
}

void TankListDialog::cmd_OK_Click()
{
    accept();
}

void TankListDialog::cmd_Cancel_Click()
{
    reject();
}

void TankListDialog::lst_tanklist_Click()
{
    cmd_ChangeTank->setEnabled(true);
    cmd_DeleteTank->setEnabled(true);
}

void TankListDialog::lst_tanklist_DblClick()
{
    cmd_ChangeTank_Click();
}
