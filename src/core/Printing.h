#pragma once
// Printing as the printouts see it: a page writer that puts text, lines and
// pictures on pages, a text flow that prints line by line the way a keeper's
// report reads, and the print service that asks where to print and opens one
// job per copy. The layouts are logic; the painting happens behind IPageWriter
// (on a QPrinter in the program, in a recording in the tests).
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPainter;

struct PrintFont {
    QString family = QStringLiteral("Times New Roman");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const PrintFont& other) const = default;
};

enum class PageOrientation { Portrait, Landscape };

// One document (one print job). Positions are in the writer's device units,
// measured from the top left corner of the printable area; y is the top of a line.
class IPageWriter {
public:
    virtual ~IPageWriter() = default;
    virtual PageOrientation orientation() const = 0;
    // The printable area of a page.
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    // Height of one line and width of a text in the given font.
    virtual double lineHeight(const PrintFont& font) const = 0;
    virtual double textWidth(const QString& text, const PrintFont& font) const = 0;

    virtual void drawText(double x, double y, const QString& text, const PrintFont& font) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    // A picture painted into rect by the caller's painter (a chart); writers
    // that cannot paint only note where it goes.
    virtual void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) = 0;
    virtual void newPage() = 0;
};

// Line-by-line printing with a current position: text either continues the
// line or ends it; the line height follows the current font.
class PrintFlow {
public:
    explicit PrintFlow(IPageWriter& writer) : m_writer(writer) {}

    IPageWriter& writer() { return m_writer; }
    double pageWidth() const { return m_writer.pageWidth(); }
    double pageHeight() const { return m_writer.pageHeight(); }

    void setFont(const PrintFont& font) { m_font = font; }
    const PrintFont& font() const { return m_font; }
    double lineHeight() const { return m_writer.lineHeight(m_font); }

    double x() const { return m_x; }
    double y() const { return m_y; }
    void setX(double x) { m_x = x; }
    void setY(double y) { m_y = y; }
    void moveTo(double x, double y) { m_x = x; m_y = y; }

    // Prints text at the current position; the position moves to its end.
    void print(const QString& text);
    // Ends the line: back to the left margin, one line lower (the height of
    // the tallest font used on the line, at least the current font's).
    void endLine();
    // Prints text and ends the line.
    void printLine(const QString& text = QString());

    // True when a line in the current font still fits above `limit`.
    bool fitsAbove(double limit) const { return m_y + lineHeight() <= limit; }
    void newPage();

private:
    IPageWriter& m_writer;
    PrintFont m_font;
    double m_x = 0;
    double m_y = 0;
    double m_lineHeight = 0;   // tallest font printed on the current line
};

// Where a print command goes, chosen by the keeper in the print dialog.
enum class PrintDestination { Printer, Preview, PdfFile };

// One print command: the printer (or file) the keeper chose and the number of
// copies. Each copy is a job of its own; the program makes the copies itself.
class IPrintSession {
public:
    virtual ~IPrintSession() = default;
    virtual int copies() const = 0;
    // Opens the next job in the given orientation; nullptr when the printer
    // refused (errorText() says why).
    virtual IPageWriter* beginJob(PageOrientation orientation) = 0;
    // Ends the job begun last; false when it could not be finished.
    virtual bool endJob() = 0;
    virtual QString errorText() const = 0;
};

class IPrintService {
public:
    virtual ~IPrintService() = default;
    // Shows the print dialog under `dialogTitle`; nullptr when the keeper cancelled.
    // A PdfFile destination asks for the file; a Preview shows the pages once the
    // session ends.
    virtual std::unique_ptr<IPrintSession> choosePrinter(const QString& dialogTitle,
                                                         PrintDestination destination = PrintDestination::Printer) = 0;
};

// ---- recording, for tests and for checking layouts -----------------------------

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
    // The next dialogs' answers: false cancels; copies for an accepted dialog.
    QList<bool> accept;   // when empty, every dialog is accepted
    int copies = 1;
    bool failJobs = false;   // beginJob refuses, as a printer that is not ready

    QStringList dialogTitles;
    QList<PrintDestination> destinations;
    QList<RecordedJob> jobs;

    std::unique_ptr<IPrintSession> choosePrinter(const QString& dialogTitle, PrintDestination destination) override;
    // Every page of every job, in order.
    QList<RecordedPage> allPages() const;
};
