#include "reports/GraphPrintout.h"

QString graphPrintTitle(const QString& tankName)
{
    return QStringLiteral("Brinestead Graph for Tank: ") + tankName;
}

QString graphPrintFooter(const QDate& today)
{
    return QStringLiteral("Printed by Brinestead - ") + today.toString(QStringLiteral("yyyy"));
}

PrintFont graphFooterFont()
{
    return PrintFont();
}

QRectF graphPictureRect(double pageWidth, double pageHeight)
{
    return QRectF(0, pageHeight * 0.05, pageWidth, pageHeight * 0.9);
}

void layoutGraphPage(IPageWriter& writer, const GraphPicturePainter& paint, const QString& footer)
{
    const double width = writer.pageWidth();
    const double height = writer.pageHeight();
    writer.drawPicture(graphPictureRect(width, height), paint);
    const PrintFont font = graphFooterFont();
    writer.drawText(0, height - writer.lineHeight(font), footer, font);
}

QString printGraphCopies(IPrintSession& session, const GraphPicturePainter& paint, const QString& footer)
{
    for (int copy = 1; copy <= session.copies(); ++copy) {
        IPageWriter* writer = session.beginJob(PageOrientation::Landscape);
        if (!writer)
            return session.errorText();
        layoutGraphPage(*writer, paint, footer);
        if (!session.endJob())
            return session.errorText();
    }
    return QString();
}
