#pragma once
// "Add An Animal": how many of the species picked in the fantasy tank planner,
// and how large. "Drop It In" refuses a count or a size below 1, adds the line
// to the plan and shows the compatibility warnings it draws (they never stop
// the addition); Cancel changes nothing.
#include <QDialog>
#include <functional>

class AppContext;
class FantasyTankPlan;
class QLabel;
class QLineEdit;
class QPushButton;
class UpDown;

class AddAnimalDialog : public QDialog {
    Q_OBJECT
public:
    // `species` is the animal's number in the plan's table, `entryText` its
    // entry in the planner's species list.
    AddAnimalDialog(AppContext& ctx, FantasyTankPlan& plan, int species, const QString& entryText,
                    QWidget* parent = nullptr);


protected:

private:
    void dropItIn();
    void remindOfSize();

    AppContext& m_ctx;
    FantasyTankPlan& m_plan;
    int m_species;

    QLabel* m_selectedAnimalLabel = nullptr;
    QLineEdit* m_countEdit = nullptr;
    UpDown* m_countSpinner = nullptr;
    QLineEdit* m_sizeEdit = nullptr;
    UpDown* m_sizeSpinner = nullptr;
    QPushButton* m_dropItInButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
