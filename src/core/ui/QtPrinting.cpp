#include "core/ui/QtPrinting.h"

#include "core/Services.h"
#include "core/ui/QtServices.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <vector>

// ---- painting -------------------------------------------------------------------

const DeviceFonts::Font& DeviceFonts::get(const PrintFont& font) const
{
    if (m_last && m_last->key == font)
        return *m_last;
    for (const Font& known : m_fonts) {
        if (known.key == font) {
            m_last = &known;
            return known;
        }
    }
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    const QFont onDevice(f, &m_device);
    m_fonts.push_back(Font{font, onDevice, QFontMetricsF(onDevice, &m_device)});
    m_last = &m_fonts.back();
    return *m_last;
}

PainterPageWriter::PainterPageWriter(QPainter& painter, QPaintDevice& device, PageOrientation orientation,
                                     std::function<void()> newPageOnDevice)
    : m_painter(painter),
      m_device(device),
      m_orientation(orientation),
      m_newPage(std::move(newPageOnDevice)),
      m_fonts(device)
{
    // Texts and lines alike in black; a line is as thin as the device can draw.
    m_painter.setPen(QPen(Qt::black, 0));
}

double PainterPageWriter::pageWidth() const
{
    return m_device.width();
}

double PainterPageWriter::pageHeight() const
{
    return m_device.height();
}

double PainterPageWriter::lineHeight(const PrintFont& font) const
{
    return m_fonts.get(font).metrics.height();
}

double PainterPageWriter::textWidth(const QString& text, const PrintFont& font) const
{
    return m_fonts.get(font).metrics.horizontalAdvance(text);
}

void PainterPageWriter::drawText(double x, double y, const QString& text, const PrintFont& font)
{
    const DeviceFonts::Font& f = m_fonts.get(font);
    const QPointF baseline(x, y + f.metrics.ascent());
    const double room = pageWidth() - x;
    // No letter is wider than the font's widest: a text that fits even so is
    // not measured (measuring costs about as much as printing).
    if (room > 0 && text.size() * f.metrics.maxWidth() > room) {
        const double width = f.metrics.horizontalAdvance(text);
        if (width > room) {
            // Smaller in proportion, then a little smaller until it fits:
            // widths do not shrink quite in step with the size.
            QFont smaller = f.font;
            double size = font.pointSize * room / width;
            smaller.setPointSizeF(size);
            while (size > 0.5 && QFontMetricsF(smaller, &m_device).horizontalAdvance(text) > room) {
                size *= 0.98;
                smaller.setPointSizeF(size);
            }
            m_painter.setFont(smaller);
            m_painterFont = nullptr;
            m_painter.drawText(baseline, text);
            return;
        }
    }
    if (m_painterFont != &f) {
        m_painter.setFont(f.font);
        m_painterFont = &f;
    }
    m_painter.drawText(baseline, text);
}

void PainterPageWriter::drawLine(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterPageWriter::drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint)
{
    m_painter.save();
    paint(m_painter, rect);
    m_painter.restore();
}

void PainterPageWriter::newPage()
{
    if (m_newPage)
        m_newPage();
}

// ---- sessions -------------------------------------------------------------------

namespace {

QPageLayout::Orientation qtOrientation(PageOrientation orientation)
{
    return orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// Sets the job's orientation, if it asks for one, and tells the one the printer then has.
PageOrientation applyOrientation(QPrinter& printer, std::optional<PageOrientation> orientation)
{
    if (orientation)
        printer.setPageOrientation(qtOrientation(*orientation));
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? PageOrientation::Landscape
                                                                        : PageOrientation::Portrait;
}

// Jobs painted on a printer or into a PDF file, one QPrinter document each.
class PrinterSession : public IPrintSession {
public:
    PrinterSession(std::unique_ptr<QPrinter> printer, int copies)
        : m_printer(std::move(printer)), m_copies(copies), m_fileName(m_printer->outputFileName())
    {
    }
    ~PrinterSession() override { endJob(); }

    int copies() const override { return m_copies; }

    IPageWriter* beginJob(std::optional<PageOrientation> requested) override
    {
        endJob();
        ++m_job;
        if (!m_fileName.isEmpty() && m_job > 1)
            m_printer->setOutputFileName(nextCopyFileName());
        const PageOrientation orientation = applyOrientation(*m_printer, requested);
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get())) {
            m_painter.reset();
            m_error = m_fileName.isEmpty()
                          ? QStringLiteral("The printer could not be opened.")
                          : QStringLiteral("The file %1 could not be written.").arg(m_printer->outputFileName());
            return nullptr;
        }
        m_writer = std::make_unique<PainterPageWriter>(*m_painter, *m_printer, orientation,
                                                       [this] { m_printer->newPage(); });
        return m_writer.get();
    }

    bool endJob() override
    {
        if (!m_painter)
            return false;
        m_writer.reset();
        const bool ok = m_painter->end();
        m_painter.reset();
        if (!ok)
            m_error = QStringLiteral("The printer did not finish the document.");
        return ok;
    }

    QString errorText() const override { return m_error; }

private:
    // Copies of a file go to files of their own: "log.pdf", "log (2).pdf",
    // "log (3).pdf". A copy never takes the place of a file that is already
    // there (the keeper's own, or copies of an earlier printout): the
    // numbering goes on to the next name that is free.
    QString nextCopyFileName()
    {
        const int dot = m_fileName.lastIndexOf(QLatin1Char('.'));
        const bool hasSuffix = dot > m_fileName.lastIndexOf(QLatin1Char('/')) + 1;
        const QString stem = hasSuffix ? m_fileName.left(dot) : m_fileName;
        const QString suffix = hasSuffix ? m_fileName.mid(dot) : QString();
        for (;; ++m_copyNumber) {
            const QString name = stem + QStringLiteral(" (%1)").arg(m_copyNumber) + suffix;
            const QFileInfo info(name);
            if (!info.exists() && !info.isSymLink()) {
                ++m_copyNumber;
                return name;
            }
        }
    }

    std::unique_ptr<QPrinter> m_printer;
    int m_copies;
    QString m_fileName;
    int m_job = 0;
    int m_copyNumber = 2;   // the number the next copy's file name tries first
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<PainterPageWriter> m_writer;
    QString m_error;
};

// Records every job with the printer's metrics and shows them in a print
// preview when the print command is over.
class PreviewSession : public IPrintSession {
public:
    PreviewSession(std::unique_ptr<QPrinter> printer, QString title)
        : m_printer(std::move(printer)), m_title(std::move(title)), m_fonts(*m_printer)
    {
    }
    ~PreviewSession() override
    {
        endJob();
        if (m_pages.empty())
            return;
        QPrintPreviewDialog dialog(m_printer.get(), dialogOwner());
        dialog.setWindowTitle(m_title);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* printer) {
            QPainter painter;
            std::unique_ptr<PainterPageWriter> writer;
            for (std::size_t i = 0; i < m_pages.size(); ++i) {
                printer->setPageOrientation(qtOrientation(m_pages[i].orientation));
                if (i == 0) {
                    if (!painter.begin(printer))
                        return;
                    writer = std::make_unique<PainterPageWriter>(painter, *printer, m_pages[i].orientation,
                                                                 std::function<void()>());
                } else {
                    printer->newPage();
                }
                for (const auto& op : m_pages[i].ops)
                    op(*writer);
            }
            writer.reset();
            painter.end();
        });
        dialog.exec();
    }

    int copies() const override { return 1; }

    IPageWriter* beginJob(std::optional<PageOrientation> requested) override
    {
        endJob();
        m_orientation = applyOrientation(*m_printer, requested);
        m_pages.push_back({m_orientation, {}});
        m_writer = std::make_unique<Recorder>(*this);
        return m_writer.get();
    }

    bool endJob() override
    {
        const bool had = m_writer != nullptr;
        m_writer.reset();
        return had;
    }

    QString errorText() const override { return QString(); }

private:
    using Op = std::function<void(PainterPageWriter&)>;
    struct Page {
        PageOrientation orientation;
        std::vector<Op> ops;
    };

    // Measures with the printer and keeps the drawing for the preview.
    class Recorder : public IPageWriter {
    public:
        explicit Recorder(PreviewSession& session) : m_s(session) {}
        PageOrientation orientation() const override { return m_s.m_orientation; }
        double pageWidth() const override { return m_s.m_printer->width(); }
        double pageHeight() const override { return m_s.m_printer->height(); }
        double lineHeight(const PrintFont& font) const override { return m_s.m_fonts.get(font).metrics.height(); }
        double textWidth(const QString& text, const PrintFont& font) const override
        {
            return m_s.m_fonts.get(font).metrics.horizontalAdvance(text);
        }
        void drawText(double x, double y, const QString& text, const PrintFont& font) override
        {
            add([=](PainterPageWriter& w) { w.drawText(x, y, text, font); });
        }
        void drawLine(double x1, double y1, double x2, double y2) override
        {
            add([=](PainterPageWriter& w) { w.drawLine(x1, y1, x2, y2); });
        }
        void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override
        {
            add([=](PainterPageWriter& w) { w.drawPicture(rect, paint); });
        }
        void newPage() override { m_s.m_pages.push_back({m_s.m_orientation, {}}); }

    private:
        void add(Op op) { m_s.m_pages.back().ops.push_back(std::move(op)); }
        PreviewSession& m_s;
    };

    std::unique_ptr<QPrinter> m_printer;
    QString m_title;
    DeviceFonts m_fonts;   // measures for the printer, as the preview will paint
    PageOrientation m_orientation = PageOrientation::Portrait;
    std::vector<Page> m_pages;
    std::unique_ptr<Recorder> m_writer;
};

} // namespace

std::unique_ptr<IPrintSession> QtPrintService::choosePrinter(const QString& dialogTitle, PrintDestination destination)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (destination == PrintDestination::Preview)
        return std::make_unique<PreviewSession>(std::move(printer), dialogTitle);

    if (destination == PrintDestination::PdfFile) {
        QString path = m_files ? m_files->getSaveFileName(dialogTitle, QString()) : QString();
        if (path.isEmpty())
            return nullptr;
        if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            path += QStringLiteral(".pdf");
        // The file chooser leaves the overwrite question to the program. A file
        // that is there is replaced only when the keeper says so; without a way
        // to ask, it is left alone. Declining ends the print command, as a cancel.
        if (QFileInfo(path).isFile()) {
            const Message question{QStringLiteral("The file already exists, overwrite?"), QStringLiteral("Note!"),
                                   MsgIcon::Question, MsgButtons::OkCancel, MsgResult::Cancel};
            if (!m_messages || m_messages->show(question) != MsgResult::Ok)
                return nullptr;
        }
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return std::make_unique<PrinterSession>(std::move(printer), 1);
    }

    if (!m_printDialog->choosePrinter(*printer, dialogTitle))
        return nullptr;
    // The program repeats the printout for each copy; the driver makes one.
    const int copies = std::max(1, printer->copyCount());
    printer->setCopyCount(1);
    printer->setCollateCopies(false);
    return std::make_unique<PrinterSession>(std::move(printer), copies);
}
