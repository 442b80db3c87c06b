#include "ScriptedEnvironment.h"

ScriptedEnvironment::ScriptedEnvironment() : settings_(dir_.filePath(QStringLiteral("settings.ini")))
{
    InstallEnvironment(this);
}

ScriptedEnvironment::~ScriptedEnvironment() { InstallEnvironment(nullptr); }

MessageAnswer ScriptedEnvironment::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                               const QString& title)
{
    messages.push_back({text, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MessageButtons::YesNo: return MessageAnswer::Yes;
    case MessageButtons::RetryCancel: return MessageAnswer::Retry;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

QString ScriptedEnvironment::ChooseFile(const FileChoice& choice)
{
    fileChoices.push_back(choice);
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QDateTime ScriptedEnvironment::Now() const { return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime(); }

QString ScriptedEnvironment::ReadSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    return settings_.read(section, name, defaultValue);
}

void ScriptedEnvironment::WriteSetting(const QString& section, const QString& name, const QString& value)
{
    settings_.write(section, name, value);
}

void ScriptedEnvironment::SetBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    if (busy) ++busyCount;
}

QString ScriptedEnvironment::settingsFile() const { return dir_.filePath(QStringLiteral("settings.ini")); }

QString ScriptedEnvironment::path(const QString& name) const { return dir_.filePath(name); }
