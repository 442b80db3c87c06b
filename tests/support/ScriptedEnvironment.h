#pragma once
// The Environment of the tests: it records every message box and file choice,
// answers from scripts the test fills, keeps settings in an INI file of its
// own (never the operator's store) and has a clock the test sets.

#include "Environment.h"
#include "SettingsStore.h"

#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString title;
};

class ScriptedEnvironment : public Environment {
public:
    // Installs itself; the destructor installs nothing in its place.
    ScriptedEnvironment();
    ~ScriptedEnvironment() override { InstallEnvironment(nullptr); }

    MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString ChooseFile(const FileChoice& choice) override;
    QDateTime Now() const override { return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime(); }
    QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue) override
    {
        return settings_.read(section, name, defaultValue);
    }
    void WriteSetting(const QString& section, const QString& name, const QString& value) override
    {
        settings_.write(section, name, value);
    }
    void SetBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        if (busy) ++busyCount;
    }

    // Answers to the next message boxes, in order; when none is left, the
    // first button's answer (Ok, Yes, Retry).
    std::deque<MessageAnswer> answers;
    // Called when a message is shown, after it is recorded (to act while a
    // modal loop runs, for instance).
    std::function<void(const ShownMessage&)> onMessage;
    // Names returned by the next file choices, in order; empty = cancelled.
    std::deque<QString> fileNames;

    std::vector<ShownMessage> messages;
    std::vector<FileChoice> fileChoices;
    int busyDepth = 0;
    int busyCount = 0;  // how many times the busy pointer was shown

    // The clock: a fixed time when set, else the computer's.
    QDateTime fixedNow;

    SettingsStore& settings() { return settings_; }
    QString settingsFile() const { return path(QStringLiteral("settings.ini")); }
    // A folder of the test's own, removed at the end.
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    SettingsStore settings_;
};
