// Every entry of the "i/o menu" used through the file browser: sessions
// saved and loaded back, RIB and C exports, shader code files and the home
// directory; and the exported C program compiled and started.
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "e2e/e2e_support.h"

namespace {

using e2e::App;
using e2e::slurp;

// A sphere, and a revolution with a five-point silhouette.
void build_scene(App& app) {
  app.click(app.display_win, 95, 10);
  ASSERT_TRUE(app.wait_file("backup.ses", "\nsphere \n")) << app.log();
  app.click(app.display_win, 65, 22);
  ASSERT_TRUE(app.wait_file("backup.ses", "\nrevolution \n"));
  const int points[5][2] = {{150, 60}, {180, 100}, {200, 150}, {170, 200}, {150, 250}};
  for (const auto& p : points) app.click(app.curves_win, p[0], p[1]);
}

// Replaces the proposed name in the field and confirms it with a double click.
void save_as(App& app, const std::string& name) {
  app.keys("BackSpace", 14);
  app.type(name);
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
}

TEST(Files, SessionSavedLoadedAndSavedAgainIsIdentical) {
  App app;
  ASSERT_TRUE(app.start()) << app.log();
  build_scene(app);
  app.io_menu(3);  // "save session"
  save_as(app, "myscene");
  ASSERT_TRUE(app.wait_file("myscene.ses", "\nrevolution \n"));
  std::string saved = slurp(app.path("myscene.ses"));
  EXPECT_NE(saved.find("150.00 240.00 7.50 12.00 \n"), std::string::npos);

  // The browser shows the right half in its translucent grey.
  app.io_menu(2);  // "load session", opens empty
  EXPECT_TRUE(e2e::wait_for([&] { return app.shot(app.display_win).grey(560, 250, 136); }));
  app.click(app.display_win, App::CLOSE_X, App::BUTTON_Y);

  app.misc_menu(2);  // "delete all objects"
  app.dialog_yes();
  app.click(app.display_win, 530, 188);  // "backup" shows the empty scene
  ASSERT_TRUE(app.wait_file("backup.ses", "version   1 \n  5   \n"));

  app.io_menu(2);
  app.type("myscene");
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  app.click(app.display_win, App::CLOSE_X, App::BUTTON_Y);  // a load leaves the browser open
  app.io_menu(3);
  save_as(app, "again");
  ASSERT_TRUE(app.wait_file("again.ses", "\nrevolution \n"));
  EXPECT_EQ(slurp(app.path("again.ses")), saved);
  EXPECT_TRUE(app.alive()) << app.log();
}

TEST(Files, RibAndCProgramExportedAndTheProgramRuns) {
  App app;
  ASSERT_TRUE(app.start()) << app.log();
  build_scene(app);

  app.io_menu(4);  // "save to rib", proposing "untitled.rib"
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  ASSERT_TRUE(app.wait_file("untitled.rib", "WorldEnd"));
  std::string rib = slurp(app.path("untitled.rib"));
  EXPECT_EQ(rib.rfind("##RenderMan RIB-Structure 1.0 \n", 0), 0u);
  EXPECT_NE(rib.find("## sphere \n"), std::string::npos);
  EXPECT_NE(rib.find("Sphere 10.0 -10.0 10.0 360.0 \n"), std::string::npos);
  EXPECT_NE(rib.find("## revolution \n"), std::string::npos);
  EXPECT_NE(rib.find("NuPatch 5 3 [ 0 0 0 "), std::string::npos);

  app.io_menu(5);  // "save to gl", proposing "untitled.c"
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  ASSERT_TRUE(app.wait_file("untitled.c", " }  \n"));
  std::string c = slurp(app.path("untitled.c"));
  EXPECT_NE(c.find("gluSphere(qobj,10.0,72,72); \n"), std::string::npos);
  EXPECT_NE(c.find("nurbSurfRevOpen(order,silend+1,sil);  \n"), std::string::npos);

  // Built with the command the README gives, against the shipped NURBS routines.
  std::string src = SILMOD_SOURCE_DIR;
  std::string out;
  int rc = e2e::run("cd " + app.dir + " && cc untitled.c " + src + "/src/render/nurbUtil.c -I" +
                        src + "/src/render -lglut -lGLU -lGL -lm -o scene 2>&1",
                    &out);
  ASSERT_EQ(rc, 0) << out;
  pid_t scene = app.spawn_other(app.path("scene"), "scene.log");
  std::string win = app.find_window(scene, "^ window $");
  ASSERT_FALSE(win.empty()) << slurp(app.base + "/scene.log");
  // Its grey background, and the objects drawn in the middle.
  ASSERT_TRUE(e2e::wait_for([&] {
    e2e::Image img = app.shot(win);
    return !img.empty() && img.grey(5, 5, 178) && !img.grey(img.width / 2, img.height / 2, 178);
  }));
  EXPECT_TRUE(app.alive()) << app.log();
}

TEST(Files, ShaderCodeFileFromTheHomeDirectory) {
  App app;
  ASSERT_TRUE(app.start()) << app.log();
  mkdir(app.path("lib").c_str(), 0755);
  std::ofstream(app.path("lib/shaders.rcf"))
      << "*shader matte\nSurface \"matte\" \"Kd\" [0.9]\n*end\n**end\n";

  app.io_menu(1);  // "reset home dir": the keys edit the home directory
  app.type("/lib");
  app.click(app.display_win, App::UPDIR_X, App::BUTTON_Y);  // " OK "

  app.io_menu(6);                                          // "load RIB code file"
  app.click(app.display_win, App::HOME_X, App::BUTTON_Y);  // " home " is now lib
  app.double_click(app.display_win, App::ROW_X, App::row_y(0));

  // The loaded code travels in the next session file, which the session
  // mode writes in its own directory, not in lib.
  app.io_menu(3);
  app.double_click(app.display_win, App::FIELD_X, App::FIELD_Y);
  ASSERT_TRUE(app.wait_file("untitled.ses", "*shader matte\n")) << app.log();
  EXPECT_NE(slurp(app.path("untitled.ses")).find("Surface \"matte\" \"Kd\" [0.9]\n"),
            std::string::npos);
  EXPECT_TRUE(app.alive()) << app.log();
}

}  // namespace
