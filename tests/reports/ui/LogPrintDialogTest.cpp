// The log print dialog as the keeper uses it, the logbook's print command that
// opens it, and the printed logs written to real PDF files.
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "core/TankStore.h"
#include "core/ui/HelpWindow.h"
#include "core/ui/QtPrinting.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LogbookWindow.h"
#include "reports/ui/LogPrintDialog.h"
#include "support/PdfWords.h"
#include "support/ParamNames.h"
#include "support/TestEnv.h"
#include "support/Controls.h"
#include "support/HelpShown.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A shell that remembers what the dialog did to File > Print.
class RecordingShell : public IShell {
public:
    QList<QPair<bool, QString>> claims;
    void claimFilePrint(bool enabled, const QString& caption) override { claims.append({enabled, caption}); }
    void setFilePrintEnabled(bool) override {}
};

struct DialogFixture {
    TestEnv env;
    RecordingShell shell;
    QString reef;

    DialogFixture()
    {
        TankRecord t;
        t.tankname = "Reef";
        t.tankdesc = "Mixed reef";
        t.tanksize = 75;
        t.watertype = "3";
        TankStore(env.ctx->db()).add(t, env.clock.now());
        reef = t.tankid;
    }
    void addWater(int count)
    {
        WaterLogStore store(env.ctx->db());
        for (int i = 0; i < count; ++i) {
            WaterLogRecord r;
            r.tankid = reef;
            r.logdate = QDate(2026, 2, 1).addDays(i);
            r.logtime = QTime(9, 30, 0);
            r.ph = 8.1;
            r.nitrate = 12.5;
            ASSERT_TRUE(store.insert(r));
        }
    }
    void addLivestock(int count)
    {
        LivestockStore store(env.ctx->db());
        for (int i = 0; i < count; ++i) {
            LivestockRecord r;
            r.tankid = reef;
            r.dateadded = QDate(2026, 3, 1).addDays(i);
            r.timeadded = QTime(10, 0, 0);
            r.animalname = QStringLiteral("Chromis %1").arg(i + 1);
            r.quantity = i + 1;
            r.status = "Alive";
            ASSERT_TRUE(store.insert(r));
        }
    }
    void addMaintenance(int count)
    {
        MaintLogStore store(env.ctx->db());
        for (int i = 0; i < count; ++i) {
            MaintLogRecord r;
            r.tankid = reef;
            r.logdate = QDate(2026, 4, 1).addDays(i);
            r.logtime = QTime(18, 15, 0);
            r.task = "Water change";
            r.quantity = 10;
            r.unit = "gal";
            r.description = "RO water";
            r.note = QStringLiteral("Note %1").arg(i + 1);
            ASSERT_TRUE(store.insert(r));
        }
    }
};

void clickOk(QDialog& dialog)
{
    QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
}

} // namespace

TEST(LogPrintDialog, OpensOnTheWaterLogForThePrinter)
{
    DialogFixture f;
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    EXPECT_EQ(dialog.windowTitle(), "Log Printing");
    const QList<QPair<const char*, QString>> captions = {
        {"waterQualityOption", "Water Quality Log"},
        {"livestockOption", "Livestock Log"},
        {"maintenanceOption", "Maintenance Log"},
        {"printerOption", "Print Report to Printer"},
        {"screenOption", "View Report on screen"},
        {"fileOption", "Print Report to a File"},
    };
    for (const auto& [name, caption] : captions) {
        SCOPED_TRACE(name);
        auto* option = child<QRadioButton>(&dialog, name);
        EXPECT_EQ(option->text(), caption);
        EXPECT_EQ(option->isChecked(), caption == "Water Quality Log" || caption == "Print Report to Printer");
    }
    EXPECT_EQ(child<QGroupBox>(&dialog, "logTypeBox")->title(), "Log Type:");
    EXPECT_EQ(child<QGroupBox>(&dialog, "destinationBox")->title(), "Log Printing Options:");
    auto* allTanks = child<QCheckBox>(&dialog, "allTanksCheck");
    EXPECT_EQ(allTanks->text(), "Print log entries for All Tanks");
    EXPECT_FALSE(allTanks->isChecked());
    EXPECT_EQ(child<QPushButton>(&dialog, "okButton")->text(), "&OK");
    EXPECT_TRUE(child<QPushButton>(&dialog, "okButton")->isDefault());
    EXPECT_EQ(child<QPushButton>(&dialog, "cancelButton")->text(), "Cancel");
}

TEST(LogPrintDialog, WhileOpenFilePrintIsDisabled)
{
    DialogFixture f;
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.show();
    ASSERT_FALSE(f.shell.claims.isEmpty());
    EXPECT_EQ(f.shell.claims.last(), qMakePair(false, QStringLiteral("&Print")));
}

TEST(LogPrintDialog, F1ShowsItsHelpPageWhileItIsOpen)
{
    DialogFixture f;
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
    auto* help = dialog.findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(shownHelpPage(*help), "printlogs.html");
    EXPECT_TRUE(dialog.isVisible());
}

struct ChoiceCase {
    const char* name;
    const char* logOption;
    const char* destinationOption;
    const char* dialogTitle;
    PrintDestination destination;
    PageOrientation orientation;
};

class LogPrintChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LogPrintChoice, OkPrintsTheChosenLogWhereChosenAndCloses)
{
    const ChoiceCase& c = GetParam();
    DialogFixture f;
    f.addWater(1);
    f.addLivestock(1);
    f.addMaintenance(1);
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.setTank(f.reef);
    dialog.show();
    child<QRadioButton>(&dialog, c.logOption)->click();
    child<QRadioButton>(&dialog, c.destinationOption)->click();
    clickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(f.env.printing.dialogTitles, QStringList{QString::fromLatin1(c.dialogTitle)});
    EXPECT_EQ(f.env.printing.destinations, QList<PrintDestination>{c.destination});
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    EXPECT_EQ(f.env.printing.jobs[0].orientation, c.orientation);
    EXPECT_TRUE(f.env.messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, LogPrintChoice,
    ::testing::Values(ChoiceCase{"water quality to the printer", "waterQualityOption", "printerOption",
                                 "Print Water Quality Log", PrintDestination::Printer, PageOrientation::Landscape},
                      ChoiceCase{"livestock on screen", "livestockOption", "screenOption", "Print Livestock Log",
                                 PrintDestination::Preview, PageOrientation::Portrait},
                      ChoiceCase{"maintenance to a file", "maintenanceOption", "fileOption",
                                 "Print Maintenance Log", PrintDestination::PdfFile, PageOrientation::Portrait}),
    NameOfCase());

TEST(LogPrintDialog, AllTanksPrintsEveryTankWithEntries)
{
    DialogFixture f;
    f.addLivestock(1);
    TankRecord other;
    other.tankname = "Pond";
    other.watertype = "5";
    TankStore(f.env.ctx->db()).add(other, f.env.clock.now().addSecs(1));
    LivestockRecord koi;
    koi.tankid = other.tankid;
    koi.dateadded = QDate(2026, 5, 1);
    koi.animalname = "Koi";
    ASSERT_TRUE(LivestockStore(f.env.ctx->db()).insert(koi));

    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.selectLog(LogKind::Livestock);
    dialog.setTank(f.reef);
    child<QCheckBox>(&dialog, "allTanksCheck")->setChecked(true);
    clickOk(dialog);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    const auto& pages = f.env.printing.jobs[0].pages;
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].texts().contains("Pond"));
    EXPECT_TRUE(pages[1].texts().contains("Reef"));
}

TEST(LogPrintDialog, EmptyLogGivesItsNoteAndCloses)
{
    DialogFixture f;
    f.addWater(3);
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.selectLog(LogKind::Maintenance);
    dialog.setTank(f.reef);
    dialog.show();
    clickOk(dialog);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(f.env.messages.shown.size(), 1);
    const Message& note = f.env.messages.shown[0];
    EXPECT_EQ(note.text, "No Maintenance entries were found for this tank. No log was printed.");
    EXPECT_EQ(note.title, "Note!");
    EXPECT_EQ(note.icon, MsgIcon::Information);
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

TEST(LogPrintDialog, CancelEscapeAndAFailedPrinterEachCloseIt)
{
    DialogFixture f;
    f.addWater(1);
    {
        LogPrintDialog dialog(*f.env.ctx, &f.shell);
        dialog.setTank(f.reef);
        dialog.show();
        QTest::mouseClick(child<QPushButton>(&dialog, "cancelButton"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        LogPrintDialog dialog(*f.env.ctx, &f.shell);
        dialog.setTank(f.reef);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(f.env.printing.dialogTitles.isEmpty());
    EXPECT_TRUE(f.env.messages.shown.isEmpty());

    // The printer dialog cancelled: closed without a word.
    f.env.printing.accept = {false};
    {
        LogPrintDialog dialog(*f.env.ctx, &f.shell);
        dialog.setTank(f.reef);
        clickOk(dialog);
    }
    EXPECT_TRUE(f.env.messages.shown.isEmpty());

    // A printer that refuses the job: the keeper is told, nothing is recorded.
    f.env.printing.failJobs = true;
    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.setTank(f.reef);
    clickOk(dialog);
    ASSERT_EQ(f.env.messages.shown.size(), 1);
    EXPECT_TRUE(f.env.messages.shown[0].text.contains("The printer is not ready."));
    EXPECT_TRUE(f.env.printing.jobs.isEmpty());
}

// ---- from the logbook ----------------------------------------------------------------

TEST(LogPrintDialog, LogbookPrintCommandOpensItOnTheTabsLogAndTank)
{
    DialogFixture f;
    f.addLivestock(2);
    MainWindow main(*f.env.ctx);
    wireApplication(*f.env.ctx, main);
    main.show();
    main.showChild("LogbookWindow");
    QCoreApplication::processEvents();
    auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
    ASSERT_TRUE(log);
    ASSERT_TRUE(log->selectNode("Reef"));
    child<QTabWidget>(log, "logTabs")->setCurrentIndex(LogbookWindow::TabLivestock);

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<LogPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        seen = true;
        EXPECT_EQ(dialog->selectedLog(), LogKind::Livestock);
        EXPECT_FALSE(child<QAction>(&main, "printAction")->isEnabled());
        clickOk(*dialog);
    });
    child<QAction>(&main, "printAction")->trigger();
    EXPECT_TRUE(seen);
    ASSERT_EQ(f.env.printing.jobs.size(), 1);
    EXPECT_TRUE(f.env.printing.jobs[0].pages[0].texts().contains("Chromis 2"));
    // The logbook has File > Print again.
    EXPECT_TRUE(child<QAction>(&main, "printAction")->isEnabled());
    EXPECT_EQ(child<QAction>(&main, "printAction")->text(), "&Print Entries...");
}

// ---- to a PDF file -----------------------------------------------------------------

struct PdfCase {
    const char* name;
    LogKind kind;
    int entries;
    int pages;           // 1: exactly one; more: at least that many (the breaks follow the font's line height)
    QStringList texts;   // read back from the file, among others
};

class LogToPdf : public ::testing::TestWithParam<PdfCase> {};

TEST_P(LogToPdf, FileReadsAsTheLogWithItsPages)
{
    const PdfCase& c = GetParam();
    DialogFixture f;
    switch (c.kind) {
    case LogKind::WaterQuality: f.addWater(c.entries); break;
    case LogKind::Livestock: f.addLivestock(c.entries); break;
    case LogKind::Maintenance: f.addMaintenance(c.entries); break;
    }
    QtPrintService printing(&f.env.files);
    f.env.ctx->services.printing = &printing;
    const QString path = f.env.path("log.pdf");
    f.env.files.answers.enqueue(path);

    LogPrintDialog dialog(*f.env.ctx, &f.shell);
    dialog.selectLog(c.kind);
    dialog.setTank(f.reef);
    child<QRadioButton>(&dialog, "fileOption")->click();
    clickOk(dialog);
    EXPECT_TRUE(f.env.messages.shown.isEmpty());

    const PdfWords pdf(path);
    ASSERT_TRUE(pdf.ok()) << pdf.error().toStdString();
    if (c.pages == 1)
        ASSERT_EQ(pdf.pageCount(), 1);
    else
        ASSERT_GE(pdf.pageCount(), c.pages);
    // A text is read as the viewer shows it: its words on one line, in order.
    const auto onPage = [&](int page, const QString& text) {
        for (const QString& line : pdf.page(page).lines())
            if (line.contains(text.simplified()))
                return true;
        return false;
    };
    for (const QString& text : c.texts) {
        bool found = false;
        for (int page = 0; page < pdf.pageCount() && !found; ++page)
            found = onPage(page, text);
        EXPECT_TRUE(found) << text.toStdString();
    }
    for (int page = 0; page < pdf.pageCount(); ++page) {
        EXPECT_TRUE(onPage(page, "Tankname:")) << page;
        EXPECT_TRUE(onPage(page, "Report Created: 12/08/26")) << page;
        EXPECT_TRUE(onPage(page, QStringLiteral("Page number:%1").arg(page + 1))) << page;
    }
}

INSTANTIATE_TEST_SUITE_P(
    PrintedLogs, LogToPdf,
    ::testing::Values(PdfCase{"water quality over two pages", LogKind::WaterQuality, 80, 2,
                              {"Brinestead Water Quality Log", "Reef", "Tanksize: 75 gal.      Mixed reef",
                               "Date /Time Added", "Ammonia", "Custom2", "02/01/26 - 09:30:00 AM", "8.100",
                               "12.500", "03/17/26 - 09:30:00 AM"}},
                      PdfCase{"livestock", LogKind::Livestock, 5, 1,
                              {"Brinestead Livestock Log", "Animal", "Quantity", "Status", "Chromis 5", "5",
                               "03/05/26 - 10:00:00 AM"}},
                      PdfCase{"maintenance over two pages", LogKind::Maintenance, 40, 2,
                              {"Brinestead Maintenance Log", "Date /Time Performed", "Task Performed",
                               "Water change", "10  gal  RO water", "Note 40"}}),
    NameOfCase());
