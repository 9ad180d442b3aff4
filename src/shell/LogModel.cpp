#include "shell/LogModel.h"

#include "data/AppData.h"
#include "data/DbError.h"

#include <QDateTime>

namespace {
const char *const kColumns[] = {"log_id",         "log_tabla", "log_rekord_id",
                                "log_time_stamp", "usr_login", "log_megj"};
const char *const kHeadings[] = {"log_id", "Tábla", "Rekord", "Dátum/Idő", "Felhasználó", "Megjegyzés"};
constexpr int kColumnCount = int(std::size(kColumns));
constexpr int kTimeColumn = 3;
} // namespace

LogModel::LogModel(QObject *parent) : QAbstractTableModel(parent) {
    reload();
}

void LogModel::reload() {
    beginResetModel();
    m_rows.clear();
    m_lastId = 0;
    m_atEnd = false;
    endResetModel();
    fetchPage();
}

int LogModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LogModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant LogModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    const QVariant &value = m_rows[size_t(index.row())][size_t(index.column())];
    if (index.column() == kTimeColumn && value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy.MM.dd. HH:mm:ss"));
    return value;
}

QVariant LogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kColumnCount)
        return QString::fromUtf8(kHeadings[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool LogModel::canFetchMore(const QModelIndex &parent) const {
    return !parent.isValid() && !m_atEnd;
}

void LogModel::fetchMore(const QModelIndex &parent) {
    if (parent.isValid() || m_atEnd)
        return;
    // The grid asks for more while it paints; an engine error there only ends the listing.
    try {
        fetchPage();
    } catch (const DbError &) {
        m_atEnd = true;
    }
}

void LogModel::fetchPage() {
    const Recordset page = AppData::current().devDB.run(QStringLiteral("getLog"), {m_lastId, kPageRows});
    m_atEnd = page.count() < kPageRows;
    if (page.count() == 0)
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size()) + page.count() - 1);
    for (int i = 0; i < page.count(); ++i) {
        std::vector<QVariant> row;
        row.reserve(kColumnCount);
        for (const char *column : kColumns)
            row.push_back(page.at(i, QString::fromLatin1(column)));
        m_rows.push_back(std::move(row));
    }
    m_lastId = m_rows.back()[0].toLongLong();
    endInsertRows();
}
