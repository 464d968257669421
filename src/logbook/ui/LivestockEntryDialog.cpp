#include "logbook/ui/LivestockEntryDialog.h"

#include "core/AppContext.h"
#include "core/Dates.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/CalendarDialog.h"
#include "logbook/NamesFile.h"
#include "logbook/SpeciesLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kMakerAddress = QStringLiteral("https://www.quorvexa.com/brinestead");

QString missingFileText(bool salt)
{
    const QString water = salt ? QStringLiteral("saltwater") : QStringLiteral("freshwater");
    const QString file = salt ? QStringLiteral("NAMESSW.TXT") : QStringLiteral("NAMESFW.TXT");
    return QStringLiteral("The file containing the %1 names (%2) is missing or not in the correct "
                          "format. You will not be able to view %1 names using the file. Change "
                          "the setting in the \"Options...\" menu setting, on the \"Lists\" tab. "
                          "Contact Quorvexa via email or download the file from the Quorvexa "
                          "Website at ")
               .arg(water, file)
           + kMakerAddress
           + QStringLiteral(" to obtain a copy of the file.\r\nThe Brinestead database version of "
                            "the list will be used.");
}

QString unreadableFileText(bool salt)
{
    const QString water = salt ? QStringLiteral("saltwater") : QStringLiteral("freshwater");
    const QString file = salt ? QStringLiteral("NAMESSW.TXT") : QStringLiteral("NAMESFW.TXT");
    return QStringLiteral("The file containing the %1 names (%2) is missing or not in the correct "
                          "format. You will not be able to view %1 animal names using the file. "
                          "Change the setting in the \"Options...\" menu setting, on the \"Lists\" "
                          "tab. Contact Quorvexa via email or download the file from the Quorvexa "
                          "Website at ")
               .arg(water, file)
           + kMakerAddress + QStringLiteral(" to obtain a copy of the file.");
}

// A whole number written with digits only (blanks around it allowed).
bool isWholeNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

QString plainNumber(double value)
{
    return QString::number(value, 'g', 15);
}

// The hourglass while a list loads.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};

} // namespace

LivestockEntryDialog::LivestockEntryDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("LivestockEntryDialog"));
    setWindowTitle(QStringLiteral("Livestock Detail Window"));
    setModal(true);

    SSTab1 = named(new QTabWidget(this), "SSTab1");
    auto* page = new QWidget(SSTab1);
    SSTab1->addTab(page, QStringLiteral("Livestock Entry"));

    lst_AnimalList = makePickList(page, "lst_AnimalList");
    txt_DateAdded = named(new MaskedDateEdit(page), "txt_DateAdded");
    cmd_Caldate = makeCalendarButton(page);
    txt_timeadded = named(new MaskedTimeEdit(page), "txt_timeadded");
    txt_quantity = named(new QLineEdit(page), "txt_quantity");
    lst_where = makePickList(page, "lst_where");
    lst_Status = makePickList(page, "lst_Status");
    txt_pricepaid = named(new QLineEdit(page), "txt_pricepaid");
    txt_pricesold = named(new QLineEdit(page), "txt_pricesold");
    txt_datelost = named(new MaskedDateEdit(page), "txt_datelost");
    txt_Comment = named(new QLineEdit(page), "txt_Comment");

    Frame1 = named(new QGroupBox(QStringLiteral("Animal List Type"), page), "Frame1");
    opt_Fresh = named(new QRadioButton(QStringLiteral("Freshwater"), Frame1), "opt_Fresh");
    opt_SaltWater =
        named(new QRadioButton(QStringLiteral("Saltwater / Marine / Reef"), Frame1), "opt_SaltWater");
    auto* frameLayout = new QHBoxLayout(Frame1);
    frameLayout->addWidget(opt_Fresh);
    frameLayout->addWidget(opt_SaltWater);

    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(Frame1, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Animal Name"), page), row, 0);
    grid->addWidget(lst_AnimalList, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Acquired"), page), row, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(txt_DateAdded);
    dateRow->addWidget(cmd_Caldate);
    grid->addLayout(dateRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time Acquired"), page), row, 2);
    grid->addWidget(txt_timeadded, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Quantity"), page), row, 0);
    grid->addWidget(txt_quantity, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Status"), page), row, 2);
    grid->addWidget(lst_Status, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Where Purchased"), page), row, 0);
    grid->addWidget(lst_where, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Price Paid"), page), row, 0);
    grid->addWidget(txt_pricepaid, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Price Sold"), page), row, 2);
    grid->addWidget(txt_pricesold, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Lost / Sold"), page), row, 0);
    grid->addWidget(txt_datelost, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral(" Comment:"), page), row, 0);
    grid->addWidget(txt_Comment, row++, 1, 1, 3);

    cmd_OK = named(new QPushButton(QStringLiteral("&OK"), this), "cmd_OK");
    cmd_Cancel = named(new QPushButton(QStringLiteral("&Cancel"), this), "cmd_Cancel");
    cmd_OK->setDefault(true);
    cmd_OK->setAutoDefault(true);
    cmd_Cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK);
    buttons->addWidget(cmd_Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);

    const Settings& s = m_ctx.settings;
    txt_DateAdded->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);
    txt_datelost->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    m_checker = new LeaveChecker(this);
    m_checker->addCheck(txt_DateAdded, [this] { return txt_dateadded_LostFocus(); });
    m_checker->addExempt(cmd_Cancel);

    connect(cmd_OK, &QPushButton::clicked, this, [this] { cmd_OK_Click(); });
    connect(cmd_Cancel, &QPushButton::clicked, this, [this] { cmd_Cancel_Click(); });
    connect(cmd_Caldate, &QToolButton::clicked, this, [this] { cmd_caldate_Click(); });
    connect(opt_SaltWater, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opt_Saltwater_Click();
    });
    connect(opt_Fresh, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            opt_fresh_click();
    });

    Form_Load();
}

LivestockEntryDialog::~LivestockEntryDialog() = default;

void LivestockEntryDialog::Form_Load()
{
    // Choosing the option loads its species list, as a click on it does.
    if (speciesWaterFor(m_ctx.currentWaterType) == SpeciesWater::Salt)
        opt_SaltWater->setChecked(true);
    else
        opt_Fresh->setChecked(true);

    fillPickList(lst_where, wherePurchasedList(m_ctx.db()));
    fillPickList(lst_Status, statusList(m_ctx.db()));
}

void LivestockEntryDialog::setEntry(const LivestockRecord& rec, bool isNew)
{
    m_entry = rec;
    m_isNew = isNew;
    txt_DateAdded->setDate(rec.dateadded);
    txt_timeadded->setTime(rec.timeadded, !isNew);
    txt_quantity->setText(rec.quantity ? QString::number(*rec.quantity) : QString());
    txt_Comment->setText(rec.comment);
    // A new entry keeps whatever name the species list shows unless one is given.
    if (!isNew || !rec.animalname.isEmpty())
        lst_AnimalList->setEditText(rec.animalname);
    if (!rec.status.isEmpty())
        lst_Status->setEditText(rec.status);
    if (!rec.where_purch.isEmpty())
        lst_where->setEditText(rec.where_purch);
    txt_pricepaid->setText(rec.price_paid ? plainNumber(*rec.price_paid) : QString());
    txt_pricesold->setText(rec.price_sold ? plainNumber(*rec.price_sold) : QString());
    if (rec.datelost)
        txt_datelost->setDate(*rec.datelost);
    else
        txt_datelost->clearDate();
}

void LivestockEntryDialog::opt_Saltwater_Click()
{
    BusyCursor busy;
    if (m_ctx.settings.useFileSaltwater)
        Salt_List_From_File();
    else
        Salt_List_From_DB();
}

void LivestockEntryDialog::opt_fresh_click()
{
    BusyCursor busy;
    if (m_ctx.settings.useFileFreshwater)
        Fresh_List_From_File();
    else
        Fresh_List_From_DB();
}

void LivestockEntryDialog::Salt_List_From_File() { loadFromFile(true); }
void LivestockEntryDialog::Fresh_List_From_File() { loadFromFile(false); }
void LivestockEntryDialog::Salt_List_From_DB() { loadFromDb(true); }
void LivestockEntryDialog::Fresh_List_From_DB() { loadFromDb(false); }

void LivestockEntryDialog::loadFromFile(bool salt)
{
    BusyCursor busy;
    m_ctx.setStatus(QStringLiteral("Loading..."));
    lst_AnimalList->clear();

    NamesLoadProgress progress;
    const NamesFileResult result =
        readNamesFile(m_ctx.startDir, salt ? kSaltNamesFile : kFreshNamesFile,
                      [&](const NameEntry& entry) {
                          lst_AnimalList->addItem(entry.display);
                          m_ctx.setStatus(progress.addName());
                      });
    switch (result.status) {
    case NamesFileResult::Missing:
        m_ctx.services.tell(missingFileText(salt), QStringLiteral("Names File Not Found!"),
                            MsgIcon::Exclamation, false);
        loadFromDb(salt);
        return;
    case NamesFileResult::Unreadable:
        m_ctx.services.tell(unreadableFileText(salt), QStringLiteral("Names File Not Found!"),
                            MsgIcon::Exclamation, false);
        break;
    case NamesFileResult::Loaded:
        m_ctx.setStatus(progress.doneText());
        break;
    }
    // The names from a file are offered; none is picked for the keeper.
    lst_AnimalList->setCurrentIndex(-1);
    lst_AnimalList->setEditText(QString());
}

void LivestockEntryDialog::loadFromDb(bool salt)
{
    BusyCursor busy;
    m_ctx.setStatus(QStringLiteral("Loading..."));
    lst_AnimalList->clear();
    lst_AnimalList->addItems(
        speciesNamesFromDb(m_ctx.db(), salt ? SpeciesWater::Salt : SpeciesWater::Fresh));
    if (lst_AnimalList->count() > 0)
        lst_AnimalList->setCurrentIndex(0);
    else
        lst_AnimalList->setEditText(QString());
    m_ctx.setStatus(QStringLiteral("Ready."));
}

void LivestockEntryDialog::cmd_caldate_Click()
{
    pickDateInto(m_ctx, txt_DateAdded, cmd_Caldate->mapToGlobal(QPoint(3, 3)), this);
}

bool LivestockEntryDialog::txt_dateadded_LostFocus()
{
    if (txt_DateAdded->date(m_ctx.services.clock->today()))
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valid date to add a livestock entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

void LivestockEntryDialog::cmd_OK_Click()
{
    const QString oops = QStringLiteral("Oops!");
    const QString note = QStringLiteral("Note!");
    const QDate today = m_ctx.services.clock->today();
    const QString mask = m_ctx.settings.dateMask;

    const QString animal = lst_AnimalList->currentText();
    if (animal.trimmed().isEmpty()) {
        refuseField(m_ctx.services, lst_AnimalList, oops,
               QStringLiteral("You must enter an animal name or pick one from the list to add a "
                              "livestock entry to the log."));
        return;
    }
    if (animal.size() > 50) {
        refuseField(m_ctx.services, lst_AnimalList, note,
               QStringLiteral("Your animal description must be less than 50 characters."));
        return;
    }
    const QString where = lst_where->currentText();
    if (where.size() > 50) {
        refuseField(m_ctx.services, lst_where, note, QStringLiteral("Your place of purchase must be less than 50 characters."));
        return;
    }
    const std::optional<QDate> added = txt_DateAdded->date(today);
    if (!added) {
        refuseField(m_ctx.services, txt_DateAdded, oops,
               QStringLiteral("You must enter a valid date acquired in ") + mask
                   + QStringLiteral(" format to add a livestock entry to the log."));
        return;
    }
    const std::optional<QTime> time = txt_timeadded->time();
    if (!time) {
        refuseField(m_ctx.services, txt_timeadded, oops,
               QStringLiteral("You must enter a valid time in \"HH:MM:SS am\" format to add a "
                              "livestock entry to the log."));
        return;
    }
    std::optional<QDate> lost;
    if (txt_datelost->hasDigits()) {
        lost = txt_datelost->date(today);
        if (!lost) {
            refuseField(m_ctx.services, txt_datelost, oops,
                   QStringLiteral("You must enter a valid date in ") + mask
                       + QStringLiteral(" format to add a \"Date Lost\" to the livestock entry to the log."));
            return;
        }
    }
    std::optional<double> paid;
    if (!txt_pricepaid->text().trimmed().isEmpty()) {
        paid = parseNumber(txt_pricepaid->text().trimmed());
        if (!paid) {
            refuseField(m_ctx.services, txt_pricepaid, oops, QStringLiteral("Price Paid must be a number."));
            return;
        }
    }
    std::optional<double> sold;
    if (!txt_pricesold->text().trimmed().isEmpty()) {
        sold = parseNumber(txt_pricesold->text().trimmed());
        if (!sold) {
            refuseField(m_ctx.services, txt_pricesold, oops, QStringLiteral("Price Sold must be a number."));
            return;
        }
    }
    const QString status = lst_Status->currentText();
    if (status.size() > 30) {
        refuseField(m_ctx.services, lst_Status, note, QStringLiteral("Your status description must be less than 30 characters."));
        return;
    }
    if (leadingNumber(txt_quantity->text()) > 32000) {
        refuseField(m_ctx.services, txt_quantity, note,
               QStringLiteral("Your quantity must be less than 32,000. (Besides, what size tank do "
                              "you hold 32,000 fish in?)"));
        return;
    }
    if (!isWholeNumber(txt_quantity->text())) {
        refuseField(m_ctx.services, txt_quantity, oops, QStringLiteral("Quantity entries must be a number."));
        return;
    }

    LivestockRecord rec;
    rec.rowid = m_isNew ? 0 : m_entry.rowid;
    rec.tankid = m_entry.tankid;
    rec.dateadded = *added;
    rec.timeadded = *time;
    rec.animalname = animal;
    rec.quantity = txt_quantity->text().trimmed().toLongLong();
    rec.comment = txt_Comment->text();
    rec.status = status;
    rec.price_paid = paid;
    rec.price_sold = sold;
    rec.datelost = lost;
    rec.where_purch = where;

    LivestockStore store(m_ctx.db());
    QString error;
    const bool ok = m_isNew ? store.insert(rec, &error) : store.update(rec, &error);
    if (!ok) {
        m_ctx.services.tell(QStringLiteral("ERROR ") + error + QStringLiteral(" occurred."),
                            QStringLiteral("Oops"), MsgIcon::Exclamation);
        return;
    }
    m_saved = rec;
    accept();
}

void LivestockEntryDialog::cmd_Cancel_Click()
{
    reject();
}
