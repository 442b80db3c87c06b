// The identification window: its labels filled from the instrument in two
// regional formats, and a timeout while it loads answered Retry or Cancel.

#include "frmConfig.h"

#include "AppError.h"
#include "DialogTestSupport.h"
#include "WrappedDriver.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

QString label(QWidget& window, const char* name) { return window.findChild<QLabel*>(QLatin1String(name))->text(); }

// An instrument that reports 2500 records (hex 09C4) in the Word at byte 26
// of its status: more than the simulation, or the instrument, should hold.
std::unique_ptr<CommPortDriver> holds2500(std::shared_ptr<SimInstrument> s)
{
    return std::make_unique<WrappedDriver>(std::make_unique<SimulatorDriver>(s), [](const QByteArray& command, QByteArray reply) {
        return command == "D0001" ? reply.replace(1 + 26 * 2, 4, "09C4") : reply;  // after the reply code
    });
}

const QLocale US(QLocale::English, QLocale::UnitedStates), German(QLocale::German, QLocale::Germany);

}  // namespace

TEST(Identification, LabelsFilledFromTheInstrumentAndATimeoutWhileLoading)
{
    // timeoutAt: the status request that times out (1 the standardization's, 2 the count's, 0 none).
    const auto Retry = MessageAnswer::Retry;
    const struct {
        QLocale locale; QTime standardized; int records; SimMainWindow::MakeDriver driver; QString firmware;
        int timeoutAt; MessageAnswer answer; int requests; QString date, count;
    } cases[] = {
        {US, QTime(0, 0), 0, {}, "2.0.117", 0, Retry, 2, "12/5/2026", "0  (0% full)"},
        {US, QTime(14, 3, 9), 120, {}, "", 0, Retry, 2, "12/5/2026 2:03:09 PM", "120  (6% full)"},
        {German, QTime(0, 0), 2000, {}, "2.0.117", 0, Retry, 2, "05.12.2026", "2000  (100% full)"},
        // More records than the instrument should hold: no cap.
        {German, QTime(14, 3, 9), 2000, holds2500, "3.07", 0, Retry, 2, "05.12.2026 14:03:09", "2500  (125% full)"},
        // Retry asks again and loading goes on; Cancel ends the program with no further message.
        {German, QTime(14, 3, 9), 120, {}, "3.07", 1, Retry, 3, "05.12.2026 14:03:09", "120  (6% full)"},
        {German, QTime(14, 3, 9), 120, {}, "3.07", 2, Retry, 3, "05.12.2026 14:03:09", "120  (6% full)"},
        {German, QTime(14, 3, 9), 120, {}, "3.07", 1, MessageAnswer::Cancel, 1, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count.toStdString() + " " + std::to_string(c.timeoutAt));
        QLocale::setDefault(c.locale);
        SimOptions options;
        options.firmware = c.firmware.toLatin1();
        options.datalogSize = c.records;
        if (c.timeoutAt) options.faults = {{"D0001", c.timeoutAt, SimFault::Kind::NoReply}};
        SimMainWindow main(options, c.driver);
        main.env.fixedNow = QDateTime(QDate(2026, 12, 5), c.standardized);
        main.instrument->Standardize();  // at that time of the computer's clock
        main.env.answers = {c.answer};
        frmConfig window;
        if (c.answer == Retry) window.Form_Load();
        else EXPECT_THROW(window.Form_Load(), ProgramEnd);
        EXPECT_EQ(QStringList({label(window, "lblFirmware"), label(window, "lblDateTime"), label(window, "lblLogCount")}),
                  QStringList({"Firmware: " + c.firmware, c.date, c.count}));
        EXPECT_EQ(main.sent(), QByteArrayList(c.requests, "D0001"));
        EXPECT_EQ(main.env.messages.size(), c.timeoutAt ? 1u : 0u);
        for (const ShownMessage& message : main.env.messages) EXPECT_EQ(message.text, "Communications Timeout");
    }
}
