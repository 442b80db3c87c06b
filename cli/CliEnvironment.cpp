#include "CliEnvironment.h"

#include "Terminal.h"

#include <cstdio>

QString TerminalText(const QString& text) { return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")); }

CliEnvironment::CliEnvironment() : CliEnvironment(SettingsStore(), ReadAnswerLine, IsTerminal(stdin) && IsTerminal(stderr))
{
}

CliEnvironment::CliEnvironment(SettingsStore settings, std::function<std::optional<QString>()> readAnswer, bool canAsk)
    : settings_(std::move(settings)), readAnswer_(std::move(readAnswer)), canAsk_(canAsk)
{
}

MessageAnswer CliEnvironment::ShowMessage(const QString& text, MessageButtons buttons, MessageIcon, const QString&)
{
    const QByteArray shown = TerminalText(text).toLocal8Bit();
    switch (buttons) {
    case MessageButtons::Ok:
        std::fprintf(stderr, "%s\n", shown.constData());
        std::fflush(stderr);
        return MessageAnswer::Ok;
    case MessageButtons::RetryCancel:
        // Nobody to press Retry: a script wants the failure, and an operator
        // at a terminal runs the command again.
        std::fprintf(stderr, "%s\n", shown.constData());
        std::fflush(stderr);
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        break;
    }
    if (!canAsk_) return MessageAnswer::No;
    std::fprintf(stderr, "%s [y/N] ", shown.constData());
    std::fflush(stderr);
    const std::optional<QString> answer = readAnswer_();
    if (!answer) std::fputs("\n", stderr);
    const QString word = answer.value_or(QString()).trimmed().toLower();
    return word == QLatin1String("y") || word == QLatin1String("yes") ? MessageAnswer::Yes : MessageAnswer::No;
}

QString CliEnvironment::ReadSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    return settings_.read(section, name, defaultValue);
}

void CliEnvironment::WriteSetting(const QString& section, const QString& name, const QString& value)
{
    settings_.write(section, name, value);
}
