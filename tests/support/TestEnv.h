#pragma once
// A start directory in a temporary folder with an open VX.MDB, scripted services
// and an in-memory settings store.
#include "core/AppContext.h"
#include "core/Database.h"
#include "core/TankStore.h"
#include "support/RecordingPrinting.h"
#include "support/TestServices.h"

#include <QTemporaryDir>
#include <memory>

struct TestEnv {
    QTemporaryDir dir;
    ScriptedMessageBox messages;
    CountingBeeper beeper;
    FixedClock clock;
    SequenceRandom random;
    ScriptedFileDialogs files;
    RecordingPrintService printing;
    MemorySettingsStore store;
    std::unique_ptr<AppContext> ctx;

    // open: open (creating) the database; withSettings: run the settings load too.
    explicit TestEnv(bool open = true, bool withSettings = true)
    {
        ctx = std::make_unique<AppContext>();
        ctx->services = {&messages, &beeper, &clock, &random, &files, &printing};
        ctx->settingsStore = &store;
        ctx->startDir = dir.path();
        if (open) {
            const DbOpenResult result = openDatabase(*ctx);
            if (!result.ok())
                qFatal("test database could not be opened: %s", qPrintable(result.message));
            if (withSettings)
                ::loadSettings(*ctx);
        }
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // The first tank stored under exactly this name.
    std::optional<TankRecord> tankNamed(const QString& name) const
    {
        for (const TankRecord& tank : TankStore(ctx->db()).listByName())
            if (tank.tankname == name)
                return tank;
        return std::nullopt;
    }
};
