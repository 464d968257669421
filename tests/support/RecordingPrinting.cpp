#include "support/RecordingPrinting.h"

#include <algorithm>
#include <map>

QStringList RecordedPage::texts() const
{
    QStringList out;
    for (const RecordedItem& item : items)
        if (item.kind == RecordedItem::Text)
            out << item.text;
    return out;
}

QStringList RecordedPage::lines() const
{
    std::map<double, QList<const RecordedItem*>> rows;
    for (const RecordedItem& item : items)
        if (item.kind == RecordedItem::Text)
            rows[item.y].append(&item);
    QStringList out;
    for (auto& [y, row] : rows) {
        std::stable_sort(row.begin(), row.end(),
                         [](const RecordedItem* a, const RecordedItem* b) { return a->x < b->x; });
        QString line;
        for (const RecordedItem* item : row)
            line += item->text;
        out << line;
    }
    return out;
}

RecordingPageWriter::RecordingPageWriter(PageOrientation orientation)
{
    m_job.orientation = orientation;
    m_job.pages.append(RecordedPage());
}

double RecordingPageWriter::pageWidth() const
{
    return m_job.orientation == PageOrientation::Portrait ? kShortSide : kLongSide;
}

double RecordingPageWriter::pageHeight() const
{
    return m_job.orientation == PageOrientation::Portrait ? kLongSide : kShortSide;
}

void RecordingPageWriter::drawText(double x, double y, const QString& text, const PrintFont& font)
{
    RecordedItem item;
    item.kind = RecordedItem::Text;
    item.x = x;
    item.y = y;
    item.text = text;
    item.font = font;
    m_job.pages.last().items.append(item);
}

void RecordingPageWriter::drawLine(double x1, double y1, double x2, double y2)
{
    RecordedItem item;
    item.kind = RecordedItem::Line;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    m_job.pages.last().items.append(item);
}

void RecordingPageWriter::drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>&)
{
    RecordedItem item;
    item.kind = RecordedItem::Picture;
    item.x = rect.left();
    item.y = rect.top();
    item.x2 = rect.right();
    item.y2 = rect.bottom();
    m_job.pages.last().items.append(item);
}

void RecordingPageWriter::newPage()
{
    m_job.pages.append(RecordedPage());
}

namespace {

class RecordingSession : public IPrintSession {
public:
    RecordingSession(RecordingPrintService& service, int copies) : m_service(service), m_copies(copies) {}
    ~RecordingSession() override { endJob(); }

    int copies() const override { return m_copies; }
    IPageWriter* beginJob(std::optional<PageOrientation> orientation) override
    {
        endJob();
        if (m_service.failJobs) {
            m_error = QStringLiteral("The printer is not ready.");
            return nullptr;
        }
        m_writer = std::make_unique<RecordingPageWriter>(orientation.value_or(m_service.orientation));
        return m_writer.get();
    }
    bool endJob() override
    {
        if (!m_writer)
            return false;
        m_writer->job().ended = true;
        m_service.jobs.append(m_writer->job());
        m_writer.reset();
        return true;
    }
    QString errorText() const override { return m_error; }

private:
    RecordingPrintService& m_service;
    int m_copies;
    std::unique_ptr<RecordingPageWriter> m_writer;
    QString m_error;
};

} // namespace

std::unique_ptr<IPrintSession> RecordingPrintService::choosePrinter(const QString& dialogTitle,
                                                                    PrintDestination destination)
{
    dialogTitles << dialogTitle;
    destinations << destination;
    const bool accepted = accept.isEmpty() ? true : accept.takeFirst();
    if (!accepted)
        return nullptr;
    return std::make_unique<RecordingSession>(*this, copies);
}

QList<RecordedPage> RecordingPrintService::allPages() const
{
    QList<RecordedPage> out;
    for (const RecordedJob& job : jobs)
        out += job.pages;
    return out;
}
