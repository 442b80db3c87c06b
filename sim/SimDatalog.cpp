#include "SimDatalog.h"

#include "AppError.h"
#include "FieldCodec.h"

#include <QJsonArray>

namespace {

template <size_t N>
void appendAll(FieldCodec& codec, const std::array<float, N>& values)
{
    for (float v : values) codec.AppendSingle(v);
}

// The head shared by the reply and the stored line, up to the sequence.
void appendHead(FieldCodec& codec, const SimDatalogRecord& r, int logIndex)
{
    codec.AppendWord(logIndex);
    codec.AppendString(r.product);
    codec.AppendString(r.sampleId);
    codec.AppendInt(r.setup);
    codec.AppendInt(r.standardType);
    codec.AppendInt(r.viewType);
}

// From the standard flag to the second skipped stretch.
void appendMiddle(FieldCodec& codec, const SimDatalogRecord& r)
{
    codec.AppendBool(r.standard);
    codec.AppendLong(r.time);
    codec.AppendInt(r.illObs);
    codec.AppendInt(r.view);
    codec.AppendInt(r.scale);
    codec.AppendInt(r.index);
    codec.AppendInt(r.flags);
    codec.AppendInt(r.readMode);
}

}  // namespace

QByteArray EncodeDatalogReplyFields(const SimDatalogRecord& r, int logIndex)
{
    FieldCodec codec;
    codec.BeginCommand({});
    appendHead(codec, r, logIndex);
    codec.AppendInt(r.sequence);
    appendMiddle(codec, r);
    codec.AppendBool(r.height);
    codec.AppendBool(r.millimetres);
    codec.AppendSingle(r.reading);
    appendAll(codec, r.spectrum);
    appendAll(codec, r.scaleData);
    appendAll(codec, r.tristimulus);
    appendAll(codec, r.indexData);
    appendAll(codec, r.indexTolerances);
    codec.AppendSingle(r.colourDifference);
    codec.AppendSingle(r.temperature);
    return codec.GetText();
}

QByteArray EncodeStoredDatalogLine(const SimDatalogRecord& r, int logIndex)
{
    FieldCodec codec;
    codec.BeginCommand("L");
    appendHead(codec, r, logIndex);
    codec.AppendInt(r.run);
    codec.AppendInt(r.sequence);
    appendMiddle(codec, r);
    appendAll(codec, r.spectrum);
    appendAll(codec, r.scaleData);
    appendAll(codec, r.tristimulus);
    appendAll(codec, r.indexData);
    return codec.GetText();
}

// JSON ---------------------------------------------------------------------

namespace {

template <size_t N>
QJsonArray toArray(const std::array<float, N>& values)
{
    QJsonArray array;
    for (float v : values) array.append(static_cast<double>(v));
    return array;
}

[[noreturn]] void bad(const QString& what)
{
    throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("Datalog record in the state file: %1").arg(what));
}

int integer(const QJsonObject& o, const char* key, int low, int high)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) bad(QStringLiteral("\"%1\" is missing or not a number").arg(QLatin1String(key)));
    const double d = v.toDouble();
    if (d != static_cast<double>(static_cast<int64_t>(d)) || d < low || d > high)
        bad(QStringLiteral("\"%1\" is %2, not a whole number from %3 to %4").arg(QLatin1String(key)).arg(d).arg(low).arg(high));
    return static_cast<int>(d);
}

bool flag(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isBool()) bad(QStringLiteral("\"%1\" is missing or not true/false").arg(QLatin1String(key)));
    return v.toBool();
}

float number(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isDouble()) bad(QStringLiteral("\"%1\" is missing or not a number").arg(QLatin1String(key)));
    return static_cast<float>(v.toDouble());
}

QByteArray text(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isString()) bad(QStringLiteral("\"%1\" is missing or not a text").arg(QLatin1String(key)));
    const QString s = v.toString();
    for (QChar c : s)
        if (c.unicode() > 255 || c == u'\r' || c == u'\n')
            bad(QStringLiteral("\"%1\" holds a character the instrument cannot store").arg(QLatin1String(key)));
    if (s.size() > 255) bad(QStringLiteral("\"%1\" is longer than 255 characters").arg(QLatin1String(key)));
    return s.toLatin1();
}

template <size_t N>
void numbers(const QJsonObject& o, const char* key, std::array<float, N>& values)
{
    const QJsonArray a = o.value(QLatin1String(key)).toArray();
    if (a.size() != static_cast<qsizetype>(N)) bad(QStringLiteral("\"%1\" must hold %2 numbers").arg(QLatin1String(key)).arg(N));
    for (size_t i = 0; i < N; ++i) {
        if (!a[static_cast<qsizetype>(i)].isDouble()) bad(QStringLiteral("\"%1\" holds a value that is not a number").arg(QLatin1String(key)));
        values[i] = static_cast<float>(a[static_cast<qsizetype>(i)].toDouble());
    }
}

constexpr int kIntLow = -32768;
constexpr int kIntHigh = 32767;

}  // namespace

QJsonObject DatalogRecordToJson(const SimDatalogRecord& r)
{
    QJsonObject o;
    o[QStringLiteral("product")] = QString::fromLatin1(r.product);
    o[QStringLiteral("sampleId")] = QString::fromLatin1(r.sampleId);
    o[QStringLiteral("setup")] = r.setup;
    o[QStringLiteral("standardType")] = r.standardType;
    o[QStringLiteral("viewType")] = r.viewType;
    o[QStringLiteral("run")] = r.run;
    o[QStringLiteral("sequence")] = r.sequence;
    o[QStringLiteral("standard")] = r.standard;
    o[QStringLiteral("time")] = static_cast<qint64>(r.time);
    o[QStringLiteral("illObs")] = r.illObs;
    o[QStringLiteral("view")] = r.view;
    o[QStringLiteral("scale")] = r.scale;
    o[QStringLiteral("index")] = r.index;
    o[QStringLiteral("flags")] = r.flags;
    o[QStringLiteral("readMode")] = r.readMode;
    o[QStringLiteral("height")] = r.height;
    o[QStringLiteral("millimetres")] = r.millimetres;
    o[QStringLiteral("reading")] = static_cast<double>(r.reading);
    o[QStringLiteral("spectrum")] = toArray(r.spectrum);
    o[QStringLiteral("scaleData")] = toArray(r.scaleData);
    o[QStringLiteral("tristimulus")] = toArray(r.tristimulus);
    o[QStringLiteral("indexData")] = toArray(r.indexData);
    o[QStringLiteral("indexTolerances")] = toArray(r.indexTolerances);
    o[QStringLiteral("colourDifference")] = static_cast<double>(r.colourDifference);
    o[QStringLiteral("temperature")] = static_cast<double>(r.temperature);
    return o;
}

SimDatalogRecord DatalogRecordFromJson(const QJsonObject& o)
{
    SimDatalogRecord r;
    r.product = text(o, "product");
    r.sampleId = text(o, "sampleId");
    r.setup = integer(o, "setup", kIntLow, kIntHigh);
    r.standardType = integer(o, "standardType", kIntLow, kIntHigh);
    r.viewType = integer(o, "viewType", kIntLow, kIntHigh);
    r.run = integer(o, "run", kIntLow, kIntHigh);
    r.sequence = integer(o, "sequence", kIntLow, kIntHigh);
    r.standard = flag(o, "standard");
    r.time = integer(o, "time", INT32_MIN, INT32_MAX);
    r.illObs = integer(o, "illObs", kIntLow, kIntHigh);
    r.view = integer(o, "view", kIntLow, kIntHigh);
    r.scale = integer(o, "scale", kIntLow, kIntHigh);
    r.index = integer(o, "index", kIntLow, kIntHigh);
    r.flags = integer(o, "flags", kIntLow, kIntHigh);
    r.readMode = integer(o, "readMode", kIntLow, kIntHigh);
    r.height = flag(o, "height");
    r.millimetres = flag(o, "millimetres");
    r.reading = number(o, "reading");
    numbers(o, "spectrum", r.spectrum);
    numbers(o, "scaleData", r.scaleData);
    numbers(o, "tristimulus", r.tristimulus);
    numbers(o, "indexData", r.indexData);
    numbers(o, "indexTolerances", r.indexTolerances);
    r.colourDifference = number(o, "colourDifference");
    r.temperature = number(o, "temperature");
    return r;
}
