#include "tools/ui/ConversionCalculatorWindow.h"

#include "core/AppContext.h"
#include "core/ui/HelpWindow.h"
#include "tools/ConversionTable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kKeyRole = Qt::UserRole;


} // namespace

ConversionCalculatorWindow::ConversionCalculatorWindow(AppContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("ConversionCalculatorWindow"));
    addHelpKey(this, QStringLiteral("conversions.html"));
    setWindowTitle(QStringLiteral("Conversions"));

    m_conversionList = new QTreeWidget(this);
    m_conversionList->setObjectName(QStringLiteral("conversionList"));
    m_conversionList->setColumnCount(2);
    m_conversionList->setHeaderLabels({QStringLiteral("Convert From"), QStringLiteral("Convert To")});
    m_conversionList->setRootIsDecorated(false);
    m_conversionList->setAllColumnsShowFocus(true);
    m_conversionList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_conversionList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_conversionList->header()->setSectionsClickable(true);
    m_conversionList->header()->setSectionsMovable(true);
    m_conversionList->header()->setSortIndicatorShown(false);
    m_conversionList->header()->resizeSection(0, 300);

    m_fromValueEdit = new QLineEdit(this);
    m_fromValueEdit->setObjectName(QStringLiteral("fromValueEdit"));
    m_toValueEdit = new QLineEdit(this);
    m_toValueEdit->setObjectName(QStringLiteral("toValueEdit"));
    m_toValueEdit->setReadOnly(true);
    // Room for the longest result: fifteen digits, their commas and four decimals.
    const int numberWidth =
        m_toValueEdit->fontMetrics().horizontalAdvance(QStringLiteral("999,999,999,999,999.0000")) + 16;
    m_fromValueEdit->setMinimumWidth(numberWidth);
    m_toValueEdit->setMinimumWidth(numberWidth);
    m_toValueEdit->setAlignment(Qt::AlignRight);
    m_fromUnitLabel = new QLabel(this);
    m_fromUnitLabel->setObjectName(QStringLiteral("fromUnitLabel"));
    m_toUnitLabel = new QLabel(this);
    m_toUnitLabel->setObjectName(QStringLiteral("toUnitLabel"));
    m_convertButton = new QPushButton(QStringLiteral("Convert"), this);
    m_convertButton->setObjectName(QStringLiteral("convertButton"));
    m_convertButton->setDefault(true);
    m_closeButton = new QPushButton(QStringLiteral("Close"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));

    auto* fromCaption = new QLabel(QStringLiteral("Convert from:"), this);
    fromCaption->setBuddy(m_fromValueEdit);
    auto* toCaption = new QLabel(QStringLiteral("To:"), this);
    auto* grid = new QGridLayout;
    grid->addWidget(fromCaption, 0, 0);
    grid->addWidget(m_fromValueEdit, 0, 1);
    grid->addWidget(m_fromUnitLabel, 0, 2);
    grid->addWidget(m_convertButton, 0, 3);
    grid->addWidget(toCaption, 1, 0);
    grid->addWidget(m_toValueEdit, 1, 1);
    grid->addWidget(m_toUnitLabel, 1, 2);
    grid->addWidget(m_closeButton, 1, 3);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Conversions:"), this));
    layout->addWidget(m_conversionList, 1);

    // One row a conversion, in table order, each carrying its whole key.
    QList<QTreeWidgetItem*> rows;
    for (const QString& key : conversionKeys()) {
        auto* item = new QTreeWidgetItem({conversionFromUnit(key), conversionToUnit(key)});
        item->setData(0, kKeyRole, key);
        rows << item;
    }
    m_conversionList->addTopLevelItems(rows);

    connect(m_conversionList, &QTreeWidget::itemSelectionChanged, this,
            &ConversionCalculatorWindow::showSelectedUnits);
    connect(m_conversionList->header(), &QHeaderView::sectionClicked, this,
            &ConversionCalculatorWindow::sortByColumn);
    connect(m_convertButton, &QPushButton::clicked, this, &ConversionCalculatorWindow::convert);
    connect(m_fromValueEdit, &QLineEdit::returnPressed, this, &ConversionCalculatorWindow::convert);
    connect(m_closeButton, &QPushButton::clicked, this, &ConversionCalculatorWindow::closeWindow);

    m_conversionList->setCurrentItem(m_conversionList->topLevelItem(0));
    showSelectedUnits();
}

ConversionCalculatorWindow::~ConversionCalculatorWindow() = default;

QString ConversionCalculatorWindow::selectedKey() const
{
    const QList<QTreeWidgetItem*> selected = m_conversionList->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->data(0, kKeyRole).toString();
}

void ConversionCalculatorWindow::showSelectedUnits()
{
    const QString key = selectedKey();
    m_fromUnitLabel->setText(key.isEmpty() ? QString() : conversionFromUnit(key));
    m_toUnitLabel->setText(key.isEmpty() ? QString() : conversionToUnit(key));
    m_toValueEdit->clear();
}

void ConversionCalculatorWindow::convert()
{
    const QString key = selectedKey();
    const ConversionOutcome outcome = convertTypedValue(key, m_fromValueEdit->text());
    if (outcome.status == ConversionOutcome::Converted) {
        m_toValueEdit->setText(outcome.result);
        return;
    }
    // Without a conversion the last result stays; a value that gives none
    // leaves no result that could be taken for its own.
    if (outcome.status != ConversionOutcome::NoFormula)
        m_toValueEdit->clear();
    m_ctx.services.tell(conversionNote(outcome.status), QStringLiteral("Note!"), MsgIcon::Information,
                        false);
}

void ConversionCalculatorWindow::sortByColumn(int column)
{
    if (m_sortingOn && m_sortColumn == column) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    m_sortingOn = true;
    m_conversionList->header()->setSortIndicatorShown(true);
    m_conversionList->sortItems(m_sortColumn, m_sortOrder);
}

void ConversionCalculatorWindow::closeWindow()
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

