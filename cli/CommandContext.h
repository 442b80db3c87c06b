#pragma once
// What a command gets to work with: its arguments and options, the data
// delimiter in force, a way to ask the operator, and the instrument, opened
// on first use with the start-up identification of the utility.

#include "InstrumentSession.h"

#include <QCommandLineParser>
#include <QStringList>
#include <memory>

class CliEnvironment;

class CommandContext {
public:
    CommandContext(const QCommandLineParser& parser, QStringList arguments, CliEnvironment& environment);
    ~CommandContext();

    // The command's positional arguments (the command words left out).
    const QStringList& Arguments() const { return arguments_; }
    bool IsSet(const QString& option) const { return parser_.isSet(option); }
    // The value of an option that takes one (empty when it is not set).
    QString Value(const QString& option) const { return parser_.value(option); }

    // --delimiter (tab, comma or one character), else the operator's stored
    // preference, read as the utility reads it at start-up. A value that is
    // none of these raises UsageError.
    QString Delimiter() const;

    // Whether a Yes/No question can be asked on a terminal.
    bool CanAsk() const;

    // Opens the link and identifies the instrument on first call (refusing a
    // missing or unsupported one: InstrumentUnavailable).
    InstrumentSession& Instrument();
    // Closes the link when it was opened: the end of a command that did not
    // fail on the instrument.
    void Finish();

private:
    const QCommandLineParser& parser_;
    QStringList arguments_;
    CliEnvironment& environment_;
    std::unique_ptr<InstrumentSession> session_;
};

// The delimiter that a --delimiter value names: "tab" or "comma" (any letter
// case), or the one character given. Anything else raises UsageError.
QString DelimiterFromOption(const QString& value);
