#include "SimState.h"

#include "AppError.h"
#include "SimSetup.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {

const QString kFormat = QStringLiteral("tr8kz-sim-state");
constexpr int kVersion = 1;

[[noreturn]] void invalid(const QString& fileName, const QString& what)
{
    throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("The state file %1 %2").arg(fileName, what));
}

int64_t whole(const QJsonObject& o, const char* key, int64_t low, int64_t high, const QString& fileName)
{
    const QJsonValue v = o.value(QLatin1String(key));
    const double d = v.toDouble();
    if (!v.isDouble() || d != static_cast<double>(static_cast<int64_t>(d)) || d < low || d > high)
        invalid(fileName, QStringLiteral("has no whole number from %1 to %2 for \"%3\"").arg(low).arg(high).arg(QLatin1String(key)));
    return static_cast<int64_t>(d);
}

}  // namespace

SimState LoadSimState(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot read the state file %1: %2").arg(fileName, file.errorString()));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull()) invalid(fileName, QStringLiteral("is not JSON: %1").arg(error.errorString()));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat)
        invalid(fileName, QStringLiteral("is not a simulated instrument's state"));
    if (root.value(QStringLiteral("version")).toInt() != kVersion)
        invalid(fileName, QStringLiteral("has a version this program does not read"));

    SimState s;
    s.clockOffsetSeconds = whole(root, "clockOffsetSeconds", -(int64_t{1} << 33), int64_t{1} << 33, fileName);
    s.standardizedAt = static_cast<int32_t>(whole(root, "standardizedAt", INT32_MIN, INT32_MAX, fileName));
    s.setupInUse = static_cast<int>(whole(root, "setupInUse", 0, 249, fileName));
    s.lampHours = static_cast<int32_t>(whole(root, "lampHours", 0, INT32_MAX, fileName));
    s.totalMeasurements = static_cast<int32_t>(whole(root, "totalMeasurements", 0, INT32_MAX, fileName));
    s.measurementsSinceStandardization = static_cast<int>(whole(root, "measurementsSinceStandardization", 0, 65535, fileName));
    s.lastRun = static_cast<int>(whole(root, "lastRun", 0, 32767, fileName));
    s.lastSequence = static_cast<int>(whole(root, "lastSequence", 0, 32767, fileName));

    const QJsonArray datalog = root.value(QStringLiteral("datalog")).toArray();
    if (datalog.size() > 2000) invalid(fileName, QStringLiteral("holds more than 2000 datalog records"));
    for (const QJsonValue& v : datalog) {
        if (!v.isObject()) invalid(fileName, QStringLiteral("holds a datalog record that is not an object"));
        s.datalog.push_back(DatalogRecordFromJson(v.toObject()));
    }

    const QJsonArray setups = root.value(QStringLiteral("setups")).toArray();
    if (setups.size() != static_cast<qsizetype>(s.setups.size()))
        invalid(fileName, QStringLiteral("must hold 250 setups, not %1").arg(setups.size()));
    for (qsizetype i = 0; i < setups.size(); ++i) {
        const QByteArray record = setups[i].toString().toLatin1();
        if (!ParseSetupRecord(record)) invalid(fileName, QStringLiteral("holds a malformed record for setup %1").arg(i + 1));
        s.setups[static_cast<size_t>(i)] = record;
    }
    return s;
}

QByteArray RenderDatalogJson(const std::vector<SimDatalogRecord>& datalog)
{
    // One record a line: readable, and quick to write.
    QByteArray text = "[";
    for (size_t i = 0; i < datalog.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        text += QJsonDocument(DatalogRecordToJson(datalog[i])).toJson(QJsonDocument::Compact);
    }
    text += "\n]";
    return text;
}

void SaveSimState(const SimState& s, const QString& fileName, const QByteArray* renderedDatalog)
{
    QJsonObject head;
    head[QStringLiteral("format")] = kFormat;
    head[QStringLiteral("version")] = kVersion;
    head[QStringLiteral("clockOffsetSeconds")] = static_cast<qint64>(s.clockOffsetSeconds);
    head[QStringLiteral("standardizedAt")] = static_cast<qint64>(s.standardizedAt);
    head[QStringLiteral("setupInUse")] = s.setupInUse;
    head[QStringLiteral("lampHours")] = static_cast<qint64>(s.lampHours);
    head[QStringLiteral("totalMeasurements")] = static_cast<qint64>(s.totalMeasurements);
    head[QStringLiteral("measurementsSinceStandardization")] = s.measurementsSinceStandardization;
    head[QStringLiteral("lastRun")] = s.lastRun;
    head[QStringLiteral("lastSequence")] = s.lastSequence;

    QByteArray text = QJsonDocument(head).toJson(QJsonDocument::Compact);
    text.chop(1);  // the closing brace: the two arrays follow
    text += ",\n\"datalog\": ";
    text += renderedDatalog ? *renderedDatalog : RenderDatalogJson(s.datalog);
    text += ",\n\"setups\": [";
    for (size_t i = 0; i < s.setups.size(); ++i) {
        text += i == 0 ? "\n\"" : ",\n\"";
        text += s.setups[i];  // upper-case hex: nothing to escape
        text += '"';
    }
    text += "\n]}\n";

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot write the state file %1: %2").arg(fileName, file.errorString()));
}
