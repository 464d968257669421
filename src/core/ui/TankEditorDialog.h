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

    // Add mode with its presets (default water type, size "55"), then the modal show.
    void addNewTank();
    // The presets of addNewTank without the show.
    void prepareAdd();
    // Edit mode on this tank: fills the boxes, selects its water type and
    // names it in the caption. Without the show.
    void prepareEdit(const TankRecord& tank);

    // After the dialog closed: whether OK wrote the row.
    bool saved() const { return m_saved; }

protected:
    bool event(QEvent* event) override;

private:
    void acceptTank();
    bool checkTankSize();   // false: refused, focus put back
    void selectWaterType(const QString& code);   // as clicking its option
    void disableFilePrint();   // a dialog has nothing to print
    bool refuse(const QString& text, QWidget* focus);
    QRadioButton* optionFor(const QString& code) const;

    AppContext& m_ctx;
    IShell* m_shell;
    LeaveChecker* m_leave = nullptr;
    TankRecord m_record;
    QString m_waterType;
    bool m_adding = false;   // OK stamps a new key only when adding
    bool m_saved = false;

    // Controls, in tab order
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_sizeEdit = nullptr;
    UpDown* m_sizeSpinner = nullptr;
    QLineEdit* m_descriptionEdit = nullptr;
    QGroupBox* m_waterTypeGroup = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QRadioButton* m_saltwaterOption = nullptr;
    QRadioButton* m_reefOption = nullptr;
    QRadioButton* m_brackishOption = nullptr;
    QRadioButton* m_pondOption = nullptr;
    QPlainTextEdit* m_notesEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
