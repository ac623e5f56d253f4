#include "listviewstore.h"

#include <commctrl.h>

#include <algorithm>

namespace vplat::detail {

namespace {

// Start offset of cell i of a row (cells past the stored ones are empty
// and start at the end).
uint32_t CellBegin(const std::vector<uint32_t> &ends, size_t i) {
  if (i == 0) return 0;
  if (i <= ends.size()) return ends[i - 1];
  return ends.empty() ? 0 : ends.back();
}

}  // namespace

int ListViewStore::insertColumn(int at, Column c) {
  if (at < 0) return -1;
  at = std::min(at, columnCount());
  columns_.insert(columns_.begin() + at, std::move(c));
  const size_t cell = static_cast<size_t>(at);
  for (Row &r : rows_) {
    if (cell >= r.ends.size()) continue;  // nothing stored at or after it
    uint32_t begin = CellBegin(r.ends, cell);
    r.ends.insert(r.ends.begin() + static_cast<std::ptrdiff_t>(cell), begin);
  }
  return at;
}

bool ListViewStore::deleteColumn(int at) {
  if (at < 0 || at >= columnCount()) return false;
  columns_.erase(columns_.begin() + at);
  const size_t cell = static_cast<size_t>(at);
  for (Row &r : rows_) {
    if (cell >= r.ends.size()) continue;
    uint32_t begin = CellBegin(r.ends, cell);
    uint32_t len = r.ends[cell] - begin;
    r.text.erase(begin, len);
    r.ends.erase(r.ends.begin() + static_cast<std::ptrdiff_t>(cell));
    for (size_t k = cell; k < r.ends.size(); ++k) r.ends[k] -= len;
  }
  return true;
}

int ListViewStore::insertRow(int at) {
  if (at < 0) return -1;
  at = std::min(at, rowCount());
  rows_.insert(rows_.begin() + at, Row{});
  if (focused_ >= at) ++focused_;
  return at;
}

bool ListViewStore::deleteRow(int row) {
  if (!validRow(row)) return false;
  rows_.erase(rows_.begin() + row);
  if (focused_ == row)
    focused_ = -1;
  else if (focused_ > row)
    --focused_;
  return true;
}

void ListViewStore::clearRows() {
  rows_.clear();
  rows_.shrink_to_fit();
  focused_ = -1;
}

std::u16string_view ListViewStore::text(int row, int cell) const {
  if (!validRow(row) || cell < 0) return {};
  const Row &r = rows_[static_cast<size_t>(row)];
  const size_t i = static_cast<size_t>(cell);
  if (i >= r.ends.size()) return {};
  uint32_t begin = CellBegin(r.ends, i);
  return std::u16string_view(r.text).substr(begin, r.ends[i] - begin);
}

void ListViewStore::setText(int row, int cell, std::u16string_view text) {
  if (!validRow(row) || cell < 0) return;
  Row &r = rows_[static_cast<size_t>(row)];
  const size_t i = static_cast<size_t>(cell);
  if (i >= r.ends.size()) {
    if (text.empty()) return;  // unset cells already read as empty
    uint32_t end = r.ends.empty() ? 0 : r.ends.back();
    r.ends.resize(i + 1, end);
  }
  uint32_t begin = CellBegin(r.ends, i);
  uint32_t oldLen = r.ends[i] - begin;
  r.text.replace(begin, oldLen, text);
  const int64_t delta = static_cast<int64_t>(text.size()) - static_cast<int64_t>(oldLen);
  for (size_t k = i; k < r.ends.size(); ++k) r.ends[k] = static_cast<uint32_t>(r.ends[k] + delta);
  // Trailing empty cells are dropped so that rows never grow for nothing.
  while (!r.ends.empty() && CellBegin(r.ends, r.ends.size() - 1) == r.ends.back())
    r.ends.pop_back();
}

void ListViewStore::setState(int row, UINT value, UINT mask) {
  if (!validRow(row)) return;
  Row &r = rows_[static_cast<size_t>(row)];
  UINT next = (r.state & ~mask) | (value & mask);
  if ((mask & LVIS_FOCUSED) != 0) {
    if ((next & LVIS_FOCUSED) != 0) {
      if (focused_ >= 0 && focused_ != row)
        rows_[static_cast<size_t>(focused_)].state &= ~static_cast<UINT>(LVIS_FOCUSED);
      focused_ = row;
    } else if (focused_ == row) {
      focused_ = -1;
    }
  }
  r.state = next;
}

int ListViewStore::countWithState(UINT mask) const {
  int n = 0;
  for (const Row &r : rows_)
    if ((r.state & mask) == mask) ++n;
  return n;
}

}  // namespace vplat::detail
