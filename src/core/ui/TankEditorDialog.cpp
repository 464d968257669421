#include "core/ui/TankEditorDialog.h"

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
    setWindowTitle(QStringLiteral("Add a New Tank to the List"));
    setModal(true);

    txt_tankname = new QLineEdit(this);
    txt_tankname->setObjectName(QStringLiteral("txt_tankname"));
    txt_tankname->setMaxLength(50);

    txt_tanksize = new QLineEdit(this);
    txt_tanksize->setObjectName(QStringLiteral("txt_tanksize"));
    txt_tanksize->setValidator(new TypedLengthValidator(4, txt_tanksize));
    ud_tanksize = new UpDown(this);
    ud_tanksize->setObjectName(QStringLiteral("ud_tanksize"));
    ud_tanksize->setRange(0, 1000);
    ud_tanksize->setSingleStep(1);
    ud_tanksize->setBuddy(txt_tanksize);

    txt_long_desc = new QLineEdit(this);
    txt_long_desc->setObjectName(QStringLiteral("txt_long_desc"));
    txt_long_desc->setMaxLength(50);

    fra_WaterType = new QGroupBox(QStringLiteral("Select Water Type"), this);
    fra_WaterType->setObjectName(QStringLiteral("fra_WaterType"));
    auto makeOption = [this](const char* name, const QString& caption, const QString& code) {
        auto* option = new QRadioButton(caption, fra_WaterType);
        option->setObjectName(QString::fromLatin1(name));
        connect(option, &QRadioButton::toggled, this, [this, code](bool on) {
            if (on)
                m_waterType = code;
        });
        return option;
    };
    opt_Freshwater = makeOption("opt_Freshwater", QStringLiteral("Freshwater"), QStringLiteral("1"));
    opt_Saltwater = makeOption("opt_Saltwater", QStringLiteral("Saltwater (fish only)"), QStringLiteral("2"));
    opt_Reef = makeOption("opt_Reef", QStringLiteral("Marine Reef"), QStringLiteral("3"));
    Opt_Brackish = makeOption("Opt_Brackish", QStringLiteral("Brackish"), QStringLiteral("4"));
    opt_Pond = makeOption("opt_Pond", QStringLiteral("Pond"), QStringLiteral("5"));
    auto* waterLayout = new QVBoxLayout(fra_WaterType);
    for (QRadioButton* option : {opt_Freshwater, opt_Saltwater, opt_Reef, Opt_Brackish, opt_Pond})
        waterLayout->addWidget(option);

    txt_tanknotes = new QPlainTextEdit(this);
    txt_tanknotes->setObjectName(QStringLiteral("txt_tanknotes"));
    txt_tanknotes->setTabChangesFocus(true);

    cmd_OK = new QPushButton(QStringLiteral("&OK"), this);
    cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
    cmd_OK->setDefault(true);
    cmd_OK->setAutoDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setAutoDefault(false);
    connect(cmd_OK, &QPushButton::clicked, this, &TankEditorDialog::cmd_OK_Click);
    connect(cmd_Cancel, &QPushButton::clicked, this, &TankEditorDialog::cmd_Cancel_Click);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Enter a short name for your tank"), this), 0, 0);
    grid->addWidget(txt_tankname, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Size (in Gals.)"), this), 0, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(0);
    sizeRow->addWidget(txt_tanksize);
    sizeRow->addWidget(ud_tanksize);
    grid->addLayout(sizeRow, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Enter a longer description of your tank"), this), 2, 0, 1, 2);
    grid->addWidget(txt_long_desc, 3, 0, 1, 2);
    grid->addWidget(fra_WaterType, 4, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Record Equipment, Tank History, Notes, Comments, etc. here"), this),
                    5, 0, 1, 2);
    grid->addWidget(txt_tanknotes, 6, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    setTabOrder(txt_tankname, txt_tanksize);
    setTabOrder(txt_tanksize, txt_long_desc);
    setTabOrder(txt_long_desc, opt_Freshwater);
    setTabOrder(opt_Pond, txt_tanknotes);
    setTabOrder(txt_tanknotes, cmd_OK);
    setTabOrder(cmd_OK, cmd_Cancel);

    // The size is checked whenever the keeper leaves its box (not for Cancel).
    m_leave = new LeaveChecker(this);
    m_leave->addCheck(txt_tanksize, [this] { return txt_tanksize_LostFocus(); });
    m_leave->addExempt(cmd_Cancel);
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
    txt_tanksize->setText(QStringLiteral("55"));
    prop_AddEditMode = QStringLiteral("add");
    setWindowTitle(QStringLiteral("Add a New Tank to the List"));
}

void TankEditorDialog::AddNewTank()
{
    prepareAdd();
    exec();
}

void TankEditorDialog::prepareEdit(const TankRecord& tank)
{
    m_record = tank;
    m_saved = false;
    txt_tankname->setText(tank.tankname);
    m_waterType = tank.watertype;
    if (QRadioButton* option = optionFor(tank.watertype))
        option->setChecked(true);
    txt_tanknotes->setPlainText(tank.tanknotes);
    txt_long_desc->setText(tank.tankdesc);
    txt_tanksize->setText(sizeText(tank.tanksize));
    prop_AddEditMode = QStringLiteral("edit");
    setWindowTitle(QStringLiteral("Change Tank Info for ") + tank.tankname);
}

QRadioButton* TankEditorDialog::optionFor(const QString& code) const
{
    if (code == QLatin1String("1"))
        return opt_Freshwater;
    if (code == QLatin1String("2"))
        return opt_Saltwater;
    if (code == QLatin1String("3"))
        return opt_Reef;
    if (code == QLatin1String("4"))
        return Opt_Brackish;
    if (code == QLatin1String("5"))
        return opt_Pond;
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

bool TankEditorDialog::txt_tanksize_LostFocus()
{
    if (isNumber(txt_tanksize->text()))
        return true;
    return refuse(kSizeNotNumber, txt_tanksize);
}

void TankEditorDialog::cmd_OK_Click()
{
    const QString size = txt_tanksize->text();
    if (size.isEmpty()) {
        refuse(QStringLiteral("The tank size must be a number less than 10,000 gallons."), txt_tanksize);
        return;
    }
    if (leadingNumber(size) > 9999) {
        refuse(QStringLiteral("The tank size must be less than 10,000 gallons."), txt_tanksize);
        return;
    }
    // A size that only begins with a number ("12ab") would be stored as
    // something the keeper never typed; it is refused like on leaving the box.
    const std::optional<double> gallons = parseNumber(size);
    if (!gallons) {
        refuse(kSizeNotNumber, txt_tanksize);
        return;
    }

    const QString name = txt_tankname->text();
    if (name.size() > 50) {
        refuse(QStringLiteral("The tank name must be less than 50 characters."), txt_tankname);
        return;
    }
    if (name.isEmpty()) {
        refuse(QStringLiteral("You must enter a name for your tank."), txt_tankname);
        return;
    }
    if (name.contains(QLatin1Char('"'))) {
        refuse(QStringLiteral("The tank name cannot contain a quote(\") character."), txt_tankname);
        return;
    }

    const QString desc = txt_long_desc->text();
    if (desc.size() >= 51) {
        refuse(QStringLiteral("The long description must be less than 50 characters."), txt_long_desc);
        return;
    }

    TankRecord rec = m_record;
    rec.tankname = name;
    rec.tanksize = *gallons;
    rec.tankdesc = desc;
    rec.tanknotes = txt_tanknotes->toPlainText();
    rec.watertype = m_waterType;

    const bool adding = prop_AddEditMode == QLatin1String("add");
    TankStore store(m_ctx.db());
    QString error;
    const TankWrite result = adding ? store.add(rec, m_ctx.services.clock ? m_ctx.services.clock->now()
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

    // The current tank follows the editor only once the row is written.
    m_record = rec;
    m_saved = true;
    m_ctx.currentTankName = rec.tankname;
    m_ctx.currentWaterType = rec.watertype;
    if (adding)
        m_ctx.currentTankID = rec.tankid;
    accept();
}

void TankEditorDialog::cmd_Cancel_Click()
{
    reject();
}

void TankEditorDialog::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
}

bool TankEditorDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        activate();
    return QDialog::event(event);
}
