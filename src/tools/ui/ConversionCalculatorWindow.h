#pragma once
// The conversion calculator: forty unit conversions in a list; the keeper
// picks one, types a number and clicks Convert to read the result. It leaves
// File > Print as the window before it set it.
#include "core/ui/ShellInterfaces.h"

#include <QWidget>

class AppContext;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

class ConversionCalculatorWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    explicit ConversionCalculatorWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~ConversionCalculatorWindow() override;

    QString windowName() const override { return QStringLiteral("ConversionCalculatorWindow"); }
    // Leaves File > Print alone.
    void activate() override {}

    // The selected conversion's units in the two unit labels; the result box
    // is emptied. With no conversion selected both labels are empty.
    void showSelectedUnits();
    // Converts the typed number with the selected conversion into the result
    // box; without a conversion, or without a usable number, a note says why.
    void convert();

    QSize sizeHint() const override { return QSize(660, 480); }

protected:

private slots:
    void sortByColumn(int column);
    void closeWindow();

private:
    QString selectedKey() const;

    AppContext& m_ctx;

    QTreeWidget* m_conversionList = nullptr;
    QLineEdit* m_fromValueEdit = nullptr;
    QLineEdit* m_toValueEdit = nullptr;
    QLabel* m_fromUnitLabel = nullptr;
    QLabel* m_toUnitLabel = nullptr;
    QPushButton* m_convertButton = nullptr;
    QPushButton* m_closeButton = nullptr;

    bool m_sortingOn = false;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
