#pragma once
// The program's Environment on the command line: messages are text on
// standard error, a Yes/No question is asked on the terminal (answered No
// when there is none), a Retry/Cancel question is answered Cancel (a script
// cannot be asked), file names come from the command line (there are no file
// dialogs), the clock is the computer's and the settings are the operator's
// own store, shared with the desktop utility.

#include "Environment.h"
#include "SettingsStore.h"

#include <functional>
#include <optional>

class CliEnvironment : public Environment {
public:
    CliEnvironment();
    // Tests: where the settings are, how answers are read and whether a
    // terminal is there to ask on.
    CliEnvironment(SettingsStore settings, std::function<std::optional<QString>()> readAnswer, bool canAsk);

    MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString ChooseFile(const FileChoice&) override { return {}; }
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue) override;
    void WriteSetting(const QString& section, const QString& name, const QString& value) override;
    void SetBusy(bool) override {}

    // Whether a Yes/No question can be put to the operator (standard input
    // and standard error are terminals).
    bool CanAsk() const { return canAsk_; }

private:
    SettingsStore settings_;
    std::function<std::optional<QString>()> readAnswer_;
    bool canAsk_;
};

// Message box text as terminal text: CR LF line breaks become line feeds.
QString TerminalText(const QString& text);
