#include "reports/LogPageFrame.h"

#include "core/Dates.h"
#include "core/Services.h"

#include <cmath>

PrintFont logTitleFont()
{
    PrintFont font;
    font.family = QStringLiteral("Arial");
    font.pointSize = 14;
    font.bold = true;
    font.italic = true;
    return font;
}

PrintFont logBodyFont(bool bold, bool italic, bool underline)
{
    PrintFont font;
    font.family = QStringLiteral("Times New Roman");
    font.pointSize = 10;
    font.bold = bold;
    font.italic = italic;
    font.underline = underline;
    return font;
}

LogPageFrame::LogPageFrame(QString dateMask, const IClock& clock)
    : m_dateMask(std::move(dateMask)), m_clock(clock)
{
}

double LogPageFrame::footerTop(const PrintFlow& flow)
{
    const double height = flow.pageHeight();
    return std::round(height - height / 12.0);
}

void LogPageFrame::printPageHeadings(PrintFlow& flow, const QString& title, const QString& tankName,
                                     const QString& tankSize, const QString& tankDesc, int pageNumber) const
{
    flow.setFont(logTitleFont());
    flow.printLine(title);
    flow.printLine();

    flow.setFont(logBodyFont());
    flow.print(QStringLiteral("Tankname: "));
    flow.setFont(logBodyFont(true));
    flow.printLine(tankName);

    flow.setFont(logBodyFont());
    flow.printLine(QStringLiteral("Tanksize: ") + tankSize + QStringLiteral(" gal.      ") + tankDesc);
    flow.printLine();

    const double headingX = std::round(flow.x());
    const double headingY = std::round(flow.y());

    // The footer: a rule across the page at eleven twelfths of its height, then
    // the date and the page number on the lines below it.
    const double ruleY = footerTop(flow);
    flow.moveTo(0, ruleY);
    flow.setFont(logBodyFont(false, true));
    flow.writer().drawLine(0, ruleY, flow.pageWidth(), ruleY);
    flow.printLine(QString());
    flow.printLine(QStringLiteral("Report Created: ") + formatDateMask(m_clock.today(), m_dateMask));
    flow.printLine(QStringLiteral("Page number:") + QString::number(pageNumber));

    flow.moveTo(headingX, headingY);
}

QString logDateTimeText(const QVariant& isoDate, const QVariant& isoTime, const QString& dateMask)
{
    QString date;
    if (!isoDate.isNull()) {
        const QString stored = isoDate.toString();
        const auto parsed = fromIsoDate(stored);
        date = parsed ? formatDateMask(*parsed, dateMask) : stored;
    }
    QString time;
    if (!isoTime.isNull()) {
        const QString stored = isoTime.toString();
        const auto parsed = fromIsoTime(stored);
        time = parsed ? formatAmPmTime(*parsed, true) : stored;
    }
    return date + QStringLiteral(" - ") + time;
}

QString logValueText(const QVariant& value)
{
    if (value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}
