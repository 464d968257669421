#pragma once
// The print service of the running program: Qt's print dialog, a QPrinter per
// job (or a PDF file, or a print preview), and a page writer that paints on it.
#include "core/Printing.h"
#include "core/ui/QtServices.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <deque>

class IFileDialogs;
class IMessageBox;
class QPaintDevice;

// The fonts of the printouts as one device uses them, each built once with its
// metrics. The family is left to the system's font matching, which stands in
// fonts of the same widths for Times New Roman and Arial where those are
// missing; every text is measured with the font the device really paints.
class DeviceFonts {
public:
    struct Font {
        PrintFont key;
        QFont font;
        QFontMetricsF metrics;
    };

    explicit DeviceFonts(QPaintDevice& device) : m_device(device) {}
    const Font& get(const PrintFont& font) const;

private:
    QPaintDevice& m_device;
    mutable std::deque<Font> m_fonts;
    mutable const Font* m_last = nullptr;
};

// Paints on a QPainter; metrics come from the device painted on.
class PainterPageWriter : public IPageWriter {
public:
    PainterPageWriter(QPainter& painter, QPaintDevice& device, PageOrientation orientation,
                      std::function<void()> newPageOnDevice);
    PageOrientation orientation() const override { return m_orientation; }
    double pageWidth() const override;
    double pageHeight() const override;
    double lineHeight(const PrintFont& font) const override;
    double textWidth(const QString& text, const PrintFont& font) const override;
    // A text longer than the room left to the paper's right edge is printed
    // smaller, so that it ends at the edge instead of being cut by it.
    void drawText(double x, double y, const QString& text, const PrintFont& font) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override;
    void newPage() override;

private:
    QPainter& m_painter;
    QPaintDevice& m_device;
    PageOrientation m_orientation;
    std::function<void()> m_newPage;
    DeviceFonts m_fonts;
    const DeviceFonts::Font* m_painterFont = nullptr;   // the font set on the painter
};

// The printer is chosen through `printDialog` (Qt's print dialog when none is
// given). A PDF file is chosen through `files`; a file of that name already
// there is replaced only after the keeper agrees through `messages`.
class QtPrintService : public IPrintService {
public:
    explicit QtPrintService(IFileDialogs* files = nullptr, IMessageBox* messages = nullptr,
                            IPrintDialog* printDialog = nullptr)
        : m_files(files), m_messages(messages), m_printDialog(printDialog ? printDialog : &m_qtPrintDialog)
    {
    }
    QtPrintService(const QtPrintService&) = delete;
    QtPrintService& operator=(const QtPrintService&) = delete;

    std::unique_ptr<IPrintSession> choosePrinter(const QString& dialogTitle, PrintDestination destination) override;

private:
    IFileDialogs* m_files;
    IMessageBox* m_messages;
    QtPrintDialog m_qtPrintDialog;
    IPrintDialog* m_printDialog;
};
