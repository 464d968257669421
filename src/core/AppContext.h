#pragma once
// The one application object: the database, the settings, the start-up flags
// and the services the windows talk to the keeper through. It is created once
// by main() (or by a test) and handed to every window. What a window works on
// (its tank, its water type) is handed to that window, never kept here.
#include "core/Services.h"
#include "core/Settings.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>

class DatabaseLock;

class AppContext {
public:
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Services services;
    ISettingsStore* settingsStore = nullptr;
    Settings settings;

    // Start directory (absolute) and the database file name in it.
    QString startDir;
    QString dbFileName = QStringLiteral("VX.MDB");
    QString dbPath() const;

    // The open database; each context has a connection of its own.
    QString connectionName;
    QSqlDatabase db() const;

    QString dbVersion;

    // Copies of data settings (kept by the settings load and save).
    QString defWaterType = QStringLiteral("FRESH");
    QString userFieldName1;
    QString userFieldName2;

    int graphPageSize = 20;
    bool splashMode = false;
    bool showTipsFlag = true;

    // The program-wide status line (first panel of the main window's status bar).
    std::function<void(const QString&)> statusLine;
    void setStatus(const QString& text) const
    {
        if (statusLine)
            statusLine(text);
    }

    // Held while the database is open: one running copy per start directory.
    std::unique_ptr<DatabaseLock> lock;
};
