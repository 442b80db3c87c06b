#pragma once
// What differs between two sets of product setups: the instrument and an
// archive, two archives, or the lines a restore sent and what the instrument
// holds afterwards. Both sides are setup lines as the archive keeps them
// ("P2", the setup index, the setup record); each is decoded with the setup
// record decoder and the setups are compared field by field, every field the
// record carries, named as the setup editors name it ("Name", "Standard",
// "View 2: Color Scale", "Run Configuration: Min Distance"...) and valued as
// they show it: list codes as the entries of their lists, numbers in the
// regional format with up to four decimals (and exactly, with a point, where
// four decimals would show two different values alike). The standard values
// are compared as stored, tristimulus X, Y, Z of the target and of the
// instrument's reading: their display in a scale depends on the first view,
// which may itself differ.
//
// A line that does not decode (a refusal archived as the reply, a damaged or
// cut record, a line for another setup) is reported as such for its setup;
// two such lines that are byte for byte alike are not a difference. A setup
// that one side holds and the other does not (an archive cancelled part-way)
// is reported as missing there.

#include "Exchange.h"
#include "FieldCodec.h"
#include "ProgressSink.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace SetupComparison {

inline constexpr const char* ReadCaption = "Reading Product Setups...";
inline constexpr const char* VerifyCaption = "Reading Back Product Setups...";

// One side: the line of each setup 1..250 that it holds.
struct SetupLines {
    QString Name;  // how the side is named to the operator: "instrument", the file name
    std::array<std::optional<QByteArray>, 250> Lines;
    const std::optional<QByteArray>& Line(int setupNumber) const { return Lines.at(size_t(setupNumber - 1)); }
    std::optional<QByteArray>& Line(int setupNumber) { return Lines.at(size_t(setupNumber - 1)); }
};

struct Difference {
    int SetupNumber = 0;  // 1..250
    QString Field;
    QString FirstValue;   // of the first side (the instrument, FILE1)
    QString SecondValue;  // of the second side (the file, FILE2, the line sent)
};

struct Comparison {
    QString FirstName, SecondName;
    std::vector<Difference> Differences;
    bool Identical() const { return Differences.empty(); }
    int SetupsDiffering() const;
};

// An archive file as a side: line k + 1 holds setup k (blank lines at the
// end left out). Not an archive, with the reason: an empty file, a first
// line that is not exactly the archive header, more than 250 setup lines.
// Raises the file's AppError when it cannot be read. The side is named by
// the file name as given.
struct ArchiveFile {
    bool IsArchive = false;
    QString Reason;  // why it is not: "its first line is not ..."
    SetupLines Lines;
};
ArchiveFile ReadArchiveFile(const QString& fileName);

// The instrument's 250 setups, read with the archive's reading loop (caption
// ReadCaption, Cancel heard before each setup). Nothing when cancelled.
std::optional<SetupLines> ReadInstrument(const Exchange& exchange, ProgressSink& progress,
                                         FieldCodec& codec = TheFieldCodec());

// Every difference, setup by setup from 1 to 250, fields in the editors'
// order.
Comparison Compare(const SetupLines& first, const SetupLines& second, const QLocale& locale = QLocale());

// Reads back each setup that a restore wrote (restoredNumbers[i] was written
// with restoredLines[i]; a setup written twice is compared with its last
// line) and compares the instrument's setups, as first side, with the lines
// sent, the second side, named sentName. Caption VerifyCaption; nothing when
// cancelled.
std::optional<Comparison> VerifyRestore(const Exchange& exchange, const std::vector<int>& restoredNumbers,
                                        const std::vector<QByteArray>& restoredLines, const QString& sentName,
                                        ProgressSink& progress, const QLocale& locale = QLocale(),
                                        FieldCodec& codec = TheFieldCodec());

// The comparison as text, one line a difference:
//   setup 12: View 2: Color Scale: "L*a*b*" (instrument), "L a b" (setups.txt)
// and a last line that sums it up ("3 differences in 2 setups", or "No
// differences: the setups are identical").
QString ComparisonText(const Comparison& comparison);
QString SummaryText(const Comparison& comparison);

}  // namespace SetupComparison
