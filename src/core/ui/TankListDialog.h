#pragma once
// The tank list "Master Tanklist": every tank by name, with adding, changing
// and deleting (a tank together with all its log entries).
#include <QDialog>

class AppContext;
class IShell;
class QListWidget;
class QPushButton;
class QTabBar;

class TankListDialog : public QDialog {
    Q_OBJECT
public:
    explicit TankListDialog(AppContext& ctx, IShell* shell = nullptr, QWidget* parent = nullptr);

    // Fills the list and shows the window modally.
    void showTankList();
    // Opens the tank editor on the tank of that name; empty text: the tank
    // chosen in the list. Returns whether the editor saved the tank.
    bool changeTank(const QString& name);
    // Asks, then deletes the tank and its log rows; empty text as above.
    // Returns whether the tank was deleted.
    bool deleteTank(const QString& name);

private:
    void addTank();
    void changeChosenTank();
    void deleteChosenTank();
    void enableTankButtons();
    void refreshTankList();
    QString chosenTank(const QString& name, const QString& notice);

    AppContext& m_ctx;
    IShell* m_shell;

    QTabBar* m_tabBar = nullptr;
    QListWidget* m_tankList = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_changeButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
