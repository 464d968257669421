#pragma once
// The tank editor: creates a tank (stamping its key from the clock) or changes
// one (never its key). OK checks the fields in a fixed order; a refused field
// keeps the dialog open with the focus on it.
#include "core/TankStore.h"

#include <QDialog>

class AppContext;
class IShell;
class LeaveChecker;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class UpDown;

class TankEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit TankEditorDialog(AppContext& ctx, IShell* shell = nullptr, QWidget* parent = nullptr);
    ~TankEditorDialog() override;

    // "add" or "edit"; OK stamps a new key only in "add".
    QString prop_AddEditMode;

    // Add mode: presets (default water type, size "55"), then the modal show.
    void AddNewTank();
    // The presets of AddNewTank without the show.
    void prepareAdd();
    // Edit mode on this tank: fills the boxes, selects its water type and
    // names it in the caption. Without the show.
    void prepareEdit(const TankRecord& tank);

    // After the dialog closed: whether OK wrote the row, and the row written.
    bool saved() const { return m_saved; }
    const TankRecord& record() const { return m_record; }
    // The water-type code OK writes ("1".."5"; another code an edited row had).
    QString waterType() const { return m_waterType; }

    // Handlers
    void cmd_OK_Click();
    void cmd_Cancel_Click();
    bool txt_tanksize_LostFocus();   // false: refused, focus put back
    void selectWaterType(const QString& code);   // as clicking its option
    void activate();

    // Controls, in tab order
    QLineEdit* txt_tankname = nullptr;
    QLineEdit* txt_tanksize = nullptr;
    UpDown* ud_tanksize = nullptr;
    QLineEdit* txt_long_desc = nullptr;
    QGroupBox* fra_WaterType = nullptr;
    QRadioButton* opt_Freshwater = nullptr;
    QRadioButton* opt_Saltwater = nullptr;
    QRadioButton* opt_Reef = nullptr;
    QRadioButton* Opt_Brackish = nullptr;
    QRadioButton* opt_Pond = nullptr;
    QPlainTextEdit* txt_tanknotes = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;

protected:
    bool event(QEvent* event) override;

private:
    bool refuse(const QString& text, QWidget* focus);
    QRadioButton* optionFor(const QString& code) const;

    AppContext& m_ctx;
    IShell* m_shell;
    LeaveChecker* m_leave = nullptr;
    TankRecord m_record;
    QString m_waterType;
    bool m_saved = false;
};
