// Sensor::OpenCommPort over an instrument that answers "#" with the input.
//
// Checked: an identification that cannot be decoded raises only the codec's
// errors, and leaves the link connected for the close; one that can be
// decoded leaves a model, version and serial number of at most 255 bytes each,
// and the instrument is supported exactly when the model is "TR8KZ". A busy
// reply ("?04" exactly) is resent by the link, which gives up with
// InstrumentBusy when the instrument stays busy (as this one does).
#include "FuzzSupport.h"
#include "InstrumentCommands.h"
#include "LinkWait.h"
#include "ScriptedDriver.h"
#include "Sensor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The link's pauses before a resend are real sleeps (1.55 s for a busy
    // instrument); here they would cost a second and a half per input.
    static const bool pausesSkipped = (LinkWait::SetPauseHandler([](int) {}), true);
    (void)pausesSkipped;
    const QHash<QByteArray, QByteArray> replies{
        {Command::Reset, "r"},
        {Command::RemoteOn, "+"},
        {Command::RemoteOff, "+"},
        {Command::Identify, Fuzz::Bytes(data, size)},
    };
    Sensor sensor([&replies] { return std::make_unique<ScriptedDriver>(replies); });
    try {
        sensor.OpenCommPort();
        FUZZ_CHECK(sensor.ModelName().size() <= 255);
        FUZZ_CHECK(sensor.Version().size() <= 255);
        FUZZ_CHECK(sensor.SerialNumber().size() <= 255);
        FUZZ_CHECK(sensor.InstrumentSupported() == (sensor.ModelName() == QLatin1String("TR8KZ")));
        FUZZ_CHECK(sensor.InstrumentName() ==
                   (sensor.InstrumentSupported() ? QStringLiteral("TR8 KZ") : sensor.ModelName()));
    } catch (const AppError& error) {
        if (Fuzz::Bytes(data, size) == "?04") Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentBusy});
        else Fuzz::ExpectOneOf(error, {ErrorNumber::MalformedText});
    }
    FUZZ_CHECK(sensor.InstrumentConnected());
    sensor.CloseCommPort();
    return 0;
}
