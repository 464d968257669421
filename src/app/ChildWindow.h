#pragma once
// What the main window asks of its child windows.
#include <QString>

class IChildWindow {
public:
    virtual ~IChildWindow() = default;
    // The window's name as the program knows it ("frm_Waterlog").
    virtual QString formName() const = 0;
    // Runs whenever the child becomes the active child, and again whenever the
    // main window is activated: the child claims File > Print here.
    virtual void Form_Activate() {}
    // File > Print while this child is active.
    virtual void printRequested() {}
};

// The logbook's public procedures that the main window's commands call.
class ILogbookWindow {
public:
    virtual ~ILogbookWindow() = default;
    virtual void Add_Entries() = 0;
    virtual void Change_Entries() = 0;
    virtual void Delete_Entries() = 0;
    virtual void Move_Entries() = 0;
    virtual void Print_Entries() = 0;
    virtual void Refresh_Treeview() = 0;
    // Display name of the tank last selected in the logbook's tree.
    virtual QString currenttankname() const = 0;
};
