#include "export/gl_program.h"

#include "export_support.h"
#include "render/nurbUtil.h"

using GlProgram = FreshScene;

static std::string program() { return capture(write_gl_program_text); }

// The lines of an object's block between its scale and glPopMatrix.
static std::string geometry(const std::string& text, const std::string& name) {
  const size_t at = text.find("////////////////// " + name + " ");
  if (at == std::string::npos) return "(no block)";
  const size_t from = text.find('\n', text.find("glScalef", at)) + 1;
  return text.substr(from, text.find("glPopMatrix", from) - from);
}

TEST_F(GlProgram, LightsAndTheEmptyScene) {
  std::string t = program();
  EXPECT_TRUE(has(t, "float color[]={0.10f,0.10f,0.10f,0.00f}; \n \nglLightModelfv("));
  EXPECT_TRUE(has(t,
                  "void LightSources(void) \n{ \n"
                  "float color0[]={0.60f,0.60f,0.60f,0.00f}; \n"
                  "float color1[]={0.90f,0.90f,0.90f,0.00f}; \n"
                  "float color2[]={0.70f,0.70f,0.70f,0.00f}; \n"
                  "float position0[]={-20.00f,10.00f,20.00f,0.00f}; \n"
                  "float position1[]={0.00f,20.00f,30.00f,0.00f};\n"
                  "float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
                  "glEnable(GL_LIGHT0); \nglLightfv(GL_LIGHT0, GL_POSITION,position0); \n"
                  "glLightfv(GL_LIGHT0, GL_DIFFUSE,color0); \n"
                  "glLightfv(GL_LIGHT0, GL_SPECULAR,color0);  \nglEnable(GL_LIGHT1); \n"));
  EXPECT_TRUE(has(t, "glLightfv(GL_LIGHT2, GL_SPECULAR,color2);  \n } \n"));
  EXPECT_TRUE(has(t, "float sil[80][2]; \n"));
  EXPECT_TRUE(
      has(t, "////////  \nGlobalLight();    \n LightSources();    \n glEnable(GL_LIGHTING);"));
  EXPECT_TRUE(has(t, "GLU_FILL); \n\n/////////////////  end of objects  //////// \nglFlush();"));
  EXPECT_TRUE(has(t, "}; \n int main(int argc, char **argv)  \n{  \n"));

  // Lights switched off leave no trace; the others keep their GL numbers.
  light_on[0] = light_on[2] = 0;
  light_on[5] = 1;
  ObjectTable[5].position[3] = 1.0f;
  t = program();
  EXPECT_TRUE(has(t, "{ \nGLfloat local_view[] = { 1.0f }; \nglLightModeli("));
  EXPECT_FALSE(has(t, "GlobalLight();"));
  EXPECT_EQ(count_of(t, "color1") + count_of(t, "GL_LIGHT1"), 0);
  EXPECT_TRUE(has(t,
                  "float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
                  "float position4[]={0.00f,30.00f,0.00f,1.00f}; \n \nglEnable(GL_LIGHT0); \n"));
  EXPECT_TRUE(has(t, "glLightfv(GL_LIGHT4, GL_SPECULAR,color4);  \n } \n"));
}

TEST_F(GlProgram, RevolutionOfTwelvePoints) {
  res = 20;
  Points pts;
  for (int k = 0; k < 12; k++) pts.push_back({0.5f * k, 1.0f * k});
  const int i = add_object(TYPE_REVOLUTION, pts);
  ObjectTable[i].position[0] = 1.25f;
  ObjectTable[i].angles[1] = -45;
  const std::string t = program();
  const size_t at = t.find("////////////////// revolution");
  EXPECT_EQ(t.substr(at, t.find("/////////////////  end") - at),
            "////////////////// revolution ///////////////////////////////// \n"
            "Makematerial(0.78f,0.78f,0.78f,1.00f, 0.8f);\nglPushMatrix(); \n"
            "glTranslatef( 1.2f, 0.0f, 0.0f); \n"
            "glRotatef( -45,0,1,0); \nglRotatef( 0,1,0,0); \nglRotatef( 0,0,0,1); \n"
            "glScalef( 0.20f, 0.20f, 0.20f); \nres= 20; \n"
            "sil[0][0]=0.00;sil[0][1]=0.00;sil[1][0]=0.50;sil[1][1]=1.00;sil[2][0]=1.00;"
            "sil[2][1]=2.00;sil[3][0]=1.50;sil[3][1]=3.00;sil[4][0]=2.00;sil[4][1]=4.00;"
            "sil[5][0]=2.50;sil[5][1]=5.00;sil[6][0]=3.00;sil[6][1]=6.00;sil[7][0]=3.50;"
            "sil[7][1]=7.00;sil[8][0]=4.00;sil[8][1]=8.00;\nsil[9][0]=4.50;sil[9][1]=9.00;"
            "sil[10][0]=5.00;sil[10][1]=10.00;sil[11][0]=5.50;sil[11][1]=11.00;\n"
            "order= 3; \nsilend=11; \nnurbSurfRevOpen(order,silend+1,sil);  \nglPopMatrix(); \n");
}

TEST_F(GlProgram, ExtrusionsFacesAndBoxes) {
  add_object(TYPE_EXTRUSION, zigzag());
  ObjectTable[add_object(TYPE_EXTRUSION, zigzag(), 4, 1)].name[0] = 'P';
  ObjectTable[add_object(TYPE_EXTRUSION, square())].name[0] = 'C';
  add_object(TYPE_FFACE, zigzag());
  add_object(TYPE_BFACE, zigzag(), 3, 1);
  add_object(TYPE_BOX);
  const int textured = add_object(TYPE_BOX);
  ObjectTable[textured].name[0] = 'T';
  ObjectTable[textured].shine = 0.85f;
  CodeBindingTable[textured] = 2;
  add_object(TYPE_REVOLUTION, {{1, 0}, {1, 1}});  // too short for its order: left out
  const std::string t = program();
  EXPECT_TRUE(has(geometry(t, "extrusion"),
                  "order= 3; \nsilend= 4; \nnurbExtSidesOpen(order,silend+1,sil); \n"));
  EXPECT_FALSE(has(geometry(t, "extrusion"), "Cap"));
  EXPECT_TRUE(has(geometry(t, "Pxtrusion"),
                  "order= 4; \nsilend= 4; \nnurbExtSidesPeriodic(order,silend+1,sil); \n"
                  "nurbCapPeriodic(order,silend+1,sil,nurbFRONT,5.0); \n"
                  "nurbCapPeriodic(order,silend+1,sil,nurbBACK,-5.0); \n"));
  EXPECT_TRUE(has(geometry(t, "Cxtrusion"),
                  "nurbExtSidesOpen(order,silend+1,sil); \n"
                  "nurbCapOpen(order,silend+1,sil,nurbFRONT,5.0); \n"
                  "nurbCapOpen(order,silend+1,sil,nurbBACK,-5.0); \n"));
  EXPECT_EQ(geometry(t, "fface"), "");
  EXPECT_TRUE(has(geometry(t, "bface"),
                  "order= 3; \nknots=periodic; \nsilend= 4; \n"
                  "nurbCapPeriodic(order,silend+1,sil,nurbBACK,-5.0); \n"));
  EXPECT_EQ(geometry(t, "box"), " glTranslatef(0.0,5.0,0.0); \nglutSolidCube(10.0); \n");
  EXPECT_EQ(geometry(t, "Tox"), " glTranslatef(0.0,5.0,0.0); \ntexCube(10.0); \n");
  EXPECT_TRUE(has(t, "Makematerial(0.78f,0.78f,0.78f,1.00f, 0.9f);"));
  EXPECT_EQ(geometry(t, "revolution"), "(no block)");
}
