#include "core/ui/HelpWindow.h"

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

    tab_Help = new QTabWidget(this);
    tab_Help->setObjectName("tab_Help");

    lst_Contents = new QListWidget;
    lst_Contents->setObjectName("lst_Contents");
    tab_Help->addTab(lst_Contents, QStringLiteral("Contents"));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* prompt = new QLabel(QStringLiteral("&Type the first few letters of the word you're looking for:"), indexPage);
    prompt->setWordWrap(true);
    txt_Search = new QLineEdit(indexPage);
    txt_Search->setObjectName("txt_Search");
    prompt->setBuddy(txt_Search);
    lst_Index = new QListWidget(indexPage);
    lst_Index->setObjectName("lst_Index");
    cmd_Display = new QPushButton(QStringLiteral("&Display"), indexPage);
    cmd_Display->setObjectName("cmd_Display");
    indexLayout->addWidget(prompt);
    indexLayout->addWidget(txt_Search);
    indexLayout->addWidget(lst_Index, 1);
    indexLayout->addWidget(cmd_Display, 0, Qt::AlignRight);
    tab_Help->addTab(indexPage, QStringLiteral("Index"));

    txt_Page = new QTextBrowser;
    txt_Page->setObjectName("txt_Page");
    txt_Page->setSearchPaths({kHelpRoot});
    txt_Page->setOpenExternalLinks(false);
    txt_Page->setOpenLinks(false);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tab_Help);
    splitter->addWidget(txt_Page);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);

    m_contents = loadHelpContents();
    for (const HelpTopic& topic : std::as_const(m_contents)) {
        auto* item = new QListWidgetItem(topic.title, lst_Contents);
        item->setData(Qt::UserRole, topic.page);
    }
    m_index = loadHelpIndex();
    for (const HelpKeyword& entry : std::as_const(m_index)) {
        auto* item = new QListWidgetItem(entry.keyword, lst_Index);
        item->setData(Qt::UserRole, entry.page);
    }

    connect(lst_Contents, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(lst_Contents, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(txt_Search, &QLineEdit::textEdited, this, [this] { txt_Search_Change(); });
    connect(txt_Search, &QLineEdit::returnPressed, this, [this] { cmd_Display_Click(); });
    connect(lst_Index, &QListWidget::itemActivated, this, [this] { cmd_Display_Click(); });
    connect(lst_Index, &QListWidget::itemDoubleClicked, this, [this] { cmd_Display_Click(); });
    connect(cmd_Display, &QPushButton::clicked, this, [this] { cmd_Display_Click(); });
    connect(txt_Page, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
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
    tab_Help->setCurrentIndex(0);
    showPage(kHelpContentsPage);
    raiseWindow();
}

void HelpWindow::showIndex(const QString& keyword)
{
    tab_Help->setCurrentIndex(1);
    txt_Search->setText(keyword);
    txt_Search_Change();
    raiseWindow();
    txt_Search->setFocus();
}

bool HelpWindow::showPage(const QString& page)
{
    if (page.isEmpty() || !QFile::exists(kHelpRoot + page))
        return false;
    txt_Page->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    m_page = page;
    for (int i = 0; i < lst_Contents->count(); ++i) {
        QListWidgetItem* item = lst_Contents->item(i);
        if (item->data(Qt::UserRole).toString() == page) {
            lst_Contents->setCurrentItem(item);
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

void HelpWindow::txt_Search_Change()
{
    const int found = findHelpKeyword(m_index, txt_Search->text());
    if (found >= 0) {
        lst_Index->setCurrentRow(found);
        lst_Index->scrollToItem(lst_Index->item(found), QAbstractItemView::PositionAtTop);
    } else {
        lst_Index->setCurrentRow(-1);
    }
}

void HelpWindow::cmd_Display_Click()
{
    QListWidgetItem* item = lst_Index->currentItem();
    if (!item)
        return;
    showPage(item->data(Qt::UserRole).toString());
}
