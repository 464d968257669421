#pragma once
// The water-test entry dialog: thirteen measurements with their spinners, the
// date and time of the test and a comment. The logbook fills it (a new test with
// the presets, or a stored one), sets the caption and runs exec(); each field is
// checked when it is left, OK checks them all again, writes the row and accepts;
// Cancel, Escape and the window frame write nothing.
#include "logbook/LogStore.h"

#include <QDialog>
#include <functional>

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

    // A new test of the tank: today, now, and the presets of the default water type.
    void setNewEntry(const QString& tankid);
    // A stored test: its date, time, measurements and comment; OK updates rec.rowid.
    void setEntry(const WaterLogRecord& rec);
    bool isNew() const { return m_isNew; }
    // The row as last written by OK (its rowid set for a new one).
    const WaterLogRecord& savedEntry() const { return m_saved; }

    // Run after a successful OK (the logbook enables its graph button).
    std::function<void()> onSaved;
    // Run when the dialog becomes active (it claims File > Print).
    std::function<void()> onActivate;

    // Handlers.
    void Form_Load();
    void activate();
    void ud_Change(int measure, int position);
    bool txt_measure_LostFocus(int measure);
    bool txt_date_LostFocus();
    bool txt_time_LostFocus();
    void cmd_caldate_Click();
    void cmd_OK_Click();
    void cmd_Exit_Click();

    QLineEdit* box(int measure) const;
    UpDown* spinner(int measure) const;

    QTabWidget* SSTab1 = nullptr;
    MaskedDateEdit* txt_date = nullptr;
    QToolButton* cmd_Caldate = nullptr;
    MaskedTimeEdit* txt_time = nullptr;
    QLineEdit* txt_Comment = nullptr;
    QLineEdit* txt_ammonia = nullptr;
    QLineEdit* txt_nitrite = nullptr;
    QLineEdit* txt_nitrate = nullptr;
    QLineEdit* txt_ph = nullptr;
    QLineEdit* txt_sg = nullptr;
    QLineEdit* txt_temp = nullptr;
    QLineEdit* txt_oxygen = nullptr;
    QLineEdit* txt_dkh = nullptr;
    QLineEdit* txt_calcium = nullptr;
    QLineEdit* txt_copper = nullptr;
    QLineEdit* txt_orp = nullptr;
    QLineEdit* txt_user1 = nullptr;
    QLineEdit* txt_user2 = nullptr;
    UpDown* ud_Ammonia = nullptr;
    UpDown* Ud_Nitrite = nullptr;
    UpDown* ud_Nitrate = nullptr;
    UpDown* ud_Ph = nullptr;
    UpDown* Ud_SG = nullptr;
    UpDown* ud_temp = nullptr;
    UpDown* ud_oxygen = nullptr;
    UpDown* ud_dkh = nullptr;
    UpDown* ud_Calcium = nullptr;
    UpDown* ud_copper = nullptr;
    UpDown* ud_Redox = nullptr;
    UpDown* ud_user1 = nullptr;
    UpDown* ud_User2 = nullptr;
    QLabel* Label15 = nullptr;   // first user test
    QLabel* Label16 = nullptr;   // second user test
    QPushButton* cmd_OK = nullptr;
    QPushButton* cmd_Exit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refuse(const QString& text);

    AppContext& m_ctx;
    LeaveChecker* m_checker = nullptr;
    QString m_userName1;
    QString m_userName2;
    WaterLogRecord m_entry;
    WaterLogRecord m_saved;
    bool m_isNew = true;
    QLineEdit* m_boxes[13] = {};
    UpDown* m_spinners[13] = {};
};
