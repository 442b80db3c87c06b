#include "SimInstrument.h"

#include "AppError.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "SampleGenerator.h"

#include <QFile>
#include <cmath>

namespace {

constexpr int kProtocolVersion = 1;
constexpr int kClearDatalogFlag = 0x01;
constexpr int32_t kClockUnchanged = -1;  // FFFFFFFF

// The arguments after a command's prefix: plain fields, no code of their own.
class Arguments {
public:
    explicit Arguments(const QByteArray& text) : text_(text) { codec_.SetText(text); }

    bool wellFormed() const { return codec_.GetCommand().isEmpty(); }
    int word() { return codec_.ReadWord(); }
    int byte() { return codec_.ReadByte(); }
    int32_t longValue() { return codec_.ReadLong(); }
    int charactersRead() const { return 2 * codec_.BytePosition(); }
    bool atEnd() const { return charactersRead() == text_.size(); }

private:
    QByteArray text_;
    FieldCodec codec_;
};

QByteArray hexOf(const QByteArray& bytes) { return bytes.toHex().toUpper(); }

const char* const kDisplayTypes[] = {"ABSOLUTE", "DIFFERENCE", "SPECTRAL DATA", "SPECTRAL DIFF",
                                     "SPECTRAL PLOT", "DIFF PLOT", "COLOR PLOT"};
const char* const kIllObs[] = {"A/2",  "C/2",  "D50/2",  "D55/2",  "D65/2",  "D75/2",  "F2/2",  "F7/2",  "F11/2",
                               "A/10", "C/10", "D50/10", "D55/10", "D65/10", "D75/10", "F2/10", "F7/10", "F11/10"};
const char* const kScales[] = {"NO SCALE", "L*A*B*", "L*C*H", "HUNTER LAB", "XYZ", "YXY", "DLDCDH"};
const char* const kScaleTerms[][3] = {{"", "", ""},     {"L*", "A*", "B*"}, {"L*", "C*", "H"}, {"L", "A", "B"},
                                      {"X", "Y", "Z"},  {"Y", "X", "Y"},    {"L*", "C*", "H"}};
const char* const kIndices[] = {"", "Y", "YI D1925", "YI E313", "WI E313", "TINT", "Z%", "BT457", "OPACITY",
                                "STRENGTH", "STRENGTH W", "QBVT", "SCAA"};
const char* const kDifferences[] = {"GRAY SCALE", "GRAY STAIN", "DE*", "DECMC", "DE", "DC*", "DC", "SHADE NO", "MI"};

template <size_t N>
QByteArray nameOf(const char* const (&table)[N], int code)
{
    if (code >= 0 && code < static_cast<int>(N)) return table[code];
    return "CODE " + QByteArray::number(code);
}

QByteArray indexName(int code)
{
    if (code >= 0 && code <= 12) return kIndices[code];
    if (code >= 21 && code <= 29) return kDifferences[code - 21];
    return "CODE " + QByteArray::number(code);
}

QByteArray padded(QByteArray text, int width)
{
    while (text.size() < width) text.prepend(' ');
    return text;
}

}  // namespace

SimInstrument::SimInstrument(SimOptions options) : options_(std::move(options))
{
    options_.Validate();
    started_ = localNow();
    faultCounts_.assign(options_.faults.size(), 0);
    faultFired_.assign(options_.faults.size(), false);

    if (!options_.stateFile.isEmpty() && QFile::exists(options_.stateFile)) {
        state_ = LoadSimState(options_.stateFile);
        return;
    }
    GenerationParameters p;
    p.seed = options_.seed;
    p.datalogSize = options_.datalogSize;
    p.inches = options_.inches;
    p.runConfigVariant = options_.runConfigVariant;
    p.now = static_cast<int32_t>(localSeconds());
    SimContent content = GenerateContent(p);
    for (int i = 0; i < SetupCount; ++i) state_.setups[static_cast<size_t>(i)] = EncodeSetupRecord(content.setups[static_cast<size_t>(i)]);
    state_.datalog = std::move(content.datalog);
    state_.standardizedAt = content.standardizedAt;
    state_.setupInUse = content.setupInUse;
    state_.lampHours = content.lampHours;
    state_.totalMeasurements = content.totalMeasurements;
    state_.measurementsSinceStandardization = content.measurementsSinceStandardization;
    state_.lastRun = content.lastRun;
    state_.lastSequence = content.lastSequence;
    changed();
}

// Time -----------------------------------------------------------------------

QDateTime SimInstrument::localNow() const
{
    return options_.localClock ? options_.localClock() : QDateTime::currentDateTime();
}

int64_t SimInstrument::localSeconds() const
{
    // The wall-clock reading taken as if it were UTC: seconds since 1970 of
    // the local date and time, with no zone or daylight-saving shift.
    const QDateTime now = localNow();
    return QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch();
}

int32_t SimInstrument::Clock() const
{
    // A 32-bit clock, as the instrument's: it wraps rather than stops.
    return static_cast<int32_t>(static_cast<uint32_t>(localSeconds() + state_.clockOffsetSeconds));
}

int32_t SimInstrument::UptimeSeconds() const
{
    return static_cast<int32_t>(std::max<int64_t>(0, started_.secsTo(localNow())));
}

int SimInstrument::temperatureTenths() const
{
    // The head warms from 31.4 to 34.2 degrees C over its first hour or so.
    return static_cast<int>(std::lround(342.0 - 28.0 * std::exp(-UptimeSeconds() / 1200.0)));
}

// Link -----------------------------------------------------------------------

bool SimInstrument::AnswersTo(int32_t deviceCode)
{
    codesTried_.append(deviceCode);
    return options_.usbIdentity != SimUsbIdentity::None && deviceCode == DeviceCodeOf(options_.usbIdentity);
}

void SimInstrument::ClearLogs()
{
    received_.clear();
    codesTried_.clear();
}

std::optional<QByteArray> SimInstrument::Handle(const QByteArray& command)
{
    received_.append(command);
    if (linkLost_) return std::nullopt;

    // Every fault whose prefix matches counts the command; the first that
    // reaches its occurrence decides what happens to it.
    std::optional<SimFault::Kind> fault;
    for (size_t i = 0; i < options_.faults.size(); ++i) {
        const SimFault& f = options_.faults[i];
        if (!command.startsWith(f.commandPrefix)) continue;
        if (++faultCounts_[i] == f.occurrence && !faultFired_[i]) {
            faultFired_[i] = true;
            if (!fault) fault = f.kind;
        }
    }
    if (fault == SimFault::Kind::LinkLost) {
        linkLost_ = true;
        return std::nullopt;
    }
    if (fault == SimFault::Kind::Refused) return QByteArray(1, ReplyCode::Refused) + hexOf(QByteArray(1, char(Busy)));
    if (fault == SimFault::Kind::Rejected) return QByteArray(1, ReplyCode::Refused) + hexOf(QByteArray(1, char(OutOfRange)));

    alterSetupWrite_ = fault == SimFault::Kind::Altered;
    QByteArray reply = execute(command);
    alterSetupWrite_ = false;
    if (fault == SimFault::Kind::NoReply) return std::nullopt;
    if (fault == SimFault::Kind::Garbled) {
        // Cut after half the field digits (whole bytes) and a noise character.
        const int code = CommandCodeLength(reply);
        const qsizetype keep = ((reply.size() - code) / 2) & ~qsizetype{1};
        reply = reply.left(code + keep) + 'G';
    }
    return reply;
}

QByteArray SimInstrument::execute(const QByteArray& command)
{
    // Longest prefixes are tried first where one prefix begins another ("+1"
    // before "+").
    try {
        const auto literal = [&](const char* prefix) { return command == prefix; };
        const auto startsWith = [&](const char* prefix) { return command.startsWith(prefix); };
        const auto withoutArguments = [&](const char* prefix) {
            if (!literal(prefix)) throw Refusal{MalformedArguments};
        };

        if (startsWith(Command::QueryUnits)) {
            withoutArguments(Command::QueryUnits);
            FieldCodec codec;
            codec.BeginCommand(QByteArray(1, ReplyCode::Query));
            codec.AppendWord(options_.inches ? 1 : 0);
            return codec.GetText();
        }
        if (startsWith(Command::QueryRunConfigVariant)) {
            withoutArguments(Command::QueryRunConfigVariant);
            FieldCodec codec;
            codec.BeginCommand(QByteArray(1, ReplyCode::Query));
            codec.AppendWord(options_.runConfigVariant);
            return codec.GetText();
        }
        if (startsWith(Command::Status)) {
            withoutArguments(Command::Status);
            return status();
        }
        if (startsWith(Command::ReadDisplay)) {
            withoutArguments(Command::ReadDisplay);
            return display();
        }
        if (startsWith(Command::SetClock)) return setClock(command.mid(qstrlen(Command::SetClock)));
        if (startsWith(Command::RemoteOn)) {
            withoutArguments(Command::RemoteOn);
            remote_ = true;
            return QByteArray(1, ReplyCode::Remote);
        }
        if (startsWith(Command::DatalogRecord)) return datalogRecord(command.mid(qstrlen(Command::DatalogRecord)));
        if (startsWith(Command::ReadSetup)) return readSetup(command.mid(qstrlen(Command::ReadSetup)));
        if (startsWith(Command::WriteSetup)) return writeSetup(command.mid(qstrlen(Command::WriteSetup)), 2);
        if (startsWith(Command::WriteSetupAsRead)) return writeSetup(command.mid(qstrlen(Command::WriteSetupAsRead)), 1);
        if (startsWith(Command::Reset)) {
            withoutArguments(Command::Reset);
            remote_ = false;
            return QByteArray(1, ReplyCode::Reset);
        }
        if (startsWith(Command::RemoteOff)) {
            withoutArguments(Command::RemoteOff);
            remote_ = false;
            return QByteArray(1, ReplyCode::Remote);
        }
        if (startsWith(Command::Identify)) {
            withoutArguments(Command::Identify);
            return IdentificationReply();
        }
        throw Refusal{UnknownCommand};
    } catch (const Refusal& refusal) {
        return QByteArray(1, ReplyCode::Refused) + hexOf(QByteArray(1, static_cast<char>(refusal.code)));
    } catch (const AppError& e) {
        // An argument field that cannot be read is malformed; a Word above
        // 32767 is beyond every index the instrument has. Anything else (the
        // state file could not be written) is not the client's doing.
        if (e.number() == ErrorNumber::MalformedText)
            return QByteArray(1, ReplyCode::Refused) + hexOf(QByteArray(1, char(MalformedArguments)));
        if (e.number() == ErrorNumber::Overflow)
            return QByteArray(1, ReplyCode::Refused) + hexOf(QByteArray(1, char(OutOfRange)));
        throw;
    }
}

// Commands -------------------------------------------------------------------

QByteArray SimInstrument::IdentificationReply() const
{
    FieldCodec codec;
    codec.BeginCommand(QByteArray(1, ReplyCode::Identify));
    codec.AppendByte(kProtocolVersion);
    codec.AppendLong(UptimeSeconds());
    codec.AppendString(options_.model);
    codec.AppendString(options_.firmware);
    codec.AppendString(options_.serialNumber);
    return codec.GetText();
}

QByteArray SimInstrument::status() const
{
    FieldCodec codec;
    codec.BeginCommand(QByteArray(1, ReplyCode::Status));
    codec.AppendLong(state_.standardizedAt);
    codec.AppendLong(state_.lampHours + UptimeSeconds() / 3600);
    codec.AppendInt(temperatureTenths());
    codec.AppendWord(std::min(state_.measurementsSinceStandardization, 65535));
    codec.AppendLong(Clock());
    codec.AppendByte(options_.inches ? 1 : 0);
    codec.AppendByte(options_.runConfigVariant);
    codec.AppendWord(state_.setupInUse);
    codec.AppendLong(state_.totalMeasurements);
    codec.AppendWord(DatalogCapacity);
    codec.AppendWord(DatalogCount());
    return codec.GetText();
}

QByteArray SimInstrument::setClock(const QByteArray& text)
{
    Arguments args(text);
    if (!args.wellFormed()) throw Refusal{MalformedArguments};
    const int32_t seconds = args.longValue();
    int flags = 0;
    if (!args.atEnd()) flags = args.byte();
    if (!args.atEnd()) throw Refusal{MalformedArguments};
    if (flags & ~kClearDatalogFlag) throw Refusal{OutOfRange};  // reserved bits

    bool anything = false;
    if (seconds != kClockUnchanged) {
        state_.clockOffsetSeconds = static_cast<int64_t>(seconds) - localSeconds();
        anything = true;
    }
    if (flags & kClearDatalogFlag) {
        state_.datalog.clear();
        datalogChanged();
        anything = true;
    }
    if (anything) changed();
    return QByteArray(1, ReplyCode::Clock);
}

QByteArray SimInstrument::datalogRecord(const QByteArray& text) const
{
    Arguments args(text);
    if (!args.wellFormed()) throw Refusal{MalformedArguments};
    const int index = args.word();
    if (!args.atEnd()) throw Refusal{MalformedArguments};
    if (index >= DatalogCount()) throw Refusal{OutOfRange};
    return QByteArray(1, ReplyCode::DatalogRecord) + EncodeDatalogReplyFields(state_.datalog[static_cast<size_t>(index)], index);
}

QByteArray SimInstrument::readSetup(const QByteArray& text) const
{
    Arguments args(text);
    if (!args.wellFormed()) throw Refusal{MalformedArguments};
    const int index = args.word();
    if (!args.atEnd()) throw Refusal{MalformedArguments};
    if (index >= SetupCount) throw Refusal{OutOfRange};
    // The reply is the write command that restores this setup: "P2", the
    // index as a Byte, then the record as stored.
    return QByteArray(Command::WriteSetupAsRead) + hexOf(QByteArray(1, static_cast<char>(index))) +
           state_.setups[static_cast<size_t>(index)];
}

QByteArray SimInstrument::writeSetup(const QByteArray& text, int indexBytes)
{
    Arguments args(text);
    if (!args.wellFormed()) throw Refusal{MalformedArguments};
    const int index = indexBytes == 2 ? args.word() : args.byte();
    const QByteArray record = text.mid(args.charactersRead());
    // The whole record is checked before anything is stored.
    std::optional<SimSetup> parsed = ParseSetupRecord(record);
    if (!parsed) throw Refusal{MalformedArguments};
    if (index >= SetupCount) throw Refusal{OutOfRange};
    if (alterSetupWrite_) {
        parsed->reportInterval = parsed->reportInterval < 32767 ? parsed->reportInterval + 1 : 0;
        state_.setups[static_cast<size_t>(index)] = EncodeSetupRecord(*parsed);
    } else {
        state_.setups[static_cast<size_t>(index)] = record;
    }
    changed();
    FieldCodec codec;
    codec.BeginCommand(QByteArray(1, ReplyCode::SetupWritten));
    codec.AppendWord(index);
    return codec.GetText();
}

QByteArray SimInstrument::display() const
{
    return QByteArray(1, ReplyCode::Display) + hexOf(DisplayPixels());
}

// State ----------------------------------------------------------------------

const QByteArray& SimInstrument::SetupRecord(int index) const
{
    if (index < 0 || index >= SetupCount) throw AppError::subscript(QStringLiteral("The instrument's setups"), index);
    return state_.setups[static_cast<size_t>(index)];
}

SimSetup SimInstrument::Setup(int index) const
{
    // Stored records were checked when written or loaded.
    return ParseSetupRecord(SetupRecord(index)).value_or(BlankSetup());
}

void SimInstrument::datalogChanged() { datalogJson_.reset(); }

void SimInstrument::changed()
{
    if (options_.stateFile.isEmpty()) return;
    if (!datalogJson_) datalogJson_ = RenderDatalogJson(state_.datalog);
    SaveSimState(state_, options_.stateFile, &*datalogJson_);
}

void SimInstrument::TakeMeasurement()
{
    const int slot = state_.setupInUse;
    const SimSetup setup = Setup(slot);
    // A new run starts when the setup changed since the last logged reading.
    if (state_.datalog.empty() || state_.datalog.back().setup != slot) {
        state_.lastRun = (state_.lastRun + 1) % 32768;
        state_.lastSequence = 0;
    }
    state_.lastSequence = std::min(state_.lastSequence + 1, 32767);

    ReadingRequest q;
    q.setup = &setup;
    q.setupIndex = slot;
    q.view = 0;
    q.product = setup.isEmpty() ? "SETUP " + QByteArray::number(slot + 1) : setup.name;
    q.sampleId = "AUTO " + QByteArray::number(state_.totalMeasurements + 1).rightJustified(5, '0');
    q.run = state_.lastRun;
    q.sequence = state_.lastSequence;
    q.time = Clock();
    q.inches = options_.inches;
    q.runConfigVariant = options_.runConfigVariant;
    q.temperature = static_cast<float>(temperatureTenths() / 10.0);
    SimRandom random(options_.seed ^ (static_cast<uint32_t>(state_.totalMeasurements) * 2654435761u));
    SimDatalogRecord record = MakeReading(q, random);

    ++state_.totalMeasurements;
    ++state_.measurementsSinceStandardization;
    if (DatalogCount() < DatalogCapacity) {
        state_.datalog.push_back(std::move(record));
        datalogChanged();
    }
    changed();
}

void SimInstrument::Standardize()
{
    state_.standardizedAt = Clock();
    state_.measurementsSinceStandardization = 0;
    changed();
}

void SimInstrument::SelectSetup(int index)
{
    if (index < 0 || index >= SetupCount) throw AppError::subscript(QStringLiteral("The instrument's setups"), index);
    state_.setupInUse = index;
    changed();
}

// Display --------------------------------------------------------------------

DisplayScreen SimInstrument::Screen() const
{
    DisplayScreen screen;
    screen.title = options_.model;
    screen.status = remote_ ? "REMOTE" : "LOCAL";
    const int slot = state_.setupInUse;
    const SimSetup setup = Setup(slot);
    screen.lines.append("SETUP " + QByteArray::number(slot + 1));
    screen.lines.append(setup.isEmpty() ? QByteArray("(EMPTY)") : setup.name);

    const SimDatalogRecord* last = state_.datalog.empty() ? nullptr : &state_.datalog.back();
    if (!last) {
        screen.lines.append(QByteArray());
        screen.lines.append("NO READINGS");
    } else {
        screen.lines.append("VIEW " + QByteArray::number(last->view + 1) + ' ' + nameOf(kDisplayTypes, last->viewType));
        screen.lines.append(nameOf(kIllObs, last->illObs) + "  " + nameOf(kScales, last->scale));
        const int terms = last->scale >= 1 && last->scale <= 6 ? last->scale : 0;
        for (int k = 0; k < 3 && terms; ++k) {
            screen.lines.append(QByteArray(kScaleTerms[terms][k]).leftJustified(4, ' ') +
                                padded(QByteArray::number(last->scaleData[k], 'f', 2), 8) +
                                padded(QByteArray::number(last->scaleData[3 + k], 'f', 2), 9));
        }
        if (last->index != 0)
            screen.lines.append(indexName(last->index).leftJustified(11, ' ') +
                                padded(QByteArray::number(last->indexData[0], 'f', 2), 10));
        screen.lines.append(QByteArray(last->flags ? "FAIL  " : "PASS  ") + last->sampleId.left(15));
    }
    while (screen.lines.size() < DisplayLines - 2) screen.lines.append(QByteArray());
    screen.lines.append("LOG " + QByteArray::number(DatalogCount()) + '/' + QByteArray::number(DatalogCapacity));
    const QDateTime clock = QDateTime::fromSecsSinceEpoch(Clock(), Qt::UTC);
    screen.lines.append(clock.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toLatin1());
    return screen;
}

QByteArray SimInstrument::DisplayPixels() const { return RenderDisplay(Screen()); }
