#include "host/render/gl/Shader.h"

namespace render {

namespace {

GLuint compile(GLenum kind, const char* source, std::string* why) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE)
        return shader;
    char log[1024] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    *why = std::string(kind == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader: " + log;
    glDeleteShader(shader);
    return 0;
}

} // namespace

GLuint buildProgram(const char* vertex, const char* fragment, std::string* why) {
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex, why);
    if (!vs)
        return 0;
    const GLuint fs = compile(GL_FRAGMENT_SHADER, fragment, why);
    if (!fs) {
        glDeleteShader(vs);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok == GL_TRUE)
        return program;
    char log[1024] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    *why = std::string("program: ") + log;
    glDeleteProgram(program);
    return 0;
}

} // namespace render
