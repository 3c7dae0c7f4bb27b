#include "export/gl_program.h"

#include "render/nurbUtil.h"
#include "support/persist_util.h"

using GlProgram = ScratchDir;

static std::string program() {
  EXPECT_TRUE(write_gl_program("t.c"));
  return read_file("t.c");
}

TEST_F(GlProgram, LightsAndTheEmptyScene) {
  std::string t = program();
  for (const char* part :
       {"float color[]={0.10f,0.10f,0.10f,0.00f}; \n \nglLightModelfv(",
        "float color2[]={0.70f,0.70f,0.70f,0.00f}; \n"
        "float position0[]={-20.00f,10.00f,20.00f,0.00f}; \n"
        "float position1[]={0.00f,20.00f,30.00f,0.00f};\n"
        "float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
        "glEnable(GL_LIGHT0); \nglLightfv(GL_LIGHT0, GL_POSITION,position0); \n"
        "glLightfv(GL_LIGHT0, GL_DIFFUSE,color0); \n"
        "glLightfv(GL_LIGHT0, GL_SPECULAR,color0);  \nglEnable(GL_LIGHT1); \n",
        "glLightfv(GL_LIGHT2, GL_SPECULAR,color2);  \n } \n", "float sil[80][2]; \n",
        "////////  \nGlobalLight();    \n LightSources();    \n glEnable(GL_LIGHTING);",
        "GLU_FILL); \n\n/////////////////  end of objects  //////// \nglFlush();",
        "}; \n int main(int argc, char **argv)  \n{  \n"})
    EXPECT_TRUE(has(t, part)) << part;
  // Lights switched off leave no trace; the others keep their GL numbers.
  light_on[0] = light_on[2] = 0;
  light_on[5] = 1, ObjectTable[5].position[3] = 1.0f;
  t = program();
  EXPECT_TRUE(has(t, "{ \nGLfloat local_view[] = { 1.0f }; \nglLightModeli("));
  EXPECT_EQ(count_of(t, "GlobalLight();") + count_of(t, "color1") + count_of(t, "GL_LIGHT1"), 0);
  EXPECT_TRUE(has(t,
                  "float position2[]={20.00f,10.00f,20.00f,0.00f}; \n"
                  "float position4[]={0.00f,30.00f,0.00f,1.00f}; \n \nglEnable(GL_LIGHT0); \n"));
  EXPECT_TRUE(has(t, "glLightfv(GL_LIGHT4, GL_SPECULAR,color4);  \n } \n"));
}

// The lines of an object's block between its scale and glPopMatrix.
static std::string geometry(const std::string& text, const std::string& name) {
  const size_t at = text.find("////////////////// " + name + " ");
  if (at == std::string::npos) return "(no block)";
  const size_t from = text.find('\n', text.find("glScalef", at)) + 1;
  return text.substr(from, text.find("glPopMatrix", from) - from);
}

TEST_F(GlProgram, ObjectBlocks) {
  ObjectTable[add_object(TYPE_REVOLUTION, {{1, 0}, {1, 1}})].name[0] = 'S';  // too short
  add_object(TYPE_EXTRUSION, ZIGZAG);
  ObjectTable[add_object(TYPE_EXTRUSION, ZIGZAG, 4, 1)].name[0] = 'P';
  ObjectTable[add_object(TYPE_EXTRUSION, SQUARE)].name[0] = 'C';
  add_object(TYPE_FFACE, ZIGZAG);
  add_object(TYPE_BFACE, ZIGZAG, 3, 1);
  add_object(TYPE_BOX);
  ObjectTable[add_object(TYPE_BOX)].name[0] = 'T';
  CodeBindingTable[last_record] = 2;
  res = 20;
  Points pts;
  for (int k = 0; k < 12; k++) pts.push_back({0.5f * k, 1.0f * k});
  ObjectRecord& r = ObjectTable[add_object(TYPE_REVOLUTION, pts)];
  r.position[0] = 1.25f, r.angles[1] = -45;
  const std::string t = program();
  EXPECT_EQ(geometry(t, "Sevolution"), "(no block)");
  const std::string open = geometry(t, "extrusion");
  EXPECT_EQ(open.substr(open.find("order")),
            "order= 3; \nsilend= 4; \nnurbExtSidesOpen(order,silend+1,sil); \n");  // no caps
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
  // The whole block of a twelve-point revolution, silhouette lines and all.
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
