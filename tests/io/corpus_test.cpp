// The fuzz targets' seed corpus, replayed through the same property checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_checks.h"

namespace fs = std::filesystem;

using Check = std::string (*)(const std::uint8_t*, std::size_t);

static void replay(const char* folder, Check check) {
  const fs::path dir = fs::path(SILMOD_SOURCE_DIR) / "tests/io/corpus" / folder;
  int inputs = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string data(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(check(reinterpret_cast<const std::uint8_t*>(data.data()), data.size()), "")
        << entry.path().filename();
    inputs++;
  }
  EXPECT_GT(inputs, 5) << dir;
}

TEST(Corpus, SessionsLoadWholeOrNotAtAllAndSaveStably) { replay("session", check_session_input); }

TEST(Corpus, CodeFilesReadBackAsWritten) { replay("code", check_code_input); }
