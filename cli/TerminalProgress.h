#pragma once
// Progress of a long operation on the command line: a bar on standard error
// when it is a terminal (nothing otherwise, so that logs and pipes stay
// clean), and Ctrl-C as the Cancel button: the operation stops before its
// next item and keeps what it has done.

#include "ProgressSink.h"

#include <QElapsedTimer>
#include <cstdio>

class TerminalProgress : public ProgressSink {
public:
    // Draws on standard error when it is a terminal.
    TerminalProgress();
    // Draws on the stream when `draw` is true (tests).
    TerminalProgress(std::FILE* stream, bool draw);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void SetCaption(const QString& caption) override;
    void SetMaximum(int maximum) override;
    void SetValue(int value) override;
    // The items done so far (the last SetValue).
    int Value() const;
    void SetStatus(const QString& status) override;
    void Yield() override {}
    // Forgets a Ctrl-C pressed before the operation started.
    void ClearCancel() override;
    bool CancelRequested() const override;

    // Width of the drawn line, bar included.
    static constexpr int LineWidth = 79;
    static constexpr int BarWidth = 30;

private:
    void draw(bool force);

    std::FILE* stream_;
    bool drawing_;
    QString caption_;
    QString status_;
    int maximum_ = 0;
    int value_ = 0;
    QElapsedTimer sinceDraw_;
    bool drawn_ = false;
};

// While an object of this class lives, Ctrl-C (SIGINT) does not end the
// program: it asks the running operation to stop (TerminalProgress reports it
// as CancelRequested), also while a reply is awaited (the link gives up the
// wait: LinkWait::RequestInterrupt). A second Ctrl-C ends the program at once with exit
// code 130, for an operation stuck waiting for the instrument. The previous
// handling is restored when the object goes.
class InterruptAsCancel {
public:
    InterruptAsCancel();
    ~InterruptAsCancel();
    InterruptAsCancel(const InterruptAsCancel&) = delete;
    InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

    // Whether Ctrl-C was pressed since the last Clear().
    static bool Requested();
    static void Clear();

private:
    void (*previous_)(int);
};
