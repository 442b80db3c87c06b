// The parts of the command line that talk to the terminal and the operator:
// the progress bar, Ctrl-C, questions, the reply timeout, the texts of
// errors and of the datalog fill, the delimiter option.
#include "AppError.h"
#include "CliEnvironment.h"
#include "CliFailure.h"
#include "CommandContext.h"
#include "Commands.h"
#include "ReplyTimeout.h"
#include "SettingsStore.h"
#include "TerminalProgress.h"

#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <deque>
#include <gtest/gtest.h>

namespace {

QByteArray contents(std::FILE* file)
{
    std::fflush(file);
    std::rewind(file);
    QByteArray bytes;
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, static_cast<qsizetype>(n));
    return bytes;
}

// Records what the Sensor asks of its driver.
class RecordingDriver : public CommPortDriver {
public:
    explicit RecordingDriver(std::vector<int32_t>& timeouts) : timeouts_(timeouts) {}
    void SetTimeout(int32_t milliseconds) override { timeouts_.push_back(milliseconds); }
    void OpenDevice(int32_t) override {}
    bool IsConnected() const override { return false; }
    void CloseDevice() override {}
    QByteArray Execute(const QByteArray&) override { return {}; }

private:
    std::vector<int32_t>& timeouts_;
};

}  // namespace

TEST(TerminalProgress, DrawsABarOnlyOnATerminalAndEndsTheLine)
{
    std::FILE* terminal = std::tmpfile();
    ASSERT_NE(terminal, nullptr);
    {
        TerminalProgress progress(terminal, true);
        progress.SetCaption(QStringLiteral("Capturing Datalog..."));
        progress.SetMaximum(4);
        progress.SetValue(0);
        progress.SetStatus(QStringLiteral("4 / 4"));
        progress.SetValue(4);  // the last value is always drawn
    }
    const QByteArray drawn = contents(terminal);
    std::fclose(terminal);
    EXPECT_TRUE(drawn.startsWith("\rCapturing Datalog..."));
    EXPECT_TRUE(drawn.contains("\rCapturing Datalog... [" + QByteArray(30, '#') + "] 4 / 4"));
    // Every drawing is one padded line of 79 characters after its CR.
    for (const QByteArray& line : drawn.split('\r').mid(1)) EXPECT_EQ(line.size(), line.endsWith('\n') ? 80 : 79);
    EXPECT_TRUE(drawn.endsWith('\n'));

    std::FILE* pipe = std::tmpfile();
    ASSERT_NE(pipe, nullptr);
    {
        TerminalProgress progress(pipe, false);
        progress.SetCaption(QStringLiteral("Archiving Product Setups..."));
        progress.SetMaximum(250);
        progress.SetValue(250);
    }
    EXPECT_TRUE(contents(pipe).isEmpty());
    std::fclose(pipe);
}

TEST(TerminalProgress, CtrlCIsCancelWhileTheGuardLivesOnly)
{
    auto before = std::signal(SIGINT, SIG_IGN);
    {
        InterruptAsCancel guard;
        TerminalProgress progress(nullptr, false);
        EXPECT_FALSE(progress.CancelRequested());
        std::raise(SIGINT);
        EXPECT_TRUE(progress.CancelRequested());
        // Each operation starts afresh.
        progress.ClearCancel();
        EXPECT_FALSE(progress.CancelRequested());
    }
    // The handling from before the guard is back.
    EXPECT_EQ(std::signal(SIGINT, before), SIG_IGN);
}

TEST(CliEnvironment, AsksOnATerminalOnlyAndNeverRetries)
{
    QTemporaryDir dir;
    std::deque<std::optional<QString>> answers{QStringLiteral("y"), QStringLiteral(" YES "), QString(),
                                               QStringLiteral("n"), std::nullopt};
    int asked = 0;
    auto reader = [&]() -> std::optional<QString> {
        ++asked;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    };
    CliEnvironment terminal(SettingsStore(dir.filePath(QStringLiteral("a.ini"))), reader, true);
    EXPECT_EQ(terminal.ShowMessage(QStringLiteral("Proceed?"), MessageButtons::YesNo, MessageIcon::Question, {}),
              MessageAnswer::Yes);
    EXPECT_EQ(terminal.ShowMessage(QStringLiteral("Proceed?"), MessageButtons::YesNo, MessageIcon::Question, {}),
              MessageAnswer::Yes);
    // An empty answer, "n" and the end of the input all mean No.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(terminal.ShowMessage(QStringLiteral("Proceed?"), MessageButtons::YesNo, MessageIcon::Question, {}),
                  MessageAnswer::No);
    EXPECT_EQ(asked, 5);
    EXPECT_EQ(terminal.ShowMessage(QStringLiteral("Communications Timeout"), MessageButtons::RetryCancel,
                                   MessageIcon::Critical, {}),
              MessageAnswer::Cancel);

    CliEnvironment script(SettingsStore(dir.filePath(QStringLiteral("b.ini"))), reader, false);
    EXPECT_FALSE(script.CanAsk());
    EXPECT_EQ(script.ShowMessage(QStringLiteral("Proceed?"), MessageButtons::YesNo, MessageIcon::Question, {}),
              MessageAnswer::No);
    EXPECT_EQ(asked, 5);

    script.WriteSetting(QStringLiteral("Preferences"), QStringLiteral("Delimiter"), QStringLiteral("Comma"));
    EXPECT_EQ(script.ReadSetting(QStringLiteral("Preferences"), QStringLiteral("Delimiter"), QStringLiteral("Tab")),
              QStringLiteral("Comma"));
    EXPECT_EQ(TerminalText(QStringLiteral("a\r\n\r\nb")), QStringLiteral("a\n\nb"));
}

TEST(ReplyTimeout, TheVariableReplacesWhatTheSensorAsksFor)
{
    std::vector<int32_t> timeouts;
    const DriverFactory plain = [&] { return std::make_unique<RecordingDriver>(timeouts); };

    auto overridden = WithReplyTimeout(plain, 1500)();
    overridden->SetTimeout(15000);
    EXPECT_EQ(timeouts, (std::vector<int32_t>{1500, 1500}));

    timeouts.clear();
    WithReplyTimeout(plain, std::nullopt)()->SetTimeout(15000);
    EXPECT_EQ(timeouts, (std::vector<int32_t>{15000}));

    qunsetenv(ReplyTimeoutVariable);
    EXPECT_EQ(ReplyTimeoutFromEnvironment(), std::nullopt);
    qputenv(ReplyTimeoutVariable, "2500");
    EXPECT_EQ(ReplyTimeoutFromEnvironment(), 2500);
    for (const char* bad : {"0", "soon", "-5", "3600001"}) {
        qputenv(ReplyTimeoutVariable, bad);
        EXPECT_THROW(ReplyTimeoutFromEnvironment(), UsageError) << bad;
    }
    qunsetenv(ReplyTimeoutVariable);
}

TEST(CliTexts, ErrorsFillAndDelimiters)
{
    const AppError timeout(ErrorNumber::CommTimeout, QStringLiteral("no reply to S1"));
    EXPECT_EQ(ErrorText(timeout, ErrorStyle::Fatal), QStringLiteral("Communications Timeout\nno reply to S1"));
    EXPECT_EQ(ErrorText(timeout, ErrorStyle::Operation), QStringLiteral("Communications Timeout\nno reply to S1"));
    const AppError file(ErrorNumber::FileAccess, QStringLiteral("Cannot create the file x"));
    EXPECT_EQ(ErrorText(file, ErrorStyle::Fatal), QStringLiteral("Fatal Error #75\n\nCannot create the file x"));
    EXPECT_EQ(ErrorText(file, ErrorStyle::Operation), QStringLiteral("Cannot create the file x"));

    // count / 2000 as a whole percentage, halves away from zero, no cap.
    EXPECT_EQ(DatalogFillText(0), QStringLiteral("0  (0% full)"));
    EXPECT_EQ(DatalogFillText(9), QStringLiteral("9  (0% full)"));
    EXPECT_EQ(DatalogFillText(10), QStringLiteral("10  (1% full)"));
    EXPECT_EQ(DatalogFillText(30), QStringLiteral("30  (2% full)"));
    EXPECT_EQ(DatalogFillText(2000), QStringLiteral("2000  (100% full)"));
    EXPECT_EQ(DatalogFillText(2500), QStringLiteral("2500  (125% full)"));

    EXPECT_EQ(DelimiterFromOption(QStringLiteral("tab")), QStringLiteral("\t"));
    EXPECT_EQ(DelimiterFromOption(QStringLiteral("Comma")), QStringLiteral(","));
    EXPECT_EQ(DelimiterFromOption(QStringLiteral(";")), QStringLiteral(";"));
    EXPECT_THROW(DelimiterFromOption(QStringLiteral("")), UsageError);
    EXPECT_THROW(DelimiterFromOption(QStringLiteral(";;")), UsageError);
}
