#include "core/ui/ElidedComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <algorithm>

namespace {

// The opened list's rows, each cut short to the row's width.
class ElidedItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shown = option;
        initStyleOption(&shown, index);
        const QStyle* style = shown.widget ? shown.widget->style() : QApplication::style();
        // The style keeps this margin on each side of an item's text.
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, shown.widget) + 1;
        int room = shown.rect.width() - 2 * margin;
        if (shown.features & QStyleOptionViewItem::HasDecoration)
            room -= shown.decorationSize.width() + 2 * margin;
        shown.text = shown.fontMetrics.elidedText(shown.text, Qt::ElideRight, std::max(0, room));
        style->drawControl(QStyle::CE_ItemViewItem, &shown, painter, shown.widget);
    }
};

} // namespace

ElidedComboBox::ElidedComboBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new ElidedItemDelegate(this));
}

void ElidedComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0 && !placeholderText().isEmpty()) {
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
        option.currentText = placeholderText();
    }
    // The face's text as the style places it: a pixel in from each side of
    // the field, after the icon.
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    int room = field.width() - 2;
    if (!option.currentIcon.isNull())
        room -= option.iconSize.width() + 4;
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, std::max(0, room));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
