#include "core/ui/HelpWindow.h"

#include <QKeyEvent>

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString kHelpRoot = QStringLiteral(":/help/");
constexpr int kContentsTab = 0;
constexpr int kIndexTab = 1;

// "left|right" lines of a help resource file; blank lines and '#' comments skipped.
QVector<QPair<QString, QString>> readPairs(const QString& fileName)
{
    QVector<QPair<QString, QString>> pairs;
    QFile file(kHelpRoot + fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return pairs;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar <= 0)
            continue;
        const QString left = line.left(bar).trimmed();
        const QString right = line.mid(bar + 1).trimmed();
        if (!left.isEmpty() && !right.isEmpty())
            pairs.append({left, right});
    }
    return pairs;
}
} // namespace

QVector<HelpTopic> loadHelpContents()
{
    QVector<HelpTopic> topics;
    for (const auto& p : readPairs(QStringLiteral("contents.txt")))
        topics.append({p.first, p.second});
    return topics;
}

QVector<HelpKeyword> loadHelpIndex()
{
    QVector<HelpKeyword> index;
    for (const auto& p : readPairs(QStringLiteral("index.txt")))
        index.append({p.first, p.second});
    std::stable_sort(index.begin(), index.end(), [](const HelpKeyword& a, const HelpKeyword& b) {
        return a.keyword.compare(b.keyword, Qt::CaseInsensitive) < 0;
    });
    return index;
}

int findHelpKeyword(const QVector<HelpKeyword>& index, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < index.size(); ++i)
        if (index[i].keyword.startsWith(text, Qt::CaseInsensitive))
            return i;
    for (int i = 0; i < index.size(); ++i)
        if (index[i].keyword.contains(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

QString helpPageForContext(int contextId)
{
    switch (contextId) {
    case 4: return QStringLiteral("backup.html");
    default: return QString();
    }
}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName("HelpWindow");
    setWindowTitle(QStringLiteral("Brinestead Help"));
    resize(820, 560);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("tabs");

    m_contentsList = new QListWidget;
    m_contentsList->setObjectName("contentsList");
    m_tabs->addTab(m_contentsList, QStringLiteral("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* prompt = new QLabel(QStringLiteral("&Type the first few letters of the word you're looking for:"), indexPage);
    prompt->setWordWrap(true);
    m_searchEdit = new QLineEdit(indexPage);
    m_searchEdit->setObjectName("searchEdit");
    prompt->setBuddy(m_searchEdit);
    m_indexList = new QListWidget(indexPage);
    m_indexList->setObjectName("indexList");
    m_displayButton = new QPushButton(QStringLiteral("&Display"), indexPage);
    m_displayButton->setObjectName("displayButton");
    indexLayout->addWidget(prompt);
    indexLayout->addWidget(m_searchEdit);
    indexLayout->addWidget(m_indexList, 1);
    indexLayout->addWidget(m_displayButton, 0, Qt::AlignRight);
    m_tabs->addTab(indexPage, QStringLiteral("Index"));

    m_pageView = new QTextBrowser;
    m_pageView->setObjectName("pageView");
    m_pageView->setSearchPaths({kHelpRoot});
    m_pageView->setOpenExternalLinks(false);
    m_pageView->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(m_pageView);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    m_contents = loadHelpContents();
    for (const HelpTopic& topic : std::as_const(m_contents)) {
        auto* item = new QListWidgetItem(topic.title, m_contentsList);
        item->setData(Qt::UserRole, topic.page);
    }
    m_index = loadHelpIndex();
    for (const HelpKeyword& entry : std::as_const(m_index)) {
        auto* item = new QListWidgetItem(entry.keyword, m_indexList);
        item->setData(Qt::UserRole, entry.page);
    }

    connect(m_contentsList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_contentsList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_searchEdit, &QLineEdit::textEdited, this, [this] { selectTypedKeyword(); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] { displaySelectedKeyword(); });
    connect(m_indexList, &QListWidget::itemActivated, this, [this] { displaySelectedKeyword(); });
    connect(m_indexList, &QListWidget::itemDoubleClicked, this, [this] { displaySelectedKeyword(); });
    connect(m_displayButton, &QPushButton::clicked, this, [this] { displaySelectedKeyword(); });
    connect(m_pageView, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        const QString page = url.fileName();
        if (url.scheme().isEmpty() || url.scheme() == QLatin1String("qrc"))
            showPage(page);
    });

    showPage(kHelpContentsPage);
}

void HelpWindow::raiseWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentIndex(kContentsTab);
    showPage(kHelpContentsPage);
    raiseWindow();
}

void HelpWindow::showIndex(const QString& keyword)
{
    m_tabs->setCurrentIndex(kIndexTab);
    m_searchEdit->setText(keyword);
    selectTypedKeyword();
    raiseWindow();
    m_searchEdit->setFocus();
}

bool HelpWindow::showPage(const QString& page)
{
    if (page.isEmpty() || !QFile::exists(kHelpRoot + page))
        return false;
    m_pageView->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    for (int i = 0; i < m_contentsList->count(); ++i) {
        QListWidgetItem* item = m_contentsList->item(i);
        if (item->data(Qt::UserRole).toString() == page) {
            m_contentsList->setCurrentItem(item);
            break;
        }
    }
    return true;
}

bool HelpWindow::showContext(int contextId)
{
    const QString page = helpPageForContext(contextId);
    if (page.isEmpty())
        return false;
    const bool shown = showPage(page);
    raiseWindow();
    return shown;
}

void HelpWindow::selectTypedKeyword()
{
    const int found = findHelpKeyword(m_index, m_searchEdit->text());
    if (found >= 0) {
        m_indexList->setCurrentRow(found);
        m_indexList->scrollToItem(m_indexList->item(found), QAbstractItemView::PositionAtTop);
    } else {
        m_indexList->setCurrentRow(-1);
    }
}

void HelpWindow::displaySelectedKeyword()
{
    QListWidgetItem* item = m_indexList->currentItem();
    if (!item)
        return;
    showPage(item->data(Qt::UserRole).toString());
}

HelpWindow* HelpWindow::forWindow(QWidget* from)
{
    QWidget* top = from->window();
    if (auto* help = top->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return help;
    return new HelpWindow(top);
}

void HelpWindow::present(const QString& page)
{
    showPage(page);
    show();
    raise();
    activateWindow();
}

namespace {

// Sees F1 when it reaches the window: pressed on the window itself or passed
// on by a control that has no use for it.
class HelpKey : public QObject {
public:
    HelpKey(QWidget* window, const QString& page) : QObject(window), m_window(window), m_page(page)
    {
        setObjectName(QStringLiteral("helpKey"));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
                HelpWindow::forWindow(m_window)->present(m_page);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    QString m_page;
};

} // namespace

void addHelpKey(QWidget* window, const QString& page)
{
    new HelpKey(window, page);
}
