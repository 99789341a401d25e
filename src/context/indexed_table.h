// A table of named records kept in declaration order, with a hash index from
// a name to the first record of that name. Lookups keep the first-match rule
// of a scan from index 0 without scanning.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel {

struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

using NameIndex = std::unordered_map<std::string, int16_t, NameHash, std::equal_to<>>;

// Record indexes are 16-bit, like every count of the translator.
inline constexpr size_t kMaxTableEntries = 32767;

template <typename Record>
struct IndexedTable {
  std::vector<Record> records;
  NameIndex firstByName;  // name -> index of the first record with that name
};

template <typename Record>
int16_t Count(const IndexedTable<Record>& table) {
  return static_cast<int16_t>(table.records.size());
}

template <typename Record>
bool IsFull(const IndexedTable<Record>& table) {
  return table.records.size() >= kMaxTableEntries;
}

// Appends `record` (the caller has checked IsFull) and returns its index.
template <typename Record>
int16_t AddRecord(IndexedTable<Record>& table, Record record) {
  const auto index = static_cast<int16_t>(table.records.size());
  table.firstByName.try_emplace(record.name, index);
  table.records.push_back(std::move(record));
  return index;
}

// Index of the first record named `name`, or -1.
template <typename Record>
int16_t FindFirst(const IndexedTable<Record>& table, std::string_view name) {
  auto it = table.firstByName.find(name);
  return it == table.firstByName.end() ? int16_t{-1} : it->second;
}

// Gives record `index` a new name, keeping the index right for both names.
template <typename Record>
void RenameRecord(IndexedTable<Record>& table, int16_t index, std::string new_name) {
  Record& record = table.records[static_cast<size_t>(index)];
  auto it = table.firstByName.find(record.name);
  if (it != table.firstByName.end() && it->second == index) {
    table.firstByName.erase(it);
    // Another record of the old name, further on, is now the first.
    for (size_t k = static_cast<size_t>(index) + 1; k < table.records.size(); ++k) {
      if (table.records[k].name == record.name) {
        table.firstByName.emplace(record.name, static_cast<int16_t>(k));
        break;
      }
    }
  }
  record.name = std::move(new_name);
  auto [pos, inserted] = table.firstByName.try_emplace(record.name, index);
  if (!inserted && pos->second > index) pos->second = index;
}

// Removes the last record, as if it had never been added.
template <typename Record>
void RemoveLastRecord(IndexedTable<Record>& table) {
  const auto index = static_cast<int16_t>(table.records.size() - 1);
  auto it = table.firstByName.find(table.records.back().name);
  if (it != table.firstByName.end() && it->second == index) table.firstByName.erase(it);
  table.records.pop_back();
}

template <typename Record>
void ClearTable(IndexedTable<Record>& table) {
  table.records.clear();
  table.firstByName.clear();
}

}  // namespace corvel
