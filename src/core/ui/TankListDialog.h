#pragma once
// The tank list "Master Tanklist": every tank by name, with adding, changing
// and deleting (a tank together with all its log entries). Tanks are told
// apart by their key: a name may be blank or shared in a file made elsewhere.
#include <QDialog>
#include <optional>

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
    // Opens the tank editor on the tank with this key. Returns whether the
    // editor saved the tank.
    bool changeTank(const QString& tankId);
    // Asks, then deletes the tank with this key and its log rows. Returns
    // whether the tank was deleted.
    bool deleteTank(const QString& tankId);

private:
    void addTank();
    void changeChosenTank();
    void deleteChosenTank();
    void enableTankButtons();
    void refreshTankList();
    // The key of the tank chosen in the list; nothing, after the notice, when
    // no tank is chosen.
    std::optional<QString> chosenTank(const QString& notice);

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
