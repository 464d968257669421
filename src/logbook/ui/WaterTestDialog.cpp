#include "logbook/ui/WaterTestDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/CalendarDialog.h"
#include "logbook/WaterEntry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <iterator>

namespace {
const QString kOops = QStringLiteral("Oops!");
}

WaterTestDialog::WaterTestDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName("WaterTestDialog");
    addHelpKey(this, QStringLiteral("waterquality.html"));
    setWindowTitle(QStringLiteral("Water Quality Log Detail"));
    setModal(true);

    m_entryTabs = named(new QTabWidget(this), "entryTabs");
    auto* page = new QWidget(m_entryTabs);
    m_entryTabs->addTab(page, QStringLiteral("Water Log Entry"));
    auto* grid = new QGridLayout(page);

    auto addLabel = [&](const QString& caption, int row, int column) {
        auto* label = new QLabel(caption, page);
        grid->addWidget(label, row, column);
        return label;
    };

    // Date and time of the test.
    addLabel(QStringLiteral("Date Performed"), 0, 0);
    m_dateEdit = named(new MaskedDateEdit(page), "dateEdit");
    m_dateEdit->setToolTip(QStringLiteral("Date measurements were taken"));
    m_dateEdit->setDateFormat(ctx.settings.dateOrder, ctx.settings.dateDelimiter, ctx.settings.dateMask);
    m_calendarButton = named(makeCalendarButton(page), "calendarButton");
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_dateEdit);
    dateRow->addWidget(m_calendarButton);
    grid->addLayout(dateRow, 0, 1, 1, 2);

    addLabel(QStringLiteral("Time Performed"), 0, 3);
    m_timeEdit = named(new MaskedTimeEdit(page), "timeEdit");
    m_timeEdit->setToolTip(QStringLiteral("Time measurements were taken"));
    grid->addWidget(m_timeEdit, 0, 4, 1, 2);

    // The thirteen measurements, two to a row.
    const QVector<WaterMeasureSpec>& specs = waterMeasures();
    for (int m = 0; m < WaterMeasureCount; ++m) {
        const WaterMeasureSpec& spec = specs[m];
        const int row = 1 + m / 2;
        const int column = (m % 2) * 3;
        QLabel* label = addLabel(spec.label, row, column);
        if (m == WmUser1)
            m_user1Label = named(label, "user1Label");
        else if (m == WmUser2)
            m_user2Label = named(label, "user2Label");
        // The user tests carry the names the keeper gave them, shown as typed.
        if (m == WmUser1 || m == WmUser2)
            label->setTextFormat(Qt::PlainText);
        auto* edit = new QLineEdit(page);
        edit->setObjectName(spec.box);
        edit->setMaxLength(64);
        edit->setToolTip(spec.tooltip);
        auto* spinner = new UpDown(page);
        spinner->setObjectName(spec.spinner);
        spinner->setRange(0, 10000);
        spinner->setSingleStep(1);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(spinner, row, column + 2);
        m_measureEdits[m] = edit;
        m_measureSpinners[m] = spinner;
        connect(spinner, &UpDown::valueChanged, this, [this, m](int p) { writeSpinnerPosition(m, p); });
        spinner->setShownPosition([this, m] { return shownPosition(m); });
    }

    const int commentRow = 2 + WaterMeasureCount / 2;
    addLabel(QStringLiteral("Comment:"), commentRow, 0);
    m_commentEdit = named(new QLineEdit(page), "commentEdit");
    m_commentEdit->setToolTip(QStringLiteral("Record your comments here"));
    grid->addWidget(m_commentEdit, commentRow, 1, 1, 5);

    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(m_entryTabs);
    outer->addLayout(buttons);

    setTabOrder(m_dateEdit, m_timeEdit);
    QWidget* previous = m_timeEdit;
    for (QLineEdit* edit : m_measureEdits) {
        setTabOrder(previous, edit);
        previous = edit;
    }
    setTabOrder(previous, m_commentEdit);
    setTabOrder(m_commentEdit, m_okButton);
    setTabOrder(m_okButton, m_cancelButton);

    // Every field is checked when it is left; OK checks them all in this order.
    m_checker = new LeaveChecker(this);
    m_checker->addCheck(m_dateEdit, [this] { return checkDate(); });
    m_checker->addCheck(m_timeEdit, [this] { return checkTime(); });
    for (int m = 0; m < WaterMeasureCount; ++m)
        m_checker->addCheck(m_measureEdits[m], [this, m] { return checkMeasure(m); });
    m_checker->addExempt(m_cancelButton);
    m_checker->addExempt(m_okButton);   // OK runs every check itself

    connect(m_calendarButton, &QToolButton::clicked, this, &WaterTestDialog::pickTestDate);
    connect(m_okButton, &QPushButton::clicked, this, &WaterTestDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &WaterTestDialog::reject);

    showUserTestNames();
}

WaterTestDialog::~WaterTestDialog() = default;

void WaterTestDialog::showUserTestNames()
{
    m_userName1 = m_ctx.userFieldName1.isEmpty() ? QStringLiteral("User1") : m_ctx.userFieldName1;
    m_userName2 = m_ctx.userFieldName2.isEmpty() ? QStringLiteral("User2") : m_ctx.userFieldName2;
    m_user1Label->setText(m_userName1);
    m_user2Label->setText(m_userName2);
}

void WaterTestDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (onActivate)
        onActivate();
}

void WaterTestDialog::setNewEntry(const QString& tankid, const QString& tankWaterType)
{
    m_isNew = true;
    m_entry = WaterLogRecord();
    m_entry.tankid = tankid;
    const QDateTime now = m_ctx.services.clock ? m_ctx.services.clock->now() : QDateTime::currentDateTime();
    m_dateEdit->setDate(now.date());
    m_timeEdit->setTime(now.time());
    applyPresets(waterNewPresets(waterPresetsAreSalt(tankWaterType, m_ctx.defWaterType)));
    m_commentEdit->setText(kWaterNewComment);
}

void WaterTestDialog::setEntry(const WaterLogRecord& rec)
{
    m_isNew = false;
    m_entry = rec;
    m_dateEdit->setDate(rec.logdate);
    m_timeEdit->setTime(rec.logtime);
    applyPresets(waterChangePresets(rec));
    if (!rec.comment.isEmpty())
        m_commentEdit->setText(rec.comment);
}

void WaterTestDialog::applyPresets(const QVector<WaterBoxPreset>& presets)
{
    for (const WaterBoxPreset& p : presets) {
        if (p.spinner)
            m_measureSpinners[p.measure]->setValue(*p.spinner);
        m_measureEdits[p.measure]->setText(p.text);
        m_presetPositions[p.measure] = p.spinner ? double(*p.spinner) : positionOfText(p.measure, p.text).value_or(0.0);
    }
}

std::optional<double> WaterTestDialog::positionOfText(int measure, const QString& text) const
{
    const std::optional<double> value = parseNumber(text);
    if (!value || !waterMeasureMessages(measure, text, m_userName1, m_userName2).isEmpty())
        return std::nullopt;
    // Rounded so that 8.2 x 10 is the position 82, not 81.999...
    return std::round(*value * waterMeasures().at(measure).divisor * 1e6) / 1e6;
}

double WaterTestDialog::shownPosition(int measure) const
{
    // An empty or refused text steps from the entry's preset.
    return positionOfText(measure, m_measureEdits[measure]->text()).value_or(m_presetPositions[measure]);
}

void WaterTestDialog::writeSpinnerPosition(int measure, int position)
{
    m_measureEdits[measure]->setText(waterSpinnerText(measure, position));
}

void WaterTestDialog::refuse(const QString& text)
{
    m_ctx.services.tell(text, kOops, MsgIcon::Exclamation);
}

bool WaterTestDialog::checkMeasure(int measure)
{
    const QStringList messages =
        waterMeasureMessages(measure, m_measureEdits[measure]->text(), m_userName1, m_userName2);
    for (const QString& text : messages)
        refuse(text);
    return messages.isEmpty();
}

bool WaterTestDialog::checkDate()
{
    const QDate today = m_ctx.services.clock ? m_ctx.services.clock->today() : QDate::currentDate();
    if (m_dateEdit->date(today))
        return true;
    refuse(kWaterDateMessage);
    return false;
}

bool WaterTestDialog::checkTime()
{
    if (m_timeEdit->time())
        return true;
    refuse(kWaterTimeMessage);
    return false;
}

void WaterTestDialog::pickTestDate()
{
    pickDateInto(m_ctx, m_dateEdit, QPoint(), this);
}

void WaterTestDialog::accept()
{
    // Every field again: Enter may have been pressed in a field never left.
    if (!m_checker->checkAll())
        return;
    const QDate today = m_ctx.services.clock ? m_ctx.services.clock->today() : QDate::currentDate();
    WaterLogRecord rec = m_entry;
    rec.logdate = m_dateEdit->date(today).value_or(QDate());
    rec.logtime = m_timeEdit->time().value_or(QTime());
    for (int m = 0; m < WaterMeasureCount; ++m)
        waterMeasureField(rec, m) = parseNumber(m_measureEdits[m]->text());
    rec.comment = m_commentEdit->text();

    WaterLogStore store(m_ctx.db());
    QString error;
    const bool ok = m_isNew ? store.insert(rec, &error) : store.update(rec, &error);
    if (!ok) {
        m_ctx.services.tell(QStringLiteral("The water quality entry could not be saved: %1").arg(error),
                            QStringLiteral("Note!"), MsgIcon::Critical);
        return;
    }
    m_entry = rec;
    m_isNew = false;
    if (onSaved)
        onSaved();
    QDialog::accept();
}
