#include "ScriptedEnvironment.h"

ScriptedEnvironment::ScriptedEnvironment() : settings_(settingsFile()) { InstallEnvironment(this); }

MessageAnswer ScriptedEnvironment::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon icon,
                                               const QString& title)
{
    messages.push_back({text, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (answers.empty()) {
        if (buttons == MessageButtons::YesNo) return MessageAnswer::Yes;
        return buttons == MessageButtons::RetryCancel ? MessageAnswer::Retry : MessageAnswer::Ok;
    }
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

QString ScriptedEnvironment::ChooseFile(const FileChoice& choice)
{
    fileChoices.push_back(choice);
    if (fileNames.empty()) return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}
