#include "logbook/ui/MoveLivestockDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/TankStore.h"
#include "core/ui/EntryWidgets.h"
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
    addHelpKey(this, QStringLiteral("movelivestock.html"));
    setWindowTitle(QStringLiteral("Other Tanks"));
    setModal(true);

    m_moveLabel = named(new QLabel(QStringLiteral("Move Animal to..."), this), "moveLabel");
    m_moveLabel->setTextFormat(Qt::PlainText);   // it names the animal as the keeper typed it
    m_tankList = named(new QListWidget(this), "tankList");
    m_changeDateCheck =
        named(new QCheckBox(QStringLiteral("Change Date/Time added to \"Now\""), this), "changeDateCheck");
    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton");
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_moveLabel);
    layout->addWidget(m_tankList);
    layout->addWidget(m_changeDateCheck);
    layout->addLayout(buttons);

    connect(m_okButton, &QPushButton::clicked, this, &MoveLivestockDialog::moveToPickedTank);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_tankList, &QListWidget::itemDoubleClicked, this, &MoveLivestockDialog::moveToPickedTank);

    fillTankList();
    m_moveLabel->setText(QStringLiteral("Moving ") + animalName + QStringLiteral(" to..."));
}

// Every tank by name, none picked, and the date and time left as they are.
void MoveLivestockDialog::fillTankList()
{
    m_changeDateCheck->setChecked(false);
    m_tankList->clear();
    const QVector<TankRecord> tanks = TankStore(m_ctx.db()).listByName();
    for (const TankRecord& tank : tanks) {
        auto* item = new QListWidgetItem(tank.tankname, m_tankList);
        item->setData(kTankIdRole, tank.tankid);
    }
}

void MoveLivestockDialog::moveToPickedTank()
{
    QListWidgetItem* item = m_tankList->currentItem();
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
        fillTankList();
        return;
    }
    std::optional<QDateTime> moment;
    if (m_changeDateCheck->isChecked())
        moment = m_ctx.services.clock->now();

    QString error;
    if (!LivestockStore(m_ctx.db()).move(m_rowid, target, moment, &error)) {
        if (error == kEntryGone) {
            m_ctx.services.tell(QStringLiteral("entry not found to be moved"), QString(), MsgIcon::None, false);
            reject();
        } else {
            // The entry stays where it was; the keeper may try again or cancel.
            m_ctx.services.tell(QStringLiteral("The entry could not be moved: %1").arg(error),
                                QStringLiteral("Database Error"), MsgIcon::Exclamation);
        }
        return;
    }
    accept();
}
