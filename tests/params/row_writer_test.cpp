// The row writer of the fill routines: cells gathered per row, numbers written without printf.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "params/fill_rows.h"
#include "params/grid.h"

namespace corvel {
namespace {

TEST(RowWriter, CellsOutOfColumnOrderAreStoredAsSetStoresThem) {
  Grid grid;
  grid.Reset(3, 5);
  {
    RowWriter w(grid, 1);
    w.Int(1, 7);
    w.Text(3, "x");
    w.Int(2, -4);  // before the last one: stored on its own
    w.Fixed(4, 1.5f, 1);
    w.Text(9, "dropped");  // outside the shape
  }
  EXPECT_EQ(grid.RowCells(1), std::string_view("\0"
                                               "7\0-4\0x\0"
                                               "1.5\0",
                                               12));
}

TEST(RowWriter, IdentityPadsLikePrintf) {
  char buf[32];
  EXPECT_EQ(std::string(buf, PutPadded(buf, 7, 4)), "0007");
  EXPECT_EQ(std::string(buf, PutPadded(buf, -5, 4)), "-005");
  EXPECT_EQ(std::string(buf, PutPadded(buf, -12, 2)), "-12");
  EXPECT_EQ(std::string(buf, PutPadded(buf, 12345, 4)), "12345");
  EXPECT_EQ(std::string(buf, PutPadded(buf, 0, 2)), "00");
}

}  // namespace
}  // namespace corvel
