// PNG files: failures that leave no file behind and the old one as it was.
// What a written picture holds is read back by the picture export tests.
#include "io/png_file.h"

#include "support/persist_util.h"

using PngFiles = ScratchDir;

TEST_F(PngFiles, FailuresLeaveNoFileAndTheOldOneAsItWas) {
  write_file("p.png", "old\n");
  const std::vector<unsigned char> rgb(3 * 3 * 2);
  // libpng refuses a picture wider than it writes; the old file stays.
  std::vector<unsigned char> wide(3 * 2000000);
  const std::string refused = stderr_of([&] {
    EXPECT_FALSE(write_png("p.png", wide.data(), 2000000, 1));
    EXPECT_FALSE(write_png("q.png", rgb.data(), 0, 2));
    EXPECT_FALSE(write_png("q.png", rgb.data(), 3, 0));
    EXPECT_FALSE(write_png("q.png", nullptr, 3, 2));
    EXPECT_FALSE(write_png("no/such/dir/q.png", rgb.data(), 3, 2));
  });
  EXPECT_TRUE(has(refused, "p.png: cannot write the picture: ")) << refused;
  EXPECT_FALSE(has(refused, "picture: \n")) << "libpng's reason is said";
  EXPECT_EQ(count_of(refused, "q.png: "), 4) << refused;
  EXPECT_EQ(read_file("p.png"), "old\n");
  int files = 0;
  for (const auto& entry : fs::directory_iterator(".")) files += entry.path().filename() != "p.png";
  EXPECT_EQ(files, 0) << "left behind besides p.png";
}
