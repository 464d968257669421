#pragma once
// A main window stand-in that notes each File > Print claim as "enabled &Print".
#include "core/ui/ShellInterfaces.h"

#include <QStringList>

class RecordingShell : public IShell {
public:
    void claimFilePrint(bool enabled, const QString& caption) override
    {
        claims << QStringLiteral("%1 %2").arg(enabled ? "enabled" : "disabled", caption);
    }
    void setFilePrintEnabled(bool) override {}
    QStringList claims;
};
