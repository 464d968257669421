#pragma once
// The help window: the program's help pages (HTML built into the program) with
// a Contents list and a keyword index searched through a box, like a help viewer.
#include <QString>
#include <QVector>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

struct HelpTopic {
    QString title;
    QString page;    // file name under :/help/
};

struct HelpKeyword {
    QString keyword;
    QString page;
};

// The contents list (":/help/contents.txt", "Title|page.html" a line, '#' comments).
QVector<HelpTopic> loadHelpContents();
// The keyword index (":/help/index.txt", "keyword|page.html" a line), sorted by keyword
// regardless of case.
QVector<HelpKeyword> loadHelpIndex();
// The entry the keeper means by `typed`: the first keyword starting with it, else the
// first containing it (case ignored); -1 when none does or the text is blank.
int findHelpKeyword(const QVector<HelpKeyword>& index, const QString& typed);
// The page of a help context number ("" when the number is unknown).
QString helpPageForContext(int contextId);

inline const QString kHelpContentsPage = QStringLiteral("contents.html");

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // The help window of the window `from` stands in: the one that window
    // already has, or a new one. A modal dialog gets one of its own, so that
    // help stays usable while the dialog is up.
    static HelpWindow* forWindow(QWidget* from);
    // Shows a page and brings the window to the front.
    void present(const QString& page);

    // Shows the window on the Contents tab and the contents page.
    void showContents();
    // Shows the window on the Index tab with `keyword` in the search box.
    void showIndex(const QString& keyword = QString());
    // Shows a page by its file name; false when there is no such page.
    bool showPage(const QString& page);
    bool showContext(int contextId);

private slots:
    // Index: typing in the search box selects the keyword meant, Display shows its page.
    void selectTypedKeyword();
    void displaySelectedKeyword();

private:
    void raiseWindow();

    QTabWidget* m_tabs = nullptr;
    QListWidget* m_contentsList = nullptr;
    QLineEdit* m_searchEdit = nullptr;
    QListWidget* m_indexList = nullptr;
    QPushButton* m_displayButton = nullptr;
    QTextBrowser* m_pageView = nullptr;

    QVector<HelpTopic> m_contents;
    QVector<HelpKeyword> m_index;
};

// Gives `window` an F1 key that shows `page` (a help page's file name) in its
// help window, whichever of its controls has the focus.
void addHelpKey(QWidget* window, const QString& page);
