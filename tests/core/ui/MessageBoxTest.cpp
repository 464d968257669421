// The message box the keeper sees: never under a busy pointer, and showing
// the keeper's text as typed.
#include "core/ui/QtServices.h"
#include "support/Controls.h"

#include <QApplication>
#include <QLabel>
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

// The keeper's names are shown as typed, whatever they hold; the message's own
// line breaks (a carriage return, with or without a line feed) still break it.
TEST(MessageBox, ShowsTheKeepersTextAsTypedAndBreaksItsLines)
{
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"Are you sure you want to delete the tank you named <i>Italic</i> tank? \r Deleting this entry will delete "
         "ALL entries for this tank.",
         "Are you sure you want to delete the tank you named <i>Italic</i> tank? \n Deleting this entry will delete "
         "ALL entries for this tank."},
        {"Are you sure you want to delete the  Livestock entry for the <b>Reef</b> & co tank?   (Remember, you "
         "CANNOT \"undo\" a delete!)",
         "Are you sure you want to delete the  Livestock entry for the <b>Reef</b> & co tank?   (Remember, you "
         "CANNOT \"undo\" a delete!)"},
        {"Tank 1 &lt; Tank 2 could not be saved.", "Tank 1 &lt; Tank 2 could not be saved."},
        {"Reef <Quarantine> & <b>co</b>\r\nNano <10 gal>", "Reef <Quarantine> & <b>co</b>\nNano <10 gal>"},
    };
    for (const auto& c : cases) {
        std::string shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
                shown = shownText(label).toStdString();
            box->button(QMessageBox::Ok)->click();
        });
        QtMessageBox messages;
        messages.show({QString::fromUtf8(c.text), QStringLiteral("Are you sure..."), MsgIcon::Question});
        EXPECT_EQ(shown, c.shown);
    }
}
