#include "frmConfig.h"

#include "AppError.h"
#include "DialogTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString label(QWidget& window, const char* name)
{
    auto* found = window.findChild<QLabel*>(QLatin1String(name));
    return found ? found->text() : QStringLiteral("(no label %1)").arg(QLatin1String(name));
}

// 2026-12-05 in seconds since 1970 (date -u -d ... +%s).
const QDate Dec5(2026, 12, 5);
constexpr int32_t Dec5Midnight = 1796428800;
constexpr int32_t Dec5At140309 = 1796479389;

SimOptions Identity(int datalogSize = 120)
{
    SimOptions options;
    options.firmware = "2.0.117";
    options.serialNumber = "KZ-004711";
    options.datalogSize = datalogSize;
    return options;
}

// The operator standardizes the instrument at that time of the computer's
// clock (the instrument's clock has not been set apart from it).
void StandardizeAt(SimMainWindow& main, const QDateTime& when)
{
    main.env.fixedNow = when;
    main.instrument->Standardize();
    main.env.fixedNow = QDateTime();
}

// An instrument that reports a datalog count of its own choosing (the
// simulation holds at most 2000 records): the Word at byte 26 of the status.
class ReportsCount : public CommPortDriver {
public:
    ReportsCount(std::unique_ptr<CommPortDriver> inner, QByteArray countHex) : inner_(std::move(inner)), countHex_(std::move(countHex)) {}
    void SetTimeout(int32_t ms) override { inner_->SetTimeout(ms); }
    void OpenDevice(int32_t code) override { inner_->OpenDevice(code); }
    bool IsConnected() const override { return inner_->IsConnected(); }
    void CloseDevice() override { inner_->CloseDevice(); }
    QByteArray Execute(const QByteArray& command) override
    {
        QByteArray reply = inner_->Execute(command);
        if (command == "D0001") reply.replace(1 + 26 * 2, 4, countHex_);  // after the code "d"
        return reply;
    }

private:
    std::unique_ptr<CommPortDriver> inner_;
    QByteArray countHex_;
};

}  // namespace

TEST(Identification, LabelsShowTheInstrumentAndTheDatalogFillLevel)
{
    LocaleGuard locale(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Case {
        int count;
        QByteArray reported;  // hex Word the instrument reports instead, if any
        QString text;
    };
    const Case cases[] = {
        {0, {}, "0  (0% full)"},
        {120, {}, "120  (6% full)"},
        {2000, {}, "2000  (100% full)"},
        {2000, "09C4", "2500  (125% full)"},  // more than it should hold: no cap
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SimMainWindow::DriverWrapper wrap;
        if (!c.reported.isEmpty())
            wrap = [&c](std::unique_ptr<CommPortDriver> inner) {
                return std::make_unique<ReportsCount>(std::move(inner), c.reported);
            };
        SimMainWindow main(Identity(c.count), wrap);
        StandardizeAt(main, QDateTime(Dec5, QTime(14, 3, 9)));
        ASSERT_EQ(main.instrument->StandardizedAt(), Dec5At140309);

        frmConfig window;
        window.Form_Load();

        EXPECT_EQ(window.objectName(), "frmConfig");
        EXPECT_EQ(window.windowTitle(), "Configuration - TR8 KZ");
        EXPECT_FALSE(window.windowIcon().isNull());
        EXPECT_EQ(label(window, "lblFirmware"), "Firmware: 2.0.117");
        EXPECT_EQ(label(window, "lblSerialNumber"), "KZ-004711");
        EXPECT_EQ(label(window, "lblLastStdz"), "Last Standardization:");
        EXPECT_EQ(label(window, "lblDateTime"), "12/5/26 2:03:09 PM");
        EXPECT_EQ(label(window, "lblDatalog"), "Datalog:");
        EXPECT_EQ(label(window, "lblLogCount"), c.text);
        auto* ok = window.findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_TRUE(ok->isDefault());

        // Only the status is asked for; version and serial number are those
        // of the identification at start-up.
        EXPECT_EQ(main.sentSinceLoad(), (QByteArrayList{"D0001", "D0001"}));
        EXPECT_GT(main.env.busyCount, 0);
        EXPECT_EQ(main.env.busyDepth, 0);
        EXPECT_TRUE(main.env.messages.empty());
    }
}

TEST(Identification, FillLevelRoundsHalvesAwayFromZeroWithoutCap)
{
    EXPECT_EQ(frmConfig::LogCountText(9), "9  (0% full)");        // 0.45 %
    EXPECT_EQ(frmConfig::LogCountText(10), "10  (1% full)");      // 0.5 %
    EXPECT_EQ(frmConfig::LogCountText(29), "29  (1% full)");      // 1.45 %
    EXPECT_EQ(frmConfig::LogCountText(30), "30  (2% full)");      // 1.5 %
    EXPECT_EQ(frmConfig::LogCountText(50), "50  (3% full)");      // 2.5 %
    EXPECT_EQ(frmConfig::LogCountText(1999), "1999  (100% full)"); // 99.95 %
    EXPECT_EQ(frmConfig::LogCountText(32767), "32767  (1638% full)");  // 1638.35 %
    EXPECT_EQ(frmConfig::LogCountText(-10), "-10  (-1% full)");
}

TEST(Identification, FirmwareLabelKeepsItsPrefixForAnEmptyVersion)
{
    SimOptions options = Identity();
    options.firmware = "";
    SimMainWindow main(options);
    frmConfig window;
    window.Form_Load();
    EXPECT_EQ(label(window, "lblFirmware"), "Firmware: ");
    EXPECT_EQ(label(window, "lblSerialNumber"), "KZ-004711");
}

TEST(Identification, LastStandardizationInTheRegionalGeneralForm)
{
    struct Case {
        QLocale locale;
        QDateTime when;
        int32_t seconds;
        QString text;
    };
    const QDateTime midnight(Dec5, QTime(0, 0)), afternoon(Dec5, QTime(14, 3, 9));
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), midnight, Dec5Midnight, "12/5/26"},
        {QLocale(QLocale::English, QLocale::UnitedStates), afternoon, Dec5At140309, "12/5/26 2:03:09 PM"},
        {QLocale(QLocale::German, QLocale::Germany), midnight, Dec5Midnight, "05.12.26"},
        {QLocale(QLocale::German, QLocale::Germany), afternoon, Dec5At140309, "05.12.26 14:03:09"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        LocaleGuard locale(c.locale);
        SimMainWindow main(Identity());
        StandardizeAt(main, c.when);
        ASSERT_EQ(main.instrument->StandardizedAt(), c.seconds);
        frmConfig window;
        window.Form_Load();
        EXPECT_EQ(label(window, "lblDateTime"), c.text);
    }
}

TEST(Identification, TimeoutAnsweredWithRetryRepeatsTheStepAndLoadingGoesOn)
{
    LocaleGuard locale(QLocale(QLocale::German, QLocale::Germany));
    // The first status request (last standardization), then the second one
    // (datalog count).
    for (int occurrence : {1, 2}) {
        SCOPED_TRACE(occurrence);
        SimOptions options = Identity(120);
        options.faults = {Fault("D0001", occurrence)};
        SimMainWindow main(options);
        StandardizeAt(main, QDateTime(Dec5, QTime(14, 3, 9)));
        main.env.answers = {MessageAnswer::Retry};

        frmConfig window;
        window.Form_Load();

        ASSERT_EQ(main.env.messages.size(), 1u);
        EXPECT_EQ(main.env.messages[0].text, "Communications Timeout");
        EXPECT_EQ(main.env.messages[0].buttons, MessageButtons::RetryCancel);
        EXPECT_EQ(main.sentSinceLoad(), (QByteArrayList{"D0001", "D0001", "D0001"}));
        EXPECT_EQ(label(window, "lblDateTime"), "05.12.26 14:03:09");
        EXPECT_EQ(label(window, "lblLogCount"), "120  (6% full)");
        EXPECT_EQ(main.env.busyDepth, 0);
    }
}

TEST(Identification, CancelAfterTimeoutEndsTheProgramWithoutFurtherMessage)
{
    SimOptions options = Identity();
    options.faults = {Fault("D0001", 1)};
    SimMainWindow main(options);
    main.env.answers = {MessageAnswer::Cancel};
    frmConfig window;
    EXPECT_THROW(window.Form_Load(), ProgramEnd);
    ASSERT_EQ(main.env.messages.size(), 1u);
    EXPECT_EQ(main.env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(main.sentSinceLoad(), QByteArrayList{"D0001"});
    EXPECT_EQ(label(window, "lblDateTime"), "");
    EXPECT_EQ(label(window, "lblLogCount"), "");
    EXPECT_EQ(main.env.busyDepth, 0);
}

TEST(Identification, RefusalIsReportedAsFatal)
{
    SimOptions options = Identity();
    options.faults = {Fault("D0001", 1, SimFault::Kind::Refused)};
    SimMainWindow main(options);
    frmConfig window;
    EXPECT_THROW(window.Form_Load(), ProgramEnd);
    ASSERT_EQ(main.env.messages.size(), 1u);
    // The instrument's refusal is component error 0x80041FA6.
    EXPECT_TRUE(main.env.messages[0].text.startsWith("Fatal Error #-2147213402\r\n\r\n"))
        << main.env.messages[0].text.toStdString();
    EXPECT_EQ(main.env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(main.sentSinceLoad(), QByteArrayList{"D0001"});
    EXPECT_EQ(main.env.busyDepth, 0);
}

TEST(Identification, MenuCommandShowsTheLoadedWindowUntilOK)
{
    LocaleGuard locale(QLocale(QLocale::English, QLocale::UnitedStates));
    SimMainWindow main(Identity(2000));
    QString shownCount;
    bool wasModal = false;
    WhenModal<frmConfig>([&](frmConfig& window) {
        shownCount = label(window, "lblLogCount");
        wasModal = window.isModal();
        QTest::keyClick(&window, Qt::Key_Return);  // Enter presses OK
    });
    ShowIdentification(main.window.get());
    EXPECT_EQ(shownCount, "2000  (100% full)");
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(main.sentSinceLoad(), (QByteArrayList{"D0001", "D0001"}));
}

TEST(Identification, SensorMenuOpensTheWindow)
{
    SimMainWindow main(Identity(0));
    QString shownCount;
    WhenModal<frmConfig>([&](frmConfig& window) {
        shownCount = label(window, "lblLogCount");
        window.findChild<QPushButton*>("cmdOK")->click();
    });
    main.window->mnuSensorItem(4)->trigger();
    EXPECT_EQ(shownCount, "0  (0% full)");
}
