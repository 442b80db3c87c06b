#include "LineServer.h"

#include "AppError.h"
#include "CommPortDriver.h"

LineServer::LineServer(CommPortDriver& link, std::function<void(const QString&)> warn)
    : link_(link), warn_(std::move(warn))
{
}

QByteArray LineServer::Receive(const QByteArray& bytes)
{
    QByteArray out;
    for (char c : bytes) {
        if (c == '\n') continue;
        if (c == '\r') {
            out += answer(pending_);
            pending_.clear();
            continue;
        }
        pending_.append(c);
        if (pending_.size() >= MaximumCommandLength) {
            out += answer(pending_);
            pending_.clear();
        }
    }
    return out;
}

QByteArray LineServer::answer(const QByteArray& command)
{
    try {
        return link_.Execute(command) + "\r\n";
    } catch (const AppError& e) {
        // No reply is what the client sees of a fault; anything else (the
        // state file could not be written) is told to the operator of the
        // simulator, and the client still gets nothing.
        if (e.number() != ErrorNumber::CommTimeout && warn_) warn_(e.description());
        return {};
    }
}
