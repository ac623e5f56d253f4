#include "listviewstore.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using vplat::detail::ListViewStore;

namespace {

// Each row as "cell0|cell1|..." over the store's current columns.
std::vector<std::u16string> Rows(const ListViewStore &s) {
  std::vector<std::u16string> out;
  for (int r = 0; r < s.rowCount(); ++r) {
    std::u16string line;
    for (int c = 0; c < s.columnCount(); ++c) {
      if (c) line += u'|';
      line += s.text(r, c);
    }
    out.push_back(line);
  }
  return out;
}

ListViewStore ThreeByThree() {
  ListViewStore s;
  for (int c = 0; c < 3; ++c) s.insertColumn(c, {});
  for (int r = 0; r < 3; ++r) {
    s.insertRow(r);
    for (int c = 0; c < 3; ++c)
      s.setText(r, c, std::u16string(1, static_cast<char16_t>(u'a' + r)) + char16_t(u'0' + c));
  }
  return s;
}

}  // namespace

// Cells keep their columns when columns come and go, and edits in the middle
// of a row leave its neighbours intact, whatever their lengths.
TEST(ListViewStore, CellsFollowTheirColumns) {
  ListViewStore s = ThreeByThree();
  EXPECT_EQ(Rows(s), (std::vector<std::u16string>{u"a0|a1|a2", u"b0|b1|b2", u"c0|c1|c2"}));

  s.setText(1, 1, u"longer text");
  s.setText(1, 0, u"");
  s.setText(2, 2, u"");
  EXPECT_EQ(Rows(s), (std::vector<std::u16string>{u"a0|a1|a2", u"|longer text|b2", u"c0|c1|"}));

  EXPECT_EQ(s.insertColumn(1, {}), 1);
  EXPECT_EQ(Rows(s), (std::vector<std::u16string>{u"a0||a1|a2", u"||longer text|b2", u"c0||c1|"}));

  EXPECT_TRUE(s.deleteColumn(2));
  EXPECT_EQ(Rows(s), (std::vector<std::u16string>{u"a0||a2", u"||b2", u"c0||"}));
  EXPECT_TRUE(s.deleteColumn(0));
  EXPECT_EQ(Rows(s), (std::vector<std::u16string>{u"|a2", u"|b2", u"|"}));
  EXPECT_FALSE(s.deleteColumn(2));
  EXPECT_EQ(s.insertColumn(-1, {}), -1);
  EXPECT_EQ(s.insertColumn(99, {}), 2);  // clamped to the end
}

TEST(ListViewStore, RowsInsertAtClampedPositionsAndCellsBeyondColumnsAreKept) {
  ListViewStore s;
  s.insertColumn(0, {});
  EXPECT_EQ(s.insertRow(5), 0);
  EXPECT_EQ(s.insertRow(0), 0);
  EXPECT_EQ(s.insertRow(-1), -1);
  s.setText(1, 4, u"far");  // a sub-item with no column yet
  EXPECT_EQ(s.text(1, 4), u"far");
  EXPECT_EQ(s.text(1, 3), u"");
  EXPECT_EQ(s.text(7, 0), u"");
  EXPECT_TRUE(s.deleteRow(0));
  EXPECT_EQ(s.text(0, 4), u"far");
  EXPECT_FALSE(s.deleteRow(1));
}

// Only one row is focused; the focus index follows inserts and deletes.
TEST(ListViewStore, FocusIsUniqueAndFollowsRowMoves) {
  ListViewStore s = ThreeByThree();
  s.setState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  s.setState(2, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  EXPECT_EQ(s.state(0), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(s.focusedRow(), 2);
  EXPECT_EQ(s.countWithState(LVIS_SELECTED), 2);
  s.insertRow(1);
  EXPECT_EQ(s.focusedRow(), 3);
  EXPECT_EQ(s.state(3), static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
  s.deleteRow(0);
  EXPECT_EQ(s.focusedRow(), 2);
  s.deleteRow(2);
  EXPECT_EQ(s.focusedRow(), -1);
  EXPECT_EQ(s.countWithState(LVIS_SELECTED), 0);
}
