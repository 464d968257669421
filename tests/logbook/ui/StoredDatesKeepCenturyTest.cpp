// An entry opened for a change and saved untouched keeps its dates, even when
// their year lies outside the span a two-digit year is read back in
// ([this year - 80, this year + 19], 1946..2045 with the fixed clock).
#include "core/Settings.h"
#include "core/ui/EntryWidgets.h"
#include "logbook/LogStore.h"
#include "logbook/ui/LivestockEntryDialog.h"
#include "logbook/ui/MaintenanceEntryDialog.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTank = QStringLiteral("12-01-2026 10:00:00");

// Inside the span, below it, above it, and its two edges.
const QList<QDate> kStoredDates = {QDate(1990, 5, 1), QDate(1930, 5, 1), QDate(2099, 5, 1),
                                   QDate(1946, 1, 1), QDate(2045, 12, 31)};

// Clicks the dialog's OK button; a dialog without one fails the test.
void clickOk(QDialog& dialog)
{
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    ASSERT_TRUE(ok) << dialog.objectName().toStdString() << " has no OK button";
    QTest::mouseClick(ok, Qt::LeftButton);
}

} // namespace

TEST(StoredDatesKeepCentury, UnchangedOkWritesTheSameDayInEveryDialog)
{
    for (const QString& order : {QStringLiteral("MMDDYY"), QStringLiteral("DDMMYY"), QStringLiteral("YYMMDD")}) {
        for (const QDate& stored : kStoredDates) {
            const std::string label = (order + QLatin1Char(' ') + stored.toString(Qt::ISODate)).toStdString();
            TestEnv env;
            env.ctx->settings.dateOrder = order;
            env.ctx->settings.dateDelimiter = QStringLiteral("/");
            env.ctx->settings.dateMask = buildDateMask(order, QStringLiteral("/"));

            WaterLogRecord w;
            w.tankid = kTank;
            w.logdate = stored;
            w.logtime = QTime(8, 0, 0);
            w.ph = 7;
            ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(w));
            {
                WaterTestDialog dlg(*env.ctx);
                dlg.setEntry(w);
                clickOk(dlg);
                EXPECT_EQ(dlg.result(), QDialog::Accepted) << "OK wrote nothing: " << label;
            }
            EXPECT_EQ(WaterLogStore(env.ctx->db()).get(w.rowid)->logdate, stored) << "water " << label;

            LivestockRecord l;
            l.tankid = kTank;
            l.dateadded = stored;
            l.timeadded = QTime(8, 0, 0);
            l.animalname = QStringLiteral("Koi");
            l.quantity = 1;
            l.datelost = stored.addDays(1);
            ASSERT_TRUE(LivestockStore(env.ctx->db()).insert(l));
            {
                LivestockEntryDialog dlg(*env.ctx);
                dlg.setEntry(l, false, "1");
                clickOk(dlg);
                EXPECT_EQ(dlg.result(), QDialog::Accepted) << "OK wrote nothing: " << label;
            }
            const auto lBack = LivestockStore(env.ctx->db()).get(l.rowid);
            ASSERT_TRUE(lBack);
            EXPECT_EQ(lBack->dateadded, stored) << "livestock " << label;
            EXPECT_EQ(lBack->datelost, stored.addDays(1)) << "livestock lost " << label;

            MaintLogRecord m;
            m.tankid = kTank;
            m.logdate = stored;
            m.logtime = QTime(8, 0, 0);
            m.task = QStringLiteral("Water Change");
            m.quantity = 1;
            ASSERT_TRUE(MaintLogStore(env.ctx->db()).insert(m));
            {
                MaintenanceEntryDialog dlg(*env.ctx);
                dlg.setEntry(m, false);
                clickOk(dlg);
                EXPECT_EQ(dlg.result(), QDialog::Accepted) << "OK wrote nothing: " << label;
            }
            EXPECT_EQ(MaintLogStore(env.ctx->db()).get(m.rowid)->logdate, stored) << "maintenance " << label;

            EXPECT_TRUE(env.messages.shown.isEmpty()) << env.messages.texts().join("|").toStdString();
        }
    }
}

// Typing over the shown date still reads the typed digits in the two-digit span.
TEST(StoredDatesKeepCentury, RetypedDateIsReadInTheSpan)
{
    TestEnv env;
    WaterLogRecord w;
    w.tankid = kTank;
    w.logdate = QDate(1930, 5, 1);
    w.logtime = QTime(8, 0, 0);
    w.ph = 7;
    ASSERT_TRUE(WaterLogStore(env.ctx->db()).insert(w));
    WaterTestDialog dlg(*env.ctx);
    dlg.setEntry(w);
    auto* date = dlg.findChild<QLineEdit*>(QStringLiteral("dateEdit"));
    ASSERT_TRUE(date);
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("050230"));
    ASSERT_EQ(date->text(), QStringLiteral("05/02/30"));
    clickOk(dlg);
    EXPECT_EQ(WaterLogStore(env.ctx->db()).get(w.rowid)->logdate, QDate(2030, 5, 2));
}
