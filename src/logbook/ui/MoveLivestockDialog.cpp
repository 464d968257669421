#include "logbook/ui/MoveLivestockDialog.h"

#include "core/AppContext.h"
#include "core/TankStore.h"
#include "logbook/LogStore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTankIdRole = Qt::UserRole;
}

MoveLivestockDialog::MoveLivestockDialog(AppContext& ctx, qint64 rowid, const QString& animalName, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_rowid(rowid)
{
    setObjectName(QStringLiteral("MoveLivestockDialog"));
    setWindowTitle(QStringLiteral("Other Tanks"));
    setModal(true);

    lbl_Move = new QLabel(QStringLiteral("Move Animal to..."), this);
    lbl_Move->setObjectName(QStringLiteral("lbl_Move"));
    lst_tanklist = new QListWidget(this);
    lst_tanklist->setObjectName(QStringLiteral("lst_tanklist"));
    chk_ChangeDate = new QCheckBox(QStringLiteral("Change Date/Time added to \"Now\""), this);
    chk_ChangeDate->setObjectName(QStringLiteral("chk_ChangeDate"));
    cmd_ok = new QPushButton(QStringLiteral("&OK"), this);
    cmd_ok->setObjectName(QStringLiteral("cmd_ok"));
    cmd_ok->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_ok);
    buttons->addWidget(cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_Move);
    layout->addWidget(lst_tanklist);
    layout->addWidget(chk_ChangeDate);
    layout->addLayout(buttons);

    connect(cmd_ok, &QPushButton::clicked, this, [this] { cmd_OK_Click(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { cmd_Cancel_Click(); });
    connect(lst_tanklist, &QListWidget::itemDoubleClicked, this, [this] { lst_tanklist_DblClick(); });

    Form_Load();
    lbl_Move->setText(QStringLiteral("Moving ") + animalName + QStringLiteral(" to..."));
}

void MoveLivestockDialog::Form_Load()
{
    Form_Cancelled = true;
    chk_ChangeDate->setChecked(false);
    lst_tanklist->clear();
    const QVector<TankRecord> tanks = TankStore(m_ctx.db()).listByName();
    for (const TankRecord& tank : tanks) {
        auto* item = new QListWidgetItem(tank.tankname, lst_tanklist);
        item->setData(kTankIdRole, tank.tankid);
    }
}

void MoveLivestockDialog::cmd_OK_Click()
{
    QListWidgetItem* item = lst_tanklist->currentItem();
    if (!item || !item->isSelected()) {
        m_ctx.services.tell(QStringLiteral("You must first select a tank entry to move your animal to."),
                            QStringLiteral("Note!"), MsgIcon::Information);
        return;
    }
    const QString target = item->data(kTankIdRole).toString();
    if (!TankStore(m_ctx.db()).findById(target)) {
        // The tank was deleted while the dialog was open: offer the tanks there are now.
        m_ctx.services.tell(QStringLiteral("The tank you picked no longer exists. Pick another tank."),
                            QStringLiteral("Note!"), MsgIcon::Information);
        Form_Load();
        return;
    }
    std::optional<QDateTime> moment;
    if (chk_ChangeDate->isChecked())
        moment = m_ctx.services.clock->now();

    QString error;
    if (!LivestockStore(m_ctx.db()).move(m_rowid, target, moment, &error)) {
        m_ctx.services.tell(QStringLiteral("entry not found to be moved"), QString(), MsgIcon::None, false);
        Form_Cancelled = true;
        QDialog::reject();
        return;
    }
    Form_Cancelled = false;
    accept();
}

void MoveLivestockDialog::lst_tanklist_DblClick()
{
    cmd_OK_Click();
}

void MoveLivestockDialog::cmd_Cancel_Click()
{
    reject();
}

void MoveLivestockDialog::reject()
{
    Form_Cancelled = true;
    QDialog::reject();
}
