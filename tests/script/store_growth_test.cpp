// Commands that append to the store while they read an algebra of it. A
// free algebra with constants once read its source through a reference
// that the append had left dangling; the store now never moves an
// algebra, and this test runs every constructing command with the store
// at each size around the growth steps of a vector and of a deque, so the
// sanitizers see any reference that an append invalidates.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/algebra_store.h"
#include "script/script_context.h"
#include "script/script_runner.h"

namespace kest {
namespace {

TEST(StoreGrowth, ConstructingCommandsReadTheirSourceSafelyWhileTheStoreGrows) {
  const std::string dir = testing::TempDir();
  const std::string tfile = dir + "kest_store_growth.t";
  // The two-element Boolean algebra (0 and 1 as constants): each command
  // reads A0 (red) and A1 (green) while it appends.
  const std::vector<std::string> setup = {
      "signature +c .c - 0 1", "algebra 2", "table 0 + ab bb", "table 0 . aa ab", "table 0 - ba",  "table 0 0 a",
      "table 0 1 b",           "key C 0",   "red 0",           "green 1",         "save " + tfile,
  };
  const std::vector<std::string> commands = {
      "free-hsp 1", "free-hsp 2", "product", "subproduct ab",  "subalgebra b",  "key f 0 ab", "key C 0",
      "key y 0",    "key x 0",    "key z 0", "free-partial 5", "open " + tfile, "key c 0 ab", "glue",
  };
  for (int32_t filler = 0; filler <= 70; ++filler) {
    for (const std::string& command : commands) {
      std::ostringstream out;
      ScriptContext ctx{Workspace(), false, out, noProgress()};
      for (const std::string& line : setup) ASSERT_EQ(runScriptLine(ctx, line), "") << line;
      for (int32_t i = 0; i < filler; ++i) createAlgebra(ctx.ws, 1);
      const std::vector<int32_t> before = ctx.ws.algebra(0).table;
      ASSERT_EQ(runScriptLine(ctx, command), "") << command << " after " << filler;
      EXPECT_EQ(ctx.ws.algebra(0).table, before) << command << " changed its source";
    }
  }
  std::filesystem::remove(tfile);
}

}  // namespace
}  // namespace kest
