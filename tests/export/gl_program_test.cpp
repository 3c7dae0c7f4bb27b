#include "export/gl_program.h"

#include "export_support.h"
#include "render/nurbUtil.h"

namespace {

class GlProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    res = 10;
  }
  std::string text() { return capture(write_gl_program_text); }
};

// The lines of an object's block between its transform and glPopMatrix.
std::string geometry(const std::string& text, const std::string& name) {
  std::string b = between(text, "////////////////// " + name + " ", "glPopMatrix");
  size_t scale = b.find("glScalef");
  return scale == std::string::npos ? "(no block)" : b.substr(b.find('\n', scale) + 1);
}

}  // namespace

TEST_F(GlProgram, LightsAndTheEmptyScene) {
  std::string t = text();
  EXPECT_NE(t.find("float color[]={0.10f,0.10f,0.10f,0.00f}; \n \nglLightModelfv("),
            std::string::npos);
  EXPECT_NE(t.find("void LightSources(void) \n{ \n"
                   "float color0[]={0.60f,0.60f,0.60f,0.00f}; \n"
                   "float color1[]={0.90f,0.90f,0.90f,0.00f}; \n"
                   "float color2[]={0.70f,0.70f,0.70f,0.00f}; \n"
                   "float position0[]={-20.00f,10.00f,20.00f,0.00f}; \n"
                   "float position1[]={0.00f,20.00f,30.00f,0.00f};\n"
                   "float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
                   "glEnable(GL_LIGHT0); \nglLightfv(GL_LIGHT0, GL_POSITION,position0); \n"
                   "glLightfv(GL_LIGHT0, GL_DIFFUSE,color0); \n"
                   "glLightfv(GL_LIGHT0, GL_SPECULAR,color0);  \nglEnable(GL_LIGHT1); \n"),
            std::string::npos);
  EXPECT_NE(t.find("glLightfv(GL_LIGHT2, GL_SPECULAR,color2);  \n } \n"), std::string::npos);
  EXPECT_NE(t.find("float sil[80][2]; \n"), std::string::npos);
  EXPECT_NE(t.find("////////  \nGlobalLight();    \n LightSources();    \n glEnable(GL_LIGHTING);"),
            std::string::npos);
  EXPECT_NE(t.find("GLU_FILL); \n\n/////////////////  end of objects  //////// \nglFlush();"),
            std::string::npos);
  EXPECT_NE(t.find("}; \n int main(int argc, char **argv)  \n{  \n"), std::string::npos);

  // Lights switched off leave no trace; the others keep their GL numbers.
  light_on[0] = light_on[2] = 0;
  light_on[5] = 1;
  ObjectTable[5].position[3] = 1.0f;
  t = text();
  EXPECT_NE(t.find("{ \nGLfloat local_view[] = { 1.0f }; \nglLightModeli("), std::string::npos);
  EXPECT_EQ(t.find("GlobalLight();"), std::string::npos);
  EXPECT_EQ(count_of(t, "color1") + count_of(t, "GL_LIGHT1"), 0);
  EXPECT_NE(t.find("float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
                   "float position4[]={0.00f,30.00f,0.00f,1.00f}; \n \nglEnable(GL_LIGHT0); \n"),
            std::string::npos);
  EXPECT_NE(t.find("glLightfv(GL_LIGHT4, GL_SPECULAR,color4);  \n } \n"), std::string::npos);
}

TEST_F(GlProgram, RevolutionOfTwelvePoints) {
  res = 20;
  std::vector<std::pair<float, float>> pts;
  for (int k = 0; k < 12; k++) pts.push_back({0.5f * k, 1.0f * k});
  int i = add_object(TYPE_REVOLUTION, pts);
  ObjectTable[i].position[0] = 1.25f;
  ObjectTable[i].angles[1] = -45;
  std::string t = text();
  std::string sil;
  for (int k = 0; k < 12; k++) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%ssil[%d][0]=%.2f;sil[%d][1]=%.2f;", k == 9 ? "\n" : "", k,
                  0.5 * k, k, 1.0 * k);
    sil += buf;
  }
  EXPECT_EQ(between(t, "////////////////// revolution", "/////////////////  end"),
            "////////////////// revolution ///////////////////////////////// \n"
            "Makematerial(0.78f,0.78f,0.78f,1.00f, 0.8f);\n"
            "glPushMatrix(); \n"
            "glTranslatef( 1.2f, 0.0f, 0.0f); \n"
            "glRotatef( -45,0,1,0); \nglRotatef( 0,1,0,0); \nglRotatef( 0,0,0,1); \n"
            "glScalef( 0.20f, 0.20f, 0.20f); \n"
            "res= 20; \n" +
                sil +
                "\norder= 3; \n"
                "silend=11; \n"
                "nurbSurfRevOpen(order,silend+1,sil);  \n"
                "glPopMatrix(); \n");
}

TEST_F(GlProgram, ExtrusionsFacesAndBoxes) {
  add_object(TYPE_EXTRUSION, zigzag());
  int periodic = add_object(TYPE_EXTRUSION, zigzag(), 4, 1);
  ObjectTable[periodic].name[0] = 'P';
  int closed = add_object(TYPE_EXTRUSION, square());
  ObjectTable[closed].name[0] = 'C';
  add_object(TYPE_FFACE, zigzag());
  add_object(TYPE_BFACE, zigzag(), 3, 1);
  int box = add_object(TYPE_BOX);
  int textured = add_object(TYPE_BOX);
  ObjectTable[textured].name[0] = 'T';
  ObjectTable[textured].shine = 0.85f;
  CodeBindingTable[textured] = 2;
  add_object(TYPE_REVOLUTION, {{1, 0}, {1, 1}});  // too short for its order: left out
  (void)box;
  std::string t = text();
  std::string side = geometry(t, "extrusion");
  EXPECT_NE(side.find("order= 3; \nsilend= 4; \nnurbExtSidesOpen(order,silend+1,sil); \n"),
            std::string::npos);
  EXPECT_EQ(side.find("Cap"), std::string::npos);
  EXPECT_NE(geometry(t, "Pxtrusion")
                .find("order= 4; \nsilend= 4; \nnurbExtSidesPeriodic(order,silend+1,sil); \n"
                      "nurbCapPeriodic(order,silend+1,sil,nurbFRONT,5.0); \n"
                      "nurbCapPeriodic(order,silend+1,sil,nurbBACK,-5.0); \n"),
            std::string::npos);
  EXPECT_NE(geometry(t, "Cxtrusion")
                .find("nurbExtSidesOpen(order,silend+1,sil); \n"
                      "nurbCapOpen(order,silend+1,sil,nurbFRONT,5.0); \n"
                      "nurbCapOpen(order,silend+1,sil,nurbBACK,-5.0); \n"),
            std::string::npos);
  EXPECT_EQ(geometry(t, "fface"), "");
  EXPECT_NE(geometry(t, "bface")
                .find("order= 3; \nknots=periodic; \nsilend= 4; \n"
                      "nurbCapPeriodic(order,silend+1,sil,nurbBACK,-5.0); \n"),
            std::string::npos);
  EXPECT_EQ(geometry(t, "box"), " glTranslatef(0.0,5.0,0.0); \nglutSolidCube(10.0); \n");
  EXPECT_EQ(geometry(t, "Tox"), " glTranslatef(0.0,5.0,0.0); \ntexCube(10.0); \n");
  EXPECT_NE(t.find("Makematerial(0.78f,0.78f,0.78f,1.00f, 0.9f);"), std::string::npos);
  EXPECT_EQ(geometry(t, "revolution"), "(no block)");
  EXPECT_EQ(count_of(t, "glPushMatrix"), 7);
}
