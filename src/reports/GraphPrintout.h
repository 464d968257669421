#pragma once
// The printed graph: one landscape page per copy, the chart's picture stretched
// across the page's width and its middle nine tenths, and a footer line along
// the bottom edge, placed by the height of the footer's own font.
#include "core/Printing.h"

#include <QDate>
#include <QRectF>
#include <QString>
#include <functional>

class QPainter;

// Paints the chart into the given rectangle of the page.
using GraphPicturePainter = std::function<void(QPainter&, const QRectF&)>;

// "Brinestead Graph for Tank: " and the tank's name: the chart's title when printed.
QString graphPrintTitle(const QString& tankName);
// The footer line; it carries the year of `today`.
QString graphPrintFooter(const QDate& today);
// The font of the footer line.
PrintFont graphFooterFont();
// Where the chart goes on a page of this size: the full width, from a twentieth
// of the height down to nineteen twentieths.
QRectF graphPictureRect(double pageWidth, double pageHeight);

// One page: the chart in its rectangle and the footer on the page's last line.
void layoutGraphPage(IPageWriter& writer, const GraphPicturePainter& paint, const QString& footer);

// One landscape job per copy of the session. Returns an empty text, or what
// the printer said when a job could not be printed (the remaining copies are
// then not printed).
QString printGraphCopies(IPrintSession& session, const GraphPicturePainter& paint, const QString& footer);
