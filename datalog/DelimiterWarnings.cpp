#include "DelimiterWarnings.h"

#include <QStringList>

namespace {

// The fields of both file layouts that hold the instrument's texts.
constexpr int ProductField = 2;
constexpr int SampleIdField = 3;

QString fieldName(int field)
{
    if (field == ProductField) return QStringLiteral("the product name");
    if (field == SampleIdField) return QStringLiteral("the sample ID");
    return QStringLiteral("field %1").arg(field);
}

}  // namespace

DelimiterWarnings::DelimiterWarnings(const QString& delimiter, const QLocale& locale)
    : delimiter_(delimiter), locale_(locale)
{
}

void DelimiterWarnings::Note(int64_t recordNumber, const DatalogLine& line)
{
    RecordNote note{recordNumber, {}};
    for (const DatalogLine::DelimiterInField& hit : line.fieldsHoldingDelimiter()) {
        switch (hit.kind) {
        case DatalogLine::FieldKind::Number: numbers_ = true; break;
        case DatalogLine::FieldKind::Timestamp: timestamps_ = true; break;
        default: note.fields.push_back(hit.field); break;
        }
    }
    if (note.fields.empty()) return;
    ++records_;
    if (named_.size() < size_t(RecordsNamed)) named_.push_back(std::move(note));
}

QString DelimiterWarnings::delimiterShown() const
{
    if (delimiter_ == QLatin1String("\t")) return QStringLiteral("Tab");
    return QStringLiteral("'%1'").arg(delimiter_);
}

QString DelimiterWarnings::symbolClash() const
{
    QStringList lines;
    if (numbers_) {
        if (locale_.decimalPoint() == delimiter_)
            lines << QStringLiteral("The delimiter %1 is the regional decimal symbol: every number with decimals "
                                    "splits into two columns.")
                         .arg(delimiterShown());
        else if (locale_.groupSeparator() == delimiter_)
            lines << QStringLiteral("The delimiter %1 is the regional digit grouping symbol: every number of 1000 "
                                    "or more splits into more than one column.")
                         .arg(delimiterShown());
        else
            lines << QStringLiteral("The delimiter %1 is a symbol of the regional number format: the numbers that "
                                    "hold it split into more than one column.")
                         .arg(delimiterShown());
    }
    if (timestamps_)
        lines << QStringLiteral("The delimiter %1 is a separator of the regional date or time: the timestamps split "
                                "into more than one column.")
                     .arg(delimiterShown());
    return lines.join(QLatin1Char('\n'));
}

QString DelimiterWarnings::Text(const QString& fileName) const
{
    if (records_ == 0 && !numbers_ && !timestamps_) return {};
    QStringList lines;
    lines << QStringLiteral("The file %1 was written as asked, but some of its fields hold the delimiter %2: the "
                            "columns after them shift.")
                 .arg(fileName, delimiterShown());
    for (const RecordNote& note : named_) {
        QStringList names;
        for (const int field : note.fields) names << fieldName(field);
        const QString subject = names.size() == 1 ? names[0]
                                                  : names.mid(0, names.size() - 1).join(QStringLiteral(", ")) +
                                                        QStringLiteral(" and ") + names.last();
        lines << QStringLiteral("record %1: %2 %3 the delimiter %4")
                     .arg(note.record)
                     .arg(subject, names.size() == 1 ? QStringLiteral("holds") : QStringLiteral("hold"),
                          delimiterShown());
    }
    if (records_ > 0)
        lines << QStringLiteral("%1 %2 in all.")
                     .arg(records_)
                     .arg(records_ == 1 ? QStringLiteral("record") : QStringLiteral("records"));
    if (const QString clash = symbolClash(); !clash.isEmpty()) lines << clash;
    QStringList choices;
    for (const QString& choice : {QStringLiteral("\t"), QStringLiteral(";")})
        if (choice != delimiter_) choices << (choice == QLatin1String("\t") ? QStringLiteral("Tab") : QStringLiteral("';'"));
    lines << QStringLiteral("Choose %1 as the delimiter in Preferences.").arg(choices.join(QStringLiteral(" or ")));
    return lines.join(QLatin1Char('\n'));
}
