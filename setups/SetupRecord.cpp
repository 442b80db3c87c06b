#include "SetupRecord.h"

#include "AppError.h"
#include "InstrumentCommands.h"
#include "ReplyText.h"
#include "Rounding.h"

namespace {

// The number of view entries the encoder always writes.
constexpr int EncodedViewEntries = ProductSetup::ViewCount;

using TripleGetter = float (ProductSetup::*)(int) const;
using TripleSetter = void (ProductSetup::*)(int, float);

struct TripleField {
    TripleGetter get;
    TripleSetter set;
};

// The six triples, in record order.
constexpr TripleField Triples[] = {
    {&ProductSetup::XYZTarget, &ProductSetup::SetXYZTarget},   {&ProductSetup::XYZRead, &ProductSetup::SetXYZRead},
    {&ProductSetup::TrackPlus, &ProductSetup::SetTrackPlus},   {&ProductSetup::TrackMinus, &ProductSetup::SetTrackMinus},
    {&ProductSetup::ScalePlus, &ProductSetup::SetScalePlus},   {&ProductSetup::ScaleMinus, &ProductSetup::SetScaleMinus},
};

// base - limit as the 16-bit height the instrument keeps.
int16_t heightBelowBase(int16_t base, int16_t limit, const char* limitName)
{
    const int height = static_cast<int>(base) - static_cast<int>(limit);
    if (height < -32768 || height > 32767)
        throw AppError::overflow(QStringLiteral("the base distance %1 minus the %2 %3 does not fit in 16 bits")
                                     .arg(base)
                                     .arg(QLatin1String(limitName))
                                     .arg(limit));
    return static_cast<int16_t>(height);
}

}  // namespace

void DecodeProductSetup(ProductSetup& setup, const QByteArray& record, FieldCodec& codec)
{
    codec.SetText(record);
    setup.Name = codec.ReadString();
    setup.StandardType = codec.ReadInt();
    setup.Searchable = codec.ReadBool();
    setup.ReadMode = codec.ReadByte();
    setup.ReportInterval = codec.ReadInt();

    // The limits arrive as heights below the base; the subtraction is made in
    // double precision, where it is exact, on the already rounded base.
    setup.BaseDistance = RoundToInt16(codec.ReadSingle(), "the base distance");
    setup.MaxDistance = RoundToInt16(setup.BaseDistance - static_cast<double>(codec.ReadSingle()),
                                     "the maximum distance");
    setup.MinDistance = RoundToInt16(setup.BaseDistance - static_cast<double>(codec.ReadSingle()),
                                     "the minimum distance");

    setup.HeightTrigger = codec.ReadBool();
    setup.QBVTSlope = codec.ReadSingle();
    setup.QBVTOffset = codec.ReadSingle();
    for (int i = 1; i <= ProductSetup::SpectrumPoints; ++i) setup.SetSpectrum(i, codec.ReadSingle());
    for (const TripleField& triple : Triples)
        for (int i = 1; i <= ProductSetup::TriplePoints; ++i) (setup.*triple.set)(i, codec.ReadSingle());
    setup.IndexPlus = codec.ReadSingle();
    setup.IndexMinus = codec.ReadSingle();

    const int entries = codec.ReadByte();
    for (int entry = 0; entry < entries; ++entry) {
        const int viewNumber = codec.ReadByte() + 1;
        if (viewNumber < 1 || viewNumber > ProductSetup::ViewCount) {
            // A view this program does not know: pass over the rest of it.
            codec.Skip(ViewEntryRestBytes);
            continue;
        }
        DataView& view = setup.Views(viewNumber);
        const bool enabled = codec.ReadBool();
        view.Enabled = viewNumber == 1 ? true : enabled;
        view.DisplayType = codec.ReadInt();
        view.IllumObs = codec.ReadInt();
        view.ColorScale = codec.ReadInt();
        view.ColorIndex = codec.ReadInt();
        view.ShadeBlocks = codec.ReadByte();
        view.CF = codec.ReadSingle();
        view.lc = codec.ReadSingle();
    }
}

QByteArray EncodeProductSetup(const ProductSetup& setup, FieldCodec& codec)
{
    // Both heights are checked before the first field goes out, so that an
    // overflow leaves the caller's command as it was begun.
    const int16_t minHeight = heightBelowBase(setup.BaseDistance, setup.MaxDistance, "maximum distance");
    const int16_t maxHeight = heightBelowBase(setup.BaseDistance, setup.MinDistance, "minimum distance");

    codec.AppendString(setup.Name);
    codec.AppendInt(setup.StandardType);
    codec.AppendBool(setup.Searchable);
    codec.AppendByte(setup.ReadMode);
    codec.AppendInt(setup.ReportInterval);
    codec.AppendSingle(static_cast<float>(setup.BaseDistance));
    codec.AppendSingle(static_cast<float>(minHeight));
    codec.AppendSingle(static_cast<float>(maxHeight));
    codec.AppendBool(setup.HeightTrigger);
    codec.AppendSingle(setup.QBVTSlope);
    codec.AppendSingle(setup.QBVTOffset);
    for (int i = 1; i <= ProductSetup::SpectrumPoints; ++i) codec.AppendSingle(setup.Spectrum(i));
    for (const TripleField& triple : Triples)
        for (int i = 1; i <= ProductSetup::TriplePoints; ++i) codec.AppendSingle((setup.*triple.get)(i));
    codec.AppendSingle(setup.IndexPlus);
    codec.AppendSingle(setup.IndexMinus);

    codec.AppendByte(EncodedViewEntries);
    for (int viewNumber = 1; viewNumber <= EncodedViewEntries; ++viewNumber) {
        const DataView& view = setup.Views(viewNumber);
        codec.AppendByte(viewNumber - 1);
        codec.AppendBool(viewNumber == 1 ? true : view.Enabled);
        codec.AppendInt(view.DisplayType);
        codec.AppendInt(view.IllumObs);
        codec.AppendInt(view.ColorScale);
        codec.AppendInt(view.ColorIndex);
        codec.AppendByte(view.ShadeBlocks);
        codec.AppendSingle(view.CF);
        codec.AppendSingle(view.lc);
    }
    return codec.GetText();
}

QByteArray ReadSetupCommand(int setupNumber, FieldCodec& codec)
{
    codec.BeginCommand(Command::ReadSetup);
    codec.AppendWord(setupNumber - 1);
    return codec.GetText();
}

QByteArray WriteSetupCommand(const ProductSetup& setup, int setupNumber, FieldCodec& codec)
{
    codec.BeginCommand(Command::WriteSetup);
    codec.AppendWord(setupNumber - 1);
    return EncodeProductSetup(setup, codec);
}

QByteArray RecordOfReadReply(const QByteArray& reply) { return reply.mid(ReadReplyPrefixLength); }

void ThrowIfRefused(const QByteArray& reply, const QByteArray& command)
{
    if (!reply.startsWith(ReplyCode::Refused)) return;
    throw AppError(ErrorNumber::InstrumentRefused,
                   QStringLiteral("The instrument refused the command %1 (error %2)")
                       .arg(QString::fromLatin1(command.left(12)), QuotedText(reply.mid(1, 8))));
}
