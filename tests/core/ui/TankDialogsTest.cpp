// The tank editor and the tank list, driven with scripted answers.
#include "app/Wiring.h"
#include "app/MainWindow.h"
#include "core/TankStore.h"
#include "core/ui/TankEditorDialog.h"
#include "core/ui/TankListDialog.h"
#include "logbook/ui/LogbookWindow.h"
#include "support/Controls.h"
#include "support/TestEnv.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

const QString kDuplicate = QStringLiteral(
    "That identical tank name already exists. Make your new tank name unique by changing or adding at least one letter.");

QString addTank(AppContext& ctx, const QString& name, const QString& type = "1",
                std::optional<double> size = 55.0, int second = 0)
{
    TankRecord rec;
    rec.tankname = name;
    rec.watertype = type;
    rec.tanksize = size;
    rec.tankdesc = name + " description";
    rec.tanknotes = name + " notes";
    TankStore store(ctx.db());
    EXPECT_EQ(store.add(rec, QDateTime(QDate(2020, 1, 1), QTime(8, 0, second))), TankWrite::Ok);
    return rec.tankid;
}

int count(AppContext& ctx, const QString& sql, const QString& bind = QString())
{
    QSqlQuery q(ctx.db());
    q.prepare(sql);
    if (!bind.isNull())
        q.addBindValue(bind);
    EXPECT_TRUE(q.exec()) << q.lastError().text().toStdString();
    return q.next() ? q.value(0).toInt() : -1;
}

void addLogRows(AppContext& ctx, const QString& tankid)
{
    for (const char* sql : {"INSERT INTO waterlog (tankname, logdate) VALUES (?, '2026-01-01')",
                            "INSERT INTO livestock (tankname, animalname) VALUES (?, 'Tang')",
                            "INSERT INTO maintlog (mainttankname, maintlogtask) VALUES (?, 'Water Change')"}) {
        QSqlQuery q(ctx.db());
        q.prepare(sql);
        q.addBindValue(tankid);
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }
}

int logRows(AppContext& ctx, const QString& tankid)
{
    return count(ctx, "SELECT COUNT(*) FROM waterlog WHERE tankname = ?", tankid) +
           count(ctx, "SELECT COUNT(*) FROM livestock WHERE tankname = ?", tankid) +
           count(ctx, "SELECT COUNT(*) FROM maintlog WHERE mainttankname = ?", tankid);
}

int tankCount(AppContext& ctx)
{
    return count(ctx, "SELECT COUNT(*) FROM TANKLST");
}

// A click near the left edge, where an option has its mark.
void click(QWidget& window, const char* name)
{
    auto* button = child<QAbstractButton>(window, name);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
}

void type(QWidget& window, const char* name, const QString& text)
{
    auto* edit = child<QLineEdit>(window, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString text(QWidget& window, const char* name)
{
    return child<QLineEdit>(window, name)->text();
}

// The main window's menu command with that caption.
QAction& menuCommand(MainWindow& main, const QString& caption)
{
    for (QAction* action : main.findChildren<QAction*>()) {
        if (action->text() == caption)
            return *action;
    }
    throw std::runtime_error("the main window has no command " + caption.toStdString());
}

// Runs script on the modal window of type T once it is up (while context
// lives). A window the script leaves open is closed, so a failing check
// cannot leave the test waiting.
template <typename T>
void whenModal(QObject& context, std::function<void(T&)> script)
{
    QTimer::singleShot(0, &context, [script] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* window = qobject_cast<T*>(modal);
        if (window)
            script(*window);
        else
            ADD_FAILURE() << "no " << T::staticMetaObject.className() << " is up";
        if (modal && modal->isVisible())
            modal->close();
    });
}

QStringList listed(QWidget& list)
{
    auto* tanks = child<QListWidget>(list, "tankList");
    QStringList names;
    for (int i = 0; i < tanks->count(); ++i)
        names << tanks->item(i)->text();
    return names;
}

// Clicks the tank's name in the list.
void choose(QWidget& list, const QString& name)
{
    auto* tanks = child<QListWidget>(list, "tankList");
    const auto items = tanks->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(tanks->viewport(), Qt::LeftButton, Qt::NoModifier, tanks->visualItemRect(items.first()).center());
}

} // namespace

// ---- adding -------------------------------------------------------------

struct PresetCase {
    const char* defaultType;
    const char* expectedCode;
    const char* checkedOption;
};

void PrintTo(const PresetCase& c, std::ostream* os)
{
    *os << "default " << c.defaultType;
}

class TankAddPresets : public ::testing::TestWithParam<PresetCase> {};

TEST_P(TankAddPresets, DefaultWaterTypeAndSizeAreSavedWithoutTouchingThem)
{
    TestEnv env;
    env.ctx->defWaterType = GetParam().defaultType;
    TankEditorDialog dlg(*env.ctx);
    dlg.prepareAdd();

    EXPECT_EQ(dlg.windowTitle(), "Add a New Tank to the List");
    EXPECT_EQ(text(dlg, "sizeEdit"), "55");
    EXPECT_TRUE(child<QRadioButton>(dlg, GetParam().checkedOption)->isChecked());

    type(dlg, "nameEdit", "Reef");
    click(dlg, "okButton");

    ASSERT_TRUE(dlg.saved());
    const auto tank = env.tankNamed("Reef");
    ASSERT_TRUE(tank);
    EXPECT_EQ(tank->watertype, GetParam().expectedCode);
    EXPECT_EQ(tank->tanksize, 55.0);
    EXPECT_EQ(tank->tankid, "12-08-2026 14:05:09");
    EXPECT_TRUE(env.messages.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(WaterTypes, TankAddPresets,
                         ::testing::Values(PresetCase{"SALT", "2", "saltwaterOption"},
                                           PresetCase{"FRESH", "1", "freshwaterOption"}),
                         [](const auto& info) { return std::string(info.param.defaultType); });

struct FieldCase {
    const char* label;
    QString name;
    QString size;
    const char* message;
    const char* focus;   // object name of the box that gets the focus
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    *os << c.label;
}

class TankOkChecks : public ::testing::TestWithParam<FieldCase> {};

TEST_P(TankOkChecks, RefusalKeepsTheDialogOpenWithTheFocusOnTheBox)
{
    TestEnv env;
    TankEditorDialog dlg(*env.ctx);
    dlg.prepareAdd();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    child<QLineEdit>(dlg, "descriptionEdit")->setFocus();
    // Set rather than typed: the size box takes at most four typed characters.
    child<QLineEdit>(dlg, "nameEdit")->setText(GetParam().name);
    child<QLineEdit>(dlg, "sizeEdit")->setText(GetParam().size);
    env.messages.clear();
    env.beeper.count = 0;

    click(dlg, "okButton");

    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, GetParam().message);
    EXPECT_EQ(env.messages.shown[0].title, "Oops!");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(env.beeper.count, 1);
    EXPECT_EQ(dlg.focusWidget()->objectName(), GetParam().focus);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_FALSE(dlg.saved());
    EXPECT_EQ(tankCount(*env.ctx), 0);
    dlg.hide();
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, TankOkChecks,
    ::testing::Values(
        // The size is checked before the name: both empty shows the size message.
        FieldCase{"EmptySize", "", "", "The tank size must be a number less than 10,000 gallons.", "sizeEdit"},
        FieldCase{"SizeOver9999", "Reef", "10000", "The tank size must be less than 10,000 gallons.", "sizeEdit"},
        FieldCase{"ExponentOver9999", "Reef", "1e5", "The tank size must be less than 10,000 gallons.", "sizeEdit"},
        FieldCase{"SizeNotANumber", "Reef", "12ab", "Tanksize entries must be a number.", "sizeEdit"},
        FieldCase{"BlankSize", "Reef", " ", "Tanksize entries must be a number.", "sizeEdit"},
        FieldCase{"EmptyName", "", "55", "You must enter a name for your tank.", "nameEdit"},
        FieldCase{"BlankName", "   ", "55", "You must enter a name for your tank.", "nameEdit"},
        FieldCase{"NegativeSize", "Reef", "-5", "The tank size must not be negative.", "sizeEdit"},
        FieldCase{"InfiniteSize", "Reef", "1e999", "Tanksize entries must be a number.", "sizeEdit"},
        FieldCase{"QuoteInName", "The \"big\" one", "55", "The tank name cannot contain a quote(\") character.",
                  "nameEdit"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TankAdd, BoundaryValuesAndTheChosenWaterTypeAreWrittenAsTyped)
{
    TestEnv env;
    TankEditorDialog dlg(*env.ctx);
    dlg.prepareAdd();
    click(dlg, "reefOption");
    type(dlg, "nameEdit", QString(49, 'N') + " ");
    type(dlg, "sizeEdit", "9999");
    type(dlg, "descriptionEdit", QString(50, 'D'));
    auto* notes = child<QPlainTextEdit>(dlg, "notesEdit");
    QTest::keyClicks(notes, "Skimmer");
    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, "Two pumps");
    click(dlg, "okButton");

    ASSERT_TRUE(dlg.saved());
    EXPECT_TRUE(env.messages.shown.isEmpty());
    const auto tank = env.tankNamed(QString(49, 'N') + " ");
    ASSERT_TRUE(tank);
    EXPECT_EQ(tank->watertype, "3");
    EXPECT_EQ(tank->tanksize, 9999.0);
    EXPECT_EQ(tank->tankdesc, QString(50, 'D'));
    EXPECT_EQ(tank->tanknotes, "Skimmer\nTwo pumps");

    // At most four characters can be typed into the size box.
    type(dlg, "sizeEdit", "123456");
    EXPECT_EQ(text(dlg, "sizeEdit"), "1234");
}

TEST(TankAdd, DuplicateNameInAnyCaseKeepsTheDialogOpenUntilTheNameIsChanged)
{
    TestEnv env;
    addTank(*env.ctx, "Reef");
    TankEditorDialog dlg(*env.ctx);
    dlg.prepareAdd();
    type(dlg, "nameEdit", "REEF");
    click(dlg, "okButton");

    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, kDuplicate);
    EXPECT_EQ(env.messages.shown[0].title, "");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(env.messages.shown[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(dlg.saved());
    EXPECT_EQ(tankCount(*env.ctx), 1);

    type(dlg, "nameEdit", "Reef 2");
    click(dlg, "okButton");
    EXPECT_TRUE(dlg.saved());
    EXPECT_EQ(tankCount(*env.ctx), 2);
}

TEST(TankAdd, CancelWritesNothing)
{
    TestEnv env;
    TankEditorDialog dlg(*env.ctx);
    dlg.prepareAdd();
    type(dlg, "nameEdit", "Reef");
    click(dlg, "cancelButton");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(tankCount(*env.ctx), 0);
}

TEST(TankAdd, ActivationDisablesFilePrint)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    main.claimFilePrint(true, "&Print Entries...");
    QAction& print = menuCommand(main, "&Print Entries...");
    TankEditorDialog dlg(*env.ctx, &main, &main);
    dlg.prepareAdd();
    dlg.show();
    EXPECT_FALSE(print.isEnabled());
    EXPECT_EQ(print.text(), "&Print");
    dlg.hide();
}

// ---- changing ------------------------------------------------------------

TEST(TankChange, EditorShowsTheTankAndSavesWithoutChangingItsKey)
{
    TestEnv env;
    const QString id = addTank(*env.ctx, "Reef", "4", 120.5);
    addLogRows(*env.ctx, id);
    TankListDialog list(*env.ctx);
    whenModal<TankEditorDialog>(list, [](TankEditorDialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Change Tank Info for Reef");
        EXPECT_EQ(text(editor, "nameEdit"), "Reef");
        EXPECT_EQ(text(editor, "sizeEdit"), "120.5");
        EXPECT_EQ(text(editor, "descriptionEdit"), "Reef description");
        EXPECT_EQ(child<QPlainTextEdit>(editor, "notesEdit")->toPlainText(), "Reef notes");
        EXPECT_TRUE(child<QRadioButton>(editor, "brackishOption")->isChecked());
        type(editor, "nameEdit", "Lagoon");
        click(editor, "pondOption");
        click(editor, "okButton");
    });

    EXPECT_TRUE(list.changeTank(id));

    const auto tank = TankStore(env.ctx->db()).findById(id);
    ASSERT_TRUE(tank);
    EXPECT_EQ(tank->tankname, "Lagoon");
    EXPECT_EQ(tank->watertype, "5");
    EXPECT_EQ(tankCount(*env.ctx), 1);
    EXPECT_EQ(logRows(*env.ctx, id), 3);
}

// A stored name or description longer than the box takes is shown whole, and
// OK refuses it with its length message instead of saving it cut.
TEST(TankChange, LongStoredTextsLoadWholeAndAreRefusedOnOk)
{
    const struct {
        const char* label;
        QString name, desc;
        const char* message;
        const char* focus;
    } cases[] = {
        {"name", QString(60, 'N'), "short", "The tank name must be less than 50 characters.", "nameEdit"},
        {"description", "Reef", QString(70, 'D'), "The long description must be less than 50 characters.",
         "descriptionEdit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TestEnv env;
        TankRecord stored;
        stored.tankname = c.name;
        stored.tankdesc = c.desc;
        stored.tanksize = 55;
        stored.watertype = "1";
        ASSERT_EQ(TankStore(env.ctx->db()).add(stored, env.clock.now()), TankWrite::Ok);
        TankEditorDialog dlg(*env.ctx);
        dlg.prepareEdit(stored);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        EXPECT_EQ(text(dlg, "nameEdit"), c.name);
        EXPECT_EQ(text(dlg, "descriptionEdit"), c.desc);
        click(dlg, "okButton");
        ASSERT_EQ(env.messages.texts(), QStringList{c.message});
        EXPECT_EQ(dlg.focusWidget()->objectName(), c.focus);
        EXPECT_FALSE(dlg.saved());
        const auto kept = TankStore(env.ctx->db()).findById(stored.tankid);
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->tankname, c.name);
        EXPECT_EQ(kept->tankdesc, c.desc);
        dlg.hide();
    }
}

// A tank that another window deleted while the editor was open is not
// reported as saved.
TEST(TankChange, ChangeToATankDeletedMeanwhileReportsFailure)
{
    TestEnv env;
    const QString id = addTank(*env.ctx, "Reef", "3", 55);
    TankListDialog list(*env.ctx);
    whenModal<TankEditorDialog>(list, [&](TankEditorDialog& editor) {
        ASSERT_TRUE(TankStore(env.ctx->db()).remove(id));
        type(editor, "nameEdit", "Lagoon");
        click(editor, "okButton");
        EXPECT_FALSE(editor.saved());
        ASSERT_EQ(env.messages.shown.size(), 1);
        EXPECT_TRUE(env.messages.shown[0].text.startsWith("ERROR ")) << env.messages.shown[0].text.toStdString();
        editor.reject();
    });
    list.changeTank(id);
    EXPECT_EQ(tankCount(*env.ctx), 0);
}

TEST(TankChange, EmptySizeAndUnknownWaterTypeAreShownAsTheyAre)
{
    TestEnv env;
    const QString id = addTank(*env.ctx, "Odd", "9", std::nullopt);
    TankListDialog list(*env.ctx);
    whenModal<TankEditorDialog>(list, [](TankEditorDialog& editor) {
        EXPECT_EQ(text(editor, "sizeEdit"), "");
        for (QRadioButton* option : editor.findChildren<QRadioButton*>())
            EXPECT_FALSE(option->isChecked()) << option->objectName().toStdString();
        type(editor, "sizeEdit", "30");
        click(editor, "okButton");
    });
    EXPECT_TRUE(list.changeTank(id));
    EXPECT_EQ(TankStore(env.ctx->db()).findById(id)->watertype, "9");
}

TEST(TankChange, RenamingToAnotherTanksNameIsRefused)
{
    TestEnv env;
    const QString id = addTank(*env.ctx, "Reef", "2", 55, 0);
    addTank(*env.ctx, "Pond", "5", 500, 1);
    TankListDialog list(*env.ctx);
    whenModal<TankEditorDialog>(list, [](TankEditorDialog& editor) {
        type(editor, "nameEdit", "pond");
        click(editor, "okButton");
        EXPECT_TRUE(editor.isVisible());
        EXPECT_FALSE(editor.saved());
        click(editor, "cancelButton");
    });
    EXPECT_FALSE(list.changeTank(id));
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, kDuplicate);
    EXPECT_EQ(TankStore(env.ctx->db()).findById(id)->tankname, "Reef");
}

// ---- choosing a tank -----------------------------------------------------

struct NoticeCase {
    const char* label;
    bool deleting;
    const char* tankId;
    const char* notice;
};

void PrintTo(const NoticeCase& c, std::ostream* os)
{
    *os << c.label;
}

class TankNotChosen : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(TankNotChosen, ShowsTheNoticeAndChangesNothing)
{
    TestEnv env;
    const QString id = addTank(*env.ctx, "Reef");
    addLogRows(*env.ctx, id);
    TankListDialog list(*env.ctx);
    // Only an editor would run this (the message boxes answer from the script).
    bool editorOpened = false;
    QTimer::singleShot(0, &list, [&editorOpened] {
        editorOpened = true;
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });

    const bool done =
        GetParam().deleting ? list.deleteTank(GetParam().tankId) : list.changeTank(GetParam().tankId);

    EXPECT_FALSE(done);
    EXPECT_FALSE(editorOpened);
    ASSERT_EQ(env.messages.shown.size(), 1);
    EXPECT_EQ(env.messages.shown[0].text, GetParam().notice);
    EXPECT_EQ(env.messages.shown[0].title, "Note!");
    EXPECT_EQ(env.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(env.beeper.count, 1);
    EXPECT_EQ(tankCount(*env.ctx), 1);
    EXPECT_EQ(logRows(*env.ctx, id), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TankNotChosen,
    ::testing::Values(
        NoticeCase{"ChangeUnknownTank", false, "01-01-1999 00:00:00", "You must first select a tank entry to change."},
        NoticeCase{"DeleteUnknownTank", true, "01-01-1999 00:00:00", "You must first select a tank to delete."}),
    [](const auto& info) { return std::string(info.param.label); });

// ---- deleting --------------------------------------------------------------

class TankDelete : public ::testing::Test {
protected:
    TestEnv env;
    QString reefId, pondId;
    void SetUp() override
    {
        reefId = addTank(*env.ctx, "Reef", "3", 55, 0);
        pondId = addTank(*env.ctx, "Pond", "5", 500, 1);
        addLogRows(*env.ctx, reefId);
        addLogRows(*env.ctx, pondId);
    }
};

TEST_F(TankDelete, AsksWithCancelAsDefaultAndCancelKeepsEveryRow)
{
    env.messages.answers.enqueue(MsgResult::Cancel);
    TankListDialog list(*env.ctx);

    EXPECT_FALSE(list.deleteTank(reefId));

    ASSERT_EQ(env.messages.shown.size(), 1);
    const Message& q = env.messages.shown[0];
    EXPECT_EQ(q.text, QString("Are you sure you want to delete the tank you named Reef? ") + QChar(13) +
                          " Deleting this entry will delete ALL entries for this tank in EVERY logbook - "
                          "Maintenence, Water Quality, and Livestock. (Remember, you CANNOT \"undo\" a delete!)");
    EXPECT_EQ(q.title, "Are you sure...");
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(q.defaultButton, MsgResult::Cancel);
    EXPECT_EQ(env.beeper.count, 1);
    EXPECT_EQ(tankCount(*env.ctx), 2);
    EXPECT_EQ(logRows(*env.ctx, reefId), 3);
}

TEST_F(TankDelete, OkRemovesTheTankAndOnlyItsLogRows)
{
    env.messages.answers.enqueue(MsgResult::Ok);
    TankListDialog list(*env.ctx);

    EXPECT_TRUE(list.deleteTank(reefId));

    ASSERT_EQ(env.messages.shown.size(), 2);
    EXPECT_EQ(env.messages.shown[1].text, "The tank named Reef was successfully deleted.");
    EXPECT_EQ(env.messages.shown[1].title, "Tank Deleted");
    EXPECT_EQ(env.messages.shown[1].icon, MsgIcon::Information);
    EXPECT_FALSE(TankStore(env.ctx->db()).findById(reefId));
    EXPECT_EQ(logRows(*env.ctx, reefId), 0);
    EXPECT_EQ(logRows(*env.ctx, pondId), 3);
    EXPECT_TRUE(TankStore(env.ctx->db()).findById(pondId));
}

TEST_F(TankDelete, ListStaysSortedWithNothingSelected)
{
    addTank(*env.ctx, "angelfish", "1", 20, 2);
    TankListDialog list(*env.ctx);
    whenModal<TankListDialog>(list, [this](TankListDialog& shown) {
        EXPECT_EQ(listed(shown), QStringList({"angelfish", "Pond", "Reef"}));

        choose(shown, "Pond");
        env.messages.answers.enqueue(MsgResult::Ok);
        click(shown, "deleteButton");

        EXPECT_EQ(listed(shown), QStringList({"angelfish", "Reef"}));
        EXPECT_TRUE(child<QListWidget>(shown, "tankList")->selectedItems().isEmpty());
        click(shown, "okButton");
    });
    list.showTankList();
    EXPECT_EQ(logRows(*env.ctx, pondId), 0);
}

TEST_F(TankDelete, ButtonsWithNothingSelectedOnlyShowTheirNotices)
{
    TankListDialog list(*env.ctx);
    whenModal<TankListDialog>(list, [](TankListDialog& shown) {
        click(shown, "changeButton");
        click(shown, "deleteButton");
        click(shown, "cancelButton");
    });
    list.showTankList();

    EXPECT_EQ(env.messages.texts(), QStringList({"You must first select a tank entry to change.",
                                                 "You must first select a tank to delete."}));
    EXPECT_EQ(tankCount(*env.ctx), 2);
}

// ---- through the main window ------------------------------------------------

TEST(TankSetupMenu, ClosingTheListWithoutATankWarnsAgain)
{
    TestEnv env;
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    whenModal<TankListDialog>(main, [](TankListDialog& list) {
        EXPECT_EQ(list.windowTitle(), "Master Tanklist");
        EXPECT_EQ(child<QListWidget>(list, "tankList")->count(), 0);
        click(list, "okButton");
    });
    menuCommand(main, "&Tank Setup").trigger();

    ASSERT_FALSE(env.messages.shown.isEmpty());
    EXPECT_EQ(env.messages.shown.last().title, "No Tanks Set Up Yet");
}

// The tank pop-up and the options commands reach their dialogs through the
// main window's hooks; each modal window is answered as it comes up.
TEST(TankPopupHooks, EachCommandOpensItsDialogAndActsOnTheTankItIsGiven)
{
    TestEnv env;
    const QString reefId = addTank(*env.ctx, "Reef", "3", 55, 0);
    addLogRows(*env.ctx, reefId);
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);

    // New Tank...: the editor in add mode; OK saves.
    whenModal<TankEditorDialog>(main, [](TankEditorDialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Add a New Tank to the List");
        type(editor, "nameEdit", "Pond");
        click(editor, "okButton");
    });
    main.hooks.addTank();
    ASSERT_TRUE(env.tankNamed("Pond"));

    // Properties...: the editor in edit mode on the named tank; Escape writes nothing.
    whenModal<TankEditorDialog>(main, [](TankEditorDialog& editor) {
        EXPECT_EQ(editor.windowTitle(), "Change Tank Info for Reef");
        type(editor, "nameEdit", "Renamed");
        QTest::keyClick(&editor, Qt::Key_Escape);
    });
    main.hooks.editTank(reefId);
    EXPECT_EQ(TankStore(env.ctx->db()).findById(reefId)->tankname, "Reef");

    // Delete Tank: asks, then removes the tank and its log rows.
    env.messages.clear();
    env.messages.answers.enqueue(MsgResult::Ok);
    main.hooks.deleteTank(reefId);
    EXPECT_EQ(env.messages.texts().size(), 2);
    EXPECT_FALSE(TankStore(env.ctx->db()).findById(reefId));
    EXPECT_EQ(logRows(*env.ctx, reefId), 0);

    // Graph Options: the options dialog on its Graphing tab.
    int tab = -1;
    whenModal<QDialog>(main, [&tab](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Brinestead Options");
        tab = child<QTabWidget>(dialog, "optionTabs")->currentIndex();
        dialog.close();
    });
    main.hooks.showOptions(1);
    EXPECT_EQ(tab, 1);
}

// A tank whose stored name is blank (from a file made elsewhere; the editor
// refuses such names) is changed and deleted like any other, from the tank
// list's buttons and from the logbook's tank pop-up, and no other tank is touched.
TEST(TankSetupMenu, ATankWithABlankNameIsChangedAndDeletedLikeAnyOther)
{
    for (const QString& name : {QString(""), QString(" ")}) {
        for (const bool fromLogbook : {false, true}) {
            SCOPED_TRACE(QString("'%1' from the %2").arg(name, fromLogbook ? "logbook" : "list").toStdString());
            TestEnv env;
            const QString reefId = addTank(*env.ctx, "Reef", "3", 55, 0);
            const QString blankId = addTank(*env.ctx, name, "1", 20, 1);
            addLogRows(*env.ctx, blankId);
            MainWindow main(*env.ctx);
            wireApplication(*env.ctx, main);
            main.show();
            LogbookWindow* log = nullptr;
            if (fromLogbook) {
                main.showChild("LogbookWindow");
                QCoreApplication::processEvents();
                log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
                ASSERT_TRUE(log);
            }
            // Runs the tank's Properties (or Delete) from the list or the pop-up;
            // then is run on the editor it opens.
            auto command = [&](const char* button, const char* popupAction,
                               std::function<void(TankEditorDialog&)> then = {}) {
                if (fromLogbook) {
                    ASSERT_TRUE(log->selectNode(name));   // each command rebuilds the tree
                    if (then)
                        whenModal<TankEditorDialog>(main, then);
                    child<QAction>(&main, popupAction)->trigger();
                    return;
                }
                whenModal<TankListDialog>(main, [&](TankListDialog& list) {
                    choose(list, name);
                    if (then)
                        whenModal<TankEditorDialog>(list, then);
                    click(list, button);
                    click(list, "okButton");
                });
                menuCommand(main, "&Tank Setup").trigger();
            };

            QString opened;
            command("changeButton", "tankPropertiesAction", [&opened](TankEditorDialog& editor) {
                opened = editor.windowTitle() + "|" + text(editor, "nameEdit");
                QTest::keyClick(&editor, Qt::Key_Escape);
            });
            EXPECT_EQ(opened, "Change Tank Info for " + name + "|" + name);

            env.messages.clear();
            env.messages.answers.enqueue(MsgResult::Ok);
            command("deleteButton", "deleteTankAction");
            ASSERT_FALSE(env.messages.shown.isEmpty());
            EXPECT_TRUE(env.messages.shown[0].text.startsWith("Are you sure you want to delete the tank you named "
                                                              + name + "? "));
            EXPECT_FALSE(TankStore(env.ctx->db()).findById(blankId));
            EXPECT_EQ(logRows(*env.ctx, blankId), 0);
            EXPECT_TRUE(TankStore(env.ctx->db()).findById(reefId));
            main.hide();
        }
    }
}

// A tank deleted or renamed in Tools > Tank Setup must not linger in an open
// logbook's tree, where new entries would be written for a tank that is gone.
TEST(TankSetupMenu, OpenLogbookTreeFollowsTheChangesMadeInTheList)
{
    TestEnv env;
    const QString reefId = addTank(*env.ctx, "Reef", "3", 55, 0);
    addTank(*env.ctx, "Pond", "5", 500, 1);
    MainWindow main(*env.ctx);
    wireApplication(*env.ctx, main);
    main.show();
    main.showChild("LogbookWindow");
    QCoreApplication::processEvents();
    auto* log = dynamic_cast<LogbookWindow*>(main.childWindow("LogbookWindow", false));
    ASSERT_TRUE(log);
    ASSERT_TRUE(log->selectNode("Reef"));

    env.messages.answers.enqueue(MsgResult::Ok);
    whenModal<TankListDialog>(main, [](TankListDialog& list) {
        choose(list, "Reef");
        click(list, "deleteButton");
        click(list, "okButton");
    });
    menuCommand(main, "&Tank Setup").trigger();

    ASSERT_FALSE(TankStore(env.ctx->db()).findById(reefId));
    auto* tree = log->findChild<QTreeWidget*>();
    ASSERT_NE(tree, nullptr);
    const QTreeWidgetItem* root = tree->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    QStringList nodes;
    for (int i = 0; i < root->childCount(); ++i)
        nodes << root->child(i)->text(0);
    EXPECT_EQ(nodes, QStringList{"Pond"});
    EXPECT_FALSE(log->selectNode("Reef"));
    main.hide();
}
