// A keeper on a system whose language writes decimals with a comma types
// numbers with '.' and gets exactly those numbers stored; spinners write a point.
#include "core/ui/EntryWidgets.h"
#include "logbook/LogStore.h"
#include "logbook/ui/WaterTestDialog.h"
#include "support/CommaDecimalLocale.h"
#include "support/TestEnv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

TEST(CommaDecimalLocale, WaterTestTypedWithAPointIsStoredWhole)
{
    CommaDecimalLocale comma;
    ASSERT_TRUE(comma.active()) << "no comma-decimal locale installed (scripts/install-deps.sh makes de_DE.UTF-8)";
    TestEnv env;
    WaterTestDialog dlg(*env.ctx);
    dlg.setNewEntry("K1", "3");
    struct Typed {
        const char* edit;
        const char* text;
    };
    const Typed typed[] = {{"phEdit", "7.5"}, {"sgEdit", "1.0245"}, {"ammoniaEdit", "0.25"}, {"tempEdit", "77.9"}};
    for (const Typed& t : typed)
        dlg.findChild<QLineEdit*>(QString::fromLatin1(t.edit))->setText(QString::fromLatin1(t.text));
    // A spinner writes its position with a point.
    dlg.findChild<UpDown*>(QStringLiteral("nitrateSpinner"))->setValue(25);
    const QString nitrate = dlg.findChild<QLineEdit*>(QStringLiteral("nitrateEdit"))->text();
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);

    EXPECT_TRUE(env.messages.shown.isEmpty()) << qPrintable(env.messages.texts().join(" | "));
    const QVector<WaterLogRecord> rows = WaterLogStore(env.ctx->db()).list("K1", SortOrder::Ascending);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_DOUBLE_EQ(rows[0].ph.value_or(0), 7.5);
    EXPECT_DOUBLE_EQ(rows[0].sg.value_or(0), 1.0245);
    EXPECT_DOUBLE_EQ(rows[0].temp.value_or(0), 77.9);
    EXPECT_DOUBLE_EQ(rows[0].ammonia.value_or(0), 0.25);
    EXPECT_FALSE(nitrate.contains(',')) << qPrintable(nitrate);
    EXPECT_DOUBLE_EQ(rows[0].nitrate.value_or(-1), nitrate.toDouble());
}
