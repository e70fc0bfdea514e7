#include "core/database/ResultsModel.h"

#include "core/database/FrequencyStore.h"

namespace sono {

ResultsModel::ResultsModel(const FrequencyStore& store, QObject* parent)
    : QAbstractListModel(parent), store_(store) {}

void ResultsModel::showRecordSet() {
    beginResetModel();
    lines_ = store_.count();
    endResetModel();
}

void ResultsModel::clear() {
    beginResetModel();
    lines_ = 0;
    endResetModel();
}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : lines_;
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lines_ ||
        (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return store_.description(index.row());
}

} // namespace sono
