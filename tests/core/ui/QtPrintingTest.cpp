// Printing through the program's print service: on the printer the keeper
// chose in the print dialog, or to a PDF file, read back word by word.
#include "core/ui/QtPrinting.h"
#include "support/PdfWords.h"
#include "support/ScriptedPrintDialog.h"
#include "support/TestServices.h"
#include "support/Files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {
// The page count of the document's page tree.
int pdfPageCount(const QByteArray& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Type /Pages[^>]*/Count (\\d+)")).match(QString::fromLatin1(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}


} // namespace

TEST(QtPrintService, PdfFileGetsTheJobsPagesAndEachCopyAFileOfItsOwn)
{
    QTemporaryDir dir;
    // A file of the keeper's that happens to carry a copy's name stays as it is.
    const QByteArray keepersOwn("%PDF-1.4 the keeper's own");
    writeFile(dir.filePath(QStringLiteral("log (3).pdf")), keepersOwn);
    ScriptedFileDialogs files;
    ScriptedMessageBox messages;
    files.answers.enqueue(dir.filePath(QStringLiteral("log")));
    QtPrintService service(&files, &messages);
    auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::PdfFile);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(files.titles, QStringList{QStringLiteral("Print Log")});
    EXPECT_TRUE(messages.shown.isEmpty());   // a new file: nothing to ask
    for (int copy = 0; copy < 3; ++copy) {
        IPageWriter* w = session->beginJob(PageOrientation::Landscape);
        ASSERT_NE(w, nullptr) << qPrintable(session->errorText());
        EXPECT_GT(w->pageWidth(), w->pageHeight());
        PrintFlow flow(*w);
        flow.printLine(QStringLiteral("first page"));
        flow.newPage();
        flow.printLine(QStringLiteral("second page"));
        EXPECT_TRUE(session->endJob());
    }
    session.reset();
    for (const QString& name : {QStringLiteral("log.pdf"), QStringLiteral("log (2).pdf"), QStringLiteral("log (4).pdf")}) {
        const QByteArray pdf = readAll(dir.filePath(name));
        EXPECT_TRUE(pdf.startsWith("%PDF")) << qPrintable(name);
        EXPECT_EQ(pdfPageCount(pdf), 2) << qPrintable(name);
    }
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("log (3).pdf"))), keepersOwn);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(QtPrintService, ExistingFileIsReplacedOnlyWhenTheKeeperAgrees)
{
    const struct {
        const char* name;
        std::optional<MsgResult> answer;   // none: the service has no message box
        bool replaced;
    } cases[] = {
        {"OK", MsgResult::Ok, true},
        {"Cancel", MsgResult::Cancel, false},
        {"no way to ask", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("log.pdf"));
        const QByteArray before("%PDF-1.4 last month's log");
        writeFile(path, before);
        ScriptedFileDialogs files;
        files.answers.enqueue(dir.filePath(QStringLiteral("log")));   // ".pdf" is added
        ScriptedMessageBox messages;
        if (c.answer)
            messages.answers.enqueue(*c.answer);
        QtPrintService service(&files, c.answer ? &messages : nullptr);

        auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::PdfFile);

        if (c.answer) {
            ASSERT_EQ(messages.shown.size(), 1);
            const Message& question = messages.shown.first();
            EXPECT_EQ(question.text, QStringLiteral("The file already exists, overwrite?"));
            EXPECT_EQ(question.title, QStringLiteral("Note!"));
            EXPECT_EQ(question.icon, MsgIcon::Question);
            EXPECT_EQ(question.buttons, MsgButtons::OkCancel);
            EXPECT_EQ(question.defaultButton, MsgResult::Cancel);
        }
        if (!c.replaced) {
            EXPECT_EQ(session, nullptr);
            EXPECT_EQ(readAll(path), before);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("log.pdf")});
            continue;
        }
        ASSERT_NE(session, nullptr);
        IPageWriter* w = session->beginJob(PageOrientation::Portrait);
        ASSERT_NE(w, nullptr) << qPrintable(session->errorText());
        PrintFlow(*w).printLine(QStringLiteral("this month"));
        EXPECT_TRUE(session->endJob());
        session.reset();
        const QByteArray pdf = readAll(path);
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(pdfPageCount(pdf), 1);
    }
}

TEST(QtPrintService, CancelledFileChoicePrintsNothing)
{
    ScriptedFileDialogs files;
    QtPrintService service(&files);
    EXPECT_EQ(service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::PdfFile), nullptr);
}

TEST(QtPrintService, UnwritableFileIsReportedNotPrinted)
{
    ScriptedFileDialogs files;
    files.answers.enqueue(QStringLiteral("/no/such/folder/log.pdf"));
    QtPrintService service(&files);
    auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::PdfFile);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->beginJob(PageOrientation::Portrait), nullptr);
    EXPECT_TRUE(session->errorText().contains(QStringLiteral("/no/such/folder/log.pdf")));
}

TEST(QtPrintService, CopiesFromThePrintDialogAreJobsOfOneCopyEachInTheKeepersOrientation)
{
    QTemporaryDir dir;
    ScriptedPrintDialog dialog;
    dialog.accept = false;
    QtPrintService service(nullptr, nullptr, &dialog);
    EXPECT_EQ(service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::Printer), nullptr);

    dialog.accept = true;
    dialog.copies = 3;
    dialog.orientation = QPageLayout::Landscape;
    dialog.outputFile = dir.filePath(QStringLiteral("log.pdf"));
    auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::Printer);
    EXPECT_EQ(dialog.titles, QStringList({"Print Log", "Print Log"}));
    ASSERT_NE(session, nullptr);
    ASSERT_EQ(session->copies(), 3);
    for (int copy = 1; copy <= 3; ++copy) {
        // A printout that sets no orientation of its own.
        IPageWriter* w = session->beginJob(std::nullopt);
        ASSERT_NE(w, nullptr) << qPrintable(session->errorText());
        // The program prints each copy; the printer makes one of each, not three.
        EXPECT_EQ(dialog.printer->copyCount(), 1);
        EXPECT_EQ(w->orientation(), PageOrientation::Landscape);
        PrintFlow(*w).printLine(QStringLiteral("copy %1").arg(copy));
        EXPECT_TRUE(session->endJob());
    }
    session.reset();
    const QStringList names = {"log.pdf", "log (2).pdf", "log (3).pdf"};
    for (int copy = 1; copy <= 3; ++copy) {
        SCOPED_TRACE(copy);
        const PdfWords pdf(dir.filePath(names[copy - 1]));
        ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
        ASSERT_EQ(pdf.pageCount(), 1);
        EXPECT_GT(pdf.page(0).width, pdf.page(0).height);
        EXPECT_EQ(pdf.page(0).lines().join(u'|').toStdString(), QStringLiteral("copy %1").arg(copy).toStdString());
    }
}

// The preview opens once the print command is over and shows the pages as the
// printer would print them.
TEST(QtPrintService, PreviewShowsEveryPageOfEveryJob)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.pdf"));
    QtPrintService service;
    auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::Preview);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(session->copies(), 1);
    IPageWriter* w = session->beginJob(PageOrientation::Landscape);
    ASSERT_NE(w, nullptr);
    EXPECT_GT(w->pageWidth(), w->pageHeight());
    PrintFlow flow(*w);
    flow.printLine(QStringLiteral("first page"));
    flow.newPage();
    flow.printLine(QStringLiteral("second page"));
    EXPECT_TRUE(session->endJob());

    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(preview);
        shown = true;
        EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print Log"));
        // Printed from the preview into a file, to read back what it shows.
        preview->printer()->setOutputFileName(path);
        preview->findChild<QPrintPreviewWidget*>()->print();
        preview->reject();
    });
    session.reset();
    EXPECT_TRUE(shown);

    const PdfWords pdf(path);
    ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
    ASSERT_EQ(pdf.pageCount(), 2);
    EXPECT_GT(pdf.page(0).width, pdf.page(0).height);
    EXPECT_EQ(pdf.page(0).lines().join(u'|').toStdString(), "first page");
    EXPECT_EQ(pdf.page(1).lines().join(u'|').toStdString(), "second page");
}

namespace {

// One job on the printer chosen in a scripted print dialog, printing to `path`.
struct PrinterJob {
    ScriptedPrintDialog dialog;
    QtPrintService service{nullptr, nullptr, &dialog};
    std::unique_ptr<IPrintSession> session;
    IPageWriter* writer = nullptr;

    explicit PrinterJob(const QString& path, PageOrientation orientation = PageOrientation::Portrait)
    {
        dialog.outputFile = path;
        session = service.choosePrinter(QStringLiteral("Print"), PrintDestination::Printer);
        if (session)
            writer = session->beginJob(orientation);
    }
    // Device units to PDF points.
    double points(double units) const { return units * 72.0 / dialog.printer->resolution(); }
    void end()
    {
        session->endJob();
        session.reset();
    }
};

} // namespace

// The printouts name Arial and Times New Roman. Where these are missing the
// system's font matching stands in fonts of the same widths, and the page
// writer measures with the font it prints with: a layout's columns fit.
TEST(PainterPageWriter, NamedFontsMeasureAndPrintWithTheirOwnWidths)
{
    const struct {
        PrintFont font;
        QString text;
        double points;   // the text's width in the named font
    } cases[] = {
        {{QStringLiteral("Arial"), 10}, QStringLiteral("Brinestead"), 47.80},
        {{QStringLiteral("Arial"), 14, true, true}, QStringLiteral("Log"), 25.662},
        {{QStringLiteral("Times New Roman"), 10}, QStringLiteral("20261208"), 40.0},
        {{QStringLiteral("Times New Roman"), 10, false, true}, QStringLiteral("12/08/26"), 35.56},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fonts.pdf"));
    PrinterJob job(path);
    ASSERT_NE(job.writer, nullptr) << qPrintable(job.session->errorText());
    PrintFlow flow(*job.writer);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_NEAR(job.points(job.writer->textWidth(c.text, c.font)), c.points, c.points * 0.005);
        flow.setFont(c.font);
        flow.printLine(c.text);
    }
    job.end();

    const PdfWords pdf(path);
    ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
    ASSERT_EQ(pdf.pageCount(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QList<PdfWord> words = pdf.page(0).find(c.text);
        ASSERT_EQ(words.size(), 1);
        EXPECT_NEAR(words[0].box.width(), c.points, c.points * 0.005);
    }
}

// A text longer than the room left on its line is printed smaller, whole and
// inside the paper; a text that fits keeps its size.
TEST(PainterPageWriter, TextTooLongForTheLineIsPrintedSmallerNotCutByTheEdge)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    PrinterJob job(path);
    ASSERT_NE(job.writer, nullptr) << qPrintable(job.session->errorText());
    const PrintFont body;
    const QString fits = QStringLiteral("Tankname:");
    const QString description =
        QStringLiteral("Mixed reef of soft corals, a pair of clownfish and a cleaner shrimp in the living room");
    const QString sentence = description + QStringLiteral(", topped up with RO water every evening");
    PrintFlow flow(*job.writer);
    flow.printLine(fits);
    flow.setX(std::round(job.writer->pageWidth() * 0.75));
    flow.printLine(description);
    flow.printLine(sentence + sentence);
    const double pageWidth = job.points(job.writer->pageWidth());
    const double fitsWidth = job.points(job.writer->textWidth(fits, body));
    job.end();

    const PdfWords pdf(path);
    ASSERT_TRUE(pdf.ok()) << qPrintable(pdf.error());
    ASSERT_EQ(pdf.pageCount(), 1);
    const PdfPage& page = pdf.page(0);
    EXPECT_EQ(page.lines().join(u'|').toStdString(),
              QStringList({fits, description, sentence + sentence}).join(u'|').toStdString());
    const QList<PdfWord> reference = page.find(fits);
    ASSERT_EQ(reference.size(), 1);
    EXPECT_NEAR(reference[0].box.width(), fitsWidth, 0.1);
    const double left = reference[0].box.left();
    const QList<QList<PdfWord>> lines = page.lineWords();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_NEAR(lines[1].first().box.left(), left + pageWidth * 0.75, 0.1);
    for (const QList<PdfWord>& line : lines) {
        for (const PdfWord& word : line)
            EXPECT_LE(word.box.right(), left + pageWidth + 0.1) << qPrintable(word.text);
    }
    // The long lines use the room they have, in a smaller font.
    EXPECT_GT(lines[1].last().box.right(), left + pageWidth * 0.95);
    EXPECT_LT(lines[2].first().box.height(), reference[0].box.height());
}
