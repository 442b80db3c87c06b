#include "SimOptions.h"

#include "AppError.h"
#include "CommPortDriver.h"

namespace {
[[noreturn]] void invalid(const QString& what) { throw AppError(ErrorNumber::InvalidArgument, what); }
}  // namespace

SimFault SimFault::Parse(const QString& text)
{
    // The prefix is everything before the last two colons, so it may hold
    // colons itself.
    const int second = text.lastIndexOf(u':');
    const int first = second > 0 ? text.lastIndexOf(u':', second - 1) : -1;
    if (first < 0) invalid(QStringLiteral("A fault is PREFIX:N:KIND, not \"%1\"").arg(text));

    SimFault fault;
    const QString prefix = text.left(first);
    for (QChar c : prefix)
        if (c.unicode() > 255) invalid(QStringLiteral("The fault prefix \"%1\" is not 8-bit text").arg(prefix));
    fault.commandPrefix = prefix.toLatin1();

    bool ok = false;
    fault.occurrence = text.mid(first + 1, second - first - 1).toInt(&ok);
    if (!ok || fault.occurrence < 1)
        invalid(QStringLiteral("The fault occurrence in \"%1\" must be a whole number from 1").arg(text));

    const QString kind = text.mid(second + 1).toLower();
    if (kind == u"noreply") fault.kind = Kind::NoReply;
    else if (kind == u"garbled") fault.kind = Kind::Garbled;
    else if (kind == u"refused") fault.kind = Kind::Refused;
    else if (kind == u"linklost") fault.kind = Kind::LinkLost;
    else if (kind == u"altered") fault.kind = Kind::Altered;
    else if (kind == u"rejected") fault.kind = Kind::Rejected;
    else invalid(QStringLiteral("Unknown fault kind \"%1\" (noreply, garbled, refused, linklost, rejected, altered)").arg(text.mid(second + 1)));
    return fault;
}

QString SimFault::KindName(Kind kind)
{
    switch (kind) {
    case Kind::NoReply: return QStringLiteral("noreply");
    case Kind::Garbled: return QStringLiteral("garbled");
    case Kind::Refused: return QStringLiteral("refused");
    case Kind::LinkLost: return QStringLiteral("linklost");
    case Kind::Altered: return QStringLiteral("altered");
    case Kind::Rejected: return QStringLiteral("rejected");
    }
    return {};
}

void SimOptions::Validate() const
{
    if (datalogSize < 0 || datalogSize > 2000)
        invalid(QStringLiteral("The datalog holds 0 to 2000 records, not %1").arg(datalogSize));
    if (runConfigVariant < 0 || runConfigVariant > 255)
        invalid(QStringLiteral("The run configuration variant is a Byte (0 to 255), not %1").arg(runConfigVariant));
    if (replyDelayMs < 0) invalid(QStringLiteral("The reply delay cannot be negative (%1 ms)").arg(replyDelayMs));
    for (const QByteArray* text : {&model, &firmware, &serialNumber}) {
        if (text->size() > 255) invalid(QStringLiteral("An identification text is longer than 255 characters"));
        if (text->contains('\r') || text->contains('\n'))
            invalid(QStringLiteral("An identification text holds a line break"));
    }
    for (const SimFault& f : faults)
        if (f.occurrence < 1) invalid(QStringLiteral("A fault occurrence counts from 1, not %1").arg(f.occurrence));
}

int32_t DeviceCodeOf(SimUsbIdentity identity)
{
    switch (identity) {
    case SimUsbIdentity::Primary: return DeviceCode::Primary;
    case SimUsbIdentity::Secondary: return DeviceCode::Secondary;
    case SimUsbIdentity::None: return 0;
    }
    return 0;
}
