// F1 in a window shows that window's help page in the help window it shares
// with the windows around it.
#include "core/ui/HelpWindow.h"
#include "support/HelpShown.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QList<HelpWindow*> helpWindowsOf(QWidget* top)
{
    return top->findChildren<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
}
} // namespace

TEST(HelpKey, F1InAnyControlShowsThePageInTheMainWindowsOneHelpWindow)
{
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    auto* first = new QWidget;
    auto* edit = new QLineEdit(first);
    addHelpKey(first, QStringLiteral("logbook.html"));
    auto* second = new QWidget;
    addHelpKey(second, QStringLiteral("graph.html"));
    area->addSubWindow(first);
    area->addSubWindow(second);
    main.show();

    QTest::keyClick(edit, Qt::Key_F1);   // the box has no use for F1: its window takes it
    ASSERT_EQ(helpWindowsOf(&main).size(), 1);
    HelpWindow* help = helpWindowsOf(&main).first();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(shownHelpPage(*help), "logbook.html");

    QTest::keyClick(second, Qt::Key_F1);
    EXPECT_EQ(helpWindowsOf(&main), QList<HelpWindow*>{help});
    EXPECT_EQ(shownHelpPage(*help), "graph.html");
    EXPECT_EQ(HelpWindow::forWindow(&main), help);

    // A key with a modifier is not help.
    QTest::keyClick(first, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(shownHelpPage(*help), "graph.html");
}

TEST(HelpKey, ModalDialogGetsAHelpWindowOfItsOwn)
{
    QMainWindow main;
    main.show();
    QDialog dialog(&main);
    addHelpKey(&dialog, QStringLiteral("tanks.html"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
    // Input to the main window's windows is blocked while a modal dialog is up.
    EXPECT_TRUE(helpWindowsOf(&main).isEmpty());
    ASSERT_EQ(helpWindowsOf(&dialog).size(), 1);
    EXPECT_EQ(shownHelpPage(*helpWindowsOf(&dialog).first()), "tanks.html");
}
