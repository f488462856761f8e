#pragma once

#include "host/render/gl/Gl.h"

#include <string>

namespace render {

// A linked program of a vertex and a fragment shader (GLSL 3.30 core); 0, with `why`, when one
// does not compile or they do not link.
GLuint buildProgram(const char* vertex, const char* fragment, std::string* why);

} // namespace render
