#include "RecordTableModel.h"

#include "RegionalFormat.h"

#include <QBrush>
#include <QColor>

RecordTableModel::RecordTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordTableModel::setDocument(std::shared_ptr<const DatalogDocument> document)
{
    beginResetModel();
    document_ = std::move(document);
    endResetModel();
}

int RecordTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !document_ ? 0 : static_cast<int>(document_->records.size());
}

int RecordTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Log: return QStringLiteral("Log");
    case Product: return QStringLiteral("Product");
    case SampleId: return QStringLiteral("ID");
    case Setup: return QStringLiteral("Setup");
    case Type: return QStringLiteral("Type");
    case Time: return QStringLiteral("Time");
    case IlluminantObserver: return QStringLiteral("Ill/Obs");
    case Scale: return QStringLiteral("Scale");
    case Index: return QStringLiteral("Index");
    case IndexValue: return QStringLiteral("Index Value");
    default: return {};
    }
}

QVariant RecordTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !document_) return {};
    const DatalogRecord& r = record(index.row());
    if (role == Qt::ToolTipRole) {
        if (r.ambiguous && (index.column() == Product || index.column() == SampleId))
            return QStringLiteral("Line %1 has more fields than its layout, and where the product name ends and "
                                  "the ID begins was guessed (see the viewer's rule for names holding the delimiter)")
                .arg(r.lineNumber);
        return {};
    }
    if (role == Qt::BackgroundRole) {
        if (r.ambiguous && (index.column() == Product || index.column() == SampleId))
            return QBrush(QColor(255, 236, 179));
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case Log:
        case Setup:
        case IndexValue: return int(Qt::AlignRight | Qt::AlignVCenter);
        default: return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole) return {};
    const bool display = role == Qt::DisplayRole;
    switch (index.column()) {
    case Log: return r.log;
    case Product: return r.product;
    case SampleId: return r.sampleId;
    case Setup: return r.setup;
    case Type: return r.standard ? QStringLiteral("Std") : QStringLiteral("Sam");
    case Time:
        if (!display) return qlonglong(r.time);
        return RegionalFormat::GeneralDateTime(RecordDateTime(r));
    case IlluminantObserver: return r.illuminantObserver;
    case Scale: return r.scale;
    case Index: return r.index;
    case IndexValue:
        if (!display) return r.indexValue();
        return numbers_.toString(r.indexValue(), 4);
    default: return {};
    }
}

RecordFilterModel::RecordFilterModel(RecordTableModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source)
{
    setSourceModel(source);
    setSortRole(Qt::UserRole);
}

void RecordFilterModel::setFilter(const RecordFilter& filter)
{
    if (filter == filter_) return;
    filter_ = filter;
    invalidateFilter();
}

const DatalogRecord& RecordFilterModel::recordAt(int row) const
{
    return source_->record(mapToSource(index(row, 0)).row());
}

bool RecordFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return filter_.accepts(source_->record(sourceRow));
}
