#pragma once

#include <QAbstractListModel>

namespace sono {

class FrequencyStore;

// The result list's lines: line k is the description of set k of the record set. Descriptions are read
// only for the lines a view asks for, so a million hits create nothing up front.
class ResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    ResultsModel(const FrequencyStore& store, QObject* parent);

    // Lists the store's current record set; clear() empties the list.
    void showRecordSet();
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const FrequencyStore& store_;
    int lines_ = 0;
};

} // namespace sono
