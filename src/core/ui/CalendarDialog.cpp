#include "core/ui/CalendarDialog.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QDate todayOf(const AppContext& ctx)
{
    return ctx.services.clock ? ctx.services.clock->today() : QDate::currentDate();
}
} // namespace

void CalendarNamePanel::mousePressEvent(QMouseEvent* event)
{
    // Taken here: a press passed on to the scroll bar underneath would step
    // the month or the year by its track.
    event->accept();
}

void CalendarNamePanel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked(event->globalPosition().toPoint());
}

CalendarDialog::CalendarDialog(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_model(todayOf(ctx))
{
    setObjectName(QStringLiteral("CalendarDialog"));
    addHelpKey(this, QStringLiteral("calendar.html"));
    setWindowTitle(QStringLiteral("Calendar"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setModal(true);

    auto makeBar = [this](const QString& name, int minimum, int maximum, int initial) {
        auto* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(name);
        bar->setRange(minimum, maximum);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setValue(initial);
        bar->setMinimumHeight(22);
        return bar;
    };
    m_monthBar = makeBar(QStringLiteral("monthBar"), CalendarModel::kMonthBarMin, CalendarModel::kMonthBarMax, 1);
    m_yearBar = makeBar(QStringLiteral("yearBar"), CalendarModel::kMinYear, CalendarModel::kMaxYear,
                         CalendarModel::kMinYear);

    auto makePanel = [](QScrollBar* bar, const QString& name) {
        auto* panel = new CalendarNamePanel(bar);
        panel->setObjectName(name);
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setCursor(Qt::PointingHandCursor);
        return panel;
    };
    m_monthPanel = makePanel(m_monthBar, QStringLiteral("monthPanel"));
    m_yearPanel = makePanel(m_yearBar, QStringLiteral("yearPanel"));
    m_monthPanel->setToolTip(QStringLiteral("Click to choose the month"));
    m_yearPanel->setToolTip(QStringLiteral("Click to choose the year"));

    m_monthMenu = new QMenu(QStringLiteral("Months"), this);
    m_monthMenu->setObjectName(QStringLiteral("monthMenu"));
    const QStringList months = CalendarModel::monthNames();
    for (int k = 1; k <= 12; ++k) {
        QAction* item = m_monthMenu->addAction(months[k - 1]);
        item->setObjectName(QStringLiteral("monthAction%1").arg(k));
        connect(item, &QAction::triggered, this, [this, k] { chooseMonth(k); });
    }
    m_yearMenu = new QMenu(QStringLiteral("Years"), this);
    m_yearMenu->setObjectName(QStringLiteral("yearMenu"));
    const QList<int> years = CalendarModel::yearMenu(todayOf(ctx).year());
    for (int i = 0; i < years.size(); ++i) {
        const int year = years[i];
        QAction* item = m_yearMenu->addAction(QString::number(year));
        item->setObjectName(QStringLiteral("yearAction%1").arg(i));
        connect(item, &QAction::triggered, this, [this, year] { chooseYear(year); });
    }

    auto* grid = new QGridLayout;
    grid->setSpacing(1);
    const QStringList heads = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                               QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                               QStringLiteral("Sat")};
    for (int c = 0; c < 7; ++c) {
        auto* head = new QLabel(heads[c], this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, c);
    }
    for (int i = 0; i < CalendarModel::kCells; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("dayButton%1").arg(i));
        button->setFixedSize(32, 26);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, i] { pickDay(i); });
        m_dayButtons[static_cast<size_t>(i)] = button;
        grid->addWidget(button, 1 + i / 7, i % 7);
    }

    m_returnDateLabel = new QLabel(this);
    m_returnDateLabel->setObjectName(QStringLiteral("returnDateLabel"));
    m_returnDateLabel->setFrameShape(QFrame::Panel);
    m_returnDateLabel->setFrameShadow(QFrame::Sunken);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_returnDateLabel, 1);
    bottom->addWidget(m_okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_monthBar);
    layout->addWidget(m_yearBar);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_monthBar, &QScrollBar::valueChanged, this, &CalendarDialog::followMonthBar);
    connect(m_yearBar, &QScrollBar::valueChanged, this, &CalendarDialog::followYearBar);
    connect(m_monthPanel, &CalendarNamePanel::clicked, this, &CalendarDialog::popUpMonthMenu);
    connect(m_yearPanel, &CalendarNamePanel::clicked, this, &CalendarDialog::popUpYearMenu);
    connect(m_okButton, &QPushButton::clicked, this, &CalendarDialog::closeWithoutPicking);

    m_cancelled = true;
    setOpeningDate(todayOf(ctx));
}

void CalendarDialog::setOpeningDate(const QDate& date)
{
    QDate opening = date;
    if (!opening.isValid() || opening.year() < CalendarModel::kMinYear || opening.year() > CalendarModel::kMaxYear)
        opening = todayOf(m_ctx);
    m_opened = opening;
    m_model.setDate(opening);
    m_cancelled = true;
    {
        const QSignalBlocker blockYear(m_yearBar);
        const QSignalBlocker blockMonth(m_monthBar);
        m_yearBar->setValue(m_model.year());
        m_monthBar->setValue(m_model.month());
    }
    drawMonth();
}

void CalendarDialog::placeAt(const QPoint& placement)
{
    m_placement = placement;
}

void CalendarDialog::moveToPlacement()
{
    QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // An edge whose coordinate is off the screen stays where the dialog put itself.
    QPoint where = pos();
    if (m_placement.x() > area.left() && m_placement.x() <= area.right())
        where.setX(m_placement.x());
    if (m_placement.y() > area.top() && m_placement.y() <= area.bottom())
        where.setY(m_placement.y());
    if (where != pos())
        move(where);
}

CalendarResult CalendarDialog::result() const
{
    if (m_cancelled)
        return {m_opened, true};
    return {m_model.date(), false};
}

void CalendarDialog::drawMonth()
{
    if (m_drawing)
        return;
    m_drawing = true;
    // A day button that has the focus would take Enter for itself; the day
    // being shown is the one Enter picks, so the focus follows it.
    QWidget* focused = focusWidget();
    const bool dayHadFocus =
        focused && std::find(m_dayButtons.begin(), m_dayButtons.end(), focused) != m_dayButtons.end();
    m_monthPanel->setText(CalendarModel::monthName(m_model.month()));
    m_yearPanel->setText(QStringLiteral("%1").arg(m_model.year(), 4, 10, QLatin1Char('0')));
    const int selected = m_model.selectedCell();
    for (int i = 0; i < CalendarModel::kCells; ++i) {
        QPushButton* button = m_dayButtons[static_cast<size_t>(i)];
        const int day = m_model.dayInCell(i);
        button->setText(day > 0 ? QString::number(day) : QString());
        button->setEnabled(day > 0);
        button->setDefault(i == selected);
    }
    if (dayHadFocus && selected >= 0 && isVisible())
        m_dayButtons[static_cast<size_t>(selected)]->setFocus(Qt::OtherFocusReason);
    m_returnDateLabel->setText(
        CalendarModel::returnDateText(m_model.date(), m_ctx.settings.dateOrder, m_ctx.settings.dateDelimiter));
    m_drawing = false;
}

void CalendarDialog::followMonthBar(int value)
{
    m_model.setMonth(value);
    if (value == CalendarModel::kMonthBarMax || value == CalendarModel::kMonthBarMin) {
        // An arrow past December or January crossed the year: both bars follow.
        const QSignalBlocker blockYear(m_yearBar);
        const QSignalBlocker blockMonth(m_monthBar);
        m_yearBar->setValue(m_model.year());
        m_monthBar->setValue(m_model.month());
    }
    drawMonth();
}

void CalendarDialog::followYearBar(int value)
{
    m_model.setYear(value);
    drawMonth();
}

void CalendarDialog::popUpMonthMenu(const QPoint& globalPos)
{
    m_monthMenu->popup(globalPos);
}

void CalendarDialog::popUpYearMenu(const QPoint& globalPos)
{
    m_yearMenu->popup(globalPos);
}

void CalendarDialog::chooseMonth(int month)
{
    if (m_monthBar->value() == month)
        followMonthBar(month);
    else
        m_monthBar->setValue(month);
}

void CalendarDialog::chooseYear(int year)
{
    if (m_yearBar->value() == year)
        followYearBar(year);
    else
        m_yearBar->setValue(year);
}

void CalendarDialog::pickDay(int cell)
{
    const int day = m_model.dayInCell(cell);
    if (day <= 0)
        return;   // an empty cell picks nothing
    m_model.pickDay(day);
    m_returnDateLabel->setText(
        CalendarModel::returnDateText(m_model.date(), m_ctx.settings.dateOrder, m_ctx.settings.dateDelimiter));
    m_cancelled = false;
    accept();
}

void CalendarDialog::closeWithoutPicking()
{
    m_cancelled = true;
    reject();
}

void CalendarDialog::focusShownDay()
{
    const int selected = m_model.selectedCell();
    if (selected >= 0) {
        QPushButton* button = m_dayButtons[static_cast<size_t>(selected)];
        button->setDefault(true);
        button->setFocus(Qt::OtherFocusReason);
    }
}

void CalendarDialog::placePanels()
{
    for (QScrollBar* bar : {m_monthBar, m_yearBar}) {
        QWidget* panel = bar == m_monthBar ? static_cast<QWidget*>(m_monthPanel) : static_cast<QWidget*>(m_yearPanel);
        // Cover everything between the bar's two arrow buttons.
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.subControls = QStyle::SC_All;
        option.orientation = Qt::Horizontal;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        const QRect sub = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, bar);
        const QRect add = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
        int left = sub.isValid() ? sub.right() + 1 : bar->height();
        int right = add.isValid() ? add.left() : bar->width() - bar->height();
        if (right <= left) {
            left = bar->height();
            right = bar->width() - bar->height();
        }
        panel->setGeometry(left, 0, std::max(0, right - left), bar->height());
        panel->raise();
    }
}

void CalendarDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    moveToPlacement();
    placePanels();
    focusShownDay();
}

void CalendarDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placePanels();
}

CalendarResult showCalendar(AppContext& ctx, const QDate& opening, const QPoint& placement, QWidget* parent)
{
    CalendarDialog calendar(ctx, parent);
    calendar.setOpeningDate(opening);
    calendar.placeAt(placement);
    calendar.exec();
    return calendar.result();
}

void pickDateInto(AppContext& ctx, MaskedDateEdit* field, const QPoint& placement, QWidget* parent,
                  const QDate& readingDay)
{
    if (!field)
        return;
    QDate opening;
    if (field->hasDigits())
        opening = field->date(readingDay.isValid() ? readingDay : todayOf(ctx)).value_or(QDate());
    const CalendarResult result = showCalendar(ctx, opening, placement, parent ? parent : field->window());
    if (result.cancelled || !result.date.isValid())
        return;
    field->setDate(result.date);
}
