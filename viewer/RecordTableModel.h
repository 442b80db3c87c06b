#pragma once
// The records as a table for the viewer's views: one row a record, the
// columns below, texts made only for the cells on screen. Sorting goes by
// Qt::UserRole, which gives each cell's value itself (numbers as numbers,
// times as seconds), so a sort never formats a cell. RecordFilterModel shows
// the rows a RecordFilter accepts.

#include "DatalogRecord.h"
#include "LocaleNumberFormat.h"
#include "RecordFilter.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <memory>

class RecordTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Log, Product, SampleId, Setup, Type, Time, IlluminantObserver, Scale, Index, IndexValue, ColumnCount };

    explicit RecordTableModel(QObject* parent = nullptr);

    void setDocument(std::shared_ptr<const DatalogDocument> document);
    const DatalogRecord& record(int row) const { return document_->records[std::size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::shared_ptr<const DatalogDocument> document_;
    // Learnt once: the table asks for every visible cell on every repaint.
    LocaleNumberFormat numbers_{QLocale()};
};

class RecordFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RecordFilterModel(RecordTableModel* source, QObject* parent = nullptr);

    void setFilter(const RecordFilter& filter);
    const RecordFilter& filter() const { return filter_; }
    // The record of a row of this model.
    const DatalogRecord& recordAt(int row) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    RecordTableModel* source_;
    RecordFilter filter_;
};
