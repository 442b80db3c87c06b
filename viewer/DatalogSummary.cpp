#include "DatalogSummary.h"

#include "SampleDifferences.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace DatalogSummary {

namespace {
struct Accumulator {
    int64_t records = 0;
    int64_t samples = 0;
    RunningDescription index;
    RunningDescription deltaE2000;
};
}  // namespace

std::vector<GroupSummary> Summarize(const std::vector<DatalogRecord>& records, const RecordFilter& filter)
{
    std::map<std::pair<QString, int32_t>, Accumulator> groups;
    for (const DatalogRecord& record : records) {
        if (!filter.accepts(record)) continue;
        Accumulator& group = groups[{record.product, record.setup}];
        ++group.records;
        group.index.add(record.indexValue());
        if (!record.standard) {
            ++group.samples;
            if (const auto difference = DeltaE2000(record)) group.deltaE2000.add(*difference);
        }
    }
    std::vector<GroupSummary> result;
    result.reserve(groups.size());
    for (const auto& [key, group] : groups)
        result.push_back({key.first, key.second, group.records, group.samples, group.index.result(),
                          group.deltaE2000.result()});
    return result;
}

QString PlainNumber(double value, int decimals)
{
    if (std::isnan(value)) return {};
    QString text = QString::number(value, 'f', decimals);
    // A value that rounds to zero is written without a sign.
    if (text.startsWith(QLatin1Char('-')) && text.mid(1).count(QLatin1Char('0')) == text.size() - 2) text.remove(0, 1);
    return text;
}

QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString escaped = text;
    escaped.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QStringList Cells(const GroupSummary& group, const std::function<QString(double)>& number)
{
    return {group.product,
            QString::number(group.setup),
            QString::number(group.records),
            QString::number(group.samples),
            number(group.index.mean),
            number(group.index.sd),
            number(group.index.min),
            number(group.index.max)};
}

QString Csv(const std::vector<GroupSummary>& groups)
{
    QString text = QStringLiteral("product,setup,records,samples,mean,sd,min,max\r\n");
    const auto plain = [](double value) { return PlainNumber(value); };
    for (const GroupSummary& g : groups) {
        QStringList fields = Cells(g, plain);
        fields[0] = CsvField(fields[0]);
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text;
}

QString AlignedText(const std::vector<GroupSummary>& groups)
{
    const bool withDeltaE = std::any_of(groups.begin(), groups.end(),
                                        [](const GroupSummary& g) { return g.deltaE2000.count > 0; });
    QList<QStringList> rows;
    QStringList header{QStringLiteral("product"), QStringLiteral("setup"), QStringLiteral("records"),
                       QStringLiteral("samples"), QStringLiteral("mean"),  QStringLiteral("sd"),
                       QStringLiteral("min"),     QStringLiteral("max")};
    if (withDeltaE) header << QStringLiteral("dE00 mean") << QStringLiteral("dE00 max");
    rows << header;
    const auto shown = [](double value) {
        const QString text = PlainNumber(value);
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    for (const GroupSummary& g : groups) {
        QStringList row = Cells(g, shown);
        if (withDeltaE) row << shown(g.deltaE2000.mean) << shown(g.deltaE2000.max);
        rows << row;
    }
    QList<qsizetype> widths(header.size(), 0);
    for (const QStringList& row : rows)
        for (qsizetype c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (c == 0 ? row[c].leftJustified(widths[c]) : row[c].rightJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

}  // namespace DatalogSummary
