#pragma once
// The options dialog. Its controls show ctx.settings and change them at once;
// OK stores them, Cancel (and a close through the frame or Escape) puts every
// setting back to the stored values.
#include <QDialog>
#include <functional>

class AppContext;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppContext& ctx, QWidget* parent = nullptr);

    // Reload, open on tab `tab` (0 General, 1 Graphing), show modally, then
    // save (OK) or reload (anything else).
    void showOptions(int tab);

protected:
    // OK: saves every option; a save that fails is reported and the dialog
    // stays open, so nothing the keeper chose is silently lost.
    void accept() override;

private:
    void buildGeneralTab(QWidget* page);
    void buildGraphingTab(QWidget* page);
    void buildListsTab(QWidget* page);
    void whenChosen(QRadioButton* option, std::function<void()> apply);
    // Reloads every setting (CONFIG and the settings store) into ctx and the controls.
    void reloadSettings();
    void showSettings();
    void showDateFormatExamples();
    void finishOptions(bool accepted);
    QString graphChecksFromControls() const;

    void setDateOrder(const QString& order);
    void applyDelimiter();
    void applyGraphType();
    void applySkipZeroes();
    void setGraphPrintColor(int color);
    void setFreshwaterListFromFile(bool fromFile);
    void setSaltwaterListFromFile(bool fromFile);
    void setDefaultWaterType(const QString& type);

    AppContext& m_ctx;
    bool m_loading = false;

    QTabWidget* m_optionTabs = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_applyButton = nullptr;

    // General
    QRadioButton* m_monthFirstOption = nullptr;
    QRadioButton* m_dayFirstOption = nullptr;
    QRadioButton* m_yearFirstOption = nullptr;
    QComboBox* m_delimiterCombo = nullptr;
    QLineEdit* m_userFieldName1Edit = nullptr;
    QLineEdit* m_userFieldName2Edit = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QRadioButton* m_saltwaterOption = nullptr;

    // Graphing
    QComboBox* m_graphTypeCombo = nullptr;
    QCheckBox* m_skipZeroesCheck = nullptr;
    // One per measurement, in the order of Settings::graphChecks; the last
    // two are the keeper's own tests.
    QList<QCheckBox*> m_measurementChecks;
    QCheckBox* m_userField1Check = nullptr;
    QCheckBox* m_userField2Check = nullptr;
    QRadioButton* m_colorPrintingOption = nullptr;
    QRadioButton* m_grayscalePrintingOption = nullptr;

    // Livestock Lists
    QRadioButton* m_saltwaterDatabaseOption = nullptr;
    QRadioButton* m_saltwaterFileOption = nullptr;
    QRadioButton* m_freshwaterDatabaseOption = nullptr;
    QRadioButton* m_freshwaterFileOption = nullptr;
};
