// Building a scene with the mouse: objects from the object panel, a
// silhouette drawn in the "curves" window, the backups they leave behind,
// and what the "display" window shows.
#include <string>
#include <vector>

#include "e2e/e2e_support.h"

namespace {

using e2e::App;
using e2e::slurp;

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The lines of the last record block that starts with the given name line.
std::vector<std::string> last_block(const std::string& text, const std::string& name) {
  std::vector<std::string> lines = lines_of(text);
  for (size_t i = lines.size(); i-- > 0;)
    if (lines[i] == name + " ") return std::vector<std::string>(lines.begin() + i, lines.end());
  return {};
}

TEST(Modelling, ObjectsAndSilhouetteReachTheBackupAndTheScreen) {
  App app;
  ASSERT_TRUE(app.start()) << app.log();

  app.click(app.display_win, 95, 10);  // "sph"
  ASSERT_TRUE(app.wait_file("backup.ses", "\nsphere \n")) << app.log();
  std::string backup = slurp(app.path("backup.ses"));
  EXPECT_EQ(lines_of(backup)[1], "  6   ");  // one object after the six light records
  std::vector<std::string> sphere = last_block(backup, "sphere");
  ASSERT_GE(sphere.size(), 10u);
  EXPECT_EQ(sphere[7], " 1     ");  // type code of a sphere

  app.click(app.display_win, 65, 22);  // "rev": a revolution, and the "curves" window comes up
  ASSERT_TRUE(app.wait_file("backup.ses", "\nrevolution \n"));
  // Five points in the curves window; each snaps to the 10-pixel grid,
  // y counted up from the bottom edge of the 300-pixel window.
  const int points[5][2] = {{151, 58}, {180, 100}, {203, 150}, {170, 196}, {150, 250}};
  for (const auto& p : points) app.click(app.curves_win, p[0], p[1]);
  app.click(app.display_win, 530, 188);  // "backup" in the lights panel
  ASSERT_TRUE(app.wait_file("backup.ses", "150.00 50.00 7.50 2.50 \n"));
  std::vector<std::string> rev = last_block(slurp(app.path("backup.ses")), "revolution");
  ASSERT_EQ(rev.size(), 16u);  // name, nine value lines, five points, the end line
  EXPECT_EQ(rev[7], " 4     ");
  EXPECT_EQ(rev[9], " 4          ");  // last point index
  const char* expected[5] = {"150.00 240.00 7.50 12.00 ", "180.00 200.00 9.00 10.00 ",
                             "200.00 150.00 10.00 7.50 ", "170.00 100.00 8.50 5.00 ",
                             "150.00 50.00 7.50 2.50 "};
  for (int k = 0; k < 5; k++) EXPECT_EQ(rev[10 + k], expected[k]);

  e2e::Image img = app.shot(app.display_win);
  ASSERT_FALSE(img.empty());
  EXPECT_TRUE(img.grey(380, 440, 178));  // the 3D view's grey background
  EXPECT_TRUE(img.grey(560, 250, 178));
  EXPECT_TRUE(img.grey(150, 190, 138));     // the object panel over it
  EXPECT_TRUE(img.grey(590, 480, 153, 6));  // the object list
  EXPECT_TRUE(app.alive()) << app.log();
}

}  // namespace
