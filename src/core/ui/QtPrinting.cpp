#include "core/ui/QtPrinting.h"

#include "core/Services.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <vector>

// ---- painting -------------------------------------------------------------------

PainterPageWriter::PainterPageWriter(QPainter& painter, QPaintDevice& device, PageOrientation orientation,
                                     std::function<void()> newPageOnDevice)
    : m_painter(painter), m_device(device), m_orientation(orientation), m_newPage(std::move(newPageOnDevice))
{
}

QFont PainterPageWriter::qtFont(const PrintFont& font, QPaintDevice* device)
{
    QFont f(font.family);
    f.setPointSizeF(font.pointSize);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    // Fonts the system lacks fall back to one of the same kind.
    f.setStyleHint(font.family.contains(QLatin1String("Times")) ? QFont::Serif : QFont::SansSerif);
    return device ? QFont(f, device) : f;
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
    return QFontMetricsF(qtFont(font, &m_device), &m_device).height();
}

double PainterPageWriter::textWidth(const QString& text, const PrintFont& font) const
{
    return QFontMetricsF(qtFont(font, &m_device), &m_device).horizontalAdvance(text);
}

void PainterPageWriter::drawText(double x, double y, const QString& text, const PrintFont& font)
{
    const QFont f = qtFont(font, &m_device);
    m_painter.setFont(f);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPointF(x, y + QFontMetricsF(f, &m_device).ascent()), text);
}

void PainterPageWriter::drawLine(double x1, double y1, double x2, double y2)
{
    m_painter.setPen(QPen(Qt::black, 0));
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

// Jobs painted on a printer or into a PDF file, one QPrinter document each.
class PrinterSession : public IPrintSession {
public:
    PrinterSession(std::unique_ptr<QPrinter> printer, int copies)
        : m_printer(std::move(printer)), m_copies(copies), m_fileName(m_printer->outputFileName())
    {
    }
    ~PrinterSession() override { endJob(); }

    int copies() const override { return m_copies; }

    IPageWriter* beginJob(PageOrientation orientation) override
    {
        endJob();
        ++m_job;
        if (!m_fileName.isEmpty() && m_job > 1)
            m_printer->setOutputFileName(nextCopyFileName());
        m_printer->setPageOrientation(qtOrientation(orientation));
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
        : m_printer(std::move(printer)), m_title(std::move(title))
    {
    }
    ~PreviewSession() override
    {
        endJob();
        if (m_pages.empty())
            return;
        QPrintPreviewDialog dialog(m_printer.get(), QApplication::activeWindow());
        dialog.setWindowTitle(m_title);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter* printer) {
            QPainter painter;
            for (std::size_t i = 0; i < m_pages.size(); ++i) {
                printer->setPageOrientation(qtOrientation(m_pages[i].orientation));
                if (i == 0) {
                    if (!painter.begin(printer))
                        return;
                } else {
                    printer->newPage();
                }
                for (const auto& op : m_pages[i].ops)
                    op(painter, *printer);
            }
            painter.end();
        });
        dialog.exec();
    }

    int copies() const override { return 1; }

    IPageWriter* beginJob(PageOrientation orientation) override
    {
        endJob();
        m_printer->setPageOrientation(qtOrientation(orientation));
        m_orientation = orientation;
        m_pages.push_back({orientation, {}});
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
    using Op = std::function<void(QPainter&, QPaintDevice&)>;
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
        double lineHeight(const PrintFont& font) const override
        {
            return QFontMetricsF(PainterPageWriter::qtFont(font, m_s.m_printer.get()), m_s.m_printer.get()).height();
        }
        double textWidth(const QString& text, const PrintFont& font) const override
        {
            return QFontMetricsF(PainterPageWriter::qtFont(font, m_s.m_printer.get()), m_s.m_printer.get())
                .horizontalAdvance(text);
        }
        void drawText(double x, double y, const QString& text, const PrintFont& font) override
        {
            const PageOrientation o = m_s.m_orientation;
            add([=](QPainter& p, QPaintDevice& d) {
                PainterPageWriter(p, d, o, {}).drawText(x, y, text, font);
            });
        }
        void drawLine(double x1, double y1, double x2, double y2) override
        {
            const PageOrientation o = m_s.m_orientation;
            add([=](QPainter& p, QPaintDevice& d) {
                PainterPageWriter(p, d, o, {}).drawLine(x1, y1, x2, y2);
            });
        }
        void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override
        {
            add([=](QPainter& p, QPaintDevice&) {
                p.save();
                paint(p, rect);
                p.restore();
            });
        }
        void newPage() override { m_s.m_pages.push_back({m_s.m_orientation, {}}); }

    private:
        void add(Op op) { m_s.m_pages.back().ops.push_back(std::move(op)); }
        PreviewSession& m_s;
    };

    std::unique_ptr<QPrinter> m_printer;
    QString m_title;
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

    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    dialog.setWindowTitle(dialogTitle);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // The program repeats the printout for each copy; the driver makes one.
    const int copies = std::max(1, printer->copyCount());
    printer->setCopyCount(1);
    printer->setCollateCopies(false);
    return std::make_unique<PrinterSession>(std::move(printer), copies);
}
