// The worker threads of the decoders and of the table fill: the results must not depend on the
// thread count. Capacity files of every type, decoded and filled with 1 and with 4 threads.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "params/fill_grid.h"
#include "params/grid.h"
#include "params/parallel_for.h"
#include "params/result_tables.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "support/measurement_files.h"
#include "synth/kinds.h"

namespace corvel {
namespace {

// One capacity file of the radio item's type, listed.
struct CapacityList {
  explicit CapacityList(int item) {
    testing::LoadBytes(synth::MakeCapacityFile(item, 3), *image);
    uint32_t tally = 0;
    FillFNtoListBox(*image, kRadioTypeCode[item], *list, tally);
  }
  std::unique_ptr<FileImage> image = std::make_unique<FileImage>();
  std::unique_ptr<RecordList> list = std::make_unique<RecordList>();
};

std::unique_ptr<ResultTables> DecodeWith(int threads, const CapacityList& f, int item) {
  SetWorkerThreads(threads);
  auto tables = std::make_unique<ResultTables>();
  CacuFNinListBox(*f.image, kRadioTypeCode[item], *f.list, *tables);
  SetWorkerThreads(0);
  return tables;
}

std::string TableWith(int threads, const CapacityList& f, const ResultTables& tables, int item) {
  SetWorkerThreads(threads);
  Grid grid;
  FillTableForRadio(item, GridSource{*f.image, *f.list, tables}, grid);
  SetWorkerThreads(0);
  std::string all = std::to_string(grid.row_count()) + "\n";
  for (int r = 0; r < grid.row_count(); ++r) all.append(grid.RowCells(r)).append("\n");
  return all;
}

class WorkerThreads : public ::testing::TestWithParam<int> {};

TEST_P(WorkerThreads, EverySlotAndTheTableAreTheSameWithOneAndFourThreads) {
  const int item = GetParam();
  CapacityList f(item);
  ASSERT_GE(f.list->count, kParallelMinPositions);
  const auto one = DecodeWith(1, f, item);
  const auto four = DecodeWith(4, f, item);
  // Every slot array of the tables, byte for byte (the slots of other types stay zero).
  EXPECT_EQ(std::memcmp(one.get(), four.get(), sizeof(ResultTables)), 0);

  // All selected, then every third.
  for (int i = 0; i < f.list->count; ++i) f.list->selected[i] = 1;
  f.list->selected_count = f.list->count;
  const std::string all = TableWith(1, f, *one, item);
  EXPECT_EQ(all, TableWith(4, f, *one, item));
  f.list->selected_count = 0;
  for (int i = 0; i < f.list->count; ++i) {
    f.list->selected[i] = i % 3 == 0;
    f.list->selected_count += f.list->selected[i];
  }
  const std::string third = TableWith(1, f, *one, item);
  EXPECT_EQ(third, TableWith(4, f, *one, item));
  EXPECT_NE(third, all);
}

// Every type but the user-defined programs, which have neither decoder nor table.
INSTANTIATE_TEST_SUITE_P(EveryType, WorkerThreads, ::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 9),
                         [](const auto& info) { return std::string(kRadioName[info.param]); });

TEST(WorkerThreadCount, OneThreadBelow1024Positions) {
  SetWorkerThreads(4);
  EXPECT_EQ(ThreadsFor(1023), 1);
  EXPECT_EQ(ThreadsFor(1024), 4);
  SetWorkerThreads(0);
  EXPECT_GE(ThreadsFor(9998), 1);
  EXPECT_LE(ThreadsFor(9998), 8);
}

TEST(ForEachPart, ConsecutiveRunsCoverEveryPositionOnce) {
  int begin[3] = {-1, -1, -1}, end[3] = {-1, -1, -1};
  ForEachPart(10, 3, [&](int b, int e, int part) {
    begin[part] = b;
    end[part] = e;
  });
  EXPECT_EQ(begin[0], 0);
  EXPECT_EQ(end[0], 3);
  EXPECT_EQ(begin[1], 3);
  EXPECT_EQ(end[1], 6);
  EXPECT_EQ(begin[2], 6);
  EXPECT_EQ(end[2], 10);
}

TEST(GridAppendRows, PieceRowsContinueAfterTheTable) {
  Grid grid;
  grid.Reset(2, 3);
  grid.Set(0, 0, "T");
  grid.SetRowCount(3);
  grid.Set(1, 0, "a");
  Grid piece;
  piece.Reset(2, 3);
  piece.SetRowCount(3);
  piece.Set(1, 1, "b");
  piece.SetRowCount(4);
  piece.Set(2, 2, "c");
  piece.SetRowCount(5);
  grid.AppendRows(piece);
  EXPECT_EQ(grid.row_count(), 6);
  EXPECT_EQ(grid.Cell(1, 0), "a");
  EXPECT_EQ(grid.Cell(2, 1), "b");
  EXPECT_EQ(grid.Cell(3, 2), "c");
  EXPECT_EQ(grid.RowCells(2), std::string_view("\0b\0", 3));
  EXPECT_EQ(grid.RowCells(4), "");
}

TEST(GridAppendRows, AnEmptyPieceAddsNothing) {
  Grid grid;
  grid.Reset(2, 3);
  grid.Set(0, 0, "T");
  Grid piece;
  piece.Reset(2, 3);
  grid.AppendRows(piece);
  EXPECT_EQ(grid.row_count(), 2);
  EXPECT_EQ(grid.Cell(0, 0), "T");
}

}  // namespace
}  // namespace corvel
