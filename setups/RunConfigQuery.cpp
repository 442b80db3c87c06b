#include "RunConfigQuery.h"

#include "InstrumentCommands.h"
#include "SetupRecord.h"

namespace {

int16_t askWord(const Exchange& exchange, FieldCodec& codec, const char* command)
{
    const QByteArray reply = exchange(QByteArray(command));
    ThrowIfRefused(reply, command);
    codec.SetText(reply);
    return static_cast<int16_t>(codec.ReadWord());  // ReadWord refuses values above 32767
}

}  // namespace

RunConfigEditor RunConfigChoice::Editor() const
{
    switch (Variant) {
    case 1: return RunConfigEditor::Distance;
    case 2: return RunConfigEditor::Height;
    default: return RunConfigEditor::None;
    }
}

RunConfigChoice QueryRunConfiguration(const Exchange& exchange, FieldCodec& codec)
{
    RunConfigChoice choice;
    choice.CustomaryUnits = askWord(exchange, codec, Command::QueryUnits) == 1;
    choice.Variant = askWord(exchange, codec, Command::QueryRunConfigVariant);
    return choice;
}
