#include "tools/ui/NamesCrossReferenceWindow.h"

#include "core/AppContext.h"
#include "core/ui/EntryWidgets.h"
#include "core/ui/HelpWindow.h"
#include "logbook/NamesFile.h"
#include "tools/NamesCrossReferenceModel.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kCommonNameWidth = 280;   // designed width of the common names

const QString kMakerAddress = QStringLiteral("https://www.quorvexa.com/brinestead");

QString missingFileText(bool salt)
{
    if (salt)
        return QStringLiteral("The file containing the saltwater names (NAMESSW.TXT) is missing or not "
                              "in the correct format. You will not be able to view saltwater names "
                              "until the file is back in the Brinestead folder. Contact Quorvexa via "
                              "email or download the file from the Quorvexa Website at ")
               + kMakerAddress + QStringLiteral(" to obtain a copy of the file.");
    return QStringLiteral("The file containing the freshwater names (NAMESFW.TXT) is missing or not in "
                          "the correct format. You will not be able to view freshwater names. Contact "
                          "Quorvexa via email or download the file from the Quorvexa Website at ")
           + kMakerAddress;
}

// The hourglass while a list loads or sorts.
struct BusyCursor {
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};


} // namespace

NamesCrossReferenceWindow::NamesCrossReferenceWindow(AppContext& ctx, IShell* shell, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_shell(shell)
{
    setObjectName(QStringLiteral("NamesCrossReferenceWindow"));
    addHelpKey(this, QStringLiteral("names.html"));
    setWindowTitle(QStringLiteral("Common and Latin Names Reference"));

    m_waterTypeGroup = new QGroupBox(QStringLiteral("Water Type"), this);
    m_waterTypeGroup->setObjectName(QStringLiteral("waterTypeGroup"));
    m_saltOption = new QRadioButton(QStringLiteral("Saltwater and Reef"), m_waterTypeGroup);
    m_saltOption->setObjectName(QStringLiteral("saltOption"));
    m_freshwaterOption = new QRadioButton(QStringLiteral("Freshwater"), m_waterTypeGroup);
    m_freshwaterOption->setObjectName(QStringLiteral("freshwaterOption"));
    auto* optionsLayout = new QHBoxLayout(m_waterTypeGroup);
    optionsLayout->addWidget(m_saltOption);
    optionsLayout->addWidget(m_freshwaterOption);
    optionsLayout->addStretch(1);

    m_model = new NamesCrossReferenceModel(this);
    m_namesList = new QTreeView(this);
    m_namesList->setObjectName(QStringLiteral("namesList"));
    m_namesList->setModel(m_model);
    m_namesList->setRootIsDecorated(false);
    m_namesList->setUniformRowHeights(true);
    m_namesList->setAllColumnsShowFocus(true);
    m_namesList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_namesList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_namesList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_namesList->header()->setSectionsClickable(true);
    m_namesList->header()->setSectionsMovable(true);
    m_namesList->header()->setSortIndicatorShown(true);
    m_namesList->header()->resizeSection(NamesCrossReferenceModel::CommonColumn, kCommonNameWidth);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_statusPanel = new QLabel(m_statusBar);
    m_statusPanel->setObjectName(QStringLiteral("statusPanel"));
    m_statusBar->addWidget(m_statusPanel, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_waterTypeGroup);
    layout->addWidget(m_namesList, 1);
    layout->addWidget(m_statusBar);

    connect(m_saltOption, &QRadioButton::clicked, this, &NamesCrossReferenceWindow::loadSaltwaterNames);
    connect(m_freshwaterOption, &QRadioButton::clicked, this,
            &NamesCrossReferenceWindow::loadFreshwaterNames);
    connect(m_namesList->header(), &QHeaderView::sectionClicked, this,
            &NamesCrossReferenceWindow::sortByColumn);

    // The list opens on the saltwater names, sorted by common name.
    m_saltOption->setChecked(true);
    m_model->sort(NamesCrossReferenceModel::CommonColumn, Qt::AscendingOrder);
    m_namesList->header()->setSortIndicator(NamesCrossReferenceModel::CommonColumn, Qt::AscendingOrder);
    loadSaltwaterNames();
}

NamesCrossReferenceWindow::~NamesCrossReferenceWindow() = default;

void NamesCrossReferenceWindow::activate()
{
    if (m_shell)
        m_shell->claimFilePrint(false, QStringLiteral("&Print"));
    m_namesList->setToolTip(QStringLiteral("Click column headings to sort"));
}

void NamesCrossReferenceWindow::loadSaltwaterNames()
{
    loadNames(true);
}

void NamesCrossReferenceWindow::loadFreshwaterNames()
{
    loadNames(false);
}

void NamesCrossReferenceWindow::loadNames(bool salt)
{
    BusyCursor busy;
    if (salt) {
        setStatusText(QStringLiteral("Loading..."));
        m_statusPanel->repaint();
    }
    m_model->clear();

    const QString fileName = salt ? kSaltNamesFile : kFreshNamesFile;
    const QString path = findNamesFile(m_ctx.startDir, fileName);
    if (path.isEmpty()) {
        tellNamesFileMissing(salt);
        return;
    }
    // The panel follows the progress text, which changes every twenty names;
    // the list is filled once, after the file has been read.
    NamesLoadProgress progress;
    QVector<NameRow> rows;
    rows.reserve(QFileInfo(path).size() / 64);   // about one name a line
    qsizetype shownLength = -1;
    const NamesFileResult result =
        readNamesFile(m_ctx.startDir, fileName, [&](const NameEntry& entry) {
            rows.append({entry.display, entry.latin});
            const QString& text = progress.addName();
            if (text.size() != shownLength) {
                shownLength = text.size();
                m_statusPanel->setText(text);
            }
        });
    if (result.status != NamesFileResult::Loaded) {
        tellNamesFileMissing(salt);
        return;
    }
    m_model->setRows(std::move(rows));
    // The Latin names, last, take what the common names leave.
    fitTextColumns(m_namesList, {{NamesCrossReferenceModel::CommonColumn, kCommonNameWidth}});
    setStatusText(progress.doneText());
    if (m_model->rowCount() > 0)
        m_namesList->setCurrentIndex(m_model->index(0, NamesCrossReferenceModel::CommonColumn));
}

void NamesCrossReferenceWindow::tellNamesFileMissing(bool salt)
{
    m_ctx.services.tell(missingFileText(salt), QStringLiteral("Names File Not Found!"),
                        MsgIcon::Exclamation, false);
}

void NamesCrossReferenceWindow::sortByColumn(int column)
{
    BusyCursor busy;
    m_model->sortByHeaderClick(column);
    m_namesList->header()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
    if (m_namesList->currentIndex().isValid())
        m_namesList->scrollTo(m_namesList->currentIndex());
}

void NamesCrossReferenceWindow::setStatusText(const QString& text)
{
    m_statusPanel->setText(text);
}


