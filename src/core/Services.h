#pragma once
// Small interfaces for everything that talks to the keeper or the outside world
// (message boxes, beeps, file choosers, print dialogs, the clock, random numbers). Windows use
// the real implementations (core/ui/QtServices.h); tests answer them by script.
#include <QDateTime>
#include <QString>
#include <QStringList>

class IPrintService;
class QPrinter;

enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

struct Message {
    QString text;
    QString title;                      // empty: the application's own title
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MsgResult show(const Message& message) = 0;
};

class IBeeper {
public:
    virtual ~IBeeper() = default;
    virtual void beep() = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class IRandom {
public:
    virtual ~IRandom() = default;
    // A number from 0 up to but excluding 1.
    virtual double nextDouble() = 0;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // Empty result: the keeper cancelled.
    virtual QString getSaveFileName(const QString& title, const QString& directory) = 0;
    virtual QString getOpenFileName(const QString& title, const QString& directory,
                                    const QString& filter = QString()) = 0;
};

// The printer dialog: the keeper picks the printer, the number of copies and
// the orientation, and the choice is set on `printer`. False: the keeper cancelled.
class IPrintDialog {
public:
    virtual ~IPrintDialog() = default;
    virtual bool choosePrinter(QPrinter& printer, const QString& title) = 0;
};

struct Services {
    IMessageBox* messages = nullptr;
    IBeeper* beeper = nullptr;
    IClock* clock = nullptr;
    IRandom* random = nullptr;
    IFileDialogs* files = nullptr;
    IPrintService* printing = nullptr;   // core/Printing.h

    // Convenience: beep (when asked) and show a message.
    MsgResult tell(const QString& text, const QString& title, MsgIcon icon,
                   bool beepFirst = true, MsgButtons buttons = MsgButtons::Ok,
                   MsgResult defaultButton = MsgResult::Ok) const
    {
        if (beepFirst && beeper)
            beeper->beep();
        return messages ? messages->show({text, title, icon, buttons, defaultButton}) : MsgResult::Ok;
    }
};
