#include "reports/ui/WaterGraphWindow.h"

#include "core/ui/HelpWindow.h"
#include "core/AppContext.h"
#include "core/TankStore.h"
#include "reports/GraphPrintout.h"
#include "reports/ui/GraphChartBuilder.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScopeGuard>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kPrintCaption = QStringLiteral("&Print");
const QString kNoTanksTitle = QStringLiteral("No Tanks Set Up Yet");
} // namespace

WaterGraphWindow::WaterGraphWindow(AppContext& ctx, IShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell), m_pager(ctx.db(), ctx.graphPageSize)
{
    m_loading = true;
    setObjectName("WaterGraphWindow");
    addHelpKey(this, QStringLiteral("graph.html"));
    setWindowTitle(QStringLiteral("Water Quality Graphing"));
    resize(720, 480);           // wide enough for a full page of dates
    setMinimumSize(520, 360);   // smaller, the chart cannot be read

    m_tankLabel = new QLabel(QStringLiteral("Aquarium :"), this);
    m_tankLabel->setObjectName("tankLabel");
    m_tankBox = new QComboBox(this);
    m_tankBox->setObjectName("tankBox");
    m_tankBox->setMinimumContentsLength(24);
    m_tankBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_tankLabel->setBuddy(m_tankBox);
    connect(m_tankBox, &QComboBox::activated, this, &WaterGraphWindow::chooseTank);

    m_previousButton = new QToolButton(this);
    m_previousButton->setObjectName("previousButton");
    m_previousButton->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    m_previousButton->setToolTip(QStringLiteral("Previous page"));
    m_previousButton->setAccessibleName(QStringLiteral("Previous page"));
    connect(m_previousButton, &QToolButton::clicked, this, &WaterGraphWindow::showPreviousPage);
    m_nextButton = new QToolButton(this);
    m_nextButton->setObjectName("nextButton");
    m_nextButton->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    m_nextButton->setToolTip(QStringLiteral("Next page"));
    m_nextButton->setAccessibleName(QStringLiteral("Next page"));
    connect(m_nextButton, &QToolButton::clicked, this, &WaterGraphWindow::showNextPage);

    auto* rule = new QFrame(this);
    rule->setObjectName("rule");
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    m_chart = new QChart;
    m_chart->setObjectName("chart");
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName("chartView");
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->viewport()->installEventFilter(this);

    m_noValuesLabel = new QLabel(this);
    m_noValuesLabel->setObjectName("noValuesLabel");
    m_noValuesLabel->setAlignment(Qt::AlignCenter);
    m_noValuesLabel->setWordWrap(true);
    m_noValuesLabel->hide();

    // 3D types draw flat, so the chart cannot be rotated: the hint names the pop-up only.
    m_hintLabel = new QLabel(QStringLiteral("(Right Click for Graph Properties)"), this);
    m_hintLabel->setObjectName("hintLabel");

    auto* top = new QHBoxLayout;
    top->addWidget(m_tankLabel);
    top->addWidget(m_tankBox);
    top->addStretch(1);
    top->addWidget(m_previousButton);
    top->addWidget(m_nextButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addWidget(m_noValuesLabel);
    layout->addWidget(m_chartView, 1);
    layout->addWidget(m_hintLabel);

    if (m_shell)
        m_shell->claimFilePrint(true, kPrintCaption);
    fillTankBox();
    m_tankBox->setCurrentIndex(-1);   // no tank chosen until the first drawing
    // Nothing is drawn yet: there is no page to turn to.
    m_previousButton->setEnabled(false);
    m_nextButton->setEnabled(false);
    m_loading = false;
}

WaterGraphWindow::~WaterGraphWindow() = default;

void WaterGraphWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(true, kPrintCaption);
    // Tanks may have been added or deleted while another window was in front.
    refreshTanks();
}

void WaterGraphWindow::refreshTanks()
{
    fillTankBox();
    if (!m_chartTankId.isEmpty() && m_tankBox->findData(m_chartTankId) < 0)
        emptyChart();
}

void WaterGraphWindow::fillTankBox()
{
    const QVariant shown = m_tankBox->currentData();
    const QVector<TankRecord> tanks = TankStore(m_ctx.db()).listByName();
    bool same = tanks.size() == m_tankBox->count();
    for (int i = 0; same && i < tanks.size(); ++i)
        same = m_tankBox->itemText(i) == tanks[i].tankname && m_tankBox->itemData(i).toString() == tanks[i].tankid;
    if (same)
        return;
    const QSignalBlocker block(m_tankBox);
    m_tankBox->clear();
    for (const TankRecord& tank : tanks)
        m_tankBox->addItem(tank.tankname, tank.tankid);
    m_tankBox->setCurrentIndex(shown.isValid() ? m_tankBox->findData(shown) : -1);
}

void WaterGraphWindow::chooseTank(int index)
{
    if (index < 0 || index >= m_tankBox->count())
        return;
    const QString tankId = m_tankBox->itemData(index).toString();
    emit tankPicked(tankId);
    drawTank(tankId, true);
}

void WaterGraphWindow::graphTank(const std::optional<QString>& tankId)
{
    if (m_loading)
        return;
    fillTankBox();
    if (m_tankBox->count() == 0) {
        m_ctx.services.tell(QStringLiteral("You have no tanks set up in Brinestead. You must set-up at least one tank "
                                           "and enter at least 2 log entries into it before you can graph the "
                                           "results. Set up a tank by choosing \"Tools\", \"Set Up Tanks\" on the "
                                           "menu."),
                            kNoTanksTitle, MsgIcon::Exclamation, false);
        return;
    }
    if (tankId)
        drawTank(*tankId, false);
    else if (m_tankId && m_tankBox->findData(*m_tankId) >= 0)
        drawTank(*m_tankId, false);
    else
        drawTank(m_tankBox->itemData(0).toString(), true);
}

void WaterGraphWindow::drawTank(const QString& tankId, bool firstPage)
{
    const std::optional<TankRecord> tank = TankStore(m_ctx.db()).findById(tankId);
    if (!tank) {
        m_ctx.services.tell(QStringLiteral("You have no log entries set up in Brinestead. You must enter at least 2 "
                                           "water quality log entries into it before you can graph the results."),
                            kNoTanksTitle, MsgIcon::Exclamation, false);
        return;
    }
    // Another tank starts at its page 1; the tank shown keeps its page.
    if (firstPage || m_tankId != tank->tankid)
        m_pager.startTank(tank->tankid);
    m_tankId = tank->tankid;
    {
        const QSignalBlocker block(m_tankBox);
        m_tankBox->setCurrentIndex(m_tankBox->findData(tank->tankid));
    }

    const QVector<GraphSeriesChoice> series =
        chosenGraphSeries(m_ctx.settings.graphChecks, m_ctx.userFieldName1, m_ctx.userFieldName2);
    if (series.isEmpty()) {
        emptyChart();
        m_ctx.services.tell(QStringLiteral("Nothing is selected to graph! Select the measurements you'd like to "
                                           "graph by checking the appropriate boxes."),
                            QStringLiteral("Note!"), MsgIcon::Information, false);
        return;
    }

    GraphPageData page = m_pager.readPage(series, m_ctx.settings.graphSkipZeroes != 0);
    if (page.page == 1 && page.totalEntries < 2) {
        m_ctx.services.tell(QStringLiteral("Remember, you need to have at least 2 water quality log entries for a "
                                           "tank in order to create a graph. Select another tank or add more water "
                                           "quality entries."),
                            QStringLiteral("Not Enough Entries To Create A Graph!"), MsgIcon::Exclamation, false);
        takeFocus();
        m_nextButton->setEnabled(false);
        m_previousButton->setEnabled(false);
        return;
    }

    m_page = std::move(page);
    m_chartTankId = tank->tankid;
    replaceChart([&](QChart* chart) {
        buildGraphChart(chart, m_ctx.settings.graphStyle, series, m_page,
                        {m_ctx.settings.dateOrder, m_ctx.settings.dateDelimiter});
    });
    noteMissingValues();
    m_nextButton->setEnabled(m_page.nextEnabled());
    m_previousButton->setEnabled(m_page.previousEnabled());
    takeFocus();
}

void WaterGraphWindow::emptyChart()
{
    replaceChart([](QChart*) {});
    m_chartTankId.clear();
    m_page = GraphPageData();
    noteMissingValues();
    m_nextButton->setEnabled(false);
    m_previousButton->setEnabled(false);
}

void WaterGraphWindow::noteMissingValues()
{
    if (m_page.entries.isEmpty() || m_page.hasValues()) {
        m_noValuesLabel->hide();
        m_noValuesLabel->clear();
        return;
    }
    m_noValuesLabel->setText(
        m_page.pageCount > 1
            ? QStringLiteral("The water tests on this page hold no values for the measurements chosen to graph.")
            : QStringLiteral("The water tests of this tank hold no values for the measurements chosen to graph."));
    m_noValuesLabel->show();
}

void WaterGraphWindow::replaceChart(const std::function<void(QChart*)>& fill)
{
    // Each drawing gets a chart of its own: Qt Charts keeps memory of every
    // series that was attached to an axis and removed again, so a chart that
    // is emptied and refilled on every page turn grows without end.
    auto* chart = new QChart;
    chart->setObjectName("chart");
    chart->setTitle(m_chart->title());
    chart->legend()->setAlignment(Qt::AlignBottom);
    fill(chart);
    QChart* old = m_chart;
    m_chartView->setChart(chart);
    m_chart = chart;
    delete old;
}

void WaterGraphWindow::takeFocus()
{
    if (!isVisible())
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    setFocus();
}

void WaterGraphWindow::showNextPage()
{
    if (m_page.entries.isEmpty() || !m_tankId)
        return;
    m_pager.turnToNextPage(m_page.entries.last().key);
    m_previousButton->setEnabled(true);
    drawTank(*m_tankId, false);
}

void WaterGraphWindow::showPreviousPage()
{
    if (m_page.entries.isEmpty() || !m_tankId)
        return;
    m_pager.turnToPreviousPage(m_page.entries.first().key);
    drawTank(*m_tankId, false);
}

// ---- pop-up and help ------------------------------------------------------------

void WaterGraphWindow::popUpMenu(const QPoint& globalPos)
{
    if (!m_popupMenu)
        return;
    if (showPopup)
        showPopup(m_popupMenu, globalPos);
    else
        m_popupMenu->popup(globalPos);
}

void WaterGraphWindow::contextMenuEvent(QContextMenuEvent* event)
{
    popUpMenu(event->globalPos());
    event->accept();
}

bool WaterGraphWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_chartView->viewport() && event->type() == QEvent::ContextMenu) {
        popUpMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}


// ---- printing -------------------------------------------------------------------

void WaterGraphWindow::paintChart(QPainter& painter, const QRectF& target)
{
    const bool grey = m_ctx.settings.graphPrintColor != 1;
    if (grey)
        colourGraphChart(m_chart, true);
    m_chartView->scene()->render(&painter, target, m_chart->sceneBoundingRect(), Qt::IgnoreAspectRatio);
    if (grey)
        colourGraphChart(m_chart, false);
}

void WaterGraphWindow::printGraph(PrintDestination destination)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    const bool maximized = sub ? sub->isMaximized() : isMaximized();
    if (!maximized) {
        const MsgResult answer = m_ctx.services.tell(
            QStringLiteral("For best print quality, it is recommended that this window be maximized as large as "
                           "possible. Do you want Brinestead to maximize this form for you?"),
            QStringLiteral("Maximize Window?"), MsgIcon::Question, false, MsgButtons::YesNoCancel, MsgResult::Yes);
        if (answer == MsgResult::Cancel)
            return;
        if (answer == MsgResult::Yes) {
            if (QWidget* main = sub ? sub->window() : nullptr; main && main != sub)
                main->showMaximized();
            if (sub)
                sub->showMaximized();
            else
                showMaximized();
        }
    }
    if (!m_ctx.services.printing)
        return;
    // The printed chart is titled with the tank whose entries it shows, in a
    // smaller type where the chart is too narrow for the whole title; the
    // chart on screen keeps its own title.
    const QString screenTitle = m_chart->title();
    const QFont screenTitleFont = m_chart->titleFont();
    const auto restoreTitle = qScopeGuard([&] {
        m_chart->setTitleFont(screenTitleFont);
        m_chart->setTitle(screenTitle);
    });
    // The chart takes its size (a window maximized just now) and then its
    // title, and lays itself out anew before it is painted.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    const std::optional<TankRecord> tank =
        m_chartTankId.isEmpty() ? std::nullopt : TankStore(m_ctx.db()).findById(m_chartTankId);
    titleGraphChart(m_chart, graphPrintTitle(tank ? tank->tankname : QString()), screenTitleFont);
    settleGraphChart(m_chart);

    std::unique_ptr<IPrintSession> session =
        m_ctx.services.printing->choosePrinter(QStringLiteral("Print Water Quality Graph"), destination);
    if (!session)
        return;
    const QString footer = graphPrintFooter(m_ctx.services.clock ? m_ctx.services.clock->today() : QDate());
    const QString error = printGraphCopies(
        *session, [this](QPainter& painter, const QRectF& target) { paintChart(painter, target); }, footer);
    session.reset();   // a preview shows here, a file is closed
    if (!error.isEmpty())
        m_ctx.services.tell(error, QStringLiteral("Print Water Quality Graph"), MsgIcon::Exclamation);
}
