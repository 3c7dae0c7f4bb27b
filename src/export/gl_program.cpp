// The exported program is plain C for OpenGL, GLU and GLUT. Its fixed parts
// are written as they stand, spacing included; the NURBS objects call the
// routines declared in nurbUtil.h, the modeller's own.
#include "export/gl_program.h"

#include <cstring>

#include "app/scene.h"
#include "export/export_common.h"
#include "io/file_util.h"
#include "render/nurbUtil.h"

namespace {

const char* const HEAD =
    "#include <stdlib.h>  \n"
    "#include <GL/glut.h> \n"
    "#include <math.h>  \n"
    "#include \"nurbUtil.h\" \n"
    "float latitude=45.0,longitude=45.0,r=24;  \n"
    "//////////////// eye movement procedures  /////////////////////   \n"
    "void DeltaLatitude(int key,int x, int y)  \n"
    "{                                         \n"
    "if (key == GLUT_KEY_UP) latitude +=5.0;   \n"
    "if (key ==GLUT_KEY_LEFT) longitude -=5.0; \n"
    "if (key ==GLUT_KEY_RIGHT) longitude +=5.0;\n"
    "if (key ==GLUT_KEY_DOWN)  latitude -=5.0; \n"
    "glutPostRedisplay();                         \n"
    "}                                        \n \n"
    "void DeltaDistance(unsigned char key,int x, int y)  \n"
    "{                                                       \n"
    "if (key == '.') r +=1.0;        \n"
    "if (key =='/')  r -=1.0;                           \n"
    "glutPostRedisplay();                       \n"
    "}                                         \n \n"
    "void Sph2Rect(float r,float latitude,float longitude,float rect[3])  \n"
    "{                                 \n"
    "\tfloat phir,thetar;               \n"
    "\tthetar=longitude*3.1415/180;        \n"
    "\tphir=latitude*3.1415/180;          \n"
    "\trect[0]=r*sin(thetar)*cos(phir);  \n"
    "\trect[1]=r*sin(phir);              \n"
    "\trect[2]=r*cos(phir)*cos(thetar);   \n"
    "}                                     \n  \n"
    "//////////////// end eye movement procedures  /////////////////////   \n";

const char* const MATERIAL_AND_RESHAPE =
    "void Makematerial( float r,float g,float b,float a,float s )  \n"
    "{   \n"
    "float color[4];  \n"
    "float white[4]; \n"
    "GLfloat surfshine[1] ; \n"
    "surfshine[0]=s*128.0 ; \n"
    "color[0]=r;color[1]=g;color[2]=b;color[3]=a;  \n"
    "white[0]=0.5;white[1]=0.5;white[2]=0.5;white[3]=1.0;   \n"
    "glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT,color);  \n"
    "glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE,color);  \n"
    "glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR,white); \n"
    "glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS,surfshine); \n"
    "}  \n"
    "void reshape(int w, int h)  \n"
    "{  \n"
    "GLfloat fAspect;  \n"
    " glMatrixMode(GL_PROJECTION);  \n"
    "glLoadIdentity();  \n"
    "fAspect = (GLfloat)w/(GLfloat)h;  \n"
    "gluPerspective(30.0f, fAspect, 2.0 , 200.0);  \n"
    "glViewport(0,0, w ,h);  \n"
    "}  \n";

// A silhouette has room for MAX_SIL_POINTS points, and so has this array.
const char* const DISPLAY_DECLARATIONS =
    "void  display(void) {  \n"
    "float eye[3]; \n"
    "int order; \n"
    "enum knottype knots; \n"
    "int silend;  \n"
    "float sil[80][2]; \n"
    "GLUquadricObj *qobj; \n"
    "\n"
    "//////////////// initialize buffers ////////  \n"
    "glClearColor(0.7f,0.7f,0.7f,1.0f);  \n"
    "glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  \n"
    "glEnable(GL_DEPTH_TEST); \n"
    "\n"
    "//////////////// lighting ////////  \n";

const char* const DISPLAY_SETUP =
    "LightSources();    \n "
    "glEnable(GL_LIGHTING);  \n"
    "glLightModeli(GL_LIGHT_MODEL_TWO_SIDE,GL_TRUE);  \n"
    "\n"
    "//////////////// initialize model view matrix ////////  \n"
    "glMatrixMode(GL_MODELVIEW);   \n"
    "glLoadIdentity();  \n"
    "Sph2Rect(r,latitude,longitude,eye);  \n"
    "gluLookAt(eye[0],eye[1],eye[2],0.0,0.0,0.0,0.0,1.0,0.0); \n"
    "\n"
    "qobj = gluNewQuadric(); \n"
    "glEnable(GL_NORMALIZE); \n"
    "gluQuadricNormals(qobj,GLU_SMOOTH); \n"
    "gluQuadricDrawStyle(qobj,GLU_FILL); \n"
    "\n";

// main has its return type: current compilers reject an implicit int.
const char* const TAIL =
    "/////////////////  end of objects  //////// \n"
    "glFlush();  \n"
    "glutSwapBuffers();  \n"
    "}; \n "
    "int main(int argc, char **argv)  \n"
    "{  \n"
    "\t  glutInit(&argc, argv);  \n"
    "    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA | GLUT_DEPTH);  \n"
    "    glutInitWindowSize(400,400);  \n"
    "    glutCreateWindow(\" window \");  \n"
    "    glutReshapeFunc(reshape);  \n"
    "    glutDisplayFunc(display);  \n"
    "\tglutKeyboardFunc(DeltaDistance);  \n"
    "\tglutSpecialFunc(DeltaLatitude);  \n"
    "  \tglutMainLoop();  \n"
    "\treturn 0;  \n"
    " }  \n";

void write_global_light(FILE* out) {
  std::fputs("void GlobalLight(void) \n{ \nGLfloat local_view[] = { 1.0f }; \n", out);
  if (light_on[0] != 0) {
    const float* c = ObjectTable[0].color;
    std::fprintf(out, "float color[]={%3.2ff,%3.2ff,%3.2ff,%3.2ff}; \n \n", c[0], c[1], c[2], c[3]);
    std::fputs("glLightModelfv(GL_LIGHT_MODEL_AMBIENT,color); \n", out);
  }
  std::fputs("glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE); \n} \n", out);
}

// GL light k always belongs to record k + 1, whichever lights are off.
void write_light_sources(FILE* out) {
  std::fputs("void LightSources(void) \n{ \n", out);
  for (int k = 0; k < 5; k++) {
    if (light_on[k + 1] == 0) continue;
    const float* c = ObjectTable[k + 1].color;
    std::fprintf(out, "float color%d[]={%3.2ff,%3.2ff,%3.2ff,%3.2ff}; \n", k, c[0], c[1], c[2],
                 c[3]);
  }
  for (int k = 0; k < 5; k++) {
    if (light_on[k + 1] == 0) continue;
    const float* p = ObjectTable[k + 1].position;
    const char* end = k == 1 ? "\n" : k == 4 ? " \n \n" : " \n";
    std::fprintf(out, "float position%d[]={%3.2ff,%3.2ff,%3.2ff,%3.2ff};%s", k, p[0], p[1], p[2],
                 p[3], end);
  }
  for (int k = 0; k < 5; k++) {
    if (light_on[k + 1] == 0) continue;
    std::fprintf(out, "glEnable(GL_LIGHT%d); \n", k);
    std::fprintf(out, "glLightfv(GL_LIGHT%d, GL_POSITION,position%d); \n", k, k);
    std::fprintf(out, "glLightfv(GL_LIGHT%d, GL_DIFFUSE,color%d); \n", k, k);
    std::fprintf(out, "glLightfv(GL_LIGHT%d, GL_SPECULAR,color%d);  \n", k, k);
  }
  std::fputs(" } \n", out);
}

void write_silhouette_lines(FILE* out, const ObjectRecord& rec) {
  std::fprintf(out, "res= %2d; \n", res);
  for (int k = 0; k <= rec.silend; k++) {
    if (k % 10 == 9) std::fputs("\n", out);
    std::fprintf(out, "sil[%d][0]=%3.2f;", k, rec.sil[k][0]);
    std::fprintf(out, "sil[%d][1]=%3.2f;", k, rec.sil[k][1]);
  }
  std::fprintf(out, "\norder=%2d; \n", rec.order);
}

void write_silend(FILE* out, const ObjectRecord& rec) {
  std::fprintf(out, "silend=%2d; \n", rec.silend);
}

void write_cap_call(FILE* out, bool periodic, bool front) {
  std::fputs(periodic ? "nurbCapPeriodic" : "nurbCapOpen", out);
  std::fputs(
      front ? "(order,silend+1,sil,nurbFRONT,5.0); \n" : "(order,silend+1,sil,nurbBACK,-5.0); \n",
      out);
}

void write_geometry(FILE* out, int i) {
  const ObjectRecord& rec = ObjectTable[i];
  const bool periodic = rec.knots == 1;
  const bool capped = periodic || silhouette_closed(rec);
  switch (rec.surfacetype) {
    case TYPE_BOX:
      std::fputs(" glTranslatef(0.0,5.0,0.0); \n", out);
      std::fputs(CodeBindingTable[i] == 0 ? "glutSolidCube(10.0); \n" : "texCube(10.0); \n", out);
      break;
    case TYPE_SPHERE:
      std::fputs("gluSphere(qobj,10.0,72,72); \n", out);
      break;
    case TYPE_CYLINDER:
      std::fputs("gluDisk(qobj,0.0,5.0,36,2); \n", out);
      std::fputs("gluCylinder(qobj,5.0,5.0,10.0,36,2); \n", out);
      std::fputs("glTranslatef(0.0,0.0,10.0); \n", out);
      std::fputs("gluDisk(qobj,0.0,5.0,36,2); \n", out);
      break;
    case TYPE_CONE:
      std::fputs("gluCylinder(qobj,0.0,5.0,12,36,2); \n", out);
      break;
    case TYPE_REVOLUTION:
      write_silhouette_lines(out, rec);
      write_silend(out, rec);
      std::fputs(periodic ? "nurbSolidSurfRevPeriodic(order,silend+1,sil);  \n"
                          : "nurbSurfRevOpen(order,silend+1,sil);  \n",
                 out);
      break;
    case TYPE_EXTRUSION:
    case TYPE_OPENEXT:
      write_silhouette_lines(out, rec);
      write_silend(out, rec);
      std::fputs(periodic ? "nurbExtSidesPeriodic(order,silend+1,sil); \n"
                          : "nurbExtSidesOpen(order,silend+1,sil); \n",
                 out);
      if (rec.surfacetype == TYPE_EXTRUSION && capped) {
        write_cap_call(out, periodic, true);
        write_cap_call(out, periodic, false);
      }
      break;
    case TYPE_FFACE:
    case TYPE_BFACE:
      if (!capped) break;
      write_silhouette_lines(out, rec);
      std::fputs(periodic ? "knots=periodic; \n" : "knots=openknot; \n", out);
      write_silend(out, rec);
      write_cap_call(out, periodic, rec.surfacetype == TYPE_FFACE);
      break;
    default:
      break;
  }
}

void write_object(FILE* out, int i) {
  const ObjectRecord& rec = ObjectTable[i];
  // The modeller draws nothing for a silhouette too short for its order;
  // the exported program leaves it out rather than hand it to GLU.
  if (is_silhouette_type(rec.surfacetype) && !silhouette_usable(rec)) return;
  std::fputs("////////////////// ", out);
  std::fwrite(rec.name, 1, strnlen(rec.name, NAME_SIZE), out);
  std::fputs(" ///////////////////////////////// \n", out);
  std::fprintf(out, "Makematerial(%3.2ff,%3.2ff,%3.2ff,%3.2ff,%4.1ff);\n", rec.color[0],
               rec.color[1], rec.color[2], rec.color[3], rec.shine);
  std::fputs("glPushMatrix(); \n", out);
  std::fprintf(out, "glTranslatef( %3.1ff, %3.1ff, %3.1ff); \n", rec.position[0], rec.position[1],
               rec.position[2]);
  std::fprintf(out, "glRotatef( %d,0,1,0); \n", rec.angles[1]);
  std::fprintf(out, "glRotatef( %d,1,0,0); \n", rec.angles[0]);
  std::fprintf(out, "glRotatef( %d,0,0,1); \n", rec.angles[2]);
  std::fprintf(out, "glScalef( %3.2ff, %3.2ff, %3.2ff); \n", rec.scales[0], rec.scales[1],
               rec.scales[2]);
  write_geometry(out, i);
  std::fputs("glPopMatrix(); \n", out);
}

}  // namespace

void write_gl_program_text(FILE* out) {
  std::fputs(HEAD, out);
  write_global_light(out);
  write_light_sources(out);
  std::fputs(MATERIAL_AND_RESHAPE, out);
  std::fputs(DISPLAY_DECLARATIONS, out);
  if (light_on[0] != 0) std::fputs("GlobalLight();    \n ", out);
  std::fputs(DISPLAY_SETUP, out);
  for (int i = FIRST_OBJECT; i <= last_record && i < MAX_RECORDS; i++) write_object(out, i);
  std::fputs(TAIL, out);
}

bool write_gl_program(const char* file_name) {
  return replace_file(file_name, write_gl_program_text);
}
