// silmod used through its windows: objects from the object panel, a
// silhouette drawn in the "curves" window, the backups they leave, sessions
// saved and loaded back and the exports, all through the file browser.
#include <string>

#include "e2e/e2e_support.h"

namespace {

using e2e::App;
using e2e::slurp;

// Line k after the last line "name " in a session text.
std::string record_line(const std::string& text, const std::string& name, int k) {
  size_t at = text.rfind("\n" + name + " \n");
  if (at == std::string::npos) return "";
  for (int i = 0; i <= k; i++) at = text.find('\n', at + 1);
  return text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

// "sph", then "rev" with five points clicked in the "curves" window.
void build_scene(App& app) {
  app.click(app.display_win, 95, 10);
  ASSERT_TRUE(app.wait_file("backup.ses", "\nsphere \n")) << app.log();
  app.click(app.display_win, 65, 22);
  ASSERT_TRUE(app.wait_file("backup.ses", "\nrevolution \n"));
  const int points[5][2] = {{151, 58}, {180, 100}, {203, 150}, {170, 196}, {150, 250}};
  for (const auto& p : points) app.click(app.curves_win, p[0], p[1]);
}

// Replaces the proposed name in the field and confirms it with a double click.
void save_as(App& app, const std::string& name) {
  app.backspaces(14);
  app.type(name);
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
}

TEST(EndToEnd, SceneBuiltSavedDeletedLoadedAndSavedAgain) {
  App app;
  ASSERT_TRUE(app.start(true)) << app.log();  // GLUT's -display option, no DISPLAY
  build_scene(app);
  app.click(app.display_win, 530, 188);  // "backup" in the lights panel
  ASSERT_TRUE(app.wait_file("backup.ses", "150.00 50.00 7.50 2.50 \n"));
  std::string backup = slurp(app.path("backup.ses"));
  EXPECT_EQ(record_line(backup, "sphere", 6), " 1     ");           // type code
  EXPECT_EQ(record_line(backup, "revolution", 8), " 4          ");  // last point index
  // Snapped to the 10-pixel grid, y up from the bottom of the 300-pixel window.
  const char* expected[5] = {"150.00 240.00 7.50 12.00 ", "180.00 200.00 9.00 10.00 ",
                             "200.00 150.00 10.00 7.50 ", "170.00 100.00 8.50 5.00 ",
                             "150.00 50.00 7.50 2.50 "};
  for (int k = 0; k < 5; k++) EXPECT_EQ(record_line(backup, "revolution", 9 + k), expected[k]);

  e2e::Image img = app.shot(app.display_win);
  EXPECT_TRUE(img.grey(380, 440, 178));     // the 3D view's background
  EXPECT_TRUE(img.grey(150, 190, 138));     // the object panel over it
  EXPECT_TRUE(img.grey(590, 480, 153, 6));  // the object list

  app.io_menu(3);  // "save session"
  save_as(app, "myscene");
  ASSERT_TRUE(app.wait_file("myscene.ses", "\nrevolution \n"));
  const std::string saved = slurp(app.path("myscene.ses"));

  app.io_menu(2);  // "load session": the browser covers the right half
  EXPECT_TRUE(e2e::wait_for([&] { return app.shot(app.display_win).grey(560, 250, 136); }));
  app.click(app.display_win, App::CLOSE_X, App::BUTTON_Y);
  app.misc_menu(2);  // "delete all objects"
  app.dialog_yes();
  app.click(app.display_win, 530, 188);
  ASSERT_TRUE(app.wait_file("backup.ses", "version   1 \n  5   \n"));

  app.io_menu(2);
  app.type("myscene");
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  app.click(app.display_win, App::CLOSE_X, App::BUTTON_Y);  // a load leaves the browser open
  app.io_menu(3);
  save_as(app, "again");
  ASSERT_TRUE(app.wait_file("again.ses", "\nrevolution \n"));
  EXPECT_EQ(slurp(app.path("again.ses")), saved);
  EXPECT_TRUE(app.silmod.alive()) << app.log();
}

TEST(EndToEnd, RibAndCProgramExportedAndTheProgramRuns) {
  App app;
  ASSERT_TRUE(app.start()) << app.log();
  build_scene(app);

  app.io_menu(4);  // "save to rib", proposing "untitled.rib"
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  ASSERT_TRUE(app.wait_file("untitled.rib", "WorldEnd"));
  std::string rib = slurp(app.path("untitled.rib"));
  EXPECT_EQ(rib.rfind("##RenderMan RIB-Structure 1.0 \n", 0), 0u);
  EXPECT_NE(rib.find("## sphere \n"), std::string::npos);
  EXPECT_NE(rib.find("NuPatch 5 3 [ 0 0 0 "), std::string::npos);

  app.io_menu(5);  // "save to gl", proposing "untitled.c"
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  ASSERT_TRUE(app.wait_file("untitled.c", " }  \n"));
  EXPECT_NE(slurp(app.path("untitled.c")).find("nurbSurfRevOpen(order,silend+1,sil);  \n"),
            std::string::npos);

  // Built with the command the README gives, against the shipped NURBS routines.
  std::string src = SILMOD_SOURCE_DIR, out;
  ASSERT_EQ(e2e::run("cd " + app.dir + " && cc untitled.c " + src + "/src/render/nurbUtil.c -I" +
                         src + "/src/render -lglut -lGLU -lGL -lm -o scene 2>&1",
                     &out),
            0)
      << out;
  ASSERT_TRUE(app.other.start("cd " + app.dir + " && exec ./scene >scene.log 2>&1"));
  std::string win = app.find_window(app.other.pid, "^ window $");
  ASSERT_FALSE(win.empty()) << slurp(app.path("scene.log"));
  // Its grey background, and the objects drawn in the middle.
  EXPECT_TRUE(e2e::wait_for([&] {
    e2e::Image img = app.shot(win);
    return img.grey(5, 5, 178) && !img.grey(img.width / 2, img.height / 2, 178);
  }));
  EXPECT_TRUE(app.silmod.alive()) << app.log();
}

}  // namespace
