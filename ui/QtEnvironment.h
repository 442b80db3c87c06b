#pragma once
// The program's Environment on Qt: message boxes, file dialogs, the computer's
// clock, the per-user settings store and the hourglass pointer.

#include "Environment.h"
#include "SettingsStore.h"

class QtEnvironment : public Environment {
public:
    MessageAnswer ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                              const QString& title) override;
    QString ChooseFile(const FileChoice& choice) override;
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    QString ReadSetting(const QString& section, const QString& name, const QString& defaultValue) override;
    void WriteSetting(const QString& section, const QString& name, const QString& value) override;
    void SetBusy(bool busy) override;

private:
    SettingsStore settings_;
};

// "Label|pattern|Label|pattern" to Qt's "Label (pattern);;Label (pattern)".
QString QtFileFilter(const QString& filter);
