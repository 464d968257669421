#pragma once
// Picks the tank a livestock entry moves to. Lists every tank by name (each item
// keeps its tank's key); OK moves the row to the picked tank, optionally with
// its date and time acquired set to now. Form_Cancelled is false only after a
// completed move.
#include <QDialog>

class AppContext;
class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class MoveLivestockDialog : public QDialog {
    Q_OBJECT
public:
    MoveLivestockDialog(AppContext& ctx, qint64 rowid, const QString& animalName, QWidget* parent = nullptr);

    bool Form_Cancelled = true;

    void Form_Load();
    void cmd_OK_Click();
    void lst_tanklist_DblClick();
    void cmd_Cancel_Click();

    QLabel* lbl_Move = nullptr;
    QListWidget* lst_tanklist = nullptr;
    QCheckBox* chk_ChangeDate = nullptr;
    QPushButton* cmd_ok = nullptr;
    QPushButton* cmd_Cancel = nullptr;

    // Escape and the window frame end the dialog as Cancel does.
    void reject() override;

private:
    AppContext& m_ctx;
    qint64 m_rowid;
};
