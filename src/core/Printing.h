#pragma once
// Printing as the printouts see it: a page writer that puts text, lines and
// pictures on pages, a text flow that prints line by line the way a keeper's
// report reads, and the print service that asks where to print and opens one
// job per copy. The layouts are logic; the painting happens behind IPageWriter
// (on a QPrinter in the program).
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

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

    double x() const
    {
        settle();
        return m_x;
    }
    double y() const { return m_y; }
    void setX(double x)
    {
        m_x = x;
        m_unmeasured.clear();
    }
    void setY(double y) { m_y = y; }
    void moveTo(double x, double y)
    {
        setX(x);
        m_y = y;
    }

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
    // Moves the position past the text printed last. The text is measured
    // only when the position is asked for or the line continues: a column
    // that sets its own position next needs no measuring.
    void settle() const;

    IPageWriter& m_writer;
    PrintFont m_font;
    mutable double m_x = 0;
    double m_y = 0;
    double m_lineHeight = 0;   // tallest font printed on the current line
    mutable QString m_unmeasured;   // printed last, not yet measured
    PrintFont m_unmeasuredFont;
};

// Where a print command goes, chosen by the keeper in the print dialog.
enum class PrintDestination { Printer, Preview, PdfFile };

// One print command: the printer (or file) the keeper chose and the number of
// copies. Each copy is a job of its own; the program makes the copies itself.
class IPrintSession {
public:
    virtual ~IPrintSession() = default;
    virtual int copies() const = 0;
    // Opens the next job in the given orientation, or with none given in the
    // orientation the keeper chose for the printer; nullptr when the printer
    // refused (errorText() says why).
    virtual IPageWriter* beginJob(std::optional<PageOrientation> orientation) = 0;
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
