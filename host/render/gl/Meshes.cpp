#include "host/render/gl/Meshes.h"
#include "host/render/gl/Assets.h"

#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>

#include <vector>

namespace render {

namespace {

void push(std::vector<float>& out, const Vector& p, const Vector& n, const Vector& c) {
    out.insert(out.end(), {p.x, p.y, p.z, n.x, n.y, n.z, c.x, c.y, c.z});
}

// The catalogue box of a missing model; the shader paints it with the marker's checker.
std::vector<float> boxMesh(const Vector& min, const Vector& max) {
    std::vector<float> out;
    const Vector magenta(1, 0, 1);
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            Vector normal;
            normal[axis] = side ? 1.0f : -1.0f;
            const int a = (axis + 1) % 3, b = (axis + 2) % 3;
            Vector corners[4];
            for (int k = 0; k < 4; ++k) {
                Vector& p = corners[k];
                p[axis] = side ? max[axis] : min[axis];
                p[a] = (k & 1) ? max[a] : min[a];
                p[b] = (k & 2) ? max[b] : min[b];
            }
            for (int index : {0, 1, 3, 0, 3, 2})
                push(out, corners[index], normal, magenta);
        }
    return out;
}

bool readObj(const std::string& name, std::vector<float>* out, std::string* why) {
    const std::string base = "/Models/" + name;
    std::string obj, mtl, mtlWhy;
    if (!readGameFile(base + ".obj", &obj, why))
        return false;
    readGameFile(base + ".mtl", &mtl, &mtlWhy); // no materials: grey
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromString(obj, mtl, config)) {
        *why = "cannot read: " + reader.Error();
        return false;
    }
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const auto& materials = reader.GetMaterials();
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        const auto& indices = shape.mesh.indices;
        for (size_t face = 0; face * 3 + 2 < indices.size(); ++face) {
            const int material =
                face < shape.mesh.material_ids.size() ? shape.mesh.material_ids[face] : -1;
            Vector colour(0.7f, 0.7f, 0.7f);
            if (material >= 0 && static_cast<size_t>(material) < materials.size())
                colour = Vector(materials[material].diffuse[0], materials[material].diffuse[1],
                                materials[material].diffuse[2]);
            Vector p[3];
            for (int k = 0; k < 3; ++k) {
                const int v = indices[face * 3 + k].vertex_index;
                if (v < 0 || static_cast<size_t>(v) * 3 + 2 >= attrib.vertices.size()) {
                    *why = "cannot read: a face names a vertex it does not have";
                    return false;
                }
                p[k] = Vector(attrib.vertices[v * 3], attrib.vertices[v * 3 + 1],
                              attrib.vertices[v * 3 + 2]);
            }
            const Vector flat = (p[1] - p[0]).cross(p[2] - p[0]).normalised();
            for (int k = 0; k < 3; ++k) {
                const int n = indices[face * 3 + k].normal_index;
                Vector normal = flat;
                if (n >= 0 && static_cast<size_t>(n) * 3 + 2 < attrib.normals.size())
                    normal = Vector(attrib.normals[n * 3], attrib.normals[n * 3 + 1],
                                    attrib.normals[n * 3 + 2]);
                push(*out, p[k], normal, colour);
            }
        }
    }
    if (out->empty()) {
        *why = "cannot read: no triangles";
        return false;
    }
    return true;
}

} // namespace

MeshCache::~MeshCache() {
    for (auto& entry : meshes) {
        glDeleteBuffers(1, &entry.second.buffer);
        glDeleteVertexArrays(1, &entry.second.vertexArray);
    }
    if (unitQuad.buffer) {
        glDeleteBuffers(1, &unitQuad.buffer);
        glDeleteVertexArrays(1, &unitQuad.vertexArray);
    }
}

MeshCache::Mesh MeshCache::upload(const float* data, size_t floats) {
    Mesh mesh;
    glGenVertexArrays(1, &mesh.vertexArray);
    glBindVertexArray(mesh.vertexArray);
    glGenBuffers(1, &mesh.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, mesh.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats * sizeof(float)), data,
                 GL_STATIC_DRAW);
    const GLsizei stride = 9 * sizeof(float);
    for (GLuint attribute = 0; attribute < 3; ++attribute) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, 3, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(attribute * 3 * sizeof(float)));
    }
    glBindVertexArray(0);
    mesh.vertices = static_cast<GLsizei>(floats / 9);
    return mesh;
}

const MeshCache::Mesh& MeshCache::get(const std::string& name, const Vector& min,
                                      const Vector& max) {
    const auto found = meshes.find(name);
    if (found != meshes.end())
        return found->second;
    std::vector<float> data;
    std::string why;
    bool missing = false;
    if (!readObj(name, &data, &why)) {
        reportMissingAsset("/Models/" + name + ".obj",
                           "model '" + name + "' " + why + ": drawn as its box");
        data = boxMesh(min, max);
        missing = true;
    }
    Mesh mesh = upload(data.data(), data.size());
    mesh.missing = missing;
    return meshes[name] = mesh;
}

const MeshCache::Mesh& MeshCache::quad() {
    if (!unitQuad.vertexArray) {
        std::vector<float> data;
        const float corners[6][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 0}, {1, 1}, {0, 1}};
        for (const auto& c : corners)
            push(data, Vector(c[0], c[1], 0), Vector(c[0], c[1], 0), Vector(1, 1, 1));
        unitQuad = upload(data.data(), data.size());
    }
    return unitQuad;
}

} // namespace render
