// Printing to a PDF file through the program's print service.
#include "core/ui/QtPrinting.h"
#include "support/TestServices.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    ScriptedFileDialogs files;
    files.answers.enqueue(dir.filePath(QStringLiteral("log")));
    QtPrintService service(&files);
    auto session = service.choosePrinter(QStringLiteral("Print Log"), PrintDestination::PdfFile);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(files.titles, QStringList{QStringLiteral("Print Log")});
    for (int copy = 0; copy < 2; ++copy) {
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
    for (const QString& name : {QStringLiteral("log.pdf"), QStringLiteral("log (2).pdf")}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(name);
        const QByteArray pdf = f.readAll();
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(pdfPageCount(pdf), 2);
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
