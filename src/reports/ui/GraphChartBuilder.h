#pragma once
// Draws a page of water tests as a Qt chart in one of the twelve graph types
// the options offer ("3D Bar" 0 ... "2D XY" 16). Qt Charts has no 3D, so a 3D
// type draws as its 2D kind. Each chosen measurement is one series of the
// chart, named in the legend as the keeper typed its name; where a value is
// missing (or a skipped zero) the series has a gap, so a line breaks there.
#include "reports/GraphPages.h"

#include <QString>

class QAbstractSeries;
class QChart;
class QFont;

// The kinds a graph type draws with.
enum class GraphKind { Bar, Line, Area, Step, Combination, Pie, XY };
GraphKind graphKindForCode(int chartTypeCode);

// The Qt series drawn for one chosen measurement carry its number (from 0,
// in the order chosen) in this property; a measurement with gaps is drawn as
// several pieces that share its colour and its one legend entry.
inline constexpr char kGraphSeriesProperty[] = "graphSeries";
int graphSeriesNumber(const QAbstractSeries* series);

// Replaces the chart's series and axes with the page drawn as chartTypeCode.
// Rows are labelled with graphRowLabel(date, dates). The chart's title is
// left as it is.
void buildGraphChart(QChart* chart, int chartTypeCode, const QVector<GraphSeriesChoice>& series,
                     const GraphPageData& page, const GraphDateFormat& dates);
// Removes every series and axis.
void clearGraphChart(QChart* chart);

// The keeper's text as a chart shows it as typed: Qt Charts reads every
// title and series name as rich text, so its markup characters are escaped
// and blanks that rich text would drop are kept.
QString chartText(const QString& text);
// Titles the chart with `title` as typed, in `font` or, where the title is
// wider than the chart leaves it room, in the largest smaller size (in steps
// of half a point) at which it reads whole.
void titleGraphChart(QChart* chart, const QString& title, const QFont& font);

// Lays the chart out at once, with the date labels as its size has them,
// so that it is painted as the screen will show it: Qt Charts sets a label
// anew only on its next layout, and a label whose type size or angle has
// changed meanwhile wraps onto two lines.
void settleGraphChart(QChart* chart);

// Colours the chart's series in their own colours, or in grey tones (for a
// greyscale printout).
void colourGraphChart(QChart* chart, bool grey);
