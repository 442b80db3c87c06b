#pragma once
// How a simulated instrument is set up: its identity, its datalog and units,
// the timing and faults of its link, and where it keeps its state.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

// A fault of the link, injected on the occurrence-th command (counted from 1)
// whose text starts with commandPrefix (an empty prefix matches every
// command). Each fault fires once.
struct SimFault {
    enum class Kind {
        NoReply,   // the command is carried out, its reply is lost
        Garbled,   // the command is carried out, its reply arrives damaged
        Refused,   // the instrument is busy: "?" 04, nothing is done
        LinkLost,  // from this command on nothing is carried out or answered
        Rejected,  // refused for good: "?" 03 (out of range), nothing is done
        // A setup write is answered as carried out, but the setup is stored
        // with its report interval one second longer (a restore that did not
        // take as sent); any other command is carried out as usual.
        Altered,
    };
    QByteArray commandPrefix;
    int occurrence = 1;
    Kind kind = Kind::NoReply;

    // "PREFIX:N:KIND", KIND one of noreply, garbled, refused, linklost, rejected, altered (any
    // letter case); the prefix may be empty. Raises AppError (InvalidArgument).
    static SimFault Parse(const QString& text);
    static QString KindName(Kind kind);
};

// The USB identity the instrument answers to.
enum class SimUsbIdentity { Primary, Secondary, None };

struct SimOptions {
    QByteArray model = "TR8KZ";
    QByteArray firmware = "3.07";
    QByteArray serialNumber = "KZ8-204117";
    int datalogSize = 120;  // records made at start, 0..2000
    bool inches = false;    // units: inches, else millimetres
    int runConfigVariant = 2;  // 1 distance, 2 height; any other value 0..255 is answered as it is
    int replyDelayMs = 0;
    SimUsbIdentity usbIdentity = SimUsbIdentity::Primary;
    std::vector<SimFault> faults;
    QString stateFile;  // empty: nothing is kept between runs
    uint32_t seed = 1;
    // The computer's local date and time; empty means the real clock. Tests
    // set a fixed or stepping clock here.
    std::function<QDateTime()> localClock;

    // Raises AppError (InvalidArgument) for a value the instrument cannot take.
    void Validate() const;
};

// The USB device code of an identity (0 for None).
int32_t DeviceCodeOf(SimUsbIdentity identity);
