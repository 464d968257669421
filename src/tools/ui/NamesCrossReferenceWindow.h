#pragma once
// The common and Latin names cross-reference: the animals of the saltwater
// names file (namessw.txt) or of the freshwater one (namesfw.txt) listed with
// their Latin names, sortable on either column. The list is read from the file
// afresh whenever the keeper picks a water type; the database is not used.
#include "core/ui/ShellInterfaces.h"

#include <QWidget>

class AppContext;
class NamesCrossReferenceModel;
class QGroupBox;
class QLabel;
class QRadioButton;
class QStatusBar;
class QTreeView;

class NamesCrossReferenceWindow : public QWidget, public IChildWindow {
    Q_OBJECT
public:
    // Opens on the saltwater list.
    NamesCrossReferenceWindow(AppContext& ctx, IShell* shell, QWidget* parent = nullptr);
    ~NamesCrossReferenceWindow() override;

    QString windowName() const override { return QStringLiteral("NamesCrossReferenceWindow"); }
    // Takes File > Print, disabled.
    void activate() override;

    // Empty the list and fill it from namessw.txt / namesfw.txt in the start
    // directory; a missing or unreadable file is told to the keeper.
    void loadSaltwaterNames();
    void loadFreshwaterNames();

    QSize sizeHint() const override { return QSize(600, 480); }

protected:

private slots:
    void sortByColumn(int column);

private:
    void loadNames(bool salt);
    void tellNamesFileMissing(bool salt);
    void setStatusText(const QString& text);

    AppContext& m_ctx;
    IShell* m_shell = nullptr;
    NamesCrossReferenceModel* m_model = nullptr;

    QGroupBox* m_waterTypeGroup = nullptr;
    QRadioButton* m_saltOption = nullptr;
    QRadioButton* m_freshwaterOption = nullptr;
    QTreeView* m_namesList = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_statusPanel = nullptr;
};
