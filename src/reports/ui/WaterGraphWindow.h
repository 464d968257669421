#pragma once
// The water-quality graph: a child window of the main window that draws one
// tank's water tests as a chart, twenty entries a page, with the measurements
// and graph type the keeper chose in the options. A box picks the tank;
// Previous and Next turn the pages; a right click opens the graph pop-up
// (Graph Options); File > Print prints the chart.
#include "core/Printing.h"
#include "core/ui/ShellInterfaces.h"
#include "reports/GraphPages.h"

#include <QWidget>
#include <functional>
#include <optional>

class AppContext;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;

class WaterGraphWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    WaterGraphWindow(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);
    ~WaterGraphWindow() override;

    // IChildWindow
    QString windowName() const override { return QStringLiteral("WaterGraphWindow"); }
    void activate() override;
    void printRequested() override { printGraph(); }

    // Draws the tank with the key tankId: the page shown when it is the tank
    // shown, else its page 1. Without a key it draws the tank shown, or the
    // first tank when none is shown (or the one shown is gone).
    void graphTank(const std::optional<QString>& tankId = std::nullopt);
    // Prints the chart as shown, one landscape page per copy, titled with
    // the name the tank it shows has now.
    void printGraph(PrintDestination destination = PrintDestination::Printer);
    // Tanks were added, changed or deleted: the box lists them as they are
    // now and keeps the tank shown. When the tank the chart shows is gone,
    // the box names no tank and the chart is emptied.
    void refreshTanks();

    QChart* chart() const { return m_chart; }
    // The page drawn last.
    const GraphPageData& shownPage() const { return m_page; }

    // The main window's graph pop-up, shown by a right click.
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    // Shows a pop-up menu at a screen position (tests replace it).
    std::function<void(QMenu*, const QPoint&)> showPopup;

signals:
    // The keeper chose the tank with this key in the tank box.
    void tankPicked(const QString& tankId);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    // The keeper chose a tank in the box: page 1 of that tank.
    void chooseTank(int index);
    void showNextPage();
    void showPreviousPage();

private:
    // Refills the tank box from the tanks table (names, with their keys as
    // item data), keeping the tank shown.
    void fillTankBox();
    // Draws the tank with this key, from its page 1 when firstPage.
    void drawTank(const QString& tankId, bool firstPage);
    // Empties the chart: no tank's entries are shown, no page can be turned.
    void emptyChart();
    void popUpMenu(const QPoint& globalPos);
    void takeFocus();
    // Puts a new chart, filled by `fill`, in the place of the one shown; the
    // title stays.
    void replaceChart(const std::function<void(QChart*)>& fill);
    // Says so above the chart when the page drawn holds no value to show.
    void noteMissingValues();
    // Paints the chart into a rectangle of a printed page.
    void paintChart(QPainter& painter, const QRectF& target);

    AppContext& m_ctx;
    IShell* m_shell;
    GraphPager m_pager;
    GraphPageData m_page;
    std::optional<QString> m_tankId;   // the tank being graphed: none before the first drawing
    QString m_chartTankId;   // the tank whose entries the chart shows ("" while it shows none)
    bool m_loading = false;

    QLabel* m_tankLabel = nullptr;
    QComboBox* m_tankBox = nullptr;
    QToolButton* m_previousButton = nullptr;
    QToolButton* m_nextButton = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QLabel* m_noValuesLabel = nullptr;
    QLabel* m_hintLabel = nullptr;
    QMenu* m_popupMenu = nullptr;
};
