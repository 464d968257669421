#include "core/ui/CalendarDialog.h"

#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"

#include <QAction>
#include <QGridLayout>
#include <QGuiApplication>
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

constexpr int kTwipsPerInch = 1440;
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
        emit mouseUp(event->globalPosition().toPoint());
}

CalendarDialog::CalendarDialog(AppContext& ctx, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_model(todayOf(ctx))
{
    setObjectName(QStringLiteral("CalendarDialog"));
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
    scrMonth = makeBar(QStringLiteral("scrMonth"), CalendarModel::kMonthBarMin, CalendarModel::kMonthBarMax, 1);
    scrYear = makeBar(QStringLiteral("scrYear"), CalendarModel::kMinYear, CalendarModel::kMaxYear,
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
    panMonth = makePanel(scrMonth, QStringLiteral("panMonth"));
    panYear = makePanel(scrYear, QStringLiteral("panYear"));
    panMonth->setToolTip(QStringLiteral("Click to choose the month"));
    panYear->setToolTip(QStringLiteral("Click to choose the year"));

    mnu_Month = new QMenu(QStringLiteral("Months"), this);
    mnu_Month->setObjectName(QStringLiteral("mnu_Month"));
    const QStringList months = CalendarModel::monthNames();
    for (int k = 1; k <= 12; ++k) {
        QAction* item = mnu_Month->addAction(months[k - 1]);
        item->setObjectName(QStringLiteral("mnu_Month_%1").arg(k));
        connect(item, &QAction::triggered, this, [this, k] { mnuMonth_Click(k); });
    }
    mnu_Year = new QMenu(QStringLiteral("Years"), this);
    mnu_Year->setObjectName(QStringLiteral("mnu_Year"));
    const QList<int> years = CalendarModel::yearMenu(todayOf(ctx).year());
    for (int i = 0; i < years.size(); ++i) {
        const int year = years[i];
        QAction* item = mnu_Year->addAction(QString::number(year));
        item->setObjectName(QStringLiteral("mnu_Year_%1").arg(i));
        connect(item, &QAction::triggered, this, [this, year] { mnuYear_Click(year); });
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
        button->setObjectName(QStringLiteral("cmdDay_%1").arg(i));
        button->setFixedSize(32, 26);
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this, [this, i] { cmdDay_Click(i); });
        cmdDay[static_cast<size_t>(i)] = button;
        grid->addWidget(button, 1 + i / 7, i % 7);
    }

    lblReturnDate = new QLabel(this);
    lblReturnDate->setObjectName(QStringLiteral("lblReturnDate"));
    lblReturnDate->setFrameShape(QFrame::Panel);
    lblReturnDate->setFrameShadow(QFrame::Sunken);
    cmd_ok = new QPushButton(QStringLiteral("OK"), this);
    cmd_ok->setObjectName(QStringLiteral("cmd_ok"));
    cmd_ok->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblReturnDate, 1);
    bottom->addWidget(cmd_ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scrMonth);
    layout->addWidget(scrYear);
    layout->addLayout(grid);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(scrMonth, &QScrollBar::valueChanged, this, &CalendarDialog::scrMonth_Change);
    connect(scrYear, &QScrollBar::valueChanged, this, &CalendarDialog::scrYear_Change);
    connect(panMonth, &CalendarNamePanel::mouseUp, this, &CalendarDialog::panMonth_MouseUp);
    connect(panYear, &CalendarNamePanel::mouseUp, this, &CalendarDialog::panYear_MouseUp);
    connect(cmd_ok, &QPushButton::clicked, this, &CalendarDialog::cmd_OK_Click);

    // Form_Load
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
        const QSignalBlocker blockYear(scrYear);
        const QSignalBlocker blockMonth(scrMonth);
        scrYear->setValue(m_model.year());
        scrMonth->setValue(m_model.month());
    }
    Draw_CalendarMonth();
}

void CalendarDialog::placeTwips(int x_pos, int y_pos)
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const double dpiX = screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : 96.0;
    const double dpiY = screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    const QRect area = screen->geometry();
    const double widthTwips = area.width() * kTwipsPerInch / dpiX;
    const double heightTwips = area.height() * kTwipsPerInch / dpiY;
    QPoint where = pos();
    if (x_pos > 0 && x_pos < widthTwips)
        where.setX(qRound(x_pos * dpiX / kTwipsPerInch));
    if (y_pos > 0 && y_pos < heightTwips)
        where.setY(qRound(y_pos * dpiY / kTwipsPerInch));
    if (where != pos())
        move(where);
}

CalendarResult CalendarDialog::result() const
{
    if (m_cancelled)
        return {m_opened, true};
    return {m_model.date(), false};
}

void CalendarDialog::Draw_CalendarMonth()
{
    if (m_drawing)
        return;
    m_drawing = true;
    // A day button that has the focus would take Enter for itself; the day
    // being shown is the one Enter picks, so the focus follows it.
    QWidget* focused = focusWidget();
    const bool dayHadFocus =
        focused && std::find(cmdDay.begin(), cmdDay.end(), focused) != cmdDay.end();
    panMonth->setText(CalendarModel::monthName(m_model.month()));
    panYear->setText(QStringLiteral("%1").arg(m_model.year(), 4, 10, QLatin1Char('0')));
    const int selected = m_model.selectedCell();
    for (int i = 0; i < CalendarModel::kCells; ++i) {
        QPushButton* button = cmdDay[static_cast<size_t>(i)];
        const int day = m_model.dayInCell(i);
        button->setText(day > 0 ? QString::number(day) : QString());
        button->setEnabled(day > 0);
        button->setDefault(i == selected);
    }
    if (dayHadFocus && selected >= 0 && isVisible())
        cmdDay[static_cast<size_t>(selected)]->setFocus(Qt::OtherFocusReason);
    lblReturnDate->setText(
        CalendarModel::returnDateText(m_model.date(), m_ctx.settings.dateOrder, m_ctx.settings.dateDelimiter));
    m_drawing = false;
}

void CalendarDialog::scrMonth_Change(int value)
{
    if (value == CalendarModel::kMonthBarMax || value == CalendarModel::kMonthBarMin) {
        // Wrap without touching the year; setting the bar runs this handler again.
        scrMonth->setValue(value == CalendarModel::kMonthBarMax ? 1 : 12);
        return;
    }
    m_model.setMonth(value);
    Draw_CalendarMonth();
}

void CalendarDialog::scrYear_Change(int value)
{
    m_model.setYear(value);
    Draw_CalendarMonth();
}

void CalendarDialog::panMonth_MouseUp(const QPoint& globalPos)
{
    mnu_Month->popup(globalPos);
}

void CalendarDialog::panYear_MouseUp(const QPoint& globalPos)
{
    mnu_Year->popup(globalPos);
}

void CalendarDialog::mnuMonth_Click(int month)
{
    if (scrMonth->value() == month)
        scrMonth_Change(month);
    else
        scrMonth->setValue(month);
}

void CalendarDialog::mnuYear_Click(int year)
{
    if (scrYear->value() == year)
        scrYear_Change(year);
    else
        scrYear->setValue(year);
}

void CalendarDialog::cmdDay_Click(int index)
{
    const int day = m_model.dayInCell(index);
    if (day <= 0)
        return;   // an empty cell picks nothing
    m_model.pickDay(day);
    lblReturnDate->setText(
        CalendarModel::returnDateText(m_model.date(), m_ctx.settings.dateOrder, m_ctx.settings.dateDelimiter));
    m_cancelled = false;
    Close_Calendar();
}

void CalendarDialog::cmd_OK_Click()
{
    m_cancelled = true;
    reject();
}

void CalendarDialog::Close_Calendar()
{
    accept();
}

void CalendarDialog::activate()
{
    const int selected = m_model.selectedCell();
    if (selected >= 0) {
        QPushButton* button = cmdDay[static_cast<size_t>(selected)];
        button->setDefault(true);
        button->setFocus(Qt::OtherFocusReason);
    }
}

void CalendarDialog::placePanels()
{
    for (QScrollBar* bar : {scrMonth, scrYear}) {
        QWidget* panel = bar == scrMonth ? static_cast<QWidget*>(panMonth) : static_cast<QWidget*>(panYear);
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
    placePanels();
    activate();
}

void CalendarDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placePanels();
}

CalendarResult ShowCalendar(AppContext& ctx, const QDate& opening, int x_pos, int y_pos, QWidget* parent)
{
    CalendarDialog calendar(ctx, parent);
    calendar.setOpeningDate(opening);
    calendar.placeTwips(x_pos, y_pos);
    calendar.exec();
    return calendar.result();
}

void pickDateInto(AppContext& ctx, MaskedDateEdit* field, const QPoint& placement, QWidget* parent)
{
    if (!field)
        return;
    const QDate today = todayOf(ctx);
    QDate opening;
    if (field->hasDigits())
        opening = field->date(today).value_or(QDate());
    CalendarDialog calendar(ctx, parent ? parent : field->window());
    calendar.setOpeningDate(opening);
    if (!placement.isNull())
        calendar.move(placement);
    calendar.exec();
    const CalendarResult result = calendar.result();
    if (result.cancelled || !result.date.isValid())
        return;
    field->setDate(result.date);
}
