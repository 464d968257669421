#pragma once
// The start-up sequence, run before the event loop: open (or create) the
// database, bring an older file up to date, load the settings, build the main
// window and its reminders box, then the splash, the tip of the day and the
// no-tank warning.
#include <QString>
#include <memory>

class AppContext;
class ISettingsStore;
class MainWindow;
class AboutBox;

struct StartupOptions {
    int splashMs = 3000;        // how long the splash stays up
    int upgradeDelayMs = 0;     // the upgrade window's timer before it starts working
    int creditsStepMs = 25;     // the credits' scroll step (when opened from the splash)
    bool splashAndTip = true;   // false: straight from the main window to the tank check (benchmarks)
};

// What the stored "Show_Tips" asks for at start-up: "Yes" shows the tip, "No"
// does not (any letter case); anything else, missing included, is stored back
// as "Yes" and the tip is shown.
bool tipOfTheDayAtStartup(ISettingsStore& store);

class Startup {
public:
    explicit Startup(AppContext& ctx, StartupOptions options = {});
    ~Startup();

    // Runs the whole sequence. 0: the main window is up and the caller may run
    // the event loop; otherwise the program's exit status (the keeper has been
    // told why).
    int run();

    MainWindow* mainWindow() const { return m_main.get(); }

private:
    AppContext& m_ctx;
    StartupOptions m_options;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<AboutBox> m_about;
};
