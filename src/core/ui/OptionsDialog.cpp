#include "core/ui/OptionsDialog.h"
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
    setWindowTitle(QStringLiteral("Brinestead Options"));
    setModal(true);

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    SSTab1->setToolTip(QStringLiteral("These options determine how graphs will be printed."));
    auto* general = new QWidget(SSTab1);
    auto* graphing = new QWidget(SSTab1);
    auto* lists = new QWidget(SSTab1);
    SSTab1->addTab(general, QStringLiteral("General"));
    SSTab1->addTab(graphing, QStringLiteral("Graphing"));
    SSTab1->addTab(lists, QStringLiteral("Livestock Lists"));
    buildGeneralTab(general);
    buildGraphingTab(graphing);
    buildListsTab(lists);

    cmdOK = named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdCancel->setAutoDefault(false);
    cmdApply = named(new QPushButton(QStringLiteral("Apply"), this), "cmdApply");
    cmdApply->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &OptionsDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &OptionsDialog::cmdCancel_Click);
    connect(cmdApply, &QPushButton::clicked, this, &OptionsDialog::cmdApply_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
}

void OptionsDialog::buildGeneralTab(QWidget* page)
{
    auto* dates = frame(QStringLiteral("Date Formatting (e.g. The 18th of Feburary will display as:)"),
                        "fra_DateFormat", page);
    opt_Dateform_MMDDYY = named(new QRadioButton(dates), "opt_Dateform_MMDDYY");
    opt_Dateform_ddmmyy = named(new QRadioButton(dates), "opt_Dateform_ddmmyy");
    opt_Dateform_YYMMDD = named(new QRadioButton(dates), "opt_Dateform_YYMMDD");
    cbo_Delimiter = named(new QComboBox(dates), "cbo_Delimiter");
    cbo_Delimiter->setFont(QFont(QStringLiteral("Courier New")));
    auto* dateLayout = new QGridLayout(dates);
    dateLayout->addWidget(opt_Dateform_MMDDYY, 0, 0);
    dateLayout->addWidget(opt_Dateform_ddmmyy, 1, 0);
    dateLayout->addWidget(opt_Dateform_YYMMDD, 2, 0);
    dateLayout->addWidget(new QLabel(QStringLiteral("Date Delimiter:"), dates), 0, 1);
    dateLayout->addWidget(cbo_Delimiter, 1, 1);

    auto* names = frame(QStringLiteral("User Defined Field Names"), "fra_UserNames", page,
                        QStringLiteral("This option determines the names of the two field names you create."));
    txt_username1 = named(new QLineEdit(names), "txt_username1");
    txt_username2 = named(new QLineEdit(names), "txt_username2");
    // The names head list columns and graph legends; CONFIG keeps at most 50 characters.
    txt_username1->setMaxLength(50);
    txt_username2->setMaxLength(50);
    auto* nameLayout = new QVBoxLayout(names);
    nameLayout->addWidget(txt_username1);
    nameLayout->addWidget(txt_username2);

    auto* water = frame(QStringLiteral("Default Water Type"), "fra_WaterType", page, kListTip);
    opt_Fresh = named(new QRadioButton(QStringLiteral("&Freshwater / Brackish / Pond"), water), "opt_Fresh");
    opt_Salt = named(new QRadioButton(QStringLiteral("&Saltwater / Marine / Reef"), water), "opt_Salt");
    auto* waterLayout = new QVBoxLayout(water);
    waterLayout->addWidget(opt_Fresh);
    waterLayout->addWidget(opt_Salt);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(dates);
    layout->addWidget(names);
    layout->addWidget(water);
    layout->addStretch();

    onChosen(opt_Dateform_MMDDYY, &OptionsDialog::opt_Dateform_MMDDYY_Click);
    onChosen(opt_Dateform_ddmmyy, &OptionsDialog::opt_Dateform_ddmmyy_Click);
    onChosen(opt_Dateform_YYMMDD, &OptionsDialog::opt_Dateform_YYMMDD_Click);
    onChosen(opt_Fresh, &OptionsDialog::opt_Fresh_Click);
    onChosen(opt_Salt, &OptionsDialog::opt_Salt_Click);
    connect(cbo_Delimiter, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_loading)
            cbo_Delimiter_Click();
    });
}

void OptionsDialog::buildGraphingTab(QWidget* page)
{
    cbo_GraphType = named(new QComboBox(page), "cbo_GraphType");
    chk_SkipZeroValues = named(new QCheckBox(QStringLiteral("Don't graph any log values = 0 (show break in graph line)"), page),
                               "chk_SkipZeroValues");

    auto* measures = frame(QStringLiteral("Select Measurements to Graph"), "fra_Measurements", page,
                           QStringLiteral("These checkboxes will determine which measurements are graphed. "));
    chk_ph = named(new QCheckBox(QStringLiteral("ph"), measures), "chk_ph");
    chk_ammonia = named(new QCheckBox(QStringLiteral("Nh3"), measures), "chk_ammonia");
    chk_nitrite = named(new QCheckBox(QStringLiteral("No2"), measures), "chk_nitrite");
    chk_nitrate = named(new QCheckBox(QStringLiteral("No3"), measures), "chk_nitrate");
    chk_sg = named(new QCheckBox(QStringLiteral("S.G."), measures), "chk_sg");
    chk_temp = named(new QCheckBox(QStringLiteral("Temp"), measures), "chk_temp");
    chk_o2 = named(new QCheckBox(QStringLiteral("o2"), measures), "chk_o2");
    chk_dkh = named(new QCheckBox(QStringLiteral("dkh"), measures), "chk_dkh");
    chk_calcium = named(new QCheckBox(QStringLiteral("Calcium"), measures), "chk_calcium");
    chk_Copper = named(new QCheckBox(QStringLiteral("Copper"), measures), "chk_Copper");
    chk_orp = named(new QCheckBox(QStringLiteral("Orp"), measures), "chk_orp");
    chk_User1 = named(new QCheckBox(measures), "chk_User1");
    chk_user2 = named(new QCheckBox(measures), "chk_user2");
    auto* measureLayout = new QGridLayout(measures);
    const QList<QCheckBox*> checks = measurementChecks();
    for (int i = 0; i < checks.size(); ++i)
        measureLayout->addWidget(checks[i], i % 5, i / 5);

    auto* printing = frame(QStringLiteral("Graph Printing Options"), "fra_GraphPrinting", page, kListTip);
    opt_ColorPrinting = named(new QRadioButton(QStringLiteral("&Color Printing"), printing), "opt_ColorPrinting");
    opt_BWPrinting = named(new QRadioButton(QStringLiteral("&Grayscale"), printing), "opt_BWPrinting");
    auto* printLayout = new QVBoxLayout(printing);
    printLayout->addWidget(opt_ColorPrinting);
    printLayout->addWidget(opt_BWPrinting);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(QStringLiteral("Graph Type:"), page));
    typeRow->addWidget(cbo_GraphType, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(typeRow);
    layout->addWidget(chk_SkipZeroValues);
    layout->addWidget(measures);
    layout->addWidget(printing);
    layout->addStretch();

    connect(cbo_GraphType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_loading)
            cbo_GraphType_Click();
    });
    connect(chk_SkipZeroValues, &QCheckBox::toggled, this, [this] {
        if (!m_loading)
            chk_SkipZeroValues_Click();
    });
    onChosen(opt_ColorPrinting, &OptionsDialog::opt_ColorPrinting_Click);
    onChosen(opt_BWPrinting, &OptionsDialog::opt_BWPrinting_Click);
}

// A click on an option runs its handler; choices made by a load run none.
void OptionsDialog::onChosen(QRadioButton* option, void (OptionsDialog::*handler)())
{
    connect(option, &QRadioButton::toggled, this, [this, handler](bool on) {
        if (on && !m_loading)
            (this->*handler)();
    });
}

void OptionsDialog::buildListsTab(QWidget* page)
{
    auto* salt = frame(QStringLiteral("Saltwater Livestock List Source"), "fra_SaltSource", page, kListTip);
    opt_UseSaltDb = named(new QRadioButton(QStringLiteral("&Brinestead Livestock Database"), salt), "opt_UseSaltDb");
    opt_UseSaltFile = named(new QRadioButton(QStringLiteral("Saltwater Text File (NAMESSW.TXT)"), salt), "opt_UseSaltFile");
    auto* saltLayout = new QVBoxLayout(salt);
    saltLayout->addWidget(opt_UseSaltDb);
    saltLayout->addWidget(opt_UseSaltFile);

    auto* fresh = frame(QStringLiteral("Freshwater Livestock List Source"), "fra_FreshSource", page, kListTip);
    opt_UseFreshDB = named(new QRadioButton(QStringLiteral("&Brinestead Livestock Database"), fresh), "opt_UseFreshDB");
    opt_UseFreshFile = named(new QRadioButton(QStringLiteral("Freshwater Text File (NAMESFW.TXT)"), fresh), "opt_UseFreshFile");
    auto* freshLayout = new QVBoxLayout(fresh);
    freshLayout->addWidget(opt_UseFreshDB);
    freshLayout->addWidget(opt_UseFreshFile);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(salt);
    layout->addWidget(fresh);
    layout->addStretch();

    onChosen(opt_UseSaltDb, &OptionsDialog::opt_UseSaltDb_Click);
    onChosen(opt_UseSaltFile, &OptionsDialog::opt_UseSaltFile_Click);
    onChosen(opt_UseFreshDB, &OptionsDialog::opt_UseFreshDB_Click);
    onChosen(opt_UseFreshFile, &OptionsDialog::opt_UseFreshFile_Click);
}

QList<QCheckBox*> OptionsDialog::measurementChecks() const
{
    return {chk_ph, chk_ammonia, chk_nitrite, chk_nitrate, chk_sg, chk_temp, chk_o2,
            chk_dkh, chk_calcium, chk_Copper, chk_orp, chk_User1, chk_user2};
}

void OptionsDialog::loadSettings()
{
    ::loadSettings(m_ctx);
    showSettings();
}

// Puts ctx.settings into the controls. The handlers stay quiet meanwhile, so a
// stored value the controls cannot show (a graph type outside the list, a
// short check string) is kept as it was read.
void OptionsDialog::showSettings()
{
    const Settings& s = m_ctx.settings;
    m_loading = true;

    cbo_GraphType->clear();
    for (const GraphType& type : graphTypes())
        cbo_GraphType->addItem(type.caption, type.code);
    cbo_Delimiter->clear();
    cbo_Delimiter->addItems({QStringLiteral("/"), QStringLiteral("-"), QStringLiteral(".")});

    (s.defaultWaterType == QLatin1String("SALT") ? opt_Salt : opt_Fresh)->setChecked(true);
    chk_User1->setText(m_ctx.userFieldName1);
    chk_user2->setText(m_ctx.userFieldName2);
    txt_username1->setText(m_ctx.userFieldName1);
    txt_username2->setText(m_ctx.userFieldName2);

    if (s.dateOrder == QLatin1String("DDMMYY"))
        opt_Dateform_ddmmyy->setChecked(true);
    else if (s.dateOrder == QLatin1String("YYMMDD"))
        opt_Dateform_YYMMDD->setChecked(true);
    else
        opt_Dateform_MMDDYY->setChecked(true);
    cbo_Delimiter->setCurrentIndex(cbo_Delimiter->findText(s.dateDelimiter));

    const QList<QCheckBox*> checks = measurementChecks();
    for (int i = 0; i < checks.size(); ++i) {
        const int value = i < s.graphChecks.size() ? s.graphChecks[i].digitValue() : 0;
        checks[i]->setChecked(value > 0);
    }
    cbo_GraphType->setCurrentIndex(cbo_GraphType->findData(s.graphStyle));
    chk_SkipZeroValues->setChecked(s.graphSkipZeroes != 0);
    (s.graphPrintColor == 1 ? opt_ColorPrinting : opt_BWPrinting)->setChecked(true);

    (s.useFileFreshwater ? opt_UseFreshFile : opt_UseFreshDB)->setChecked(true);
    (s.useFileSaltwater ? opt_UseSaltFile : opt_UseSaltDb)->setChecked(true);

    m_loading = false;
    Show_DateFormatExamples();
}

void OptionsDialog::Show_DateFormatExamples()
{
    const QString d = m_ctx.settings.dateDelimiter;
    opt_Dateform_ddmmyy->setText(QStringLiteral("18") + d + QStringLiteral("02") + d + QStringLiteral("97"));
    opt_Dateform_MMDDYY->setText(QStringLiteral("02") + d + QStringLiteral("18") + d + QStringLiteral("97"));
    opt_Dateform_YYMMDD->setText(QStringLiteral("97") + d + QStringLiteral("02") + d + QStringLiteral("18"));
}

void OptionsDialog::ShowOptions(int p_tab)
{
    loadSettings();
    m_ctx.settings.tabToShow = p_tab;
    SSTab1->setCurrentIndex(p_tab);
    finishOptions(exec() == QDialog::Accepted);
}

void OptionsDialog::finishOptions(bool accepted)
{
    // Only OK accepts; Cancel, Escape and the frame's close all revert, even
    // after Apply.
    if (accepted) {
        SettingsSaveInput input;
        input.graphChecks = graphChecksFromControls();
        input.salt = opt_Salt->isChecked();
        input.userFieldName1 = txt_username1->text();
        input.userFieldName2 = txt_username2->text();
        saveSettings(m_ctx, input);
    } else {
        OptionsCancelled = true;
        loadSettings();
    }
}

QString OptionsDialog::graphChecksFromControls() const
{
    QString checks;
    for (const QCheckBox* box : measurementChecks())
        checks += box->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return checks;
}

void OptionsDialog::cmdOK_Click()
{
    OptionsCancelled = false;
    accept();
}

void OptionsDialog::cmdCancel_Click()
{
    OptionsCancelled = true;
    reject();
}

void OptionsDialog::cmdApply_Click()
{
    OptionsCancelled = false;
}

void OptionsDialog::opt_Dateform_MMDDYY_Click()
{
    m_ctx.settings.dateOrder = QStringLiteral("MMDDYY");
}

void OptionsDialog::opt_Dateform_ddmmyy_Click()
{
    m_ctx.settings.dateOrder = QStringLiteral("DDMMYY");
}

void OptionsDialog::opt_Dateform_YYMMDD_Click()
{
    m_ctx.settings.dateOrder = QStringLiteral("YYMMDD");
}

void OptionsDialog::cbo_Delimiter_Click()
{
    m_ctx.settings.dateDelimiter = cbo_Delimiter->currentText();
    Show_DateFormatExamples();
}

void OptionsDialog::cbo_GraphType_Click()
{
    m_ctx.settings.graphStyle = cbo_GraphType->currentData().toInt();
}

void OptionsDialog::chk_SkipZeroValues_Click()
{
    m_ctx.settings.graphSkipZeroes = chk_SkipZeroValues->isChecked() ? 1 : 0;
}

void OptionsDialog::opt_ColorPrinting_Click()
{
    m_ctx.settings.graphPrintColor = 1;
}

void OptionsDialog::opt_BWPrinting_Click()
{
    m_ctx.settings.graphPrintColor = 0;
}

void OptionsDialog::opt_UseFreshDB_Click()
{
    m_ctx.settings.useFileFreshwater = false;
}

void OptionsDialog::opt_UseFreshFile_Click()
{
    m_ctx.settings.useFileFreshwater = true;
}

void OptionsDialog::opt_UseSaltDb_Click()
{
    m_ctx.settings.useFileSaltwater = false;
}

void OptionsDialog::opt_UseSaltFile_Click()
{
    m_ctx.settings.useFileSaltwater = true;
}

void OptionsDialog::opt_Salt_Click()
{
    m_ctx.settings.defaultWaterType = QStringLiteral("SALT");
}

void OptionsDialog::opt_Fresh_Click()
{
    m_ctx.settings.defaultWaterType = QStringLiteral("FRESH");
}
