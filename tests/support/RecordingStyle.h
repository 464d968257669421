#pragma once
// The application's style, remembering the texts it is given to draw on a
// drop-down box's face and in the rows of item views and menus, each with
// where it was drawn.
// Installed with QApplication::setStyle; restore() puts the previous style back.
#include <QApplication>
#include <QList>
#include <QProxyStyle>
#include <QStyleOption>

class RecordingStyle : public QProxyStyle {
public:
    struct Drawn {
        QString text;
        QRect rect;
        const QWidget* widget = nullptr;
    };
    mutable QList<Drawn> faces;   // the text on a drop-down box's face
    mutable QList<Drawn> rows;    // the text of an item-view row or a menu item

    // Draws with the style of that name ("fusion").
    explicit RecordingStyle(const QString& base) : QProxyStyle(base), m_base(base) {}

    // Makes a recording style the application's and returns it.
    static RecordingStyle* install()
    {
        auto* style = new RecordingStyle(QApplication::style()->name());
        QApplication::setStyle(style);
        return style;
    }
    // Puts the application's style back as it was before install(); this
    // style is gone afterwards.
    void restore() const
    {
        const QString base = m_base;
        QApplication::setStyle(base);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_ComboBoxLabel) {
            if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option))
                faces.append({box->currentText, box->rect, widget});
        } else if (element == CE_ItemViewItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option))
                rows.append({item->text, item->rect, widget});
        } else if (element == CE_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option))
                rows.append({item->text, item->rect, widget});
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

private:
    QString m_base;
};
