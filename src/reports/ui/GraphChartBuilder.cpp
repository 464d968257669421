#include "reports/ui/GraphChartBuilder.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// Thirteen colours that stay apart on screen.
const QColor kPalette[] = {QColor(0x1f, 0x4e, 0x9a), QColor(0xd9, 0x4a, 0x1e), QColor(0x2e, 0x8b, 0x3a),
                           QColor(0x8e, 0x3b, 0xb0), QColor(0xe0, 0xa8, 0x00), QColor(0x14, 0x9c, 0xb8),
                           QColor(0xb0, 0x1c, 0x4e), QColor(0x6b, 0x6b, 0x1a), QColor(0x55, 0x55, 0x55),
                           QColor(0xf2, 0x7c, 0xb8), QColor(0x7a, 0x4a, 0x1f), QColor(0x00, 0x5f, 0x5f),
                           QColor(0x9a, 0xc8, 0x3c)};

QColor seriesColour(int number, bool grey)
{
    const int i = std::max(0, number);
    if (!grey)
        return kPalette[i % std::size(kPalette)];
    // Neighbouring series get grey tones far apart, so that they stay told apart on paper.
    static const int kGreys[] = {40, 150, 95, 195, 65, 125, 175, 20, 110, 160, 80, 140, 210};
    const int g = kGreys[i % std::size(kGreys)];
    return QColor(g, g, g);
}

void mark(QObject* object, int number)
{
    object->setProperty(kGraphSeriesProperty, number);
}

// Row labels for a category axis, which needs them all different: a label
// repeated (two tests on one day) gets invisible zero-width characters added.
QStringList categoryLabels(const GraphPageData& page, const GraphDateFormat& dates)
{
    QStringList labels;
    for (const GraphEntry& entry : page.entries) {
        QString label = graphRowLabel(entry.date, dates);
        while (labels.contains(label))
            label += QChar(0x200B);
        labels << label;
    }
    return labels;
}

// The stretches of rows (first, last) where series s has values.
QVector<QPair<int, int>> runsOf(const GraphPageData& page, int s)
{
    QVector<QPair<int, int>> runs;
    int start = -1;
    const int rows = int(page.entries.size());
    for (int r = 0; r <= rows; ++r) {
        const bool has = r < rows && page.entries[r].values.value(s).has_value();
        if (has && start < 0)
            start = r;
        if (!has && start >= 0) {
            runs.append({start, r - 1});
            start = -1;
        }
    }
    return runs;
}

double valueAt(const GraphPageData& page, int row, int s)
{
    return page.entries[row].values.value(s).value_or(0.0);
}

// How the date labels are set: level or upright (turned a quarter to the
// left), and their type size.
struct LabelSetting {
    bool upright = false;
    double pointSize = 0;
};

// Qt Charts cuts a category label that is wider than the room of its entry
// to "10/..." or "...". The room is the plot's width shared by the entries
// (and one more), less a padding on each side; an upright label needs only
// the height of a line.
bool labelsFit(const QStringList& labels, const QFont& font, bool upright, double room)
{
    const QFontMetricsF metrics(font);
    const double margin = 2;   // the label's own text margin, and a little slack
    if (upright)
        return metrics.height() + 2 * margin <= room;
    for (const QString& label : labels)
        if (metrics.horizontalAdvance(label) + 2 * margin > room)
            return false;
    return true;
}

// The most readable setting under which every label of the page reads
// whole: level, then level in a smaller type, then upright, and upright in
// ever smaller type as a last resort. (Slanted labels need nearly the width
// of level ones, so they are never the ones that fit.)
LabelSetting fittingLabels(const QStringList& labels, const QFont& base, double plotWidth)
{
    constexpr double kLabelPadding = 4;
    constexpr double kSmallestPoints = 6;   // below this the dates could no longer be read
    const double room = plotWidth / (labels.size() + 1) - 2 * kLabelPadding;
    const double size = base.pointSizeF();
    QVector<LabelSetting> tries = {{false, size}, {false, size * 0.8}, {true, size}};
    for (double smaller = size - 0.5; smaller >= kSmallestPoints; smaller -= 0.5)
        tries.append({true, smaller});
    for (const LabelSetting& t : tries) {
        QFont font = base;
        font.setPointSizeF(t.pointSize);
        if (labelsFit(labels, font, t.upright, room))
            return t;
    }
    return tries.last();
}

// Sets the date labels anew whenever the plot changes its size, so that
// they read whole on the screen and on the printed page alike.
void keepLabelsWhole(QChart* chart, QBarCategoryAxis* axis)
{
    const QFont base = axis->labelsFont();
    auto fit = [axis, base](const QRectF& plot) {
        if (plot.width() <= 0 || axis->count() == 0)
            return;
        const LabelSetting setting = fittingLabels(axis->categories(), base, plot.width());
        QFont font = base;
        font.setPointSizeF(setting.pointSize);
        if (axis->labelsFont() != font)
            axis->setLabelsFont(font);
        const int angle = setting.upright ? -90 : 0;
        if (axis->labelsAngle() != angle)
            axis->setLabelsAngle(angle);
    };
    QObject::connect(chart, &QChart::plotAreaChanged, axis, fit);
    fit(chart->plotArea());
}

// A pie of the pie graph and the date under it.
struct DatedPie {
    QPieSeries* pie;
    QGraphicsSimpleTextItem* date;
};

// Lays the pies out in rows of five, each row a band of the plot's height.
// A pie is as large as the rows and columns allow, and small enough that it
// and its date under it fit their band, clear of the pies of the next row.
void placePies(const QVector<DatedPie>& pies, const QRectF& plot)
{
    if (pies.isEmpty() || plot.width() <= 0 || plot.height() <= 0)
        return;
    constexpr int kColumns = 5;
    constexpr double kGap = 2;   // between a pie and its date, and under the date
    const int count = int(pies.size());
    const int rows = (count + kColumns - 1) / kColumns;
    const double shorter = std::min(plot.width(), plot.height());
    const double band = plot.height() / rows;
    const double column = plot.width() / kColumns;
    const double dateHeight = pies.first().date->boundingRect().height();
    const double preferred = std::min(0.9 / kColumns * 1.6, 0.9 / rows) * shorter;
    const double diameter = std::max(0.0, std::min({preferred, 0.9 * column, band - dateHeight - 2 * kGap}));
    // The pie and its date, one above the other, stand in the middle of their band.
    const double standing = diameter + kGap + dateHeight;
    for (int i = 0; i < count; ++i) {
        const double top = plot.top() + (i / kColumns) * band + (band - standing) / 2;
        const double centreX = plot.left() + (i % kColumns + 0.5) * column;
        QPieSeries* pie = pies[i].pie;
        pie->setPieSize(std::min(1.0, diameter / shorter));
        pie->setHorizontalPosition((centreX - plot.left()) / plot.width());
        pie->setVerticalPosition((top + diameter / 2 - plot.top()) / plot.height());
        QGraphicsSimpleTextItem* date = pies[i].date;
        date->setPos(centreX - date->boundingRect().width() / 2, top + diameter + kGap);
    }
}

class Builder {
public:
    Builder(QChart* chart, GraphKind kind, const QVector<GraphSeriesChoice>& series, const GraphPageData& page,
            const GraphDateFormat& dates)
        : m_chart(chart), m_kind(kind), m_series(series), m_page(page), m_dates(dates)
    {
    }

    void build()
    {
        if (m_kind == GraphKind::Pie) {
            buildPies();
            return;
        }
        setUpAxes();
        const int count = int(m_series.size());
        for (int s = 0; s < count; ++s) {
            const bool asBars = m_kind == GraphKind::Bar || (m_kind == GraphKind::Combination && s == 0);
            if (asBars)
                addBars(s);
            else
                addLines(s);
        }
        fitValueAxis();
    }

private:
    void setUpAxes()
    {
        if (m_kind == GraphKind::XY) {
            auto* x = new QValueAxis;
            x->setTitleText(QStringLiteral("Entry"));
            x->setLabelFormat(QStringLiteral("%d"));
            const int rows = std::max(1, int(m_page.entries.size()));
            x->setRange(0.5, rows + 0.5);
            x->setTickInterval(1);
            x->setTickAnchor(1);
            x->setTickType(QValueAxis::TicksDynamic);
            m_x = x;
        } else {
            auto* x = new QBarCategoryAxis;
            x->setTitleText(QStringLiteral("Date"));
            x->append(categoryLabels(m_page, m_dates));
            keepLabelsWhole(m_chart, x);
            m_x = x;
        }
        m_y = new QValueAxis;
        m_y->setTitleText(QStringLiteral("Value"));
        m_chart->addAxis(m_x, Qt::AlignBottom);
        m_chart->addAxis(m_y, Qt::AlignLeft);
    }

    void attach(QAbstractSeries* series)
    {
        m_chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
    }

    void note(double v)
    {
        m_min = std::min(m_min, v);
        m_max = std::max(m_max, v);
    }

    void addBars(int s)
    {
        if (!m_bars) {
            m_bars = new QBarSeries;
            m_bars->setName(chartText(m_series[s].label));
            mark(m_bars, s);
            attach(m_bars);
        }
        auto* set = new QBarSet(chartText(m_series[s].label));
        mark(set, s);
        for (int r = 0; r < m_page.entries.size(); ++r) {
            // A gap is a bar of no height.
            const double v = valueAt(m_page, r, s);
            *set << v;
            note(v);
        }
        m_bars->append(set);
    }

    QLineSeries* newLine(int s)
    {
        auto* line = new QLineSeries;
        line->setName(chartText(m_series[s].label));
        line->setPointsVisible(m_kind == GraphKind::XY || m_kind == GraphKind::Line || m_kind == GraphKind::Combination);
        mark(line, s);
        return line;
    }

    // One piece for each stretch of values; only the first is in the legend.
    void addLines(int s)
    {
        const QVector<QPair<int, int>> runs = runsOf(m_page, s);
        bool first = true;
        auto add = [&](QAbstractSeries* piece) {
            attach(piece);
            if (!first)
                for (QLegendMarker* marker : m_chart->legend()->markers(piece))
                    marker->setVisible(false);
            first = false;
        };
        if (runs.isEmpty()) {
            add(newLine(s));   // no value on the page: still named in the legend
            return;
        }
        for (const auto& [from, to] : runs) {
            QLineSeries* line = newLine(s);
            for (int r = from; r <= to; ++r) {
                const double v = valueAt(m_page, r, s);
                note(v);
                switch (m_kind) {
                case GraphKind::Step:
                    line->append(r - 0.5, v);
                    line->append(r + 0.5, v);
                    break;
                case GraphKind::XY:
                    line->append(r + 1, v);
                    break;
                default:
                    line->append(r, v);
                    break;
                }
            }
            if (m_kind == GraphKind::Area) {
                auto* area = new QAreaSeries(line);
                line->setParent(area);
                area->setName(chartText(m_series[s].label));
                mark(area, s);
                add(area);
            } else {
                add(line);
            }
        }
    }

    void fitValueAxis()
    {
        double low = std::min(0.0, m_min);
        double high = m_max;
        if (!(high > low))
            high = low + 1;
        else
            high += (high - low) * 0.05;
        m_y->setRange(low, high);
        m_y->applyNiceNumbers();
    }

    // One small pie for each entry, in rows of five, with a slice for each
    // chosen measurement and the entry's date under it; the legend names the
    // measurements once. Pies and dates are placed anew as the chart is resized.
    void buildPies()
    {
        const int rows = int(m_page.entries.size());
        if (rows == 0)
            return;
        QVector<DatedPie> pies;
        for (int r = 0; r < rows; ++r) {
            auto* pie = new QPieSeries;
            pie->setName(graphRowLabel(m_page.entries[r].date, m_dates));
            mark(pie, -1);
            for (int s = 0; s < m_series.size(); ++s) {
                auto* slice = pie->append(chartText(m_series[s].label), std::max(0.0, valueAt(m_page, r, s)));
                mark(slice, s);
            }
            m_chart->addSeries(pie);
            if (r > 0)
                for (QLegendMarker* marker : m_chart->legend()->markers(pie))
                    marker->setVisible(false);
            pies.append({pie, new QGraphicsSimpleTextItem(pie->name(), m_chart)});
        }
        auto place = [pies](const QRectF& plot) { placePies(pies, plot); };
        QObject::connect(m_chart, &QChart::plotAreaChanged, pies.first().pie, place);
        place(m_chart->plotArea());
    }

    QChart* m_chart;
    GraphKind m_kind;
    const QVector<GraphSeriesChoice>& m_series;
    const GraphPageData& m_page;
    GraphDateFormat m_dates;
    QAbstractAxis* m_x = nullptr;
    QValueAxis* m_y = nullptr;
    QBarSeries* m_bars = nullptr;
    double m_min = 0;
    double m_max = 0;
};

} // namespace

QString chartText(const QString& text)
{
    // Rich text drops a blank at the start and every blank after another.
    const QString escaped = text.toHtmlEscaped();
    QString out;
    out.reserve(escaped.size());
    bool afterBlank = true;
    for (const QChar ch : escaped) {
        const bool blank = ch == QLatin1Char(' ');
        if (blank && afterBlank)
            out += QStringLiteral("&nbsp;");
        else
            out += ch;
        afterBlank = blank;
    }
    return out;
}

void titleGraphChart(QChart* chart, const QString& title, const QFont& font)
{
    // Qt Charts cuts a title to "..." where it is wider than the chart's
    // contents less the chart's margins; a title that reaches within a pixel
    // or so of that width is cut as well.
    constexpr double kSlack = 4;
    constexpr double kSmallestPoints = 1;
    double room = chart->size().width();
    if (QGraphicsLayout* layout = chart->layout())
        room = layout->contentsRect().width();
    room -= chart->margins().left() + chart->margins().right() + kSlack;
    QFont fitting = font;
    if (fitting.pointSizeF() <= 0)
        fitting.setPointSizeF(QFontInfo(font).pointSizeF());
    const double full = QFontMetricsF(fitting).horizontalAdvance(title);
    if (full > room && room > 0) {
        double points = std::floor(fitting.pointSizeF() * room / full * 2) / 2;
        for (;; points -= 0.5) {
            fitting.setPointSizeF(std::max(kSmallestPoints, points));
            if (points <= kSmallestPoints || QFontMetricsF(fitting).horizontalAdvance(title) <= room)
                break;
        }
    }
    chart->setTitleFont(fitting);
    chart->setTitle(chartText(title));
}

GraphKind graphKindForCode(int chartTypeCode)
{
    switch (chartTypeCode) {
    case 2: case 3: return GraphKind::Line;
    case 4: case 5: return GraphKind::Area;
    case 6: case 7: return GraphKind::Step;
    case 8: case 9: return GraphKind::Combination;
    case 14: return GraphKind::Pie;
    case 16: return GraphKind::XY;
    default: return GraphKind::Bar;   // 0, 1 and any code not offered
    }
}

int graphSeriesNumber(const QAbstractSeries* series)
{
    const QVariant v = series ? series->property(kGraphSeriesProperty) : QVariant();
    return v.isValid() ? v.toInt() : -1;
}

void clearGraphChart(QChart* chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void buildGraphChart(QChart* chart, int chartTypeCode, const QVector<GraphSeriesChoice>& series,
                     const GraphPageData& page, const GraphDateFormat& dates)
{
    clearGraphChart(chart);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    Builder(chart, graphKindForCode(chartTypeCode), series, page, dates).build();
    colourGraphChart(chart, false);
}

void settleGraphChart(QChart* chart)
{
    // Each layout may set the labels anew (another width, another setting),
    // which asks for one more; a few rounds settle any change of size.
    QGraphicsLayout* layout = chart->layout();
    for (int round = 0; layout && round < 4 && !layout->isActivated(); ++round)
        layout->activate();
}

void colourGraphChart(QChart* chart, bool grey)
{
    for (QAbstractSeries* series : chart->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            for (QBarSet* set : bars->barSets()) {
                const QColor c = seriesColour(set->property(kGraphSeriesProperty).toInt(), grey);
                set->setColor(c);
                set->setBorderColor(c.darker(130));
            }
        } else if (auto* pie = qobject_cast<QPieSeries*>(series)) {
            for (QPieSlice* slice : pie->slices()) {
                slice->setColor(seriesColour(slice->property(kGraphSeriesProperty).toInt(), grey));
                slice->setBorderColor(Qt::white);
            }
        } else if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            const QColor c = seriesColour(graphSeriesNumber(area), grey);
            QColor fill = c;
            fill.setAlpha(150);
            area->setColor(fill);
            area->setBorderColor(c);
        } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
            QPen pen(seriesColour(graphSeriesNumber(line), grey));
            pen.setWidthF(2);
            line->setPen(pen);
        }
    }
}
