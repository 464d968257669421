#include "logbook/ui/LivestockEntryDialog.h"

#include "core/ui/HelpWindow.h"
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
    addHelpKey(this, QStringLiteral("livestock.html"));
    setWindowTitle(QStringLiteral("Livestock Detail Window"));
    setModal(true);

    m_entryTabs = named(new QTabWidget(this), "entryTabs");
    auto* page = new QWidget(m_entryTabs);
    m_entryTabs->addTab(page, QStringLiteral("Livestock Entry"));

    m_animalNameList = makePickList(page, "animalNameList");
    m_dateAddedEdit = named(new MaskedDateEdit(page), "dateAddedEdit");
    m_calendarButton = named(makeCalendarButton(page), "calendarButton");
    m_timeAddedEdit = named(new MaskedTimeEdit(page), "timeAddedEdit");
    m_quantityEdit = named(new QLineEdit(page), "quantityEdit");
    m_wherePurchasedList = makePickList(page, "wherePurchasedList");
    m_statusList = makePickList(page, "statusList");
    m_pricePaidEdit = named(new QLineEdit(page), "pricePaidEdit");
    m_priceSoldEdit = named(new QLineEdit(page), "priceSoldEdit");
    m_dateLostEdit = named(new MaskedDateEdit(page), "dateLostEdit");
    m_commentEdit = named(new QLineEdit(page), "commentEdit");

    m_listTypeGroup = named(new QGroupBox(QStringLiteral("Animal List Type"), page), "listTypeGroup");
    m_freshwaterOption =
        named(new QRadioButton(QStringLiteral("Freshwater"), m_listTypeGroup), "freshwaterOption");
    m_saltwaterOption =
        named(new QRadioButton(QStringLiteral("Saltwater / Marine / Reef"), m_listTypeGroup), "saltwaterOption");
    auto* listTypeLayout = new QHBoxLayout(m_listTypeGroup);
    listTypeLayout->addWidget(m_freshwaterOption);
    listTypeLayout->addWidget(m_saltwaterOption);

    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(m_listTypeGroup, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Animal Name"), page), row, 0);
    grid->addWidget(m_animalNameList, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Acquired"), page), row, 0);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_dateAddedEdit);
    dateRow->addWidget(m_calendarButton);
    grid->addLayout(dateRow, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Time Acquired"), page), row, 2);
    grid->addWidget(m_timeAddedEdit, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Quantity"), page), row, 0);
    grid->addWidget(m_quantityEdit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Status"), page), row, 2);
    grid->addWidget(m_statusList, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Where Purchased"), page), row, 0);
    grid->addWidget(m_wherePurchasedList, row++, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Price Paid"), page), row, 0);
    grid->addWidget(m_pricePaidEdit, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Price Sold"), page), row, 2);
    grid->addWidget(m_priceSoldEdit, row++, 3);
    grid->addWidget(new QLabel(QStringLiteral("Date Lost / Sold"), page), row, 0);
    grid->addWidget(m_dateLostEdit, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral(" Comment:"), page), row, 0);
    grid->addWidget(m_commentEdit, row++, 1, 1, 3);

    m_okButton = named(new QPushButton(QStringLiteral("&OK"), this), "okButton");
    m_cancelButton = named(new QPushButton(QStringLiteral("&Cancel"), this), "cancelButton");
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_cancelButton->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_entryTabs);
    layout->addLayout(buttons);

    const Settings& s = m_ctx.settings;
    m_dateAddedEdit->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);
    m_dateLostEdit->setDateFormat(s.dateOrder, s.dateDelimiter, s.dateMask);

    m_checker = new LeaveChecker(this);
    m_checker->addCheck(m_dateAddedEdit, [this] { return checkDateAdded(); });
    m_checker->addExempt(m_cancelButton);

    connect(m_okButton, &QPushButton::clicked, this, &LivestockEntryDialog::acceptEntry);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_calendarButton, &QToolButton::clicked, this, &LivestockEntryDialog::pickDateAdded);
    connect(m_saltwaterOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            loadSaltwaterNames();
    });
    connect(m_freshwaterOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            loadFreshwaterNames();
    });

    fillPickList(m_wherePurchasedList, wherePurchasedList(m_ctx.db()));
    fillPickList(m_statusList, statusList(m_ctx.db()));
}

LivestockEntryDialog::~LivestockEntryDialog() = default;

void LivestockEntryDialog::setEntry(const LivestockRecord& rec, bool isNew, const QString& waterType)
{
    // Choosing the option loads its species list, as a click on it does.
    if (speciesWaterFor(waterType) == SpeciesWater::Salt)
        m_saltwaterOption->setChecked(true);
    else
        m_freshwaterOption->setChecked(true);

    m_entry = rec;
    m_isNew = isNew;
    m_dateAddedEdit->setDate(rec.dateadded);
    m_timeAddedEdit->setTime(rec.timeadded, !isNew);
    m_quantityEdit->setText(rec.quantity ? QString::number(*rec.quantity) : QString());
    m_commentEdit->setText(rec.comment);
    // A new entry opens with its own name (none), a changed one with its stored name.
    m_animalNameList->setCurrentIndex(-1);
    m_animalNameList->setEditText(rec.animalname);
    if (!rec.status.isEmpty())
        m_statusList->setEditText(rec.status);
    if (!rec.where_purch.isEmpty())
        m_wherePurchasedList->setEditText(rec.where_purch);
    m_pricePaidEdit->setText(rec.price_paid ? plainNumber(*rec.price_paid) : QString());
    m_priceSoldEdit->setText(rec.price_sold ? plainNumber(*rec.price_sold) : QString());
    if (rec.datelost)
        m_dateLostEdit->setDate(*rec.datelost);
    else
        m_dateLostEdit->clearDate();
}

void LivestockEntryDialog::loadSaltwaterNames()
{
    BusyCursor busy;
    if (m_ctx.settings.useFileSaltwater)
        loadSaltwaterNamesFromFile();
    else
        loadSaltwaterNamesFromDatabase();
}

void LivestockEntryDialog::loadFreshwaterNames()
{
    BusyCursor busy;
    if (m_ctx.settings.useFileFreshwater)
        loadFreshwaterNamesFromFile();
    else
        loadFreshwaterNamesFromDatabase();
}

void LivestockEntryDialog::loadSaltwaterNamesFromFile() { loadNamesFromFile(true); }
void LivestockEntryDialog::loadFreshwaterNamesFromFile() { loadNamesFromFile(false); }
void LivestockEntryDialog::loadSaltwaterNamesFromDatabase() { loadNamesFromDatabase(true); }
void LivestockEntryDialog::loadFreshwaterNamesFromDatabase() { loadNamesFromDatabase(false); }

void LivestockEntryDialog::loadNamesFromFile(bool salt)
{
    BusyCursor busy;
    m_ctx.setStatus(QStringLiteral("Loading..."));
    m_animalNameList->clear();

    NamesLoadProgress progress;
    const NamesFileResult result =
        readNamesFile(m_ctx.startDir, salt ? kSaltNamesFile : kFreshNamesFile,
                      [&](const NameEntry& entry) {
                          m_animalNameList->addItem(entry.display);
                          m_ctx.setStatus(progress.addName());
                      });
    switch (result.status) {
    case NamesFileResult::Missing:
        m_ctx.services.tell(missingFileText(salt), QStringLiteral("Names File Not Found!"),
                            MsgIcon::Exclamation, false);
        loadNamesFromDatabase(salt);
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
    m_animalNameList->setCurrentIndex(-1);
    m_animalNameList->setEditText(QString());
}

void LivestockEntryDialog::loadNamesFromDatabase(bool salt)
{
    BusyCursor busy;
    m_ctx.setStatus(QStringLiteral("Loading..."));
    m_animalNameList->clear();
    m_animalNameList->addItems(
        speciesNamesFromDb(m_ctx.db(), salt ? SpeciesWater::Salt : SpeciesWater::Fresh));
    // The names are offered; none is picked for the keeper, so a forgotten
    // pick is caught by the name check instead of saving the first species.
    m_animalNameList->setCurrentIndex(-1);
    m_animalNameList->setEditText(QString());
    m_ctx.setStatus(QStringLiteral("Ready."));
}

void LivestockEntryDialog::pickDateAdded()
{
    pickDateInto(m_ctx, m_dateAddedEdit, m_calendarButton->mapToGlobal(QPoint(3, 3)), this);
}

bool LivestockEntryDialog::checkDateAdded()
{
    if (m_dateAddedEdit->date(m_ctx.services.clock->today()))
        return true;
    m_ctx.services.tell(QStringLiteral("You must enter a valid date to add a livestock entry to the log."),
                        QStringLiteral("Oops!"), MsgIcon::Exclamation);
    return false;
}

void LivestockEntryDialog::acceptEntry()
{
    const QString oops = QStringLiteral("Oops!");
    const QString note = QStringLiteral("Note!");
    const QDate today = m_ctx.services.clock->today();
    const QString mask = m_ctx.settings.dateMask;

    const QString animal = m_animalNameList->currentText();
    if (animal.trimmed().isEmpty()) {
        refuseField(m_ctx.services, m_animalNameList, oops,
                    QStringLiteral("You must enter an animal name or pick one from the list to add a "
                                   "livestock entry to the log."));
        return;
    }
    if (animal.size() > 50) {
        refuseField(m_ctx.services, m_animalNameList, note,
                    QStringLiteral("Your animal description must be less than 50 characters."));
        return;
    }
    const QString where = m_wherePurchasedList->currentText();
    if (where.size() > 50) {
        refuseField(m_ctx.services, m_wherePurchasedList, note,
                    QStringLiteral("Your place of purchase must be less than 50 characters."));
        return;
    }
    const std::optional<QDate> added = m_dateAddedEdit->date(today);
    if (!added) {
        refuseField(m_ctx.services, m_dateAddedEdit, oops,
                    QStringLiteral("You must enter a valid date acquired in ") + mask
                        + QStringLiteral(" format to add a livestock entry to the log."));
        return;
    }
    const std::optional<QTime> time = m_timeAddedEdit->time();
    if (!time) {
        refuseField(m_ctx.services, m_timeAddedEdit, oops,
                    QStringLiteral("You must enter a valid time in \"HH:MM:SS am\" format to add a "
                                   "livestock entry to the log."));
        return;
    }
    std::optional<QDate> lost;
    if (m_dateLostEdit->hasDigits()) {
        lost = m_dateLostEdit->date(today);
        if (!lost) {
            refuseField(m_ctx.services, m_dateLostEdit, oops,
                        QStringLiteral("You must enter a valid date in ") + mask
                            + QStringLiteral(" format to add a \"Date Lost\" to the livestock entry to the log."));
            return;
        }
        if (*lost < *added) {
            refuseField(m_ctx.services, m_dateLostEdit, oops,
                        QStringLiteral("The \"Date Lost\" must not be before the date acquired."));
            return;
        }
    }
    std::optional<double> paid;
    if (!m_pricePaidEdit->text().trimmed().isEmpty()) {
        paid = parseNumber(m_pricePaidEdit->text().trimmed());
        if (!paid) {
            refuseField(m_ctx.services, m_pricePaidEdit, oops, QStringLiteral("Price Paid must be a number."));
            return;
        }
        if (*paid < 0) {
            refuseField(m_ctx.services, m_pricePaidEdit, oops, QStringLiteral("Price Paid must not be negative."));
            return;
        }
    }
    std::optional<double> sold;
    if (!m_priceSoldEdit->text().trimmed().isEmpty()) {
        sold = parseNumber(m_priceSoldEdit->text().trimmed());
        if (!sold) {
            refuseField(m_ctx.services, m_priceSoldEdit, oops, QStringLiteral("Price Sold must be a number."));
            return;
        }
        if (*sold < 0) {
            refuseField(m_ctx.services, m_priceSoldEdit, oops, QStringLiteral("Price Sold must not be negative."));
            return;
        }
    }
    const QString status = m_statusList->currentText();
    if (status.size() > 30) {
        refuseField(m_ctx.services, m_statusList, note,
                    QStringLiteral("Your status description must be less than 30 characters."));
        return;
    }
    if (leadingNumber(m_quantityEdit->text()) > 32000) {
        refuseField(m_ctx.services, m_quantityEdit, note,
                    QStringLiteral("Your quantity must be less than 32,000. (Besides, what size tank do "
                                   "you hold 32,000 fish in?)"));
        return;
    }
    if (const QString quantity = m_quantityEdit->text().trimmed();
        quantity.startsWith(QLatin1Char('-')) && isWholeNumber(quantity.mid(1))) {
        refuseField(m_ctx.services, m_quantityEdit, oops, QStringLiteral("Quantity entries must not be negative."));
        return;
    }
    if (!isWholeNumber(m_quantityEdit->text())) {
        refuseField(m_ctx.services, m_quantityEdit, oops, QStringLiteral("Quantity entries must be a number."));
        return;
    }

    LivestockRecord rec;
    rec.rowid = m_isNew ? 0 : m_entry.rowid;
    rec.tankid = m_entry.tankid;
    rec.dateadded = *added;
    rec.timeadded = *time;
    rec.animalname = animal;
    rec.quantity = m_quantityEdit->text().trimmed().toLongLong();
    rec.comment = m_commentEdit->text();
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
    accept();
}
