#pragma once
// The simulated TR8 KZ: the instrument's memory (clock, identification,
// datalog, 250 product setups, units and run configuration) and its side of
// the command protocol of docs/protocol.md. Handle takes one command line
// (without its CR) and gives the reply line (without CR LF), or nothing when
// the link fault set up for that command swallows the reply.
//
// It is a product feature, not a test double: demonstration and training run
// the utility against it, in process (SimulatorDriver) or on a pseudo-terminal
// (tr8kz-sim). The same seed always gives the same setups and datalog.

#include "DisplayRenderer.h"
#include "SimDatalog.h"
#include "SimOptions.h"
#include "SimSetup.h"
#include "SimState.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <cstdint>
#include <optional>
#include <vector>

class SimInstrument {
public:
    // Loads the state file when it exists, otherwise makes the content from
    // the seed (and writes the state file when one is named). Raises AppError
    // for invalid options or an unreadable state file.
    explicit SimInstrument(SimOptions options = {});
    SimInstrument(const SimInstrument&) = delete;
    SimInstrument& operator=(const SimInstrument&) = delete;

    // One command in, one reply out (see docs/protocol.md). Every command is
    // answered, a malformed one with "?" and an error code, unless a fault
    // says otherwise. Raises AppError only when the state file cannot be
    // written after a change.
    std::optional<QByteArray> Handle(const QByteArray& command);

    // Whether the instrument presents this USB device code (the driver asks
    // on OpenDevice); every question is recorded.
    bool AnswersTo(int32_t deviceCode);

    const SimOptions& Options() const { return options_; }

    // What the instrument has received: every command, in order, and every
    // device code it was asked about.
    const QList<QByteArray>& ReceivedCommands() const { return received_; }
    const QList<int32_t>& DeviceCodesTried() const { return codesTried_; }
    void ClearLogs();

    // The instrument's state.
    int32_t Clock() const;  // seconds since 1970, the instrument's local time
    int64_t ClockOffset() const { return state_.clockOffsetSeconds; }
    int32_t StandardizedAt() const { return state_.standardizedAt; }
    int32_t UptimeSeconds() const;
    bool RemoteMode() const { return remote_; }
    bool LinkLost() const { return linkLost_; }
    int SetupInUse() const { return state_.setupInUse; }
    int DatalogCount() const { return static_cast<int>(state_.datalog.size()); }
    const std::vector<SimDatalogRecord>& Datalog() const { return state_.datalog; }
    // The stored record text of setup index (0..249), exactly as written.
    const QByteArray& SetupRecord(int index) const;
    SimSetup Setup(int index) const;
    const SimState& State() const { return state_; }

    // The "#" reply (also the first line of a stored datalog file).
    QByteArray IdentificationReply() const;
    // What the display shows now, and its 2048-byte pixel area.
    DisplayScreen Screen() const;
    QByteArray DisplayPixels() const;

    // What an operator does at the instrument itself (the demonstration's
    // timer, tests): a reading with the setup in use, logged while the
    // datalog has room and stamped with the instrument's clock; a
    // standardization; choosing the setup in use.
    void TakeMeasurement();
    void Standardize();
    void SelectSetup(int index);

private:
    struct Refusal {
        int code;
    };
    static constexpr int UnknownCommand = 0x01;
    static constexpr int MalformedArguments = 0x02;
    static constexpr int OutOfRange = 0x03;
    static constexpr int Busy = 0x04;

    QByteArray execute(const QByteArray& command);
    QByteArray status() const;
    QByteArray setClock(const QByteArray& arguments);
    QByteArray datalogRecord(const QByteArray& arguments) const;
    QByteArray readSetup(const QByteArray& arguments) const;
    QByteArray writeSetup(const QByteArray& arguments, int indexBytes);
    QByteArray display() const;

    QDateTime localNow() const;
    int64_t localSeconds() const;
    int temperatureTenths() const;
    void datalogChanged();
    void changed();

    SimOptions options_;
    SimState state_;
    QDateTime started_;
    bool remote_ = false;
    bool linkLost_ = false;
    bool alterSetupWrite_ = false;  // the Altered fault of the command under way
    std::vector<int> faultCounts_;
    std::vector<bool> faultFired_;
    QList<QByteArray> received_;
    QList<int32_t> codesTried_;
    std::optional<QByteArray> datalogJson_;  // the state file's datalog part
};
