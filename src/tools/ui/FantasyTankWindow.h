#pragma once
// The fantasy tank planner ("Fantasy Tank!"): the keeper picks a water type, a
// tank size in US gallons and two properties of the tank, then adds animals
// through the add-animal dialog. The window shows how many inches of fish the
// tank could hold and how much of that the plan uses, on a bar with green,
// yellow and red bands. Nothing is stored: closing the window ends the plan.
#include "core/ui/ShellInterfaces.h"
#include "tools/FantasyTank.h"

#include <QWidget>
#include <functional>

class AppContext;
class LeaveChecker;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QLineEdit;
class UpDown;

class FantasyTankWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    FantasyTankWindow(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);

    // IChildWindow
    QString windowName() const override { return QStringLiteral("FantasyTankWindow"); }
    void activate() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Recomputes the capacity and the fill from the controls and the plan. The
    // size is the one in the box when it passes the size check, else the last
    // one that did: a refused size never shows in the figures.
    void calcStocking();
    // Empties the plan and puts the tank back to 55 gallons.
    void resetTank();
    // The keeper's choice of water type: asks before emptying a plan.
    void changeWater(WaterKind water);
    // Fills the species list of the water type and starts an empty plan.
    void useWater(WaterKind water);
    bool checkTankSize();
    void addAnimal();
    void removeAnimal();
    void showOpeningReminder();

    AppContext& m_ctx;
    IShell* m_shell;
    FantasyTankPlan m_plan;
    Stocking m_stocking;
    Decimal m_tankGallons = Decimal::fromInt(kDefaultTankGallons);   // the last size accepted
    bool m_reminderShown = false;
    LeaveChecker* m_checker = nullptr;

    QGroupBox* m_waterGroup = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QRadioButton* m_saltwaterOption = nullptr;
    QGroupBox* m_sizeGroup = nullptr;
    QLineEdit* m_tankSizeEdit = nullptr;
    UpDown* m_tankSizeSpinner = nullptr;
    QGroupBox* m_variablesGroup = nullptr;
    QCheckBox* m_wetDryCheck = nullptr;
    QCheckBox* m_tallerCheck = nullptr;
    QProgressBar* m_stockingBar = nullptr;
    QLabel* m_holdingLabel = nullptr;
    QLabel* m_percentLabel = nullptr;
    QListWidget* m_speciesList = nullptr;
    QPushButton* m_addAnimalButton = nullptr;
    QPushButton* m_removeAnimalButton = nullptr;
    QListWidget* m_tankList = nullptr;
};
