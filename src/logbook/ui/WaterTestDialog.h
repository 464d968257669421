#pragma once
// The water-test entry dialog: thirteen measurements with their spinners, the
// date and time of the test and a comment. The logbook fills it (a new test with
// the presets, or a stored one), sets the caption and runs exec(); each field is
// checked when it is left, OK checks them all again, writes the row and accepts;
// Cancel, Escape and the window frame write nothing.
#include "logbook/LogStore.h"
#include "logbook/WaterEntry.h"

#include <QDialog>
#include <functional>
#include <optional>

class AppContext;
class LeaveChecker;
class MaskedDateEdit;
class MaskedTimeEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class UpDown;

class WaterTestDialog : public QDialog {
    Q_OBJECT
public:
    WaterTestDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~WaterTestDialog() override;

    // A new test of the tank: today, now, and the presets of the tank's water
    // type (its TankWaterType code; the default water type when it has none).
    void setNewEntry(const QString& tankid, const QString& tankWaterType);
    // A stored test: its date, time, measurements and comment; OK updates rec.rowid.
    void setEntry(const WaterLogRecord& rec);

    // Run after a successful OK (the logbook enables its graph button).
    std::function<void()> onSaved;
    // Run when the dialog becomes active (it claims File > Print).
    std::function<void()> onActivate;

public slots:
    // OK: checks every field again, writes the row and closes; a refused field
    // or a failed write leaves the dialog open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showUserTestNames();
    void applyPresets(const QVector<WaterBoxPreset>& presets);
    void writeSpinnerPosition(int measure, int position);
    // The spinner position a measurement's text stands for, when the text passes its checks.
    std::optional<double> positionOfText(int measure, const QString& text) const;
    // Where the measurement's spinner steps from: the box's value, else the preset.
    double shownPosition(int measure) const;
    bool checkMeasure(int measure);
    bool checkDate();
    bool checkTime();
    void pickTestDate();
    void refuse(const QString& text);

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;

    QTabWidget* m_entryTabs = nullptr;
    MaskedDateEdit* m_dateEdit = nullptr;
    QToolButton* m_calendarButton = nullptr;
    MaskedTimeEdit* m_timeEdit = nullptr;
    QLineEdit* m_measureEdits[WaterMeasureCount] = {};
    UpDown* m_measureSpinners[WaterMeasureCount] = {};
    QLabel* m_user1Label = nullptr;
    QLabel* m_user2Label = nullptr;
    QLineEdit* m_commentEdit = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

    QString m_userName1;
    QString m_userName2;
    WaterLogRecord m_entry;
    bool m_isNew = true;
    double m_presetPositions[WaterMeasureCount] = {};
};
