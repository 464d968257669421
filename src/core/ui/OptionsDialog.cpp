#include "core/ui/OptionsDialog.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/EntryWidgets.h"

#include "core/AppContext.h"
#include "core/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kListTip = QStringLiteral("This option determines which list will be presented first on certain screens.");

QGroupBox* frame(const QString& title, const char* name, QWidget* parent, const QString& tip = QString())
{
    auto* box = named(new QGroupBox(title, parent), name);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    return box;
}

} // namespace

OptionsDialog::OptionsDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    addHelpKey(this, QStringLiteral("options.html"));
    setWindowTitle(QStringLiteral("Brinestead Options"));
    setModal(true);

    m_optionTabs = named(new QTabWidget(this), "optionTabs");
    m_optionTabs->setToolTip(QStringLiteral("These options determine how graphs will be printed."));
    auto* general = new QWidget(m_optionTabs);
    auto* graphing = new QWidget(m_optionTabs);
    auto* lists = new QWidget(m_optionTabs);
    m_optionTabs->addTab(general, QStringLiteral("General"));
    m_optionTabs->addTab(graphing, QStringLiteral("Graphing"));
    m_optionTabs->addTab(lists, QStringLiteral("Livestock Lists"));
    buildGeneralTab(general);
    buildGraphingTab(graphing);
    buildListsTab(lists);

    m_okButton = named(new QPushButton(QStringLiteral("OK"), this), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "cancelButton");
    m_cancelButton->setAutoDefault(false);
    // The controls change the settings as they are used, so Apply has nothing
    // left to do: it only leaves the dialog open (and Cancel still reverts).
    m_applyButton = named(new QPushButton(QStringLiteral("Apply"), this), "applyButton");
    m_applyButton->setAutoDefault(false);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_applyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_optionTabs);
    layout->addLayout(buttons);
}

void OptionsDialog::buildGeneralTab(QWidget* page)
{
    auto* dates = frame(QStringLiteral("Date Formatting (e.g. The 18th of Feburary will display as:)"),
                        "dateFormatGroup", page);
    m_monthFirstOption = named(new QRadioButton(dates), "monthFirstOption");
    m_dayFirstOption = named(new QRadioButton(dates), "dayFirstOption");
    m_yearFirstOption = named(new QRadioButton(dates), "yearFirstOption");
    m_delimiterCombo = named(new QComboBox(dates), "delimiterCombo");
    m_delimiterCombo->setFont(QFont(QStringLiteral("Courier New")));
    auto* dateLayout = new QGridLayout(dates);
    dateLayout->addWidget(m_monthFirstOption, 0, 0);
    dateLayout->addWidget(m_dayFirstOption, 1, 0);
    dateLayout->addWidget(m_yearFirstOption, 2, 0);
    dateLayout->addWidget(new QLabel(QStringLiteral("Date Delimiter:"), dates), 0, 1);
    dateLayout->addWidget(m_delimiterCombo, 1, 1);

    auto* names = frame(QStringLiteral("User Defined Field Names"), "userFieldNamesGroup", page,
                        QStringLiteral("This option determines the names of the two field names you create."));
    m_userFieldName1Edit = named(new QLineEdit(names), "userFieldName1Edit");
    m_userFieldName2Edit = named(new QLineEdit(names), "userFieldName2Edit");
    // The names head list columns and graph legends; CONFIG keeps at most 50 characters.
    m_userFieldName1Edit->setMaxLength(50);
    m_userFieldName2Edit->setMaxLength(50);
    auto* nameLayout = new QVBoxLayout(names);
    nameLayout->addWidget(m_userFieldName1Edit);
    nameLayout->addWidget(m_userFieldName2Edit);

    auto* water = frame(QStringLiteral("Default Water Type"), "waterTypeGroup", page, kListTip);
    m_freshwaterOption =
        named(new QRadioButton(QStringLiteral("&Freshwater / Brackish / Pond"), water), "freshwaterOption");
    m_saltwaterOption = named(new QRadioButton(QStringLiteral("&Saltwater / Marine / Reef"), water), "saltwaterOption");
    auto* waterLayout = new QVBoxLayout(water);
    waterLayout->addWidget(m_freshwaterOption);
    waterLayout->addWidget(m_saltwaterOption);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(dates);
    layout->addWidget(names);
    layout->addWidget(water);
    layout->addStretch();

    whenChosen(m_monthFirstOption, [this] { setDateOrder(QStringLiteral("MMDDYY")); });
    whenChosen(m_dayFirstOption, [this] { setDateOrder(QStringLiteral("DDMMYY")); });
    whenChosen(m_yearFirstOption, [this] { setDateOrder(QStringLiteral("YYMMDD")); });
    whenChosen(m_freshwaterOption, [this] { setDefaultWaterType(QStringLiteral("FRESH")); });
    whenChosen(m_saltwaterOption, [this] { setDefaultWaterType(QStringLiteral("SALT")); });
    connect(m_delimiterCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_loading)
            applyDelimiter();
    });
}

void OptionsDialog::buildGraphingTab(QWidget* page)
{
    m_graphTypeCombo = named(new QComboBox(page), "graphTypeCombo");
    m_skipZeroesCheck =
        named(new QCheckBox(QStringLiteral("Don't graph any log values = 0 (show break in graph line)"), page),
              "skipZeroesCheck");

    auto* measures = frame(QStringLiteral("Select Measurements to Graph"), "measurementsGroup", page,
                           QStringLiteral("These checkboxes will determine which measurements are graphed. "));
    const struct {
        const char* caption;
        const char* name;
    } measurements[] = {
        {"ph", "phCheck"},         {"Nh3", "ammoniaCheck"},         {"No2", "nitriteCheck"},
        {"No3", "nitrateCheck"},   {"S.G.", "specificGravityCheck"}, {"Temp", "temperatureCheck"},
        {"o2", "oxygenCheck"},     {"dkh", "dkhCheck"},             {"Calcium", "calciumCheck"},
        {"Copper", "copperCheck"}, {"Orp", "orpCheck"},             {"", "userField1Check"},
        {"", "userField2Check"},
    };
    auto* measureLayout = new QGridLayout(measures);
    for (const auto& measurement : measurements) {
        const int i = int(m_measurementChecks.size());
        auto* check = named(new QCheckBox(QString::fromLatin1(measurement.caption), measures), measurement.name);
        m_measurementChecks.append(check);
        measureLayout->addWidget(check, i % 5, i / 5);
    }
    m_userField1Check = m_measurementChecks[11];
    m_userField2Check = m_measurementChecks[12];

    auto* printing = frame(QStringLiteral("Graph Printing Options"), "graphPrintingGroup", page, kListTip);
    m_colorPrintingOption = named(new QRadioButton(QStringLiteral("&Color Printing"), printing), "colorPrintingOption");
    m_grayscalePrintingOption =
        named(new QRadioButton(QStringLiteral("&Grayscale"), printing), "grayscalePrintingOption");
    auto* printLayout = new QVBoxLayout(printing);
    printLayout->addWidget(m_colorPrintingOption);
    printLayout->addWidget(m_grayscalePrintingOption);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(QStringLiteral("Graph Type:"), page));
    typeRow->addWidget(m_graphTypeCombo, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(typeRow);
    layout->addWidget(m_skipZeroesCheck);
    layout->addWidget(measures);
    layout->addWidget(printing);
    layout->addStretch();

    connect(m_graphTypeCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_loading)
            applyGraphType();
    });
    connect(m_skipZeroesCheck, &QCheckBox::toggled, this, [this] {
        if (!m_loading)
            applySkipZeroes();
    });
    whenChosen(m_colorPrintingOption, [this] { setGraphPrintColor(1); });
    whenChosen(m_grayscalePrintingOption, [this] { setGraphPrintColor(0); });
}

// A click on an option applies it; choices made by a load apply nothing.
void OptionsDialog::whenChosen(QRadioButton* option, std::function<void()> apply)
{
    connect(option, &QRadioButton::toggled, this, [this, apply = std::move(apply)](bool on) {
        if (on && !m_loading)
            apply();
    });
}

void OptionsDialog::buildListsTab(QWidget* page)
{
    auto* salt = frame(QStringLiteral("Saltwater Livestock List Source"), "saltwaterSourceGroup", page, kListTip);
    m_saltwaterDatabaseOption =
        named(new QRadioButton(QStringLiteral("&Brinestead Livestock Database"), salt), "saltwaterDatabaseOption");
    m_saltwaterFileOption =
        named(new QRadioButton(QStringLiteral("Saltwater Text File (NAMESSW.TXT)"), salt), "saltwaterFileOption");
    auto* saltLayout = new QVBoxLayout(salt);
    saltLayout->addWidget(m_saltwaterDatabaseOption);
    saltLayout->addWidget(m_saltwaterFileOption);

    auto* fresh = frame(QStringLiteral("Freshwater Livestock List Source"), "freshwaterSourceGroup", page, kListTip);
    m_freshwaterDatabaseOption =
        named(new QRadioButton(QStringLiteral("&Brinestead Livestock Database"), fresh), "freshwaterDatabaseOption");
    m_freshwaterFileOption =
        named(new QRadioButton(QStringLiteral("Freshwater Text File (NAMESFW.TXT)"), fresh), "freshwaterFileOption");
    auto* freshLayout = new QVBoxLayout(fresh);
    freshLayout->addWidget(m_freshwaterDatabaseOption);
    freshLayout->addWidget(m_freshwaterFileOption);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(salt);
    layout->addWidget(fresh);
    layout->addStretch();

    whenChosen(m_saltwaterDatabaseOption, [this] { setSaltwaterListFromFile(false); });
    whenChosen(m_saltwaterFileOption, [this] { setSaltwaterListFromFile(true); });
    whenChosen(m_freshwaterDatabaseOption, [this] { setFreshwaterListFromFile(false); });
    whenChosen(m_freshwaterFileOption, [this] { setFreshwaterListFromFile(true); });
}

void OptionsDialog::reloadSettings()
{
    loadSettings(m_ctx);
    showSettings();
}

// Puts ctx.settings into the controls. Nothing is applied meanwhile, so a
// stored value the controls cannot show (a graph type outside the list, a
// short check string) is kept as it was read.
void OptionsDialog::showSettings()
{
    const Settings& s = m_ctx.settings;
    m_loading = true;

    m_graphTypeCombo->clear();
    for (const GraphType& type : graphTypes())
        m_graphTypeCombo->addItem(type.caption, type.code);
    m_delimiterCombo->clear();
    m_delimiterCombo->addItems({QStringLiteral("/"), QStringLiteral("-"), QStringLiteral(".")});

    (s.defaultWaterType == QLatin1String("SALT") ? m_saltwaterOption : m_freshwaterOption)->setChecked(true);
    m_userField1Check->setText(captionText(m_ctx.userFieldName1));
    m_userField2Check->setText(captionText(m_ctx.userFieldName2));
    showWholeText(m_userFieldName1Edit, m_ctx.userFieldName1, 50);
    showWholeText(m_userFieldName2Edit, m_ctx.userFieldName2, 50);

    if (s.dateOrder == QLatin1String("DDMMYY"))
        m_dayFirstOption->setChecked(true);
    else if (s.dateOrder == QLatin1String("YYMMDD"))
        m_yearFirstOption->setChecked(true);
    else
        m_monthFirstOption->setChecked(true);
    m_delimiterCombo->setCurrentIndex(m_delimiterCombo->findText(s.dateDelimiter));

    for (int i = 0; i < m_measurementChecks.size(); ++i) {
        const int value = i < s.graphChecks.size() ? s.graphChecks[i].digitValue() : 0;
        m_measurementChecks[i]->setChecked(value > 0);
    }
    m_graphTypeCombo->setCurrentIndex(m_graphTypeCombo->findData(s.graphStyle));
    m_skipZeroesCheck->setChecked(s.graphSkipZeroes != 0);
    (s.graphPrintColor == 1 ? m_colorPrintingOption : m_grayscalePrintingOption)->setChecked(true);

    (s.useFileFreshwater ? m_freshwaterFileOption : m_freshwaterDatabaseOption)->setChecked(true);
    (s.useFileSaltwater ? m_saltwaterFileOption : m_saltwaterDatabaseOption)->setChecked(true);

    m_loading = false;
    showDateFormatExamples();
}

void OptionsDialog::showDateFormatExamples()
{
    const QString d = m_ctx.settings.dateDelimiter;
    m_dayFirstOption->setText(QStringLiteral("18") + d + QStringLiteral("02") + d + QStringLiteral("97"));
    m_monthFirstOption->setText(QStringLiteral("02") + d + QStringLiteral("18") + d + QStringLiteral("97"));
    m_yearFirstOption->setText(QStringLiteral("97") + d + QStringLiteral("02") + d + QStringLiteral("18"));
}

void OptionsDialog::showOptions(int tab)
{
    reloadSettings();
    m_optionTabs->setCurrentIndex(tab);
    finishOptions(exec() == QDialog::Accepted);
}

void OptionsDialog::finishOptions(bool accepted)
{
    // Only OK accepts (and has saved by then); Cancel, Escape and the frame's
    // close all revert, even after Apply.
    if (!accepted)
        reloadSettings();
}

void OptionsDialog::accept()
{
    SettingsSaveInput input;
    input.graphChecks = graphChecksFromControls();
    input.salt = m_saltwaterOption->isChecked();
    input.userFieldName1 = m_userFieldName1Edit->text();
    input.userFieldName2 = m_userFieldName2Edit->text();
    const QString failure = saveSettings(m_ctx, input);
    if (!failure.isEmpty()) {
        m_ctx.services.tell(QStringLiteral("The options could not be saved: %1 could not be written. "
                                           "Nothing was lost yet: correct the problem and press OK again, "
                                           "or Cancel to go back to the options as they were.")
                                .arg(failure),
                            QStringLiteral("Options"), MsgIcon::Exclamation);
        return;
    }
    QDialog::accept();
}

QString OptionsDialog::graphChecksFromControls() const
{
    QString checks;
    for (const QCheckBox* box : m_measurementChecks)
        checks += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return checks;
}

void OptionsDialog::setDateOrder(const QString& order)
{
    m_ctx.settings.dateOrder = order;
}

void OptionsDialog::applyDelimiter()
{
    m_ctx.settings.dateDelimiter = m_delimiterCombo->currentText();
    showDateFormatExamples();
}

void OptionsDialog::applyGraphType()
{
    m_ctx.settings.graphStyle = m_graphTypeCombo->currentData().toInt();
}

void OptionsDialog::applySkipZeroes()
{
    m_ctx.settings.graphSkipZeroes = m_skipZeroesCheck->isChecked() ? 1 : 0;
}

void OptionsDialog::setGraphPrintColor(int color)
{
    m_ctx.settings.graphPrintColor = color;
}

void OptionsDialog::setFreshwaterListFromFile(bool fromFile)
{
    m_ctx.settings.useFileFreshwater = fromFile;
}

void OptionsDialog::setSaltwaterListFromFile(bool fromFile)
{
    m_ctx.settings.useFileSaltwater = fromFile;
}

void OptionsDialog::setDefaultWaterType(const QString& type)
{
    m_ctx.settings.defaultWaterType = type;
}
