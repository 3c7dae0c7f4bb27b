// The change log on a plain buffer of three pieces: changes at the first and
// last byte of a piece, close together and far apart, taken back and forth.
#include "history/change_log.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ChangeLog, ChangesAnywhereInAPieceGoBackAndForth) {
  std::vector<unsigned char> data(300, 7);
  ChangeLog log;
  log.track(data.data(), data.size(), 100);
  log.restart(nullptr);
  const std::vector<std::vector<int>> edits = {
      {0}, {99}, {100, 199}, {150, 152, 160}, {299}, {0, 50, 99, 100, 200, 299}};
  std::vector<std::vector<unsigned char>> states = {data};
  for (const auto& edit : edits) {
    for (int i : edit) data[i] = static_cast<unsigned char>(data[i] * 3 + i);
    log.record(nullptr);
    states.push_back(data);
  }
  for (size_t k = states.size() - 1; k > 0; k--) {
    ASSERT_TRUE(log.undo()) << "step " << k;
    EXPECT_EQ(data, states[k - 1]) << "after undoing step " << k;
  }
  EXPECT_FALSE(log.undo());
  for (size_t k = 1; k < states.size(); k++) {
    ASSERT_TRUE(log.redo()) << "step " << k;
    EXPECT_EQ(data, states[k]) << "after redoing step " << k;
  }
  EXPECT_FALSE(log.redo());
}
