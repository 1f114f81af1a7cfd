#pragma once

#include "containers/ServerCheck.h"
#include "containers/ServerScan.h"

#include <QAbstractTableModel>

#include <vector>

// Found items as a read-only table, sorted by the view through a proxy
// (each cell's sort value is its number where it has one). With groups, a
// first column names the serial each row shares and how many hold it; with
// ticks, the first column carries a box the operator ticks.
class FoundItemsModel : public QAbstractTableModel {
public:
    struct Options {
        bool groups = false;
        bool ticks = false;
    };
    explicit FoundItemsModel(Options options, QObject* parent = nullptr);

    // Replaces every row; `groupSize` is given per row with groups.
    void SetItems(std::vector<ServerScan::Found> items, std::vector<int> groupSize = {});
    void RemoveRows(const std::vector<int>& rows);
    [[nodiscard]] const ServerScan::Found& ItemAt(int row) const { return m_items[std::size_t(row)]; }
    [[nodiscard]] std::vector<int> TickedRows() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    [[nodiscard]] QVariant text(int row, int column) const;
    [[nodiscard]] QVariant sortValue(int row, int column) const;

    Options m_options;
    std::vector<ServerScan::Found> m_items;
    std::vector<int> m_groupSize;
    std::vector<char> m_ticked;
};

// The findings of a server check as a read-only table.
class CheckFindingsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void SetFindings(std::vector<ServerCheck::Finding> findings);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ServerCheck::Finding> m_findings;
};

// The role a proxy sorts by.
inline constexpr int kSortRole = Qt::UserRole + 1;
