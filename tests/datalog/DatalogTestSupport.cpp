#include "DatalogTestSupport.h"

#include "FieldCodec.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

namespace {
void filler(FieldCodec& codec, int bytes)
{
    for (int i = 0; i < bytes; ++i) codec.AppendByte(0xA0 + (i % 16));
}
}  // namespace

QByteArray EncodeCaptureReply(const CaptureRecord& r)
{
    FieldCodec codec;
    codec.BeginCommand("s");
    codec.AppendWord(r.index);
    codec.AppendString(r.product);
    codec.AppendString(r.sample);
    codec.AppendInt(r.setup);
    codec.AppendInt(r.standardType);
    codec.AppendInt(r.viewType);
    codec.AppendInt(r.sequence);
    codec.AppendBool(r.standard);
    codec.AppendLong(r.seconds);
    codec.AppendInt(r.illuminantObserver);
    filler(codec, 2);
    codec.AppendInt(r.scale);
    codec.AppendInt(r.colorIndex);
    filler(codec, 4);
    codec.AppendBool(r.height);
    codec.AppendBool(r.millimetres);
    codec.AppendSingle(r.reading);
    for (float v : r.spectrum) codec.AppendSingle(v);
    for (float v : r.scaleData) codec.AppendSingle(v);
    filler(codec, 48);
    for (float v : r.indexData) codec.AppendSingle(v);
    filler(codec, 16);
    codec.AppendSingle(r.value55);
    codec.AppendSingle(r.value56);
    return codec.GetText();
}

QByteArray EncodeStoredLine(const StoredRecord& r)
{
    FieldCodec codec;
    codec.BeginCommand("L");
    codec.AppendWord(r.index);
    codec.AppendString(r.product);
    codec.AppendString(r.sample);
    codec.AppendInt(r.setup);
    codec.AppendInt(r.standardType);
    codec.AppendInt(r.viewType);
    codec.AppendInt(r.sequenceA);
    codec.AppendInt(r.sequenceB);
    codec.AppendBool(r.standard);
    codec.AppendLong(r.seconds);
    codec.AppendInt(r.illuminantObserver);
    filler(codec, 2);
    codec.AppendInt(r.scale);
    codec.AppendInt(r.colorIndex);
    filler(codec, 4);
    for (float v : r.spectrum) codec.AppendSingle(v);
    for (float v : r.scaleData) codec.AppendSingle(v);
    filler(codec, 48);
    for (float v : r.indexData) codec.AppendSingle(v);
    return codec.GetText();
}

QByteArray ReadWhole(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << fileName.toStdString();
        return {};
    }
    return file.readAll();
}

void WriteWhole(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QList<QByteArray> ReadCrLfLines(const QString& fileName)
{
    const QByteArray all = ReadWhole(fileName);
    QList<QByteArray> lines;
    if (all.isEmpty()) return lines;
    EXPECT_TRUE(all.endsWith("\r\n")) << "the last line has no CR LF";
    lines = all.split('\n');
    lines.removeLast();  // after the last line end
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << "a line ends without CR: " << line.toStdString();
        line.chop(1);
    }
    return lines;
}

QByteArray Joined(const QStringList& fields, const QString& delimiter)
{
    return fields.join(delimiter).toLatin1();
}

QString German(const QString& english)
{
    QString result = english;
    for (QChar& c : result) {
        if (c == u'.') c = u',';
        else if (c == u',') c = u'.';
    }
    return result;
}

QStringList ExpectedNames(int kind)
{
    switch (kind) {
    case 0: return {"PHYSICAL", "WORKING", "NUMERIC", "HITCH"};
    case 1: return {"ABSOLUTE", "DELTA", "SPECTRAL DATA", "SPECTRAL DIFF", "SPECTRAL PLOT", "DIFF PLOT", "COLOR PLOT"};
    case 2:
        return {"A/2",  "C/2",  "D50/2",  "D55/2",  "D65/2",  "D75/2",  "F2/2",  "F7/2",  "F11/2",
                "A/10", "C/10", "D50/10", "D55/10", "D65/10", "D75/10", "F2/10", "F7/10", "F11/10"};
    case 3: return {"(...)", "CIE Lab", "CIE LCh", "Hunter Lab", "XYZ", "Yxy", "dLCH"};
    case 4:
        return {"(...)",   "Y",       "YI D1925", "YI E313", "WI E313", "Tint", "Z%", "BT457", "Opacity",
                "Strength (max abs)", "Strength (weighted)", "QBVT", "SCAA"};
    default: return {};
    }
}

QStringList ExpectedDifferenceNames()
{
    return {"Gray Scale", "Gray Stain", "dE*", "dEcmc", "dE", "dC*", "dC", "Shade Number", "MI"};
}

QString ExpectedName(int kind, int code)
{
    const QStringList names = kind == 4 && code >= 21 ? ExpectedDifferenceNames() : ExpectedNames(kind);
    const int position = kind == 4 && code >= 21 ? code - 21 : code;
    return position >= 0 && position < names.size() ? names[position] : QString();
}

QString ExpectedNumber(const QLocale& locale, double value, int decimals)
{
    const QString zero = locale.toString(0.0, 'f', decimals);
    if (locale.toString(std::fabs(value), 'f', decimals) == zero) return zero;
    return locale.toString(value, 'f', decimals);
}

Exchange FakeDatalog::exchange()
{
    return [this](const QByteArray& command) -> QByteArray {
        commands.append(command);
        QByteArray reply = "?01";
        if (command.startsWith("S1") && command.size() == 6) {
            const auto found = replies.find(command.mid(2).toInt(nullptr, 16));
            if (found != replies.end()) reply = found->second;
        }
        if (afterCommand) afterCommand(static_cast<int>(commands.size()));
        return reply;
    };
}
