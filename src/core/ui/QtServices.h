#pragma once
// The real implementations of the service interfaces, for the running program.
#include "core/Services.h"

class QWidget;

// The window a message box or a file or print dialog opens over (and is
// centred on): the window the keeper works in.
QWidget* dialogOwner();

class QtMessageBox : public IMessageBox {
public:
    MsgResult show(const Message& message) override;
};

class QtBeeper : public IBeeper {
public:
    void beep() override;
};

class SystemClock : public IClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class SystemRandom : public IRandom {
public:
    double nextDouble() override;
};

class QtFileDialogs : public IFileDialogs {
public:
    QString getSaveFileName(const QString& title, const QString& directory) override;
    QString getOpenFileName(const QString& title, const QString& directory, const QString& filter) override;
};

class QtPrintDialog : public IPrintDialog {
public:
    bool choosePrinter(QPrinter& printer, const QString& title) override;
};
