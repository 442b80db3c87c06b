#pragma once
// One command sent, its reply returned. Long operations (capture, archive,
// restore) and the setup editor take their exchanges through this, so that
// each front end decides what a failed exchange means: the windows offer Retry
// after a timeout (and then send the same command again), the command line
// reports and stops, tests count.
//
// A loop that knows its next command may send it ahead (SendAhead) as soon as
// the reply in hand is complete, and decode that reply while the instrument
// works on the next one. The instrument still sees one command after each
// reply; only the program's own work overlaps the instrument's. Exchanging
// that same command next takes its reply without sending it again; any other
// command first waits for the reply to the one sent ahead and drops it.

#include <QByteArray>
#include <functional>
#include <type_traits>
#include <utility>

class Sensor;

class Exchange {
public:
    using Send = std::function<QByteArray(const QByteArray& command)>;
    using SendAheadFunction = std::function<void(const QByteArray& command)>;

    Exchange() = default;
    // Any callable that sends a command and returns its reply; such an
    // exchange sends nothing ahead.
    template <typename Callable,
              typename = std::enable_if_t<std::is_invocable_r_v<QByteArray, Callable&, const QByteArray&> &&
                                          !std::is_same_v<std::decay_t<Callable>, Exchange>>>
    Exchange(Callable send) : send_(std::move(send))
    {
    }
    Exchange(Send send, SendAheadFunction sendAhead) : send_(std::move(send)), sendAhead_(std::move(sendAhead)) {}

    QByteArray operator()(const QByteArray& command) const { return send_(command); }
    // A hint, never an error: when the command cannot be sent ahead it is
    // simply sent when exchanged, and a failure of the link shows there.
    void SendAhead(const QByteArray& command) const
    {
        if (sendAhead_) sendAhead_(command);
    }
    explicit operator bool() const { return static_cast<bool>(send_); }

private:
    Send send_;
    SendAheadFunction sendAhead_;
};

// Sends straight to the Sensor; every error reaches the caller.
Exchange DirectExchange(Sensor& sensor);
