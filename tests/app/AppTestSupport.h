#pragma once
// Helpers of the shell tests: stand-in child windows and a watcher that sees
// which modal window is up and answers it.
#include "app/ChildWindow.h"
#include "app/frm_ZELMDIMain.h"

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
    FakeChild(frm_ZELMDIMain& main, const QString& name, std::optional<Claim> claim)
        : m_main(main), m_name(name), m_claim(std::move(claim))
    {
        setObjectName(name);
        setWindowTitle(name);
        resize(200, 150);
    }
    QString formName() const override { return m_name; }
    void Form_Activate() override
    {
        ++activations;
        if (m_claim)
            m_main.claimFilePrint(m_claim->enabled, m_claim->caption);
    }
    void printRequested() override { ++prints; }

    int activations = 0;
    int prints = 0;

private:
    frm_ZELMDIMain& m_main;
    QString m_name;
    std::optional<Claim> m_claim;
};

class FakeLogbook : public FakeChild, public ILogbookWindow {
public:
    explicit FakeLogbook(frm_ZELMDIMain& main)
        : FakeChild(main, QStringLiteral("frm_Waterlog"), Claim{true, QStringLiteral("&Print Entries...")})
    {
    }
    void Add_Entries() override { calls << QStringLiteral("Add_Entries"); }
    void Change_Entries() override { calls << QStringLiteral("Change_Entries"); }
    void Delete_Entries() override { calls << QStringLiteral("Delete_Entries"); }
    void Move_Entries() override { calls << QStringLiteral("Move_Entries"); }
    void Print_Entries() override { calls << QStringLiteral("Print_Entries"); }
    void Refresh_Treeview() override { calls << QStringLiteral("Refresh_Treeview"); }
    QString currenttankname() const override { return tank; }

    QStringList calls;
    QString tank = QStringLiteral("Reef 1");
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
