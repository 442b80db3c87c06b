#include "SimSetup.h"

#include "AppError.h"
#include "FieldCodec.h"

namespace {

template <size_t N>
void appendAll(FieldCodec& codec, const std::array<float, N>& values)
{
    for (float v : values) codec.AppendSingle(v);
}

template <size_t N>
void readAll(FieldCodec& codec, std::array<float, N>& values)
{
    for (float& v : values) v = codec.ReadSingle();
}

}  // namespace

const SimView* SimSetup::view(int index) const
{
    for (const SimView& v : views)
        if (v.index == index) return &v;
    return nullptr;
}

SimSetup BlankSetup()
{
    SimSetup setup;
    for (int i = 0; i < 8; ++i) {
        SimView v;
        v.index = i;
        v.enabled = (i == 0);
        setup.views.push_back(v);
    }
    return setup;
}

QByteArray EncodeSetupRecord(const SimSetup& s)
{
    FieldCodec codec;  // a codec of its own: the shared one belongs to the client side
    codec.BeginCommand({});
    codec.AppendString(s.name);
    codec.AppendInt(s.standardType);
    codec.AppendBool(s.searchable);
    codec.AppendByte(s.readMode);
    codec.AppendInt(s.reportInterval);
    codec.AppendSingle(s.baseDistance);
    codec.AppendSingle(s.baseMinusMax);
    codec.AppendSingle(s.baseMinusMin);
    codec.AppendBool(s.heightTrigger);
    codec.AppendSingle(s.slope);
    codec.AppendSingle(s.offset);
    appendAll(codec, s.spectrum);
    appendAll(codec, s.target);
    appendAll(codec, s.read);
    appendAll(codec, s.trackPlus);
    appendAll(codec, s.trackMinus);
    appendAll(codec, s.scalePlus);
    appendAll(codec, s.scaleMinus);
    codec.AppendSingle(s.indexPlus);
    codec.AppendSingle(s.indexMinus);
    codec.AppendByte(static_cast<int>(s.views.size()));
    for (const SimView& v : s.views) {
        codec.AppendByte(v.index);
        codec.AppendBool(v.enabled);
        codec.AppendInt(v.displayType);
        codec.AppendInt(v.illObs);
        codec.AppendInt(v.scale);
        codec.AppendInt(v.colourIndex);
        codec.AppendByte(v.shadeBlocks);
        codec.AppendSingle(v.cf);
        codec.AppendSingle(v.lc);
    }
    return codec.GetText();
}

std::optional<SimSetup> ParseSetupRecord(const QByteArray& text)
{
    FieldCodec codec;
    codec.SetText(text);
    if (!codec.GetCommand().isEmpty()) return std::nullopt;  // a record is field text only
    SimSetup s;
    try {
        s.name = codec.ReadString();
        s.standardType = codec.ReadInt();
        s.searchable = codec.ReadBool();
        s.readMode = codec.ReadByte();
        s.reportInterval = codec.ReadInt();
        s.baseDistance = codec.ReadSingle();
        s.baseMinusMax = codec.ReadSingle();
        s.baseMinusMin = codec.ReadSingle();
        s.heightTrigger = codec.ReadBool();
        s.slope = codec.ReadSingle();
        s.offset = codec.ReadSingle();
        readAll(codec, s.spectrum);
        readAll(codec, s.target);
        readAll(codec, s.read);
        readAll(codec, s.trackPlus);
        readAll(codec, s.trackMinus);
        readAll(codec, s.scalePlus);
        readAll(codec, s.scaleMinus);
        s.indexPlus = codec.ReadSingle();
        s.indexMinus = codec.ReadSingle();
        const int count = codec.ReadByte();
        for (int i = 0; i < count; ++i) {
            SimView v;
            v.index = codec.ReadByte();
            v.enabled = codec.ReadBool();
            v.displayType = codec.ReadInt();
            v.illObs = codec.ReadInt();
            v.scale = codec.ReadInt();
            v.colourIndex = codec.ReadInt();
            v.shadeBlocks = codec.ReadByte();
            v.cf = codec.ReadSingle();
            v.lc = codec.ReadSingle();
            s.views.push_back(v);
        }
    } catch (const AppError&) {
        return std::nullopt;
    }
    // The record must end exactly after its last field (an odd digit left over
    // counts as text left).
    if (text.size() != 2 * codec.BytePosition()) return std::nullopt;
    return s;
}
