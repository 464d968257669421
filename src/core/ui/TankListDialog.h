#pragma once
// The tank list "Master Tanklist": every tank by name, with adding, changing
// and deleting (a tank together with all its log entries).
#include <QDialog>
#include <functional>

class AppContext;
class TankEditorDialog;
class IShell;
class QListWidget;
class QPushButton;
class QTabBar;

class TankListDialog : public QDialog {
    Q_OBJECT
public:
    explicit TankListDialog(AppContext& ctx, IShell* shell = nullptr, QWidget* parent = nullptr);

    // Fills the list and shows the window modally.
    void Show_List();
    // Opens the tank editor on the tank of that name; empty text: the tank
    // chosen in the list. Returns whether the editor saved the tank.
    bool ChangeTankInfo(const QString& name);
    // Asks, then deletes the tank and its log rows; empty text as above.
    // Returns whether the tank was deleted.
    bool DeleteTankInfo(const QString& name);

    // Handlers
    void cmd_AddTank_Click();
    void cmd_ChangeTank_Click();
    void cmd_DeleteTank_Click();
    void cmd_OK_Click();
    void cmd_Cancel_Click();
    void lst_tanklist_Click();
    void lst_tanklist_DblClick();

    // Called with each tank editor before it is shown (tests drive it here);
    // when it returns false the editor is not shown.
    std::function<bool(TankEditorDialog&)> beforeEditorShow;

    QTabBar* TabStrip1 = nullptr;
    QListWidget* lst_tanklist = nullptr;
    QPushButton* cmd_AddTank = nullptr;
    QPushButton* cmd_ChangeTank = nullptr;
    QPushButton* cmd_DeleteTank = nullptr;
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Cancel = nullptr;

private:
    void Refresh_TankList();
    QString chosenTank(const QString& name, const QString& notice);
    bool runEditor(TankEditorDialog& editor);

    AppContext& m_ctx;
    IShell* m_shell;
};
