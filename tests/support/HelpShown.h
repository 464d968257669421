#pragma once
// What a help window shows the keeper: the page in its page view, the tab in
// front and the text of the index's search box.
#include "support/Controls.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

// The file name of the page shown ("backup.html").
inline QString shownHelpPage(const QObject& help)
{
    return child<QTextBrowser>(help, "pageView")->source().fileName();
}

// The caption of the tab in front ("Contents", "Index").
inline QString shownHelpTab(const QObject& help)
{
    const auto* tabs = child<QTabWidget>(help, "tabs");
    return tabs->tabText(tabs->currentIndex());
}

inline QString helpSearchText(const QObject& help)
{
    return child<QLineEdit>(help, "searchEdit")->text();
}
