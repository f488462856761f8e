#pragma once

// OpenGL 3.3 core through the GL vendor library (libOpenGL), whose entry points dispatch to the
// context EGL made current.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/glcorearb.h>
