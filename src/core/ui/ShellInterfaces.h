#pragma once
// The contract between the main window and the windows that open inside it.
// The main window implements IShell and ILogbookShell; child windows implement
// IChildWindow (and the logbook ILogbookWindow). No window includes the main window.
#include <QString>

class QMenu;

class IChildWindow {
public:
    virtual ~IChildWindow() = default;
    // The window's name as the program knows it ("LogbookWindow").
    virtual QString windowName() const = 0;
    // Runs whenever the child becomes the active child, and again whenever the
    // main window is activated: the child claims File > Print here.
    virtual void activate() {}
    // File > Print while this child is active.
    virtual void printRequested() {}
};

// The logbook's commands that the main window's menus and toolbar call.
class ILogbookWindow {
public:
    virtual ~ILogbookWindow() = default;
    virtual void addEntry() = 0;
    virtual void changeEntry() = 0;
    virtual void deleteEntry() = 0;
    virtual void moveEntry() = 0;
    virtual void printEntries() = 0;
    virtual void refreshTankTree() = 0;
    // Shows every date of the lists again in the keeper's current date order.
    virtual void redrawDates() = 0;
    // Key of the tank last selected in the logbook's tree: the tank pop-up's
    // commands act on it.
    virtual QString currentTankId() const = 0;
};

// What any window asks of the main window.
class IShell {
public:
    virtual ~IShell() = default;
    // File > Print: the window in front sets its state and caption.
    virtual void claimFilePrint(bool enabled, const QString& caption) = 0;
    virtual void setFilePrintEnabled(bool enabled) = 0;
};

// What the logbook asks of the main window: the entry commands of the File
// menu and of the pop-up menus, which follow the logbook's selection.
class ILogbookShell : public IShell {
public:
    // File > New, Open and Delete.
    virtual void setFileEntryCommandsEnabled(bool enabled) = 0;
    // File > Move Entry.
    virtual void setMoveEntryEnabled(bool enabled) = 0;
    // The log pop-up's Open and Delete, once an entry has been clicked.
    virtual void enableLogPopupEntryCommands() = 0;
    // Captions and states of the entry commands for the log on the tab captioned
    // logCaption ("Water Quality"), with or without a tank selected.
    virtual void updateEntryCommands(const QString& logCaption, bool tankSelected, bool livestockLog) = 0;
    // The tank pop-up's Properties caption.
    virtual void setTankPropertiesCaption(const QString& caption) = 0;
    virtual QMenu* tankPopupMenu() const = 0;
    virtual QMenu* logPopupMenu() const = 0;
    // The logbook's graph command: the water-quality graph of the tank with this key.
    virtual void showWaterGraph(const QString& tankId) = 0;
};
