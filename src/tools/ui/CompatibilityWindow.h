#pragma once
// The compatibility chart ("Quick Compatibility"): the keeper picks saltwater or
// freshwater and one animal; every animal of that table lands in one of three
// coloured lists, by the picked animal's letter for it. It reads and writes no
// data; File > Print is disabled while it is in front.
#include "core/ui/ShellInterfaces.h"
#include "tools/CompatibilityTables.h"

#include <QWidget>
#include <functional>

class AppContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

class CompatibilityWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    CompatibilityWindow(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);

    // IChildWindow
    QString windowName() const override { return QStringLiteral("CompatibilityWindow"); }
    void activate() override;

    WaterKind water() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void chooseWater(WaterKind water);
    void sortAnimals(int index);
    void showOpeningReminder();

    AppContext& m_ctx;
    IShell* m_shell;
    bool m_reminderShown = false;

    QGroupBox* m_animalGroup = nullptr;
    QRadioButton* m_saltwaterOption = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QComboBox* m_animalList = nullptr;
    QLabel* m_compatibleLabel = nullptr;
    QLabel* m_maybeLabel = nullptr;
    QLabel* m_incompatibleLabel = nullptr;
    QListWidget* m_compatibleList = nullptr;
    QListWidget* m_maybeList = nullptr;
    QListWidget* m_incompatibleList = nullptr;
};
