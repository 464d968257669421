#include "logbook/ui/WaterTestDialog.h"

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

namespace {
const QString kOops = QStringLiteral("Oops!");
}

WaterTestDialog::WaterTestDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName("WaterTestDialog");
    setWindowTitle(QStringLiteral("Water Quality Log Detail"));
    setModal(true);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName("SSTab1");
    auto* page = new QWidget(SSTab1);
    SSTab1->addTab(page, QStringLiteral("Water Log Entry"));
    auto* grid = new QGridLayout(page);

    auto addLabel = [&](const QString& caption, int row, int column) {
        auto* label = new QLabel(caption, page);
        grid->addWidget(label, row, column);
        return label;
    };

    // Date and time of the test.
    addLabel(QStringLiteral("Date Performed"), 0, 0);
    txt_date = new MaskedDateEdit(page);
    txt_date->setObjectName("txt_date");
    txt_date->setToolTip(QStringLiteral("Date measurements were taken"));
    txt_date->setDateFormat(ctx.settings.dateOrder, ctx.settings.dateDelimiter, ctx.settings.dateMask);
    cmd_Caldate = makeCalendarButton(page);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(txt_date);
    dateRow->addWidget(cmd_Caldate);
    grid->addLayout(dateRow, 0, 1, 1, 2);

    addLabel(QStringLiteral("Time Performed"), 0, 3);
    txt_time = new MaskedTimeEdit(page);
    txt_time->setObjectName("txt_time");
    txt_time->setToolTip(QStringLiteral("Time measurements were taken"));
    grid->addWidget(txt_time, 0, 4, 1, 2);

    // The thirteen measurements, two to a row.
    const QVector<WaterMeasureSpec>& specs = waterMeasures();
    QLineEdit** boxPtrs[] = {&txt_ammonia, &txt_nitrite, &txt_nitrate, &txt_ph, &txt_sg, &txt_temp,
                             &txt_oxygen, &txt_dkh, &txt_calcium, &txt_copper, &txt_orp, &txt_user1,
                             &txt_user2};
    UpDown** spinPtrs[] = {&ud_Ammonia, &Ud_Nitrite, &ud_Nitrate, &ud_Ph, &Ud_SG, &ud_temp, &ud_oxygen,
                           &ud_dkh, &ud_Calcium, &ud_copper, &ud_Redox, &ud_user1, &ud_User2};
    for (int m = 0; m < WaterMeasureCount; ++m) {
        const WaterMeasureSpec& spec = specs[m];
        const int row = 1 + m / 2;
        const int column = (m % 2) * 3;
        QLabel* label = addLabel(spec.label, row, column);
        if (m == WmUser1) {
            Label15 = label;
            Label15->setObjectName("Label15");
        } else if (m == WmUser2) {
            Label16 = label;
            Label16->setObjectName("Label16");
        }
        auto* edit = new QLineEdit(page);
        edit->setObjectName(spec.box);
        edit->setMaxLength(64);
        edit->setToolTip(spec.tooltip);
        auto* ud = new UpDown(page);
        ud->setObjectName(spec.spinner);
        ud->setRange(0, 10000);
        ud->setSingleStep(1);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(ud, row, column + 2);
        *boxPtrs[m] = edit;
        *spinPtrs[m] = ud;
        m_boxes[m] = edit;
        m_spinners[m] = ud;
        connect(ud, &UpDown::valueChanged, this, [this, m](int p) { ud_Change(m, p); });
    }

    const int commentRow = 2 + WaterMeasureCount / 2;
    addLabel(QStringLiteral("Comment:"), commentRow, 0);
    txt_Comment = new QLineEdit(page);
    txt_Comment->setObjectName("txt_Comment");
    txt_Comment->setToolTip(QStringLiteral("Record your comments here"));
    grid->addWidget(txt_Comment, commentRow, 1, 1, 5);

    cmd_OK = new QPushButton(QStringLiteral("&OK"), this);
    cmd_OK->setObjectName("cmd_OK");
    cmd_OK->setDefault(true);
    cmd_Exit = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_Exit->setObjectName("cmd_Exit");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Exit);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(SSTab1);
    outer->addLayout(buttons);

    setTabOrder(txt_date, txt_time);
    QWidget* previous = txt_time;
    for (int m = 0; m < WaterMeasureCount; ++m) {
        setTabOrder(previous, m_boxes[m]);
        previous = m_boxes[m];
    }
    setTabOrder(previous, txt_Comment);
    setTabOrder(txt_Comment, cmd_OK);
    setTabOrder(cmd_OK, cmd_Exit);

    // Every field is checked when it is left; OK checks them all in this order.
    m_checker = new LeaveChecker(this);
    m_checker->addCheck(txt_date, [this] { return txt_date_LostFocus(); });
    m_checker->addCheck(txt_time, [this] { return txt_time_LostFocus(); });
    for (int m = 0; m < WaterMeasureCount; ++m)
        m_checker->addCheck(m_boxes[m], [this, m] { return txt_measure_LostFocus(m); });
    m_checker->addExempt(cmd_Exit);
    m_checker->addExempt(cmd_OK);   // OK runs every check itself

    connect(cmd_Caldate, &QToolButton::clicked, this, &WaterTestDialog::cmd_caldate_Click);
    connect(cmd_OK, &QPushButton::clicked, this, &WaterTestDialog::cmd_OK_Click);
    connect(cmd_Exit, &QPushButton::clicked, this, &WaterTestDialog::cmd_Exit_Click);

    Form_Load();
}

WaterTestDialog::~WaterTestDialog() = default;

QLineEdit* WaterTestDialog::box(int measure) const
{
    return measure >= 0 && measure < WaterMeasureCount ? m_boxes[measure] : nullptr;
}

UpDown* WaterTestDialog::spinner(int measure) const
{
    return measure >= 0 && measure < WaterMeasureCount ? m_spinners[measure] : nullptr;
}

void WaterTestDialog::Form_Load()
{
    // The user tests carry the names the keeper gave them.
    m_userName1 = m_ctx.userFieldName1.isEmpty() ? QStringLiteral("User1") : m_ctx.userFieldName1;
    m_userName2 = m_ctx.userFieldName2.isEmpty() ? QStringLiteral("User2") : m_ctx.userFieldName2;
    Label15->setText(m_userName1);
    Label16->setText(m_userName2);
}

void WaterTestDialog::activate()
{
    if (onActivate)
        onActivate();
}

void WaterTestDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    activate();
}

void WaterTestDialog::setNewEntry(const QString& tankid)
{
    m_isNew = true;
    m_entry = WaterLogRecord();
    m_entry.tankid = tankid;
    const QDateTime now = m_ctx.services.clock ? m_ctx.services.clock->now() : QDateTime::currentDateTime();
    txt_date->setDate(now.date());
    txt_time->setTime(now.time());
    for (const WaterBoxPreset& p : waterNewPresets(m_ctx.defWaterType)) {
        if (p.spinner)
            m_spinners[p.measure]->setValue(*p.spinner);
        m_boxes[p.measure]->setText(p.text);
    }
    txt_Comment->setText(kWaterNewComment);
}

void WaterTestDialog::setEntry(const WaterLogRecord& rec)
{
    m_isNew = false;
    m_entry = rec;
    txt_date->setDate(rec.logdate);
    txt_time->setTime(rec.logtime);
    for (const WaterBoxPreset& p : waterChangePresets(rec)) {
        if (p.spinner)
            m_spinners[p.measure]->setValue(*p.spinner);
        m_boxes[p.measure]->setText(p.text);
    }
    if (!rec.comment.isEmpty())
        txt_Comment->setText(rec.comment);
}

void WaterTestDialog::ud_Change(int measure, int position)
{
    m_boxes[measure]->setText(waterSpinnerText(measure, position));
}

void WaterTestDialog::refuse(const QString& text)
{
    m_ctx.services.tell(text, kOops, MsgIcon::Exclamation);
}

bool WaterTestDialog::txt_measure_LostFocus(int measure)
{
    const QStringList messages =
        waterMeasureMessages(measure, m_boxes[measure]->text(), m_userName1, m_userName2);
    for (const QString& text : messages)
        refuse(text);
    return messages.isEmpty();
}

bool WaterTestDialog::txt_date_LostFocus()
{
    const QDate today = m_ctx.services.clock ? m_ctx.services.clock->today() : QDate::currentDate();
    if (txt_date->date(today))
        return true;
    refuse(kWaterDateMessage);
    return false;
}

bool WaterTestDialog::txt_time_LostFocus()
{
    if (txt_time->time())
        return true;
    refuse(kWaterTimeMessage);
    return false;
}

void WaterTestDialog::cmd_caldate_Click()
{
    pickDateInto(m_ctx, txt_date, QPoint(), this);
}

void WaterTestDialog::cmd_OK_Click()
{
    // Every field again: Enter may have been pressed in a field never left.
    if (!m_checker->checkAll())
        return;
    const QDate today = m_ctx.services.clock ? m_ctx.services.clock->today() : QDate::currentDate();
    WaterLogRecord rec = m_entry;
    rec.logdate = txt_date->date(today).value_or(QDate());
    rec.logtime = txt_time->time().value_or(QTime());
    for (int m = 0; m < WaterMeasureCount; ++m)
        waterMeasureField(rec, m) = parseNumber(m_boxes[m]->text());
    rec.comment = txt_Comment->text();

    WaterLogStore store(m_ctx.db());
    QString error;
    const bool ok = m_isNew ? store.insert(rec, &error) : store.update(rec, &error);
    if (!ok) {
        m_ctx.services.tell(QStringLiteral("The water quality entry could not be saved: %1").arg(error),
                            QStringLiteral("Note!"), MsgIcon::Critical);
        return;
    }
    m_saved = rec;
    m_entry = rec;
    m_isNew = false;
    if (onSaved)
        onSaved();
    accept();
}

void WaterTestDialog::cmd_Exit_Click()
{
    reject();
}
