// The message box the keeper sees: never under a busy pointer.
#include "core/ui/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageBox, BusyPointerIsTakenDownWhileTheBoxIsUpAndPutBackAfter)
{
    // Work in progress under a busy pointer (set twice, as nested work does)
    // reports a problem.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    bool boxSeen = false;
    bool pointerWhileShown = true;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        boxSeen = box != nullptr;
        pointerWhileShown = QApplication::overrideCursor() != nullptr;
        if (box)
            box->button(QMessageBox::Ok)->click();
    });

    QtMessageBox messages;
    const MsgResult answer = messages.show({QStringLiteral("The names file could not be read."), QStringLiteral("Note!"),
                                            MsgIcon::Exclamation});

    EXPECT_EQ(answer, MsgResult::Ok);
    EXPECT_TRUE(boxSeen);
    EXPECT_FALSE(pointerWhileShown);
    // The work goes on as it was: both pointers are back, in their order.
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QApplication::restoreOverrideCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
