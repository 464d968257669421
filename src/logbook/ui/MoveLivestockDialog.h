#pragma once
// Picks the tank a livestock entry moves to. Lists every tank by name (each item
// keeps its tank's key); OK or a double click moves the row to the picked tank,
// optionally with its date and time acquired set to now, and accepts. Cancel,
// Escape and the window frame move nothing.
#include <QDialog>

class AppContext;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

class MoveLivestockDialog : public QDialog {
    Q_OBJECT
public:
    MoveLivestockDialog(AppContext& ctx, qint64 rowid, const QString& animalName, QWidget* parent = nullptr);

private:
    void fillTankList();
    void moveToPickedTank();

    AppContext& m_ctx;
    qint64 m_rowid;

    QLabel* m_moveLabel = nullptr;
    QListWidget* m_tankList = nullptr;
    QCheckBox* m_changeDateCheck = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};
