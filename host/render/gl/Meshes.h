#pragma once

#include "host/engine/Math.h"
#include "host/render/gl/Gl.h"

#include <map>
#include <string>

namespace render {

// The models a renderer draws, as vertex arrays by model name, read from "/Models/<name>.obj"
// (triangles with normals, colours from the Kd of the materials of "/Models/<name>.mtl") on
// first use. A model that is missing or cannot be read is its catalogue box, drawn in the
// missing marker's colours, and reported once.
class MeshCache {
public:
    // Vertices are position, normal and colour: nine floats.
    struct Mesh {
        GLuint vertexArray = 0;
        GLuint buffer = 0;
        GLsizei vertices = 0;
        bool missing = false;
    };

    MeshCache() = default;
    MeshCache(const MeshCache&) = delete;
    MeshCache& operator=(const MeshCache&) = delete;
    ~MeshCache();

    // `min` and `max`: the catalogue box, for the missing stand-in.
    const Mesh& get(const std::string& name, const Vector& min, const Vector& max);
    // A unit quad in the xy plane from (0, 0) to (1, 1) with texture coordinates in place of
    // the normal (decals).
    const Mesh& quad();

private:
    static Mesh upload(const float* data, size_t floats);

    std::map<std::string, Mesh> meshes;
    Mesh unitQuad;
};

} // namespace render
