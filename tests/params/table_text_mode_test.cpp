// Rule D19 for the table CSV and the chlorophyll table form: an LF byte inside a cell (a record
// name from a damaged or hand-edited file) is written as CR LF, as the other text files do.
#include <gtest/gtest.h>

#include <string>

#include "params/grid.h"
#include "params/table_csv.h"
#include "records/byte_sink.h"

namespace corvel {
namespace {

TEST(TableTextMode, LfInsideACellBecomesCrLf) {
  Grid g;
  g.Reset(2, 3);
  g.Set(0, 0, "Filename");
  g.Set(1, 0, "AB\nCD0007");
  g.Set(1, 1, "x\n\ny");
  StringSink sink;
  WriteTableCsv(g, sink);
  EXPECT_EQ(sink.text, "Filename,,,\r\nAB\r\nCD0007,x\r\n\r\ny,,\r\n");
}

TEST(TableTextMode, CellsWithoutLfAreWrittenAsTheyStand) {
  Grid g;
  g.Reset(1, 2);
  g.Set(0, 0, "a\rb");  // a lone CR is no line end of ours and stays as it is
  StringSink sink;
  WriteTableCsv(g, sink);
  EXPECT_EQ(sink.text, "a\rb,,\r\n");
}

}  // namespace
}  // namespace corvel
