#pragma once
// The options dialog. Its controls show ctx.settings and change them at once;
// OK stores them, Cancel (and a close through the frame or Escape) puts every
// setting back to the stored values.
#include <QDialog>

class AppContext;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppContext& ctx, QWidget* parent = nullptr);

    // Reloads every setting (CONFIG and the settings store) into ctx and the controls.
    void loadSettings();
    // Reload, open on tab p_tab (0 General, 1 Graphing), show modally, then
    // save (OK) or reload (anything else).
    void ShowOptions(int p_tab);
    // The end of ShowOptions once the modal show has returned.
    void finishOptions(bool accepted);

    bool OptionsCancelled = false;

    // Handlers
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdApply_Click();
    void opt_Dateform_MMDDYY_Click();
    void opt_Dateform_ddmmyy_Click();
    void opt_Dateform_YYMMDD_Click();
    void cbo_Delimiter_Click();
    void cbo_GraphType_Click();
    void chk_SkipZeroValues_Click();
    void opt_ColorPrinting_Click();
    void opt_BWPrinting_Click();
    void opt_UseFreshDB_Click();
    void opt_UseFreshFile_Click();
    void opt_UseSaltDb_Click();
    void opt_UseSaltFile_Click();
    void opt_Salt_Click();
    void opt_Fresh_Click();
    void Show_DateFormatExamples();

    QTabWidget* SSTab1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;

    // General
    QRadioButton* opt_Dateform_MMDDYY = nullptr;
    QRadioButton* opt_Dateform_ddmmyy = nullptr;
    QRadioButton* opt_Dateform_YYMMDD = nullptr;
    QComboBox* cbo_Delimiter = nullptr;
    QLineEdit* txt_username1 = nullptr;
    QLineEdit* txt_username2 = nullptr;
    QRadioButton* opt_Fresh = nullptr;
    QRadioButton* opt_Salt = nullptr;

    // Graphing
    QComboBox* cbo_GraphType = nullptr;
    QCheckBox* chk_SkipZeroValues = nullptr;
    QCheckBox* chk_ph = nullptr;
    QCheckBox* chk_ammonia = nullptr;
    QCheckBox* chk_nitrite = nullptr;
    QCheckBox* chk_nitrate = nullptr;
    QCheckBox* chk_sg = nullptr;
    QCheckBox* chk_temp = nullptr;
    QCheckBox* chk_o2 = nullptr;
    QCheckBox* chk_dkh = nullptr;
    QCheckBox* chk_calcium = nullptr;
    QCheckBox* chk_Copper = nullptr;
    QCheckBox* chk_orp = nullptr;
    QCheckBox* chk_User1 = nullptr;
    QCheckBox* chk_user2 = nullptr;
    QRadioButton* opt_ColorPrinting = nullptr;
    QRadioButton* opt_BWPrinting = nullptr;

    // Livestock Lists
    QRadioButton* opt_UseSaltDb = nullptr;
    QRadioButton* opt_UseSaltFile = nullptr;
    QRadioButton* opt_UseFreshDB = nullptr;
    QRadioButton* opt_UseFreshFile = nullptr;

    // The thirteen measurement check boxes in the order of graphChecks.
    QList<QCheckBox*> measurementChecks() const;

private:
    void buildGeneralTab(QWidget* page);
    void buildGraphingTab(QWidget* page);
    void buildListsTab(QWidget* page);
    void onChosen(QRadioButton* option, void (OptionsDialog::*handler)());
    void showSettings();
    QString graphChecksFromControls() const;

    AppContext& m_ctx;
    bool m_loading = false;
};
