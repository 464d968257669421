// Printing to a PDF file through the program's print service.
#include "core/ui/QtPrinting.h"
#include "support/TestServices.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

namespace {
// The page count of the document's page tree.
int pdfPageCount(const QByteArray& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/Type /Pages[^>]*/Count (\\d+)")).match(QString::fromLatin1(pdf));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
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
        const QByteArray pdf = readFile(dir.filePath(name));
        EXPECT_TRUE(pdf.startsWith("%PDF")) << qPrintable(name);
        EXPECT_EQ(pdfPageCount(pdf), 2) << qPrintable(name);
    }
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("log (3).pdf"))), keepersOwn);
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
            EXPECT_EQ(readFile(path), before);
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("log.pdf")});
            continue;
        }
        ASSERT_NE(session, nullptr);
        IPageWriter* w = session->beginJob(PageOrientation::Portrait);
        ASSERT_NE(w, nullptr) << qPrintable(session->errorText());
        PrintFlow(*w).printLine(QStringLiteral("this month"));
        EXPECT_TRUE(session->endJob());
        session.reset();
        const QByteArray pdf = readFile(path);
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
