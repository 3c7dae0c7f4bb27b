#include "io/code_table.h"

#include <cstring>

#include "support/persist_util.h"

using CodeFiles = ScratchDir;

TEST_F(CodeFiles, EntriesNamesBlankLinesAndMissingEnd) {
  load_codes(
      "stray line before any header\n*end\n"
      "*shader   matte  \nSurface \"matte\"\n\n  \"Kd\" [0.5]\n*end\n"
      "*shader unfinished\nSurface \"lost\"\n"
      "*shader metal\nSurface \"metal\"\n*end\n"
      "*shadow\n*end\n**end\n");
  EXPECT_EQ(code_count, 4);
  EXPECT_EQ(code_file, dir_ + "/codes.rcf");
  EXPECT_STREQ(CodeTable[1].code_name, "matte");
  ASSERT_EQ(CodeTable[1].line_count, 3);
  EXPECT_STREQ(CodeTable[1].code_lines[1], "\n");
  EXPECT_STREQ(CodeTable[1].code_lines[2], "  \"Kd\" [0.5]\n");
  EXPECT_EQ(CodeTable[2].line_count, 0);  // no "*end": stays empty
  EXPECT_STREQ(CodeTable[3].code_name, "metal");
  EXPECT_EQ(CodeTable[3].line_count, 1);
  EXPECT_STREQ(CodeTable[4].code_name, "");
  // Lines before the first header never reach the fixed entry 0.
  EXPECT_EQ(CodeTable[0].line_count, 1);
  EXPECT_STREQ(CodeTable[0].code_lines[0], "Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n");
}

TEST_F(CodeFiles, AnEmptyNameIsRefused) {
  EXPECT_EQ(stderr_of([] { EXPECT_FALSE(load_code_file("")); }), "code file: no file name\n");
}

TEST_F(CodeFiles, ParserStopsAtItsLimits) {
  std::string text;
  for (int k = 1; k <= 60; k++) text += "*shader s" + std::to_string(k) + "\nx\n*end\n";
  load_codes(text);
  EXPECT_EQ(code_count, 49);
  EXPECT_STREQ(CodeTable[49].code_name, "s49");
  EXPECT_EQ(CodeTable[49].line_count, 1);
  std::FILE* out = std::fopen("all.rcf", "wb");  // a count past the table writes what it holds
  ASSERT_TRUE(write_code_entries(CodeTable, MAX_CODES, out));
  std::fclose(out);
  EXPECT_EQ(count_of(read_file("all.rcf"), "*shader"), 49);
  // A 450-character line becomes three lines; lines past the 40th are dropped.
  text = "*shader long_entry_name_is_cut\n" + std::string(450, 'q') + "\n";
  for (int k = 0; k < 45; k++) text += "l" + std::to_string(k) + "\n";
  load_codes(text + "*end\n");
  EXPECT_EQ(code_count, 1);
  EXPECT_STREQ(CodeTable[1].code_name, "long_entry_name_is_");
  ASSERT_EQ(CodeTable[1].line_count, 40);
  EXPECT_EQ(std::strlen(CodeTable[1].code_lines[1]), 199u);
  EXPECT_EQ(std::string(CodeTable[1].code_lines[2]), std::string(52, 'q') + "\n");
  EXPECT_STREQ(CodeTable[1].code_lines[39], "l36\n");
}
