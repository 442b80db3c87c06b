#include "DatalogFileReader.h"

#include "AppError.h"
#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "DatalogLine.h"
#include "FieldCodec.h"
#include "RegionalNumbers.h"
#include "TextFiles.h"
#include "TimestampReader.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

QString FormatName(DatalogFormat format)
{
    switch (format) {
    case DatalogFormat::Capture: return QStringLiteral("capture file");
    case DatalogFormat::Stored: return QStringLiteral("stored datalog file");
    case DatalogFormat::Converted: return QStringLiteral("converted datalog file");
    }
    return {};
}

namespace DatalogFileReader {

namespace {

// The fields of a layout: the log number, product name and identification,
// the text fields from the setup number on (setup .. index name, and for a
// capture the height/distance and unit words), then numbers to the line's
// end, every one with decimals.
struct Layout {
    int fields;      // of a whole line
    int textFields;  // setup number .. the last text field
    bool capture;
    int numbers() const { return fields - 3 - textFields; }
};

const Layout CaptureLayout{DatalogCapture::FieldsPerLine, 11, true};
const Layout ConvertedLayout{DatalogConversion::FieldsPerLine, 9, false};

// The stored records are decoded into a line of the conversion's layout,
// with a delimiter no name holds and a locale whose form the reader knows.
const QString StoredDelimiter = QStringLiteral("\x01");
QLocale storedLocale()
{
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

struct TransparentHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// One shared string for each distinct text.
class TextPool {
public:
    const QString& get(std::string_view text)
    {
        auto found = texts_.find(text);
        if (found == texts_.end())
            found = texts_.emplace(std::string(text), QString::fromLatin1(text.data(), qsizetype(text.size()))).first;
        return found->second;
    }

private:
    std::unordered_map<std::string, QString, TransparentHash, std::equal_to<>> texts_;
};

QString quoted(std::string_view text)
{
    return QLatin1Char('"') + QString::fromLatin1(text.data(), qsizetype(text.size())) + QLatin1Char('"');
}

class LineParser {
public:
    LineParser(const Layout& layout, const QByteArray& delimiter, const QLocale& locale)
        : layout_(layout), delimiter_(delimiter.toStdString()), timestamps_(locale)
    {
        values_.resize(std::size_t(layout.numbers()));
        // A delimiter that can stand inside a number.
        joinsGroups_ = delimiter_ == "," || delimiter_ == "." || delimiter_ == " " || delimiter_ == "'" ||
                       delimiter_ == "\xA0";
        // The decimal symbol as the writer puts it in 8-bit text.
        splitsAtDecimal_ = delimiter_ == EightBitOr(locale.decimalPoint(), QStringLiteral(".")).toStdString();
    }

    // Fills the record from the line; an empty text, or why the line cannot
    // be read.
    QString parse(std::string_view line, DatalogRecord& record)
    {
        split(line);
        int end = static_cast<int>(tokens_.size());
        if (const QString problem = readNumbers(end); !problem.isEmpty()) return problem;
        const int middle = end - layout_.textFields - 1;  // product name and identification
        if (middle < 2)
            return QStringLiteral("the line has %1 fields, a %2 line has %3")
                .arg(tokens_.size())
                .arg(layout_.capture ? QStringLiteral("capture") : QStringLiteral("datalog"))
                .arg(layout_.fields);

        int64_t whole = 0;
        if (!RegionalNumbers::ParseWhole(tokens_[0], whole))
            return QStringLiteral("the log number %1 is not a whole number").arg(quoted(tokens_[0]));
        record.log = static_cast<int32_t>(whole);
        if (middle == 2) {
            record.product = pool_.get(tokens_[1]);
            record.sampleId = pool_.get(tokens_[2]);
            record.ambiguous = false;
        } else {
            // Split later, when the other lines of its setup are known: for
            // now the whole text goes to the identification.
            record.product = QString();
            record.sampleId = pool_.get(joined(1, std::size_t(middle)));
            record.ambiguous = true;
        }

        std::size_t at = static_cast<std::size_t>(middle) + 1;
        const auto next = [&] { return tokens_[at++]; };
        const std::string_view setup = next();
        if (!RegionalNumbers::ParseWhole(setup, whole))
            return QStringLiteral("the setup number %1 is not a whole number").arg(quoted(setup));
        record.setup = static_cast<int32_t>(whole);
        record.standardType = pool_.get(next());
        record.viewType = pool_.get(next());
        record.sequence = pool_.get(next());
        const std::string_view type = next();
        if (type != "Std" && type != "Sam")
            return QStringLiteral("the type %1 is neither \"Std\" nor \"Sam\"").arg(quoted(type));
        record.standard = type == "Std";
        const std::string_view time = next();
        if (!timestamps_.read(time, record.time))
            return QStringLiteral("the time %1 is not a date and time of the form %2")
                .arg(quoted(time), timestamps_.expectedForm());
        record.illuminantObserver = pool_.get(next());
        record.scale = pool_.get(next());
        record.index = pool_.get(next());
        std::size_t value = 0;
        if (layout_.capture) {
            record.hasReading = true;
            record.readingKind = pool_.get(next());
            record.readingUnit = pool_.get(next());
            record.reading = static_cast<float>(values_[value++]);
        }
        for (float& point : record.spectrum) point = static_cast<float>(values_[value++]);
        for (float& v : record.scaleData) v = static_cast<float>(values_[value++]);
        for (float& v : record.indexData) v = static_cast<float>(values_[value++]);
        if (layout_.capture)
            for (float& v : record.trailing) v = static_cast<float>(values_[value++]);
        return {};
    }

private:
    void split(std::string_view line)
    {
        tokens_.clear();
        std::size_t from = 0;
        for (;;) {
            const std::size_t at = line.find(delimiter_, from);
            if (at == std::string_view::npos) {
                tokens_.push_back(line.substr(from));
                return;
            }
            tokens_.push_back(line.substr(from, at - from));
            from = at + delimiter_.size();
        }
    }

    // The numbers, counted back from the line's end; `end` becomes the first
    // token before them.
    QString readNumbers(int& end)
    {
        // A decimal symbol that is also the delimiter splits every number in
        // two: the last piece of the line is then all digits.
        const bool splitAtDecimal = splitsAtDecimal_ && RegionalNumbers::IsDigits(tokens_.back());
        for (std::size_t k = values_.size(); k-- > 0;) {
            if (end < 1) return QStringLiteral("the line has too few fields (%1)").arg(tokens_.size());
            std::string_view piece = tokens_[std::size_t(end - 1)];
            --end;
            if (splitAtDecimal) {
                if (end < 1 || !RegionalNumbers::IsDigits(piece))
                    return QStringLiteral("the numbers at the line's end do not follow its delimiter \"%1\"")
                        .arg(QString::fromLatin1(delimiter_.c_str()));
                piece = joined(std::size_t(end - 1), std::size_t(end));
                --end;
            } else if (joinsGroups_) {
                // "1" "234.567" was 1,234.567.
                std::size_t first = std::size_t(end);
                while (first > 0 && RegionalNumbers::IsLeadingGroup(tokens_[first - 1]) &&
                       RegionalNumbers::StartsWithFullGroup(tokens_[first]))
                    --first;
                if (first < std::size_t(end)) {
                    piece = joined(first, std::size_t(end));
                    end = static_cast<int>(first);
                }
            }
            if (!RegionalNumbers::ParseFixed(piece, values_[k]))
                return QStringLiteral("the value %1 (field %2) is not a number with decimals")
                    .arg(quoted(piece))
                    .arg(layout_.fields - int(values_.size() - k) + 1);
        }
        return {};
    }

    // Tokens first..last as the one text they were in the line.
    std::string_view joined(std::size_t first, std::size_t last) const
    {
        const std::string_view a = tokens_[first];
        const std::string_view b = tokens_[last];
        return {a.data(), std::size_t(b.data() + b.size() - a.data())};
    }

    const Layout& layout_;
    std::string delimiter_;
    bool joinsGroups_ = false;
    bool splitsAtDecimal_ = false;  // the delimiter is the decimal symbol of the numbers
    TimestampReader timestamps_;
    TextPool pool_;
    std::vector<std::string_view> tokens_;
    std::vector<double> values_;
};

bool isHexText(const QByteArray& text)
{
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

// Splits the lines with more fields than their layout into product name and
// identification (the rule of DatalogFileReader.h). Such a record arrives
// with its whole text in sampleId.
void splitNames(DatalogDocument& document)
{
    const auto isAmbiguous = [](const DatalogRecord& record) { return record.ambiguous; };
    if (std::none_of(document.records.begin(), document.records.end(), isAmbiguous)) return;
    const QString& delimiter = document.delimiter;
    std::map<int32_t, std::set<QString>> clean;  // names read from lines of the exact layout
    std::map<int32_t, std::vector<DatalogRecord*>> unresolved;
    for (DatalogRecord& record : document.records)
        if (!record.ambiguous) clean[record.setup].insert(record.product);
    for (DatalogRecord& record : document.records) {
        if (!record.ambiguous) continue;
        const QString whole = record.sampleId;
        bool placed = false;
        if (const auto known = clean.find(record.setup); known != clean.end()) {
            for (const QString& name : known->second) {
                if (whole.startsWith(name + delimiter)) {
                    record.product = name;
                    record.sampleId = whole.mid(name.size() + delimiter.size());
                    record.ambiguous = false;
                    placed = true;
                    break;
                }
            }
        }
        if (!placed) unresolved[record.setup].push_back(&record);
    }
    for (auto& [setup, records] : unresolved) {
        std::vector<QStringList> fields;
        qsizetype common = std::numeric_limits<qsizetype>::max();
        for (const DatalogRecord* record : records) {
            fields.push_back(record->sampleId.split(delimiter));
            common = std::min(common, fields.back().size() - 1);  // at least one field for the identification
        }
        // The longest run of leading fields that all of them share.
        qsizetype shared = 0;
        while (shared < common) {
            const QString& field = fields.front()[shared];
            if (!std::all_of(fields.begin(), fields.end(), [&](const QStringList& f) { return f[shared] == field; }))
                break;
            ++shared;
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            const qsizetype nameFields = shared > 0 ? shared : fields[i].size() - 1;
            records[i]->product = fields[i].mid(0, nameFields).join(delimiter);
            records[i]->sampleId = fields[i].mid(nameFields).join(delimiter);
            ++document.ambiguousCount;
        }
    }
}

}  // namespace

DatalogFormat DetectFormat(const QByteArray& firstLine, const QByteArray& delimiter)
{
    if (firstLine.startsWith("log" + delimiter + "product" + delimiter)) return DatalogFormat::Converted;
    if (firstLine.startsWith('#')) return DatalogFormat::Stored;
    if (firstLine.size() > 1 && firstLine[0] == 'L' && isHexText(firstLine.mid(1))) return DatalogFormat::Stored;
    return DatalogFormat::Capture;
}

DatalogDocument Read(const QString& fileName, const QString& delimiter, const QLocale& locale)
{
    DatalogDocument document;
    document.fileName = fileName;
    document.delimiter = delimiter.isEmpty() ? QStringLiteral("\t") : delimiter;
    const QByteArray delimiterBytes = ToEightBit(document.delimiter);

    {
        // A stored file may come from any system, its lines ended by CR alone
        // too (as the conversion reads it): its first line is found that way.
        TextFileReader first(fileName, LineEnds::CrLfOrEither);
        if (first.atEnd()) return document;
        document.format = DetectFormat(first.readLine(), delimiterBytes);
    }
    const Layout& layout = document.format == DatalogFormat::Capture ? CaptureLayout : ConvertedLayout;
    const bool stored = document.format == DatalogFormat::Stored;
    TextFileReader file(fileName, stored ? LineEnds::CrLfOrEither : LineEnds::CrLfOrLf);
    if (document.format == DatalogFormat::Converted) file.readLine();  // the header holds no record
    LineParser parser(layout, stored ? ToEightBit(StoredDelimiter) : delimiterBytes,
                      stored ? storedLocale() : locale);
    FieldCodec codec;
    std::unique_ptr<DatalogLine> storedLine;
    if (stored) storedLine = std::make_unique<DatalogLine>(StoredDelimiter, storedLocale());

    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const int64_t number = file.lineNumber();
        if (line.isEmpty()) {
            document.unreadable.push_back({number, QStringLiteral("the line is empty")});
            continue;
        }
        std::string_view text(line.constData(), std::size_t(line.size()));
        if (stored) {
            try {
                if (!DatalogConversion::DecodeLine(line, codec, *storedLine)) continue;
            } catch (const AppError& error) {
                document.unreadable.push_back({number, error.description()});
                continue;
            }
            const QByteArray decoded = storedLine->text();
            text = std::string_view(decoded.constData(), std::size_t(decoded.size()));
        }
        DatalogRecord record;
        record.lineNumber = number;
        const QString problem = parser.parse(text, record);
        if (!problem.isEmpty()) {
            document.unreadable.push_back({number, problem});
            continue;
        }
        document.records.push_back(std::move(record));
    }
    splitNames(document);
    return document;
}

}  // namespace DatalogFileReader
