#pragma once

#include "Catalogue.h"

#include <array>
#include <string>
#include <vector>

namespace artgen {

struct Material {
    std::string name;
    std::array<float, 3> kd{};
};

// A triangle mesh with one material per triangle, z up.
struct Mesh {
    struct Triangle {
        int a, b, c;
        int material;
    };
    std::vector<std::array<float, 3>> vertices;
    std::vector<Triangle> triangles;
    std::vector<Material> materials;

    int material(const std::string& name, float r, float g, float b);
    size_t mark() const { return vertices.size(); }
    int vertex(float x, float y, float z);
    void triangle(int a, int b, int c, int m) { triangles.push_back({a, b, c, m}); }
    // Counter-clockwise seen from outside.
    void quad(int a, int b, int c, int d, int m);

    void box(float x0, float y0, float z0, float x1, float y1, float z1, int m);
    // An upright n-sided prism or frustum around (cx, cy), radii rx, ry at the bottom scaled by
    // `top` at the top (0 gives a cone).
    void prism(float cx, float cy, float z0, float z1, float rx, float ry, float top, int sides,
               int m);
    void sphere(float cx, float cy, float cz, float rx, float ry, float rz, int m);
    // Turns the vertices added since `from` about the axis (0 x, 1 y, 2 z) through a point.
    void rotate(size_t from, int axis, float angle, float px, float py, float pz);

    // Minimum and maximum corner of all vertices.
    std::array<float, 6> bounds() const;
    // Scales and moves the mesh, axis by axis, so its bounds are exactly `box`.
    void fitTo(const std::array<float, 6>& box);
};

// The mesh of a catalogue model, chosen by its name (units, landscape cells, props, round-menu
// entries; any other name a plain block), fitted to the catalogue's box.
Mesh buildModel(const ModelRef& model);

// Wavefront OBJ (triangles, a normal per face) and its material library.
std::string writeObj(const Mesh& mesh, const std::string& name);
std::string writeMtl(const Mesh& mesh, const std::string& name);

} // namespace artgen
