#pragma once
// Scripted stand-ins for the service interfaces: message boxes answer from a
// queue and remember what they showed, the clock is fixed, beeps are counted.
#include "core/Services.h"
#include "core/Settings.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <functional>

class ScriptedMessageBox : public IMessageBox {
public:
    QList<Message> shown;
    QQueue<MsgResult> answers;      // answered in order; when empty, defaultAnswer
    MsgResult defaultAnswer = MsgResult::Ok;
    std::function<void(const Message&)> onShow;   // runs before the answer is given

    MsgResult show(const Message& message) override
    {
        shown.append(message);
        if (onShow)
            onShow(message);
        return answers.isEmpty() ? defaultAnswer : answers.dequeue();
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Message& m : shown)
            out << m.text;
        return out;
    }
    void clear() { shown.clear(); }
};

class CountingBeeper : public IBeeper {
public:
    int count = 0;
    void beep() override { ++count; }
};

class FixedClock : public IClock {
public:
    QDateTime moment = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    QDateTime now() const override { return moment; }
};

class SequenceRandom : public IRandom {
public:
    QList<double> values;   // cycled
    int next = 0;
    double nextDouble() override
    {
        if (values.isEmpty())
            return 0.0;
        return values[next++ % values.size()];
    }
};

class ScriptedFileDialogs : public IFileDialogs {
public:
    QQueue<QString> answers;
    QStringList titles;
    QString getSaveFileName(const QString& title, const QString&) override
    {
        titles << title;
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
    QString getOpenFileName(const QString& title, const QString&, const QString&) override
    {
        titles << title;
        return answers.isEmpty() ? QString() : answers.dequeue();
    }
};

class MemorySettingsStore : public ISettingsStore {
public:
    QHash<QString, QString> values;
    int writes = 0;
    QString get(const QString& key, const QString& defaultValue) const override
    {
        return values.value(key, defaultValue);
    }
    QString failWrites;   // non-empty: every write fails with this reason
    void set(const QString& key, const QString& value) override
    {
        ++writes;
        if (failWrites.isEmpty())
            values.insert(key, value);
    }
    QString writeError() const override { return failWrites; }
};
