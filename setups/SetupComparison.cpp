#include "SetupComparison.h"

#include "AppError.h"
#include "InstrumentCommands.h"
#include "SetupArchive.h"
#include "SetupFieldDifferences.h"
#include "SetupRecord.h"
#include "TextFiles.h"

#include <QStringList>
#include <set>
#include <variant>

namespace SetupComparison {

namespace {

const QString LineField = QStringLiteral("Setup line");

// A setup line decoded, or why it cannot be.
std::variant<ProductSetup, QString> decodeLine(int setupNumber, const QByteArray& line)
{
    if (line.startsWith(ReplyCode::Refused))
        return QStringLiteral("the instrument refused to send it (error %1)").arg(QString::fromLatin1(line.mid(1, 8)));
    const QByteArray code = Command::WriteSetupAsRead;
    if (!line.startsWith(code)) return QStringLiteral("it does not begin with \"%1\"").arg(QLatin1String(code));
    FieldCodec codec;
    try {
        // "P2" is the command, the setup index its first field.
        codec.SetText(line.mid(code.size()));
        const int lineSetup = codec.ReadByte() + 1;
        if (lineSetup != setupNumber) return QStringLiteral("it is the line of setup %1").arg(lineSetup);
        ProductSetup setup;
        DecodeProductSetup(setup, RecordOfReadReply(line), codec);
        if (codec.BytesLeft() > 0) return QStringLiteral("%1 bytes follow the record").arg(codec.BytesLeft());
        return setup;
    } catch (const AppError& error) {
        return error.description();
    }
}

QString lineState(const std::variant<ProductSetup, QString>& decoded)
{
    if (const QString* reason = std::get_if<QString>(&decoded))
        return QStringLiteral("(does not decode: %1)").arg(*reason);
    return QStringLiteral("(decodes)");
}

void compareSetup(int n, const QByteArray& first, const QByteArray& second, const QLocale& locale,
                  std::vector<Difference>& out)
{
    const auto a = decodeLine(n, first);
    const auto b = decodeLine(n, second);
    if (!std::holds_alternative<ProductSetup>(a) || !std::holds_alternative<ProductSetup>(b)) {
        out.push_back({n, LineField, lineState(a), lineState(b)});
        return;
    }
    const std::vector<FieldDifference> fields =
        FieldDifferences(std::get<ProductSetup>(a), std::get<ProductSetup>(b), locale);
    // Other text, same setup: view entries in another order, for instance.
    if (fields.empty())
        out.push_back({n, LineField, QStringLiteral("(same fields, other text)"),
                       QStringLiteral("(same fields, other text)")});
    for (const FieldDifference& field : fields) out.push_back({n, field.Field, field.FirstValue, field.SecondValue});
}

}  // namespace

int Comparison::SetupsDiffering() const
{
    std::set<int> setups;
    for (const Difference& d : Differences) setups.insert(d.SetupNumber);
    return static_cast<int>(setups.size());
}

ArchiveFile ReadArchiveFile(const QString& fileName)
{
    ArchiveFile file;
    file.Lines.Name = fileName;
    TextFileReader reader(fileName);
    if (reader.atEnd()) {
        file.Reason = QStringLiteral("it is empty");
        return file;
    }
    if (reader.readLine() != SetupArchive::Header) {
        file.Reason = QStringLiteral("its first line is not \"%1\"").arg(QLatin1String(SetupArchive::Header));
        return file;
    }
    std::vector<QByteArray> lines;
    while (!reader.atEnd()) lines.push_back(reader.readLine());
    while (!lines.empty() && lines.back().trimmed().isEmpty()) lines.pop_back();
    if (lines.size() > size_t(SetupArchive::SetupCount)) {
        file.Reason = QStringLiteral("it holds %1 setup lines, more than the instrument's %2")
                          .arg(lines.size())
                          .arg(SetupArchive::SetupCount);
        return file;
    }
    for (size_t i = 0; i < lines.size(); ++i) file.Lines.Lines[i] = lines[i];
    file.IsArchive = true;
    return file;
}

std::optional<SetupLines> ReadInstrument(const Exchange& exchange, ProgressSink& progress, FieldCodec& codec)
{
    SetupLines side;
    side.Name = QStringLiteral("instrument");
    const SetupArchive::ReadResult read = SetupArchive::ReadSetups(
        exchange, SetupArchive::AllSetupNumbers(), QString::fromLatin1(ReadCaption), progress,
        [&side](int setupNumber, const QByteArray& reply, const SetupLineShape&) { side.Line(setupNumber) = reply; }, codec);
    if (read.Cancelled) return std::nullopt;
    return side;
}

Comparison Compare(const SetupLines& first, const SetupLines& second, const QLocale& locale)
{
    Comparison comparison{first.Name, second.Name, {}};
    for (int n = 1; n <= SetupArchive::SetupCount; ++n) {
        const std::optional<QByteArray>& a = first.Line(n);
        const std::optional<QByteArray>& b = second.Line(n);
        if (!a && !b) continue;
        if (!a || !b) {
            comparison.Differences.push_back(
                {n, QStringLiteral("Setup"), a ? QStringLiteral("(present)") : QStringLiteral("(missing)"),
                 b ? QStringLiteral("(present)") : QStringLiteral("(missing)")});
            continue;
        }
        if (*a != *b) compareSetup(n, *a, *b, locale, comparison.Differences);
    }
    return comparison;
}

std::optional<Comparison> VerifyRestore(const Exchange& exchange, const std::vector<int>& restoredNumbers,
                                        const std::vector<QByteArray>& restoredLines, const QString& sentName,
                                        ProgressSink& progress, const QLocale& locale, FieldCodec& codec)
{
    SetupLines sent;
    sent.Name = sentName;
    std::vector<int> toRead;
    for (size_t i = 0; i < restoredNumbers.size() && i < restoredLines.size(); ++i) {
        const int n = restoredNumbers[i];
        if (n < 1 || n > SetupArchive::SetupCount) continue;  // the instrument reported no setup of its own
        if (!sent.Line(n)) toRead.push_back(n);
        sent.Line(n) = restoredLines[i];  // the last line written to a setup is what it should hold
    }
    SetupLines readBack;
    readBack.Name = QStringLiteral("instrument");
    const SetupArchive::ReadResult read = SetupArchive::ReadSetups(
        exchange, toRead, QString::fromLatin1(VerifyCaption), progress,
        [&readBack](int setupNumber, const QByteArray& reply, const SetupLineShape&) { readBack.Line(setupNumber) = reply; }, codec);
    if (read.Cancelled) return std::nullopt;
    return Compare(readBack, sent, locale);
}

QString SummaryText(const Comparison& comparison)
{
    if (comparison.Identical()) return QStringLiteral("No differences: the setups are identical");
    const auto count = comparison.Differences.size();
    const int setups = comparison.SetupsDiffering();
    return QStringLiteral("%1 %2 in %3 %4")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("difference") : QStringLiteral("differences"))
        .arg(setups)
        .arg(setups == 1 ? QStringLiteral("setup") : QStringLiteral("setups"));
}

QString ComparisonText(const Comparison& comparison)
{
    QString text;
    for (const Difference& d : comparison.Differences)
        text += QStringLiteral("setup %1: %2: \"%3\" (%4), \"%5\" (%6)\n")
                    .arg(d.SetupNumber)
                    .arg(d.Field, d.FirstValue, comparison.FirstName, d.SecondValue, comparison.SecondName);
    return text + SummaryText(comparison) + QLatin1Char('\n');
}

}  // namespace SetupComparison
