#include "TerminalProgress.h"

#include "LinkWait.h"
#include "Terminal.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {
std::atomic<int> interrupts{0};

extern "C" void onInterrupt(int)
{
    if (interrupts.fetch_add(1) >= 1) std::_Exit(130);
    // A reply under way is given up at once (the driver's wait ends with the
    // signal or within its next slice).
    LinkWait::RequestInterrupt();
    // Where the platform resets the handler on delivery, put it back.
    std::signal(SIGINT, onInterrupt);
}
}  // namespace

InterruptAsCancel::InterruptAsCancel()
{
    interrupts = 0;
    LinkWait::ClearInterrupt();
    previous_ = std::signal(SIGINT, onInterrupt);
}

InterruptAsCancel::~InterruptAsCancel()
{
    std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_);
    LinkWait::ClearInterrupt();
}

bool InterruptAsCancel::Requested() { return interrupts.load() > 0; }

void InterruptAsCancel::Clear()
{
    interrupts = 0;
    LinkWait::ClearInterrupt();
}

TerminalProgress::TerminalProgress() : TerminalProgress(stderr, IsTerminal(stderr)) {}

TerminalProgress::TerminalProgress(std::FILE* stream, bool draw) : stream_(stream), drawing_(draw)
{
    sinceDraw_.start();
}

TerminalProgress::~TerminalProgress()
{
    if (drawing_ && drawn_) {
        std::fputs("\n", stream_);
        std::fflush(stream_);
    }
}

void TerminalProgress::SetCaption(const QString& caption)
{
    caption_ = caption;
    draw(true);
}

void TerminalProgress::SetMaximum(int maximum) { maximum_ = maximum; }

int TerminalProgress::Value() const { return value_; }

void TerminalProgress::SetValue(int value)
{
    value_ = value;
    draw(value == maximum_);
}

void TerminalProgress::SetStatus(const QString& status)
{
    status_ = status;
    draw(false);
}

void TerminalProgress::ClearCancel() { InterruptAsCancel::Clear(); }

bool TerminalProgress::CancelRequested() const { return InterruptAsCancel::Requested(); }

void TerminalProgress::draw(bool force)
{
    if (!drawing_) return;
    // A terminal redrawn thousands of times a second slows the operation.
    if (!force && sinceDraw_.elapsed() < 50) return;
    sinceDraw_.restart();
    QString line = caption_;
    if (maximum_ > 0) {
        const int value = std::clamp(value_, 0, maximum_);
        const int filled = static_cast<int>(static_cast<long long>(BarWidth) * value / maximum_);
        line += QStringLiteral(" [%1%2]").arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char('.')));
    }
    if (!status_.isEmpty()) line += QLatin1Char(' ') + status_;
    // Carriage return, then the line padded so that a shorter one covers the
    // longer one before it.
    std::fprintf(stream_, "\r%-*s", LineWidth, qPrintable(line.left(LineWidth)));
    std::fflush(stream_);
    drawn_ = true;
}
