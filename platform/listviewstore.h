// The rows and columns behind a report-mode list view. Internal to the
// platform library.
//
// A list may hold tens of thousands of rows of a dozen or more cells, so a
// row keeps all its cell texts in one UTF-16 buffer with the end offset of
// each cell beside it: two allocations per row whatever its width, and
// empty trailing cells cost nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vplat::detail {

// Exported for the library's own tests only.
class VPLAT_API ListViewStore {
 public:
  struct Column {
    int fmt = 0;
    int width = 0;
    std::u16string text;
    int image = 0;
    int order = 0;
  };

  // ---- columns
  int columnCount() const { return static_cast<int>(columns_.size()); }
  const Column &column(int i) const { return columns_[static_cast<size_t>(i)]; }
  Column &column(int i) { return columns_[static_cast<size_t>(i)]; }
  // Inserts at min(at, count) and returns that index, -1 when at < 0. The
  // cells of every row at that index and after move one column right, so
  // that each column keeps its data.
  int insertColumn(int at, Column c);
  // Removes the column and its cell in every row; later cells move left.
  bool deleteColumn(int at);

  // ---- rows
  int rowCount() const { return static_cast<int>(rows_.size()); }
  // Inserts an empty row at min(at, count) and returns that index, -1 when
  // at < 0.
  int insertRow(int at);
  bool deleteRow(int row);
  void clearRows();

  // Cell 0 is the item's own text, cells 1.. its sub-items. A cell never set
  // reads as empty.
  std::u16string_view text(int row, int cell) const;
  void setText(int row, int cell, std::u16string_view text);

  UINT state(int row) const { return rows_[static_cast<size_t>(row)].state; }
  // Sets the bits of mask to those of value. Only one row holds
  // LVIS_FOCUSED: giving it to a row takes it from the previous one.
  void setState(int row, UINT value, UINT mask);
  LPARAM param(int row) const { return rows_[static_cast<size_t>(row)].lParam; }
  void setParam(int row, LPARAM p) { rows_[static_cast<size_t>(row)].lParam = p; }
  int image(int row) const { return rows_[static_cast<size_t>(row)].image; }
  void setImage(int row, int image) { rows_[static_cast<size_t>(row)].image = image; }

  // Row holding LVIS_FOCUSED, -1 when none.
  int focusedRow() const { return focused_; }
  // Rows with every bit of mask set, counted.
  int countWithState(UINT mask) const;

  bool validRow(int row) const { return row >= 0 && row < rowCount(); }

 private:
  struct Row {
    std::u16string text;         // all cells, back to back
    std::vector<uint32_t> ends;  // end offset of cell i in text
    UINT state = 0;
    int image = 0;
    LPARAM lParam = 0;
  };

  std::vector<Column> columns_;
  std::vector<Row> rows_;
  int focused_ = -1;
};

}  // namespace vplat::detail
