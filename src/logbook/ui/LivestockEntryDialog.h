#pragma once
// The livestock entry dialog: one acquisition of animals in a tank, added or
// changed. The caller fills it with setEntry(), sets the caption and runs exec();
// OK checks every field in order, writes the row and accepts; Cancel writes nothing.
#include "logbook/LogStore.h"

#include <QDialog>

class AppContext;
class LeaveChecker;
class MaskedDateEdit;
class MaskedTimeEdit;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

class LivestockEntryDialog : public QDialog {
    Q_OBJECT
public:
    LivestockEntryDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~LivestockEntryDialog() override;

    // Fills the controls from rec. The row is written to the tank rec.tankid;
    // isNew: inserted on OK, otherwise the row rec.rowid is updated. The
    // species list offered first follows the tank's water type.
    void setEntry(const LivestockRecord& rec, bool isNew, const QString& waterType);

private:
    void loadSaltwaterNames();
    void loadFreshwaterNames();
    // Species lists from the names files (falling back to the database list
    // when the file is missing) and from the database.
    void loadSaltwaterNamesFromFile();
    void loadFreshwaterNamesFromFile();
    void loadSaltwaterNamesFromDatabase();
    void loadFreshwaterNamesFromDatabase();
    void loadNamesFromFile(bool salt);
    void loadNamesFromDatabase(bool salt);

    void pickDateAdded();
    bool checkDateAdded();
    void acceptEntry();

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;
    LivestockRecord m_entry;
    bool m_isNew = true;

    QTabWidget* m_entryTabs = nullptr;
    QGroupBox* m_listTypeGroup = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QRadioButton* m_saltwaterOption = nullptr;
    QComboBox* m_animalNameList = nullptr;
    MaskedDateEdit* m_dateAddedEdit = nullptr;
    QToolButton* m_calendarButton = nullptr;
    MaskedTimeEdit* m_timeAddedEdit = nullptr;
    QLineEdit* m_quantityEdit = nullptr;
    QComboBox* m_statusList = nullptr;
    QComboBox* m_wherePurchasedList = nullptr;
    QLineEdit* m_pricePaidEdit = nullptr;
    QLineEdit* m_priceSoldEdit = nullptr;
    MaskedDateEdit* m_dateLostEdit = nullptr;
    QLineEdit* m_commentEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
