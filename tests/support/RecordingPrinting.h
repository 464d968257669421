#pragma once
// A print service and page writer that record what a printout prints, for
// checking layouts without a printer: every text with its place and font, every
// line and picture, page by page and job by job.
#include "core/Printing.h"

#include <QList>
#include <QString>
#include <QStringList>

struct RecordedItem {
    enum Kind { Text, Line, Picture } kind = Text;
    double x = 0, y = 0, x2 = 0, y2 = 0;   // a picture's rect is (x, y)-(x2, y2)
    QString text;
    PrintFont font;
};

struct RecordedPage {
    QList<RecordedItem> items;
    QStringList texts() const;
    // All text of the page in reading order: lines top to bottom, items left to right.
    QStringList lines() const;
};

struct RecordedJob {
    PageOrientation orientation = PageOrientation::Portrait;
    QList<RecordedPage> pages;
    bool ended = false;
};

// A page of fixed size whose fonts have simple metrics: a line is 1.2 times the
// point size and a character half the point size (device units are points).
class RecordingPageWriter : public IPageWriter {
public:
    explicit RecordingPageWriter(PageOrientation orientation = PageOrientation::Portrait);
    PageOrientation orientation() const override { return m_job.orientation; }
    double pageWidth() const override;
    double pageHeight() const override;
    double lineHeight(const PrintFont& font) const override { return font.pointSize * 1.2; }
    double textWidth(const QString& text, const PrintFont& font) const override
    {
        return text.size() * font.pointSize * 0.5;
    }
    void drawText(double x, double y, const QString& text, const PrintFont& font) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override;
    void newPage() override;

    RecordedJob& job() { return m_job; }
    const RecordedJob& job() const { return m_job; }

    // Letter paper less half-inch margins, in points.
    static constexpr double kShortSide = 540;
    static constexpr double kLongSide = 720;

private:
    RecordedJob m_job;
};

// A print service whose dialog answers from a script and whose jobs are recorded.
class RecordingPrintService : public IPrintService {
public:
    // The next dialogs' answers: false cancels; copies and the printer's
    // orientation for an accepted dialog.
    QList<bool> accept;   // when empty, every dialog is accepted
    int copies = 1;
    PageOrientation orientation = PageOrientation::Portrait;
    bool failJobs = false;   // beginJob refuses, as a printer that is not ready

    QStringList dialogTitles;
    QList<PrintDestination> destinations;
    QList<RecordedJob> jobs;

    std::unique_ptr<IPrintSession> choosePrinter(const QString& dialogTitle, PrintDestination destination) override;
    // Every page of every job, in order.
    QList<RecordedPage> allPages() const;
};
