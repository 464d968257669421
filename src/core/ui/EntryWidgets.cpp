#include "core/ui/EntryWidgets.h"

#include "core/Dates.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QIcon>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QHeaderView>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

void showWholeText(QLineEdit* box, const QString& text, int typedLimit)
{
    box->setMaxLength(std::max(typedLimit, int(text.size())));
    box->setText(text);
}

// ---------------------------------------------------------------- UpDown

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto makeButton = [this, layout](Qt::ArrowType arrow, const QString& name) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        // The spinner never takes the focus: clicking it does not count as
        // leaving the box beside it.
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        layout->addWidget(button);
        return button;
    };
    m_upButton = makeButton(Qt::UpArrow, QStringLiteral("upButton"));
    m_downButton = makeButton(Qt::DownArrow, QStringLiteral("downButton"));
    connect(m_upButton, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_downButton, &QToolButton::clicked, this, &UpDown::stepDown);
    setFocusPolicy(Qt::NoFocus);
}

void UpDown::setRange(int minimum, int maximum)
{
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    setValue(std::clamp(m_value, m_min, m_max));
}

void UpDown::setSingleStep(int step) { m_step = std::max(1, step); }
void UpDown::setBuddy(QLineEdit* buddy) { m_buddy = buddy; }
void UpDown::setShownPosition(std::function<double()> shownPosition) { m_shownPosition = std::move(shownPosition); }

void UpDown::setValue(int value)
{
    value = std::clamp(value, m_min, m_max);
    if (value == m_value)
        return;
    m_value = value;
    emit valueChanged(m_value);
}

void UpDown::stepUp() { stepBy(1); }
void UpDown::stepDown() { stepBy(-1); }

void UpDown::stepBy(int steps)
{
    if (m_buddy) {
        // Take up whatever number the box holds now, then step from there.
        const double typed = leadingNumber(m_buddy->text());
        int from = m_min;
        if (std::isfinite(typed))
            from = static_cast<int>(std::clamp(std::trunc(typed), double(m_min), double(m_max)));
        const long long next = std::clamp<long long>(static_cast<long long>(from) + static_cast<long long>(steps) * m_step,
                                                     m_min, m_max);
        const QString text = QString::number(next);
        if (m_buddy->text() != text)
            m_buddy->setText(text);
        setValue(static_cast<int>(next));
        return;
    }
    long long from = m_value;
    if (m_shownPosition) {
        // Step from what the box shows: a value between two positions goes to
        // the next one in the direction of the step.
        const double shown = m_shownPosition();
        if (std::isfinite(shown)) {
            const double edge = steps > 0 ? std::floor(shown) : std::ceil(shown);
            from = static_cast<long long>(std::clamp(edge, double(m_min), double(m_max)));
            // The box is rewritten even when the position lands where it was.
            m_value = static_cast<int>(from);
        }
    }
    const long long next =
        std::clamp<long long>(from + static_cast<long long>(steps) * m_step, m_min, m_max);
    if (m_shownPosition && next == m_value)
        emit valueChanged(m_value);
    else
        setValue(static_cast<int>(next));
}

// ---------------------------------------------------------------- MaskedDateEdit

namespace {
bool showsDigits(const QLineEdit& box)
{
    const QString shown = box.displayText();
    return std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.isDigit(); });
}

// A click into a box that holds nothing yet puts the cursor on its first
// position, so the keeper does not start typing in the middle of the mask.
void startEmptyBoxAtFront(QLineEdit& box)
{
    if (!showsDigits(box) && !box.hasSelectedText())
        box.setCursorPosition(0);
}

QString escapedMaskLiteral(const QString& literal)
{
    QString out;
    for (QChar c : literal)
        out += QLatin1Char('\\') + c;
    return out;
}
} // namespace

MaskedDateEdit::MaskedDateEdit(QWidget* parent) : QLineEdit(parent)
{
    setDateFormat(m_order, m_delimiter, m_mask);
}

void MaskedDateEdit::setDateFormat(const QString& dateOrder, const QString& delimiter, const QString& dateMask)
{
    const QString digits = hasDigits() ? text() : QString();
    m_order = dateOrder;
    m_delimiter = delimiter.isEmpty() ? QStringLiteral("/") : delimiter.left(1);
    m_mask = dateMask;
    const QString d = escapedMaskLiteral(m_delimiter);
    setInputMask(QStringLiteral("00") + d + QStringLiteral("00") + d + QStringLiteral("00;_"));
    setMaxLength(8);
    if (!digits.isEmpty())
        setText(digits);
    // The digits kept are read in the new order from now on.
    m_shownDate = QDate();
    m_shownText.clear();
}

std::optional<QDate> MaskedDateEdit::date(const QDate& today) const
{
    if (m_shownDate.isValid() && displayText() == m_shownText)
        return m_shownDate;
    return parseKeeperDate(displayText(), m_order, today);
}

void MaskedDateEdit::setDate(const QDate& date)
{
    if (!date.isValid()) {
        clearDate();
        return;
    }
    setText(formatDateMask(date, m_mask));
    m_shownDate = date;
    m_shownText = displayText();
}

bool MaskedDateEdit::hasDigits() const { return showsDigits(*this); }

void MaskedDateEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    startEmptyBoxAtFront(*this);
}

void MaskedDateEdit::clearDate()
{
    clear();
    m_shownDate = QDate();
    m_shownText.clear();
}

// ---------------------------------------------------------------- MaskedTimeEdit

MaskedTimeEdit::MaskedTimeEdit(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("00:00:00 aa;_"));
}

void MaskedTimeEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    startEmptyBoxAtFront(*this);
}

std::optional<QTime> MaskedTimeEdit::time() const { return parseAmPmTime(displayText()); }

void MaskedTimeEdit::setTime(const QTime& time, bool upperMarker)
{
    if (!time.isValid()) {
        clear();
        return;
    }
    setText(formatAmPmTime(time, upperMarker));
}

// ---------------------------------------------------------------- LeaveChecker

LeaveChecker::LeaveChecker(QWidget* dialog) : QObject(dialog), m_dialog(dialog)
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { watchReturn(now); });
}

void LeaveChecker::addCheck(QWidget* field, std::function<bool()> check)
{
    if (!field)
        return;
    m_entries.append({field, std::move(check)});
    field->installEventFilter(this);
}

void LeaveChecker::addExempt(QWidget* widget)
{
    if (widget)
        m_exempt.append(widget);
}

bool LeaveChecker::checkAll()
{
    for (Entry& entry : m_entries) {
        if (!entry.field)
            continue;
        if (!runCheck(entry, true))
            return false;
    }
    return true;
}

bool LeaveChecker::runCheck(Entry& entry, bool refocus)
{
    if (!entry.check)
        return true;
    const bool wasBusy = m_busy;
    m_busy = true;
    const bool ok = entry.check();
    if (!ok && refocus && entry.field) {
        ++m_refocusCount;
        entry.field->setFocus(Qt::OtherFocusReason);
    }
    m_busy = wasBusy;
    return ok;
}

bool LeaveChecker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_busy)
        return QObject::eventFilter(watched, event);
    const auto* focusEvent = static_cast<QFocusEvent*>(event);
    const Qt::FocusReason reason = focusEvent->reason();
    // The focus went to another window, a message box or a pop-up: not a leave.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason)
        return QObject::eventFilter(watched, event);

    auto* field = qobject_cast<QWidget*>(watched);
    QWidget* next = QApplication::focusWidget();
    if (!field || !next || next == field || field->isAncestorOf(next))
        return QObject::eventFilter(watched, event);
    if (!m_dialog || next->window() != m_dialog->window())
        return QObject::eventFilter(watched, event);
    // Another child window of the same main window: the check waits until
    // the focus comes back.
    if (next != m_dialog && !m_dialog->isAncestorOf(next)) {
        m_leftForAnotherWindow = field;
        return QObject::eventFilter(watched, event);
    }
    for (const QPointer<QWidget>& exempt : m_exempt) {
        if (exempt && (exempt == next || exempt->isAncestorOf(next)))
            return QObject::eventFilter(watched, event);
    }
    checkLeftField(field);
    return QObject::eventFilter(watched, event);
}

void LeaveChecker::watchReturn(QWidget* now)
{
    if (!m_leftForAnotherWindow || !now || !m_dialog || (now != m_dialog && !m_dialog->isAncestorOf(now)))
        return;
    QWidget* field = m_leftForAnotherWindow;
    m_leftForAnotherWindow = nullptr;
    // Back in the field itself: it was never left within its window.
    if (now == field || field->isAncestorOf(now) || m_busy)
        return;
    for (const QPointer<QWidget>& exempt : m_exempt) {
        if (exempt && (exempt == now || exempt->isAncestorOf(now)))
            return;
    }
    checkLeftField(field);
}

void LeaveChecker::checkLeftField(QWidget* field)
{
    // Run the check once the focus change has finished; a check that fails
    // in the meantime (another field's) cancels this one, so only one message
    // shows at a time.
    const int generation = m_refocusCount;
    QPointer<QWidget> guard(field);
    QMetaObject::invokeMethod(
        this,
        [this, guard, generation] {
            if (!guard || m_busy || generation != m_refocusCount)
                return;
            if (m_dialog && !m_dialog->isVisible())
                return;
            QWidget* now = QApplication::focusWidget();
            for (const QPointer<QWidget>& exempt : m_exempt) {
                if (exempt && now && (exempt == now || exempt->isAncestorOf(now)))
                    return;
            }
            for (Entry& entry : m_entries) {
                if (entry.field == guard) {
                    runCheck(entry, true);
                    return;
                }
            }
        },
        Qt::QueuedConnection);
}

QString captionText(const QString& text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// ---------------------------------------------------------------- list view style

void setListViewStyle(QAbstractItemView* view)
{
    if (!view)
        return;
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    QHeaderView* header = nullptr;
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        tree->setAllColumnsShowFocus(true);
        header = tree->header();
    } else if (auto* table = qobject_cast<QTableView*>(view)) {
        header = table->horizontalHeader();
    }
    if (header) {
        header->setSectionsMovable(true);
        // No part of the row stays empty while a value beside it is cut:
        // the last column takes the free width (a double-click on a column's
        // edge fits the column to its values).
        header->setStretchLastSection(true);
    }
}

namespace {

// The widths of a list's text columns that together may take `room`. Each is
// as wide as its texts need and at least as wide as designed, where that fits.
// Where it does not and a column's texts are cut, the columns that need less
// than designed give up room, each the same number of pixels and never below
// what they need, until the cut ones read whole. If even that is not enough,
// those columns keep only what they need and the cut ones share what is left:
// the shorter texts read whole, the longer ones are cut at one common width,
// none below its designed width.
QVector<int> shareRoom(int room, const QVector<int>& designed, const QVector<int>& need)
{
    const int count = int(designed.size());
    auto total = [count](const auto& widthOf) {
        int sum = 0;
        for (int i = 0; i < count; ++i)
            sum += widthOf(i);
        return sum;
    };
    auto whole = [&](int i) { return std::max(designed[i], need[i]); };
    bool cut = false;
    int spare = 0;   // the most room any column has beyond what it needs
    for (int i = 0; i < count; ++i) {
        cut = cut || need[i] > designed[i];
        spare = std::max(spare, designed[i] - need[i]);
    }
    QVector<int> widths(count);
    if (!cut || total(whole) <= room) {
        for (int i = 0; i < count; ++i)
            widths[i] = whole(i);
        return widths;
    }
    // Every column as wide as it needs, those with room to spare down by `give`.
    auto given = [&](int give) { return [&, give](int i) { return std::max(need[i], whole(i) - give); }; };
    if (total(given(spare)) <= room) {
        int low = 0;
        int high = spare;
        while (low < high) {
            const int give = (low + high) / 2;
            if (total(given(give)) <= room)
                high = give;
            else
                low = give + 1;
        }
        for (int i = 0; i < count; ++i)
            widths[i] = given(low)(i);
        return widths;
    }
    auto levelled = [&](int level) {
        return [&, level](int i) {
            return need[i] <= designed[i] ? need[i] : std::max(designed[i], std::min(need[i], level));
        };
    };
    int low = 0;
    int high = *std::max_element(need.cbegin(), need.cend());
    while (low < high) {
        const int level = (low + high + 1) / 2;
        if (total(levelled(level)) <= room)
            low = level;
        else
            high = level - 1;
    }
    for (int i = 0; i < count; ++i)
        widths[i] = levelled(low)(i);
    return widths;
}

// The text columns of one list. What the columns need is measured when the
// list is filled; when the list's width changes the room is only shared out
// again. A column the keeper sized (dragging its edge or double-clicking it)
// keeps the keeper's width until the next fill.
class TextColumnFit : public QObject {
public:
    explicit TextColumnFit(QTreeView* view) : QObject(view), m_view(view)
    {
        view->viewport()->installEventFilter(this);
        QHeaderView* header = view->header();
        header->viewport()->installEventFilter(this);
        connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
            // The column the keeper drags or double-clicks is the first one
            // resized; the stretched last column may follow it by itself.
            if (!m_keeperSizing || m_sharing)
                return;
            if (m_keeperColumn < 0)
                m_keeperColumn = column;
            if (column == m_keeperColumn)
                m_keeperSized.insert(column, width);
        });
    }

    void fit(const QVector<TextColumn>& columns)
    {
        m_columns = columns;
        m_keeperSized.clear();
        m_needs.clear();
        for (const TextColumn& c : m_columns)
            if (isShown(c.column))
                neededWidth(c.column);
        if (const int last = lastShownColumn(); last >= 0)
            neededWidth(last);
        share();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_view->viewport()) {
            if (event->type() == QEvent::Resize && m_view->viewport()->width() != m_sharedWidth)
                share();
        } else if (watched == m_view->header()->viewport()) {
            switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                m_keeperSizing = true;
                m_keeperColumn = -1;
                break;
            case QEvent::MouseButtonRelease: m_keeperSizing = false; break;
            default: break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool isShown(int column) const
    {
        const QHeaderView* header = m_view->header();
        return column >= 0 && column < header->count() && !header->isSectionHidden(column);
    }

    int lastShownColumn() const
    {
        const QHeaderView* header = m_view->header();
        for (int visual = header->count() - 1; visual >= 0; --visual)
            if (!header->isSectionHidden(header->logicalIndex(visual)))
                return header->logicalIndex(visual);
        return -1;
    }

    // What a column needs to show its header and its values whole, measured
    // once per fill (a column that becomes the last one later is measured then).
    int neededWidth(int column)
    {
        const auto found = m_needs.constFind(column);
        if (found != m_needs.cend())
            return *found;
        const auto* items = static_cast<const QAbstractItemView*>(m_view);
        const int need = std::max(items->sizeHintForColumn(column), m_view->header()->sectionSizeHint(column));
        m_needs.insert(column, need);
        return need;
    }

    // The text columns the keeper has not sized share the room the other
    // columns leave in the view, at least half of it; the last column, which
    // stretches over the free width, counts with what it needs (or the width
    // the keeper gave it).
    void share()
    {
        m_sharedWidth = m_view->viewport()->width();
        QHeaderView* header = m_view->header();
        QVector<int> shown, designed, need;
        for (const TextColumn& c : m_columns) {
            if (!isShown(c.column) || m_keeperSized.contains(c.column) || shown.contains(c.column))
                continue;
            shown.append(c.column);
            designed.append(c.designedWidth);
            need.append(neededWidth(c.column));
        }
        if (shown.isEmpty())
            return;
        const int last = lastShownColumn();
        int others = 0;
        for (int column = 0; column < header->count(); ++column) {
            if (header->isSectionHidden(column) || shown.contains(column))
                continue;
            if (column != last)
                others += header->sectionSize(column);
            else
                others += m_keeperSized.contains(column) ? m_keeperSized.value(column) : neededWidth(column);
        }
        const int room = std::max(m_sharedWidth - others, m_sharedWidth / 2);
        const QVector<int> widths = shareRoom(room, designed, need);
        m_sharing = true;
        for (int i = 0; i < shown.size(); ++i)
            header->resizeSection(shown[i], widths[i]);
        m_sharing = false;
    }

    QTreeView* m_view;
    QVector<TextColumn> m_columns;
    QHash<int, int> m_needs;        // column -> width it needs, since the last fill
    QHash<int, int> m_keeperSized;  // column -> the width the keeper gave it since the last fill
    bool m_keeperSizing = false;    // a mouse button is down on the header
    int m_keeperColumn = -1;        // the column it sizes
    bool m_sharing = false;         // the widths being set are the fitter's own
    int m_sharedWidth = -1;
};

} // namespace

void fitTextColumns(QTreeView* view, const QVector<TextColumn>& columns)
{
    if (!view)
        return;
    // A list keeps one fitter, which shares the room out again as the list is resized.
    TextColumnFit* fit = nullptr;
    for (QObject* child : view->children())
        if ((fit = dynamic_cast<TextColumnFit*>(child)))
            break;
    if (!fit)
        fit = new TextColumnFit(view);
    fit->fit(columns);
}

QComboBox* makePickList(QWidget* parent, const char* name)
{
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMaxVisibleItems(20);
    return combo;
}

void fillPickList(QComboBox* list, const QStringList& items)
{
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
    list->setEditText(QString());
}

QToolButton* makeCalendarButton(QWidget* parent)
{
    auto* button = named(new QToolButton(parent), "calendarButton");
    button->setIcon(QIcon(QStringLiteral(":/icons/cal.png")));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(QStringLiteral("Calendar"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool refuseField(const Services& services, QWidget* field, const QString& title, const QString& text)
{
    services.tell(text, title, MsgIcon::Exclamation);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
    return false;
}
