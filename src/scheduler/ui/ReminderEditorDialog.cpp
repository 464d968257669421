#include "scheduler/ui/ReminderEditorDialog.h"

#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/CalendarDialog.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace sched;

namespace {

// The preview makes the editor this much taller than it opens.
constexpr int kPreviewHeight = 170;

const char* const kWeekdayBoxNames[7] = {"sundayBox",   "mondayBox", "tuesdayBox", "wednesdayBox",
                                         "thursdayBox", "fridayBox", "saturdayBox"};

void selectPosition(QComboBox* list, int position)
{
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

} // namespace

ReminderEditorDialog::ReminderEditorDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("ReminderEditorDialog"));
    setWindowTitle(QStringLiteral("Reminder Recurrence"));
    setModal(true);

    m_taskEdit = named(new QLineEdit(this), "taskEdit");
    auto* taskLabel = new QLabel(QStringLiteral("Task description:"), this);
    taskLabel->setBuddy(m_taskEdit);

    // ---- recurrence pattern ----
    auto* patternFrame = named(new QGroupBox(QStringLiteral("Recurrence pattern"), this), "patternFrame");
    m_dailyOption = named(new QRadioButton(QStringLiteral("Daily"), patternFrame), "dailyOption");
    m_weeklyOption = named(new QRadioButton(QStringLiteral("Weekly"), patternFrame), "weeklyOption");
    m_monthlyOption = named(new QRadioButton(QStringLiteral("Monthly"), patternFrame), "monthlyOption");
    m_yearlyOption = named(new QRadioButton(QStringLiteral("Yearly"), patternFrame), "yearlyOption");
    m_onceOption = named(new QRadioButton(QStringLiteral("Once"), patternFrame), "onceOption");
    m_patternGroup = new QButtonGroup(this);
    m_patternGroup->addButton(m_dailyOption, Daily);
    m_patternGroup->addButton(m_weeklyOption, Weekly);
    m_patternGroup->addButton(m_monthlyOption, Monthly);
    m_patternGroup->addButton(m_yearlyOption, Yearly);
    m_patternGroup->addButton(m_onceOption, Once);

    m_patternPanels = named(new QStackedWidget(patternFrame), "patternPanels");
    m_patternPanels->insertWidget(Daily, buildDailyPanel());
    m_patternPanels->insertWidget(Weekly, buildWeeklyPanel());
    m_patternPanels->insertWidget(Monthly, buildMonthlyPanel());
    m_patternPanels->insertWidget(Yearly, buildYearlyPanel());
    m_patternPanels->insertWidget(Once, buildOncePanel());

    m_wordingLabel = named(new QLabel(patternFrame), "wordingLabel");
    m_wordingLabel->setTextFormat(Qt::PlainText);   // it repeats what the keeper typed in the boxes
    m_wordingLabel->setWordWrap(true);
    m_wordingLabel->setFrameShape(QFrame::StyledPanel);
    m_wordingLabel->setMinimumHeight(m_wordingLabel->fontMetrics().height() * 2 + 6);

    auto* options = new QVBoxLayout;
    for (QRadioButton* option : {m_dailyOption, m_weeklyOption, m_monthlyOption, m_yearlyOption, m_onceOption})
        options->addWidget(option);
    options->addStretch();
    auto* separator = new QFrame(patternFrame);
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    auto* patternRow = new QHBoxLayout;
    patternRow->addLayout(options);
    patternRow->addWidget(separator);
    patternRow->addWidget(m_patternPanels, 1);
    auto* patternLayout = new QVBoxLayout(patternFrame);
    patternLayout->addLayout(patternRow);
    patternLayout->addWidget(m_wordingLabel);

    // ---- range of recurrence ----
    auto* rangeFrame = named(new QGroupBox(QStringLiteral("Range of recurrence"), this), "rangeFrame");
    m_startDateEdit = named(new MaskedDateEdit(rangeFrame), "startDateEdit");
    m_startCalendarButton = named(makeCalendarButton(rangeFrame), "startCalendarButton");
    m_endDateEdit = named(new MaskedDateEdit(rangeFrame), "endDateEdit");
    m_endCalendarButton = named(makeCalendarButton(rangeFrame), "endCalendarButton");
    m_previewButton = named(new QPushButton(QStringLiteral("Preview Recurrences >>"), rangeFrame), "previewButton");
    auto* rangeLayout = new QHBoxLayout(rangeFrame);
    rangeLayout->addWidget(new QLabel(QStringLiteral("Start:"), rangeFrame));
    rangeLayout->addWidget(m_startDateEdit);
    rangeLayout->addWidget(m_startCalendarButton);
    rangeLayout->addSpacing(12);
    rangeLayout->addWidget(new QLabel(QStringLiteral("End by:"), rangeFrame));
    rangeLayout->addWidget(m_endDateEdit);
    rangeLayout->addWidget(m_endCalendarButton);
    rangeLayout->addStretch();
    rangeLayout->addWidget(m_previewButton);

    m_previewList = named(new QTreeWidget(this), "previewList");
    m_previewList->setColumnCount(2);
    m_previewList->setHeaderLabels({QStringLiteral("date shown"), QStringLiteral("date not shown")});
    m_previewList->setColumnHidden(1, true);
    m_previewList->setRootIsDecorated(false);
    m_previewList->setHeaderHidden(true);
    m_previewList->setMinimumHeight(kPreviewHeight - 20);
    m_previewList->hide();

    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_cancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), "cancelButton");
    // Cancel is the default button: Enter in any box or list closes the editor
    // unsaved. Enter on a focused button presses that button.
    m_cancelButton->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto* taskRow = new QHBoxLayout;
    taskRow->addWidget(taskLabel);
    taskRow->addWidget(m_taskEdit, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(taskRow);
    left->addWidget(patternFrame);
    left->addWidget(rangeFrame);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_previewList, 1);

    fillPickLists();

    const Settings& s = m_ctx.settings;
    for (MaskedDateEdit* edit : {m_startDateEdit, m_endDateEdit, m_onceDateEdit})
        edit->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    // The load-time state: daily every 1 day, the yearly "The" lists and the
    // monthly "The" controls disabled, the wording of that daily rule.
    m_showing = true;
    showControlValues(EditorValues::startup(m_ctx.services.clock->today()));
    m_showing = false;
    rebuildWording();

    connect(m_patternGroup, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            choosePattern();
    });
    for (QRadioButton* variant : {m_everyDaysOption, m_everyWeekdayOption, m_monthlyDayOption, m_monthlyXthOption,
                                  m_yearlyDateOption, m_yearlyXthOption})
        connect(variant, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                followVariants();
        });
    for (QLineEdit* box : {m_dailyDaysEdit, m_weeklyWeeksEdit, m_monthlyDayEdit, m_monthlyIntervalEdit,
                           m_monthlyInterval2Edit, m_yearlyDayEdit, static_cast<QLineEdit*>(m_onceDateEdit)})
        connect(box, &QLineEdit::textChanged, this, &ReminderEditorDialog::rebuildWording);
    for (QComboBox* list : {m_monthlyXthList, m_monthlyWeekdayList, m_yearlyMonthList, m_yearlyMonth2List,
                            m_yearlyWeekdayList, m_yearlyXthList})
        connect(list, &QComboBox::currentIndexChanged, this, &ReminderEditorDialog::rebuildWording);
    for (QCheckBox* box : m_weekdayBoxes)
        connect(box, &QCheckBox::toggled, this, &ReminderEditorDialog::rebuildWording);

    connect(m_okButton, &QPushButton::clicked, this, &ReminderEditorDialog::accept);
    connect(m_cancelButton, &QPushButton::clicked, this, &ReminderEditorDialog::reject);
    connect(m_previewButton, &QPushButton::clicked, this, &ReminderEditorDialog::previewRecurrences);
    connect(m_startCalendarButton, &QToolButton::clicked, this, &ReminderEditorDialog::pickStartDate);
    connect(m_endCalendarButton, &QToolButton::clicked, this, &ReminderEditorDialog::pickEndDate);
    connect(m_onceCalendarButton, &QToolButton::clicked, this, &ReminderEditorDialog::pickOnceDate);

    adjustSize();
    addHelpKey(this, QStringLiteral("reminders.html"));
}

ReminderEditorDialog::~ReminderEditorDialog() = default;

QLineEdit* ReminderEditorDialog::numberBox(QWidget* parent, const char* name, const char* spinnerName, int minimum,
                                           int maximum, UpDown** spinner)
{
    auto* box = named(new QLineEdit(QStringLiteral("1"), parent), name);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    *spinner = named(new UpDown(parent), spinnerName);
    (*spinner)->setRange(minimum, maximum);
    (*spinner)->setSingleStep(1);
    (*spinner)->setValue(1);
    (*spinner)->setBuddy(box);
    return box;
}

QComboBox* ReminderEditorDialog::pickList(QWidget* parent, const char* name)
{
    auto* list = named(new QComboBox(parent), name);
    list->setEditable(false);
    return list;
}

QWidget* ReminderEditorDialog::buildDailyPanel()
{
    auto* panel = named(new QWidget, "dailyPanel");
    m_everyDaysOption = named(new QRadioButton(QStringLiteral("Every"), panel), "everyDaysOption");
    m_dailyDaysEdit = numberBox(panel, "dailyDaysEdit", "dailyDaysSpinner", 0, kMaxRuleCount, &m_dailyDaysSpinner);
    m_everyWeekdayOption = named(new QRadioButton(QStringLiteral("Every weekday"), panel), "everyWeekdayOption");
    auto* grid = new QGridLayout(panel);
    auto* every = new QHBoxLayout;
    every->addWidget(m_everyDaysOption);
    every->addWidget(m_dailyDaysEdit);
    every->addWidget(m_dailyDaysSpinner);
    every->addWidget(new QLabel(QStringLiteral("day(s)"), panel));
    every->addStretch();
    grid->addLayout(every, 0, 0);
    grid->addWidget(m_everyWeekdayOption, 1, 0);
    grid->setRowStretch(2, 1);
    return panel;
}

QWidget* ReminderEditorDialog::buildWeeklyPanel()
{
    auto* panel = named(new QWidget, "weeklyPanel");
    m_weeklyWeeksEdit =
        numberBox(panel, "weeklyWeeksEdit", "weeklyWeeksSpinner", 1, kMaxRuleCount, &m_weeklyWeeksSpinner);
    auto* layout = new QVBoxLayout(panel);
    auto* every = new QHBoxLayout;
    every->addWidget(new QLabel(QStringLiteral("Recur every"), panel));
    every->addWidget(m_weeklyWeeksEdit);
    every->addWidget(m_weeklyWeeksSpinner);
    every->addWidget(new QLabel(QStringLiteral("week(s) on:"), panel));
    every->addStretch();
    layout->addLayout(every);
    auto* days = new QGridLayout;
    for (int day = 0; day < 7; ++day) {
        m_weekdayBoxes[day] = named(new QCheckBox(weekdayNames().at(day), panel), kWeekdayBoxNames[day]);
        days->addWidget(m_weekdayBoxes[day], day / 4, day % 4);
    }
    layout->addLayout(days);
    layout->addStretch();
    return panel;
}

QWidget* ReminderEditorDialog::buildMonthlyPanel()
{
    auto* panel = named(new QWidget, "monthlyPanel");
    m_monthlyDayOption = named(new QRadioButton(QStringLiteral("Day"), panel), "monthlyDayOption");
    m_monthlyDayEdit =
        numberBox(panel, "monthlyDayEdit", "monthlyDaySpinner", 1, kMaxMonthlyDay, &m_monthlyDaySpinner);
    m_monthlyIntervalEdit =
        numberBox(panel, "monthlyIntervalEdit", "monthlyIntervalSpinner", 1, kMaxRuleCount,
                  &m_monthlyIntervalSpinner);
    m_monthlyXthOption = named(new QRadioButton(QStringLiteral("The"), panel), "monthlyXthOption");
    m_monthlyXthList = pickList(panel, "monthlyXthList");
    m_monthlyWeekdayList = pickList(panel, "monthlyWeekdayList");
    m_monthlyInterval2Edit =
        numberBox(panel, "monthlyInterval2Edit", "monthlyInterval2Spinner", 1, kMaxRuleCount,
                  &m_monthlyInterval2Spinner);

    auto* layout = new QVBoxLayout(panel);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(m_monthlyDayOption);
    dayRow->addWidget(m_monthlyDayEdit);
    dayRow->addWidget(m_monthlyDaySpinner);
    dayRow->addWidget(new QLabel(QStringLiteral("of every"), panel));
    dayRow->addWidget(m_monthlyIntervalEdit);
    dayRow->addWidget(m_monthlyIntervalSpinner);
    dayRow->addWidget(new QLabel(QStringLiteral("month(s)"), panel));
    dayRow->addStretch();
    auto* xthRow = new QHBoxLayout;
    xthRow->addWidget(m_monthlyXthOption);
    xthRow->addWidget(m_monthlyXthList);
    xthRow->addWidget(m_monthlyWeekdayList);
    xthRow->addWidget(new QLabel(QStringLiteral("of every"), panel));
    xthRow->addWidget(m_monthlyInterval2Edit);
    xthRow->addWidget(m_monthlyInterval2Spinner);
    xthRow->addWidget(new QLabel(QStringLiteral("month(s)"), panel));
    xthRow->addStretch();
    layout->addLayout(dayRow);
    layout->addLayout(xthRow);
    layout->addStretch();
    return panel;
}

QWidget* ReminderEditorDialog::buildYearlyPanel()
{
    auto* panel = named(new QWidget, "yearlyPanel");
    m_yearlyDateOption = named(new QRadioButton(QStringLiteral("Every"), panel), "yearlyDateOption");
    m_yearlyMonthList = pickList(panel, "yearlyMonthList");
    m_yearlyDayEdit = numberBox(panel, "yearlyDayEdit", "yearlyDaySpinner", 1, 28, &m_yearlyDaySpinner);
    m_yearlyXthOption = named(new QRadioButton(QStringLiteral("The"), panel), "yearlyXthOption");
    m_yearlyXthList = pickList(panel, "yearlyXthList");
    m_yearlyWeekdayList = pickList(panel, "yearlyWeekdayList");
    m_yearlyMonth2List = pickList(panel, "yearlyMonth2List");

    auto* layout = new QVBoxLayout(panel);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_yearlyDateOption);
    dateRow->addWidget(m_yearlyMonthList);
    dateRow->addWidget(m_yearlyDayEdit);
    dateRow->addWidget(m_yearlyDaySpinner);
    dateRow->addStretch();
    auto* xthRow = new QHBoxLayout;
    xthRow->addWidget(m_yearlyXthOption);
    xthRow->addWidget(m_yearlyXthList);
    xthRow->addWidget(m_yearlyWeekdayList);
    xthRow->addWidget(new QLabel(QStringLiteral("of"), panel));
    xthRow->addWidget(m_yearlyMonth2List);
    xthRow->addStretch();
    layout->addLayout(dateRow);
    layout->addLayout(xthRow);
    layout->addStretch();
    return panel;
}

QWidget* ReminderEditorDialog::buildOncePanel()
{
    auto* panel = named(new QWidget, "oncePanel");
    m_onceDateEdit = named(new MaskedDateEdit(panel), "onceDateEdit");
    m_onceCalendarButton = named(makeCalendarButton(panel), "onceCalendarButton");
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new QLabel(QStringLiteral("Occurs once on this date:"), panel));
    auto* row = new QHBoxLayout;
    row->addWidget(m_onceDateEdit);
    row->addWidget(m_onceCalendarButton);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return panel;
}

void ReminderEditorDialog::fillPickLists()
{
    for (QComboBox* list : {m_yearlyMonthList, m_yearlyMonth2List}) {
        list->clear();
        for (int month = 1; month <= 12; ++month)
            list->addItem(monthNames().at(month - 1), month);
    }
    for (QComboBox* list : {m_yearlyWeekdayList, m_monthlyWeekdayList}) {
        list->clear();
        for (int day = 1; day <= 7; ++day)
            list->addItem(weekdayNames().at(day - 1), day);
    }
    for (QComboBox* list : {m_monthlyXthList, m_yearlyXthList}) {
        list->clear();
        list->addItems(ordinalWords());
    }
    // The lists open on this month, this weekday and "First".
    const QDate today = m_ctx.services.clock->today();
    m_yearlyMonthList->setCurrentIndex(today.month() - 1);
    m_yearlyMonth2List->setCurrentIndex(today.month() - 1);
    m_yearlyWeekdayList->setCurrentIndex(weekdayNumber(today) - 1);
    m_monthlyWeekdayList->setCurrentIndex(weekdayNumber(today) - 1);
    m_monthlyXthList->setCurrentIndex(0);
    m_yearlyXthList->setCurrentIndex(0);
}

void ReminderEditorDialog::showControlValues(const EditorValues& v)
{
    const bool wasShowing = m_showing;
    m_showing = true;
    m_taskEdit->setText(v.task);
    m_startDateEdit->setText(v.startDate);
    m_endDateEdit->setText(v.endDate);
    if (QAbstractButton* option = m_patternGroup->button(v.type))
        option->setChecked(true);
    (v.dailySubtype == 1 ? m_everyWeekdayOption : m_everyDaysOption)->setChecked(true);
    m_dailyDaysEdit->setText(v.dailyDays);
    m_weeklyWeeksEdit->setText(v.weeklyWeeks);
    for (int day = 0; day < 7; ++day)
        m_weekdayBoxes[day]->setChecked(v.weeklyDays[day]);
    (v.monthlySubtype == 1 ? m_monthlyXthOption : m_monthlyDayOption)->setChecked(true);
    m_monthlyDayEdit->setText(v.monthlyDay);
    m_monthlyIntervalEdit->setText(v.monthlyInterval);
    selectPosition(m_monthlyXthList, v.monthlyXth);
    selectPosition(m_monthlyWeekdayList, v.monthlyWeekday);
    m_monthlyInterval2Edit->setText(v.monthlyInterval2);
    (v.yearlySubtype == 1 ? m_yearlyXthOption : m_yearlyDateOption)->setChecked(true);
    selectPosition(m_yearlyMonthList, v.yearlyMonth);
    m_yearlyDayEdit->setText(v.yearlyDay);
    selectPosition(m_yearlyXthList, v.yearlyXth);
    selectPosition(m_yearlyWeekdayList, v.yearlyWeekday);
    selectPosition(m_yearlyMonth2List, v.yearlyMonth2);
    m_onceDateEdit->setText(v.onceDate);
    choosePattern();
    followVariants();
    m_wordingLabel->setText(v.englishDesc);
    m_showing = wasShowing;
}

EditorValues ReminderEditorDialog::controlValues() const
{
    EditorValues v;
    v.task = m_taskEdit->text();
    v.startDate = dateText(m_startDateEdit);
    v.endDate = dateText(m_endDateEdit);
    v.type = m_patternGroup->checkedId();
    v.dailySubtype = m_everyWeekdayOption->isChecked() ? 1 : 0;
    v.dailyDays = m_dailyDaysEdit->text();
    v.weeklyWeeks = m_weeklyWeeksEdit->text();
    for (int day = 0; day < 7; ++day)
        v.weeklyDays[day] = m_weekdayBoxes[day]->isChecked();
    v.monthlySubtype = m_monthlyXthOption->isChecked() ? 1 : 0;
    v.monthlyDay = m_monthlyDayEdit->text();
    v.monthlyInterval = m_monthlyIntervalEdit->text();
    v.monthlyXth = m_monthlyXthList->currentIndex();
    v.monthlyWeekday = m_monthlyWeekdayList->currentIndex();
    v.monthlyInterval2 = m_monthlyInterval2Edit->text();
    v.yearlySubtype = m_yearlyXthOption->isChecked() ? 1 : 0;
    v.yearlyMonth = m_yearlyMonthList->currentIndex();
    v.yearlyDay = m_yearlyDayEdit->text();
    v.yearlyXth = m_yearlyXthList->currentIndex();
    v.yearlyWeekday = m_yearlyWeekdayList->currentIndex();
    v.yearlyMonth2 = m_yearlyMonth2List->currentIndex();
    v.onceDate = dateText(m_onceDateEdit);
    v.englishDesc = m_wordingLabel->text();
    return v;
}

QString ReminderEditorDialog::dateText(const MaskedDateEdit* edit) const
{
    // A box still showing a stored date whose two-digit year would be read in
    // another century hands on that date with its four-digit year.
    const QDate today = m_ctx.services.clock->today();
    const std::optional<QDate> shown = edit->date(today);
    const QString text = edit->displayText();
    if (!shown || parseKeeperDate(text, edit->dateOrder(), today) == shown)
        return text;
    QString mask = edit->dateMask();
    mask.replace(QStringLiteral("YY"), QStringLiteral("~"), Qt::CaseInsensitive);
    QString out = formatDateMask(*shown, mask);
    return out.replace(QLatin1Char('~'), QString::number(shown->year()));
}

void ReminderEditorDialog::choosePattern()
{
    const int type = m_patternGroup->checkedId();
    if (type >= 0)
        m_patternPanels->setCurrentIndex(type);
    rebuildWording();
}

void ReminderEditorDialog::followVariants()
{
    m_dailyDaysEdit->setEnabled(m_everyDaysOption->isChecked());
    m_dailyDaysSpinner->setEnabled(m_everyDaysOption->isChecked());

    const bool monthDay = m_monthlyDayOption->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_monthlyDayEdit, m_monthlyDaySpinner, m_monthlyIntervalEdit,
                                                      m_monthlyIntervalSpinner})
        w->setEnabled(monthDay);
    for (QWidget* w : std::initializer_list<QWidget*>{m_monthlyXthList, m_monthlyWeekdayList, m_monthlyInterval2Edit,
                                                      m_monthlyInterval2Spinner})
        w->setEnabled(!monthDay);

    const bool yearDate = m_yearlyDateOption->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{m_yearlyMonthList, m_yearlyDayEdit, m_yearlyDaySpinner})
        w->setEnabled(yearDate);
    for (QWidget* w : std::initializer_list<QWidget*>{m_yearlyMonth2List, m_yearlyWeekdayList, m_yearlyXthList})
        w->setEnabled(!yearDate);
    rebuildWording();
}

void ReminderEditorDialog::rebuildWording()
{
    if (m_showing)
        return;
    if (const auto words = describeRule(controlValues()))
        m_wordingLabel->setText(*words);
}

bool ReminderEditorDialog::addNewTask()
{
    EditorValues v = EditorValues::startup(m_ctx.services.clock->today());
    v.task = m_vars.task;
    v.startDate = m_vars.startDate;
    v.endDate = m_vars.endDate;
    showControlValues(v);
    rebuildWording();
    m_vars.cancelled = true;
    exec();
    return !m_vars.cancelled;
}

void ReminderEditorDialog::setStoredRange(const QDate& start, const QDate& end)
{
    m_storedStart = start;
    m_storedEnd = end;
}

bool ReminderEditorDialog::showExistingTask()
{
    const Settings& s = m_ctx.settings;
    const QDate today = m_ctx.services.clock->today();
    showControlValues(editorValuesFromRule(m_vars, controlValues(), s.dateMask, s.dateOrder, today));
    // Boxes that show the stored dates hand back those very dates.
    m_showing = true;
    if (m_storedStart.isValid() && m_startDateEdit->displayText() == formatDateMask(m_storedStart, s.dateMask))
        m_startDateEdit->setDate(m_storedStart);
    if (m_storedEnd.isValid() && m_endDateEdit->displayText() == formatDateMask(m_storedEnd, s.dateMask))
        m_endDateEdit->setDate(m_storedEnd);
    if (m_vars.type == Once) {
        const QDate once = onceDateFromDetail(m_vars.detail, s.dateOrder, today);
        if (once.isValid())
            m_onceDateEdit->setDate(once);
    }
    m_showing = false;
    m_vars.cancelled = true;
    exec();
    return !m_vars.cancelled;
}

QWidget* ReminderEditorDialog::fieldWidget(EditorField field) const
{
    switch (field) {
    case EditorField::Task: return m_taskEdit;
    case EditorField::StartDate: return m_startDateEdit;
    case EditorField::EndDate: return m_endDateEdit;
    case EditorField::DailyDays: return m_dailyDaysEdit;
    case EditorField::WeeklyWeeks: return m_weeklyWeeksEdit;
    case EditorField::WeeklySunday: return m_weekdayBoxes[0];
    case EditorField::MonthlyDay: return m_monthlyDayEdit;
    case EditorField::MonthlyInterval: return m_monthlyIntervalEdit;
    case EditorField::MonthlyXth: return m_monthlyXthList;
    case EditorField::MonthlyWeekday: return m_monthlyWeekdayList;
    case EditorField::MonthlyInterval2: return m_monthlyInterval2Edit;
    case EditorField::YearlyMonth: return m_yearlyMonthList;
    case EditorField::YearlyDay: return m_yearlyDayEdit;
    case EditorField::YearlyXth: return m_yearlyXthList;
    case EditorField::YearlyWeekday: return m_yearlyWeekdayList;
    case EditorField::YearlyMonth2: return m_yearlyMonth2List;
    case EditorField::OnceDate: return m_onceDateEdit;
    }
    return m_taskEdit;
}

bool ReminderEditorDialog::checkFields()
{
    const auto refusal = checkEditorValues(controlValues(), m_ctx.settings.dateOrder, m_ctx.services.clock->today());
    if (refusal) {
        m_ctx.services.tell(refusal->message, QStringLiteral("Oops"), MsgIcon::Information, false);
        fieldWidget(refusal->field)->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (m_taskTaken && m_taskTaken(m_taskEdit->text())) {
        m_ctx.services.tell(duplicateTaskMessage(), QString(), MsgIcon::None);
        m_taskEdit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void ReminderEditorDialog::storeValues()
{
    ruleFromEditorValues(controlValues(), m_vars, m_ctx.settings.dateOrder, m_ctx.services.clock->today());
}

void ReminderEditorDialog::accept()
{
    if (!checkFields())
        return;
    storeValues();
    m_vars.cancelled = false;
    QDialog::accept();
}

void ReminderEditorDialog::previewRecurrences()
{
    if (m_previewList->isHidden()) {
        m_previewList->show();
        growForPreview();
    }
    m_previewList->clear();
    const ReminderPreview preview =
        previewDates(controlValues(), m_ctx.settings.dateOrder, m_ctx.services.clock->today());
    if (!preview.onceDateValid) {
        m_ctx.services.tell(QStringLiteral("Enter a valid date to schedule your reminder"), QStringLiteral("Ooops!"),
                            MsgIcon::Information, false);
        m_onceDateEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    QList<QTreeWidgetItem*> rows;
    rows.reserve(preview.dates.size());
    const QString mask = m_ctx.settings.dateMask;
    for (const QDate& d : preview.dates)
        rows.append(new QTreeWidgetItem(QStringList{occurrenceText(d, mask), occurrenceKey(d)}));
    m_previewList->addTopLevelItems(rows);
}

void ReminderEditorDialog::growForPreview()
{
    // Taller by the preview, but kept on the screen the editor is on: no
    // taller than that screen, and moved up where its foot would run off it.
    const QScreen* shownOn = screen();
    if (!shownOn) {
        resize(width(), height() + kPreviewHeight);
        return;
    }
    const QRect room = shownOn->availableGeometry();
    const QRect frame = frameGeometry();
    const int frameExtra = frame.height() - height();
    const int fitting = room.height() - frameExtra;
    layout()->activate();
    if (minimumHeight() > fitting) {
        m_previewList->setMinimumHeight(qMax(0, m_previewList->minimumHeight() - (minimumHeight() - fitting)));
        layout()->activate();
    }
    resize(width(), qMin(height() + kPreviewHeight, fitting));
    QPoint topLeft = frame.topLeft();
    const int frameHeight = height() + frameExtra;
    if (topLeft.y() + frameHeight > room.bottom() + 1)
        topLeft.setY(room.bottom() + 1 - frameHeight);
    topLeft.setY(qMax(topLeft.y(), room.top()));
    move(topLeft);
}

void ReminderEditorDialog::pickStartDate()
{
    pickDateInto(m_ctx, m_startDateEdit, m_startCalendarButton->mapToGlobal(QPoint(3, 3)), this);
}

void ReminderEditorDialog::pickEndDate()
{
    pickDateInto(m_ctx, m_endDateEdit, m_endCalendarButton->mapToGlobal(QPoint(3, 3)), this);
}

void ReminderEditorDialog::pickOnceDate()
{
    pickDateInto(m_ctx, m_onceDateEdit, m_onceCalendarButton->mapToGlobal(QPoint(3, 3)), this);
    rebuildWording();
}
