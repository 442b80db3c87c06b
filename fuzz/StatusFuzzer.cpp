// InstrumentOperations::DatalogCount and StdzSeconds over an instrument that
// answers "D0001" with the input.
//
// Checked: a status block that cannot be used raises only a refusal, the
// codec's errors or an overflow of the count; a count that is returned was
// read from a reply of the status kind and lies in 0..32767. A busy reply
// ("?04" exactly) is resent by the link, which gives up with InstrumentBusy
// when the instrument stays busy (as this one does).
#include "FuzzSupport.h"
#include "InstrumentCommands.h"
#include "InstrumentOperations.h"
#include "LinkWait.h"
#include "ScriptedDriver.h"
#include "Sensor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The link's pauses before a resend are real sleeps (1.55 s for a busy
    // instrument); here they would cost a second and a half per input.
    static const bool pausesSkipped = (LinkWait::SetPauseHandler([](int) {}), true);
    (void)pausesSkipped;
    const QByteArray reply = Fuzz::Bytes(data, size);
    const bool busy = reply == "?04";
    Sensor sensor([&reply] {
        return std::make_unique<ScriptedDriver>(QHash<QByteArray, QByteArray>{{Command::Status, reply}});
    });
    try {
        const int16_t count = InstrumentOperations::DatalogCount(sensor);
        FUZZ_CHECK(count >= 0);
        FUZZ_CHECK(reply.startsWith(ReplyCode::Status));
    } catch (const AppError& error) {
        if (busy) Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentBusy});
        else Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentRefused, ErrorNumber::MalformedText, ErrorNumber::Overflow});
    }
    try {
        InstrumentOperations::StdzSeconds(sensor);
        FUZZ_CHECK(reply.startsWith(ReplyCode::Status));
    } catch (const AppError& error) {
        if (busy) Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentBusy});
        else Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentRefused, ErrorNumber::MalformedText});
    }
    return 0;
}
