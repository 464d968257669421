#include "core/ui/TankEditorDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/ui/ShellInterfaces.h"
#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {
const QString kOops = QStringLiteral("Oops!");
const QString kSizeNotNumber = QStringLiteral("Tanksize entries must be a number.");

// Limits what the keeper can type without cutting a longer value that comes
// from the tank's row (a maximum length would truncate "120.5" to "120.").
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(int maximum, QObject* parent) : QValidator(parent), m_maximum(maximum) {}
    State validate(QString& input, int&) const override
    {
        return input.size() <= m_maximum ? Acceptable : Invalid;
    }

private:
    int m_maximum;
};

QString sizeText(const std::optional<double>& size)
{
    return size ? QString::number(*size, 'g', 15) : QString();
}
} // namespace

TankEditorDialog::TankEditorDialog(AppContext& ctx, IShell* shell, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("TankEditorDialog"));
    addHelpKey(this, QStringLiteral("tanks.html"));
    setWindowTitle(QStringLiteral("Add a New Tank to the List"));
    setModal(true);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(50);

    m_sizeEdit = new QLineEdit(this);
    m_sizeEdit->setObjectName(QStringLiteral("sizeEdit"));
    m_sizeEdit->setValidator(new TypedLengthValidator(4, m_sizeEdit));
    m_sizeSpinner = new UpDown(this);
    m_sizeSpinner->setObjectName(QStringLiteral("sizeSpinner"));
    m_sizeSpinner->setRange(0, 1000);
    m_sizeSpinner->setSingleStep(1);
    m_sizeSpinner->setBuddy(m_sizeEdit);

    m_descriptionEdit = new QLineEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    m_descriptionEdit->setMaxLength(50);

    m_waterTypeGroup = new QGroupBox(QStringLiteral("Select Water Type"), this);
    m_waterTypeGroup->setObjectName(QStringLiteral("waterTypeGroup"));
    auto makeOption = [this](const char* name, const QString& caption, const QString& code) {
        auto* option = new QRadioButton(caption, m_waterTypeGroup);
        option->setObjectName(QString::fromLatin1(name));
        connect(option, &QRadioButton::toggled, this, [this, code](bool on) {
            if (on)
                m_waterType = code;
        });
        return option;
    };
    m_freshwaterOption = makeOption("freshwaterOption", QStringLiteral("Freshwater"), QStringLiteral("1"));
    m_saltwaterOption = makeOption("saltwaterOption", QStringLiteral("Saltwater (fish only)"), QStringLiteral("2"));
    m_reefOption = makeOption("reefOption", QStringLiteral("Marine Reef"), QStringLiteral("3"));
    m_brackishOption = makeOption("brackishOption", QStringLiteral("Brackish"), QStringLiteral("4"));
    m_pondOption = makeOption("pondOption", QStringLiteral("Pond"), QStringLiteral("5"));
    auto* waterLayout = new QVBoxLayout(m_waterTypeGroup);
    for (QRadioButton* option : {m_freshwaterOption, m_saltwaterOption, m_reefOption, m_brackishOption, m_pondOption})
        waterLayout->addWidget(option);

    m_notesEdit = new QPlainTextEdit(this);
    m_notesEdit->setObjectName(QStringLiteral("notesEdit"));
    m_notesEdit->setTabChangesFocus(true);

    m_okButton = new QPushButton(QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &TankEditorDialog::acceptTank);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Enter a short name for your tank"), this), 0, 0);
    grid->addWidget(m_nameEdit, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Size (in Gals.)"), this), 0, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(0);
    sizeRow->addWidget(m_sizeEdit);
    sizeRow->addWidget(m_sizeSpinner);
    grid->addLayout(sizeRow, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Enter a longer description of your tank"), this), 2, 0, 1, 2);
    grid->addWidget(m_descriptionEdit, 3, 0, 1, 2);
    grid->addWidget(m_waterTypeGroup, 4, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Record Equipment, Tank History, Notes, Comments, etc. here"), this),
                    5, 0, 1, 2);
    grid->addWidget(m_notesEdit, 6, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    setTabOrder(m_nameEdit, m_sizeEdit);
    setTabOrder(m_sizeEdit, m_descriptionEdit);
    setTabOrder(m_descriptionEdit, m_freshwaterOption);
    setTabOrder(m_pondOption, m_notesEdit);
    setTabOrder(m_notesEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);

    // The size is checked whenever the keeper leaves its box (not for Cancel).
    m_leave = new LeaveChecker(this);
    m_leave->addCheck(m_sizeEdit, [this] { return checkTankSize(); });
    m_leave->addExempt(m_cancelButton);
}

TankEditorDialog::~TankEditorDialog() = default;

void TankEditorDialog::prepareAdd()
{
    m_record = TankRecord();
    m_saved = false;
    if (m_ctx.defWaterType == QLatin1String("SALT"))
        selectWaterType(QStringLiteral("2"));
    else if (m_ctx.defWaterType == QLatin1String("FRESH"))
        selectWaterType(QStringLiteral("1"));
    m_sizeEdit->setText(QStringLiteral("55"));
    m_adding = true;
    setWindowTitle(QStringLiteral("Add a New Tank to the List"));
}

void TankEditorDialog::addNewTank()
{
    prepareAdd();
    exec();
}

void TankEditorDialog::prepareEdit(const TankRecord& tank)
{
    m_record = tank;
    m_saved = false;
    showWholeText(m_nameEdit, tank.tankname, 50);
    m_waterType = tank.watertype;
    if (QRadioButton* option = optionFor(tank.watertype))
        option->setChecked(true);
    m_notesEdit->setPlainText(tank.tanknotes);
    showWholeText(m_descriptionEdit, tank.tankdesc, 50);
    m_sizeEdit->setText(sizeText(tank.tanksize));
    m_adding = false;
    setWindowTitle(QStringLiteral("Change Tank Info for ") + tank.tankname);
}

QRadioButton* TankEditorDialog::optionFor(const QString& code) const
{
    if (code == QLatin1String("1"))
        return m_freshwaterOption;
    if (code == QLatin1String("2"))
        return m_saltwaterOption;
    if (code == QLatin1String("3"))
        return m_reefOption;
    if (code == QLatin1String("4"))
        return m_brackishOption;
    if (code == QLatin1String("5"))
        return m_pondOption;
    return nullptr;
}

void TankEditorDialog::selectWaterType(const QString& code)
{
    if (QRadioButton* option = optionFor(code)) {
        option->setChecked(true);
        m_waterType = code;
    }
}

bool TankEditorDialog::refuse(const QString& text, QWidget* focus)
{
    return refuseField(m_ctx.services, focus, kOops, text);
}

bool TankEditorDialog::checkTankSize()
{
    if (isNumber(m_sizeEdit->text()))
        return true;
    return refuse(kSizeNotNumber, m_sizeEdit);
}

void TankEditorDialog::acceptTank()
{
    const QString size = m_sizeEdit->text();
    if (size.isEmpty()) {
        refuse(QStringLiteral("The tank size must be a number less than 10,000 gallons."), m_sizeEdit);
        return;
    }
    if (leadingNumber(size) > 9999) {
        refuse(QStringLiteral("The tank size must be less than 10,000 gallons."), m_sizeEdit);
        return;
    }
    // A size that only begins with a number ("12ab") would be stored as
    // something the keeper never typed; it is refused like on leaving the box.
    const std::optional<double> gallons = parseNumber(size);
    if (!gallons) {
        refuse(kSizeNotNumber, m_sizeEdit);
        return;
    }
    if (*gallons < 0) {
        refuse(QStringLiteral("The tank size must not be negative."), m_sizeEdit);
        return;
    }

    const QString name = m_nameEdit->text();
    if (name.size() > 50) {
        refuse(QStringLiteral("The tank name must be less than 50 characters."), m_nameEdit);
        return;
    }
    // A name of blanks only names nothing the keeper could tell apart.
    if (name.trimmed().isEmpty()) {
        refuse(QStringLiteral("You must enter a name for your tank."), m_nameEdit);
        return;
    }
    if (name.contains(QLatin1Char('"'))) {
        refuse(QStringLiteral("The tank name cannot contain a quote(\") character."), m_nameEdit);
        return;
    }

    const QString desc = m_descriptionEdit->text();
    if (desc.size() >= 51) {
        refuse(QStringLiteral("The long description must be less than 50 characters."), m_descriptionEdit);
        return;
    }

    TankRecord rec = m_record;
    rec.tankname = name;
    rec.tanksize = *gallons;
    rec.tankdesc = desc;
    rec.tanknotes = m_notesEdit->toPlainText();
    rec.watertype = m_waterType;

    TankStore store(m_ctx.db());
    QString error;
    const TankWrite result = m_adding ? store.add(rec, m_ctx.services.clock ? m_ctx.services.clock->now()
                                                                              : QDateTime::currentDateTime(),
                                                  &error)
                                      : store.update(rec, &error);
    if (result != TankWrite::Ok) {
        const QString text =
            result == TankWrite::DuplicateName
                ? QStringLiteral("That identical tank name already exists. Make your new tank name unique by "
                                 "changing or adding at least one letter.")
                : QStringLiteral("ERROR ") + error + QStringLiteral(" occurred.");
        m_ctx.services.tell(text, QString(), MsgIcon::None);
        return;
    }

    m_record = rec;
    m_saved = true;
    accept();
}

void TankEditorDialog::disableFilePrint()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

bool TankEditorDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        disableFilePrint();
    return QDialog::event(event);
}
