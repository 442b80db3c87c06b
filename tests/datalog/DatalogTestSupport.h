#pragma once
// Records of the instrument's datalog encoded here, field by field, the way
// the instrument sends them ("s" reply to "S1") and stores them (the "L"
// lines of a stored datalog file), and the small fakes the datalog tests
// share.

#include "Exchange.h"
#include "ProgressSink.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

// One record as the "S1" reply carries it.
struct CaptureRecord {
    int index = 0;  // from 0
    QByteArray product;
    QByteArray sample;
    int16_t setup = 0;  // from 0
    int16_t standardType = 0;
    int16_t viewType = 0;
    int16_t sequence = 0;
    bool standard = false;
    int32_t seconds = 0;
    int16_t illuminantObserver = 0;
    int16_t scale = 0;
    int16_t colorIndex = 0;
    bool height = false;
    bool millimetres = false;
    float reading = 0;
    std::array<float, 31> spectrum{};
    std::array<float, 6> scaleData{};
    std::array<float, 2> indexData{};
    float value55 = 0;
    float value56 = 0;
};

// One record as a stored datalog file holds it.
struct StoredRecord {
    int index = 0;
    QByteArray product;
    QByteArray sample;
    int16_t setup = 0;
    int16_t standardType = 0;
    int16_t viewType = 0;
    int16_t sequenceA = 0;
    int16_t sequenceB = 0;
    bool standard = false;
    int32_t seconds = 0;
    int16_t illuminantObserver = 0;
    int16_t scale = 0;
    int16_t colorIndex = 0;
    std::array<float, 31> spectrum{};
    std::array<float, 6> scaleData{};
    std::array<float, 2> indexData{};
};

// "s" and the fields; the skipped stretches hold non-zero filler so that a
// reader that does not skip them reads garbage.
QByteArray EncodeCaptureReply(const CaptureRecord& record);
// "L" and the fields.
QByteArray EncodeStoredLine(const StoredRecord& record);

// The lines of a file: every line must end with CR LF (a failure otherwise).
QList<QByteArray> ReadCrLfLines(const QString& fileName);
QByteArray ReadWhole(const QString& fileName);
void WriteWhole(const QString& fileName, const QByteArray& bytes);

// The expected line: the fields joined by the delimiter, as 8-bit text.
QByteArray Joined(const QStringList& fields, const QString& delimiter);
// The German form of an English number: '.' and ',' swapped.
QString German(const QString& english);

// The datalog vocabulary written out for the tests, kind by kind (codes
// from 0; kind 4 from 21 on in its second list).
QStringList ExpectedNames(int kind);
QStringList ExpectedDifferenceNames();
// The name a datalog file shows for a code, from the lists above.
QString ExpectedName(int kind, int code);
// QLocale's fixed-decimals text, without a sign on a value written as zero.
QString ExpectedNumber(const QLocale& locale, double value, int decimals);

// An instrument that answers "S1" from a table of replies, counting commands.
struct FakeDatalog {
    std::map<int, QByteArray> replies;  // by record index
    QList<QByteArray> commands;
    // Called after each command, with the number of commands so far.
    std::function<void(int)> afterCommand;
    Exchange exchange();
};

// A progress sink that records everything and cancels when told.
class RecordingProgress : public ProgressSink {
public:
    void SetCaption(const QString& caption) override { captions.append(caption); }
    void SetMaximum(int maximum) override { maxima.append(maximum); }
    void SetValue(int value) override { values.append(value); }
    void SetStatus(const QString& status) override { statuses.append(status); }
    void Yield() override
    {
        ++yields;
        if (cancelAfterYields > 0 && yields >= cancelAfterYields) cancel = true;
    }
    void ClearCancel() override
    {
        ++clears;
        cancel = false;
    }
    bool CancelRequested() const override { return cancel; }

    QStringList captions, statuses;
    QList<int> maxima, values;
    int yields = 0;
    int clears = 0;
    bool cancel = false;
    int cancelAfterYields = 0;  // 0: never
};
