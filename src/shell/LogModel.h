#pragma once

#include <QAbstractTableModel>
#include <QVariant>
#include <vector>

// The event log for a grid, read a page at a time through getLog as the grid scrolls, so a log of a
// hundred thousand entries opens at once.
class LogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kPageRows = 500;

    explicit LogModel(QObject *parent = nullptr);

    // Forgets what was read and reads the first page again; throws DbError.
    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    // Reads the next page; throws DbError.
    void fetchPage();

    std::vector<std::vector<QVariant>> m_rows;
    qint64 m_lastId = 0;
    bool m_atEnd = false;
};
