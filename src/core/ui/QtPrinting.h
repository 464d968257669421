#pragma once
// The print service of the running program: Qt's print dialog, a QPrinter per
// job (or a PDF file, or a print preview), and a page writer that paints on it.
#include "core/Printing.h"

#include <QFont>
#include <QPainter>

class IFileDialogs;
class IMessageBox;
class QPaintDevice;

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
    void drawText(double x, double y, const QString& text, const PrintFont& font) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QRectF& rect, const std::function<void(QPainter&, const QRectF&)>& paint) override;
    void newPage() override;

    static QFont qtFont(const PrintFont& font, QPaintDevice* device);

private:
    QPainter& m_painter;
    QPaintDevice& m_device;
    PageOrientation m_orientation;
    std::function<void()> m_newPage;
};

// A PDF file is chosen through `files`; a file of that name already there is
// replaced only after the keeper agrees through `messages`.
class QtPrintService : public IPrintService {
public:
    explicit QtPrintService(IFileDialogs* files = nullptr, IMessageBox* messages = nullptr)
        : m_files(files), m_messages(messages)
    {
    }
    std::unique_ptr<IPrintSession> choosePrinter(const QString& dialogTitle, PrintDestination destination) override;

private:
    IFileDialogs* m_files;
    IMessageBox* m_messages;
};
