#include "tools/ui/AddAnimalDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/ui/EntryWidgets.h"
#include "tools/FantasyTank.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddAnimalDialog::AddAnimalDialog(AppContext& ctx, FantasyTankPlan& plan, int species, const QString& entryText,
                                 QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_plan(plan), m_species(species)
{
    setObjectName("AddAnimalDialog");
    addHelpKey(this, QStringLiteral("fantasy.html"));
    setWindowTitle(QStringLiteral("Add An Animal"));
    setModal(true);

    auto* adding = new QLabel(QStringLiteral("You are adding"));
    m_selectedAnimalLabel = named(new QLabel(entryText), "selectedAnimalLabel");
    m_selectedAnimalLabel->setFont(QFont(QStringLiteral("Monospace")));
    auto* toYourTank = new QLabel(QStringLiteral("to your \"Fantasy Tank\". "));

    m_countEdit = named(new QLineEdit(QStringLiteral("1")), "countEdit");
    m_countSpinner = named(new UpDown, "countSpinner");
    m_countSpinner->setRange(1, 20);
    m_countSpinner->setValue(1);
    m_countSpinner->setBuddy(m_countEdit);

    // The size box starts at the species' typical size; its spinner writes the box.
    m_sizeEdit = named(new QLineEdit(QString::number(plan.table().typicalSize(species))), "sizeEdit");
    m_sizeSpinner = named(new UpDown, "sizeSpinner");
    m_sizeSpinner->setRange(1, 10);
    m_sizeSpinner->setValue(1);
    m_sizeSpinner->setBuddy(m_sizeEdit);

    m_dropItInButton = named(new QPushButton(QStringLiteral("\"Drop It In\"")), "dropItInButton");
    m_dropItInButton->setDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("&Cancel")), "cancelButton");

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("How many would you like to add?")), 0, 0);
    fields->addWidget(m_countEdit, 0, 1);
    fields->addWidget(m_countSpinner, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("What size are they? (in inches)")), 1, 0);
    fields->addWidget(m_sizeEdit, 1, 1);
    fields->addWidget(m_sizeSpinner, 1, 2);
    m_countEdit->setMaximumWidth(60);
    m_sizeEdit->setMaximumWidth(60);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_dropItInButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(adding);
    layout->addWidget(m_selectedAnimalLabel);
    layout->addWidget(toYourTank);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(m_dropItInButton, &QPushButton::clicked, this, &AddAnimalDialog::dropItIn);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // Connected after the box got its first text: the proposed size reminds of nothing.
    connect(m_sizeEdit, &QLineEdit::textChanged, this, &AddAnimalDialog::remindOfSize);
}

void AddAnimalDialog::remindOfSize()
{
    if (!sizeNeedsReminder(m_sizeEdit->text()))
        return;
    if (m_ctx.services.beeper)
        m_ctx.services.beeper->beep();
    const Message m = sizeReminder();
    m_ctx.services.tell(m.text, m.title, m.icon);
}

void AddAnimalDialog::dropItIn()
{
    if (const auto refusal = m_plan.additionRefusal(m_countEdit->text(), m_sizeEdit->text())) {
        refuseField(m_ctx.services,
                    refusal->field == FantasyTankPlan::AdditionRefusal::Count ? m_countEdit : m_sizeEdit,
                    refusal->message.title, refusal->message.text);
        return;
    }
    const QList<PlannerMessage> warnings = m_plan.addLine(m_species, Decimal::leadingNumber(m_countEdit->text()),
                                                          Decimal::leadingNumber(m_sizeEdit->text()));
    for (const PlannerMessage& w : warnings) {
        for (int i = 1; i < w.beeps; ++i) {
            if (m_ctx.services.beeper)
                m_ctx.services.beeper->beep();
        }
        m_ctx.services.tell(w.message.text, w.message.title, w.message.icon);
    }
    accept();
}

