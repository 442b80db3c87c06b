#pragma once
// Helpers of the setup tests: a record text built field by field from values
// the test states (independently of the encoder), a stand-in instrument that
// keeps 250 setup records and answers "P1", "P0" and "P2" as the instrument
// does, and a progress sink that records what it was told.

#include "FieldCodec.h"
#include "ProgressSink.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

// Field-by-field text in the instrument's format, through the codec's appends.
class FieldText {
public:
    FieldText() { codec_.BeginCommand(QByteArray()); }
    FieldText& str(const QByteArray& v) { codec_.AppendString(v); return *this; }
    FieldText& i16(int v) { codec_.AppendInt(v); return *this; }
    FieldText& flag(bool v) { codec_.AppendBool(v); return *this; }
    FieldText& byte(int v) { codec_.AppendByte(v); return *this; }
    FieldText& single(float v) { codec_.AppendSingle(v); return *this; }
    FieldText& singles(int count, float first, float step = 1.0f)
    {
        for (int i = 0; i < count; ++i) codec_.AppendSingle(first + step * static_cast<float>(i));
        return *this;
    }
    // One view entry: index, enabled, four codes, shade blocks, CF, lc.
    FieldText& view(int index, bool enabled, int display, int illObs, int scale, int colorIndex, int shade, float cf,
                    float lc)
    {
        return byte(index).flag(enabled).i16(display).i16(illObs).i16(scale).i16(colorIndex).byte(shade).single(cf).single(lc);
    }
    QByteArray text() const { return codec_.GetText(); }

private:
    FieldCodec codec_;
};

// Everything of a record up to (not including) the number of view entries,
// with the three distance floats given and every other value derived from
// the seed.
QByteArray RecordHead(int seed, float base, float minHeight, float maxHeight);
// A complete record with eight view entries, every value derived from the seed.
QByteArray SampleRecord(int seed);

// Two upper-case hex digits of a byte, four of a word.
QByteArray Hex2(int value);
QByteArray Hex4(int value);

// Keeps 250 setup records. "P1" Word s replies "P2" Byte s + record; "P0"
// Word s + record and "P2" Byte s + record store the record and reply "p"
// Word s. Anything else, or a refused setup, replies "?" and an error code.
class FakeSetupInstrument {
public:
    FakeSetupInstrument();

    QByteArray Execute(const QByteArray& command);
    std::function<QByteArray(const QByteArray&)> exchange()
    {
        return [this](const QByteArray& command) { return Execute(command); };
    }
    // The reply to "P1" for setup index s.
    QByteArray ReadReply(int index) const { return "P2" + Hex2(index) + records[index]; }

    std::vector<QByteArray> records;
    std::vector<QByteArray> commands;
    // Setup indexes whose write is refused with "?07".
    std::vector<int> refuseWriteOf;
    // Called before each command is answered (throw from it to fail).
    std::function<void(int commandCount)> beforeReply;
};

class RecordingProgress : public ProgressSink {
public:
    void SetCaption(const QString& c) override { captions << c; }
    void SetMaximum(int m) override { maximums.push_back(m); }
    void SetValue(int v) override { values.push_back(v); }
    void SetStatus(const QString& s) override { statuses << s; }
    void Yield() override
    {
        ++yields;
        if (cancelAtYield == yields) cancel = true;
    }
    void ClearCancel() override
    {
        ++clears;
        cancel = false;
    }
    bool CancelRequested() const override { return cancel; }

    QStringList captions, statuses;
    std::vector<int> maximums, values;
    int yields = 0, clears = 0;
    int cancelAtYield = -1;  // the Yield that delivers the operator's Cancel
    bool cancel = false;
};
