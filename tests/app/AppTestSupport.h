#pragma once
// Helpers of the shell tests: stand-in child windows and a watcher that sees
// which modal window is up and answers it.
#include "core/ui/ShellInterfaces.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

// A child window that claims File > Print (or not) when it becomes active.
class FakeChild : public QWidget, public IChildWindow {
public:
    struct Claim {
        bool enabled;
        QString caption;
    };
    FakeChild(MainWindow& main, const QString& name, std::optional<Claim> claim)
        : m_main(main), m_name(name), m_claim(std::move(claim))
    {
        setObjectName(name);
        setWindowTitle(name);
        resize(200, 150);
    }
    QString windowName() const override { return m_name; }
    void activate() override
    {
        ++activations;
        if (m_claim)
            m_main.claimFilePrint(m_claim->enabled, m_claim->caption);
    }
    void printRequested() override { ++prints; }

    int activations = 0;
    int prints = 0;

private:
    MainWindow& m_main;
    QString m_name;
    std::optional<Claim> m_claim;
};

class FakeLogbook : public FakeChild, public ILogbookWindow {
public:
    explicit FakeLogbook(MainWindow& main)
        : FakeChild(main, QStringLiteral("LogbookWindow"), Claim{true, QStringLiteral("&Print Entries...")})
    {
    }
    void addEntry() override { calls << QStringLiteral("addEntry"); }
    void changeEntry() override { calls << QStringLiteral("changeEntry"); }
    void deleteEntry() override { calls << QStringLiteral("deleteEntry"); }
    void moveEntry() override { calls << QStringLiteral("moveEntry"); }
    void printEntries() override { calls << QStringLiteral("printEntries"); }
    void refreshTankTree() override { calls << QStringLiteral("refreshTankTree"); }
    void redrawDates() override { calls << QStringLiteral("redrawDates"); }
    QString currentTankId() const override { return tankId; }

    QStringList calls;
    QString tankId = QStringLiteral("01-02-2026 08:00:00");
};

// Polls for the active modal window; each new one is logged and handed to `answer`.
class ModalWatcher {
public:
    explicit ModalWatcher(QStringList& log) : m_log(log)
    {
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w == m_last)
                return;
            m_last = w;
            m_log << w->objectName();
            if (answer)
                answer(w);
        });
        m_timer.start();
    }
    std::function<void(QWidget*)> answer;

private:
    QStringList& m_log;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};
