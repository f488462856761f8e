#pragma once

#include <cmath>

// Vectors and 3x3 matrices of the engine. A world position is (x, y, z) with z up; camera space
// has component 0 on the camera's vertical axis, 1 on its horizontal axis and 2 along its depth.
struct Vector {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector() = default;
    Vector(float x, float y, float z) : x(x), y(y), z(z) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    Vector operator+(const Vector& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector operator-(const Vector& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector operator*(float s) const { return {x * s, y * s, z * s}; }
    Vector operator/(float s) const { return {x / s, y / s, z / s}; }
    Vector& operator+=(const Vector& o) { return *this = *this + o; }
    bool operator==(const Vector& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector& o) const { return !(*this == o); }
    float dot(const Vector& o) const { return x * o.x + y * o.y + z * o.z; }
    Vector cross(const Vector& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    float length() const { return std::sqrt(dot(*this)); }
    Vector normalised() const {
        const float l = length();
        return l > 0 ? *this / l : *this;
    }
};

// A 3x3 matrix, rows first: m[row][column].
struct Matrix3 {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

    static Matrix3 identity() { return Matrix3(); }
    static Matrix3 rows(const Vector& a, const Vector& b, const Vector& c) {
        Matrix3 r;
        for (int j = 0; j < 3; ++j) {
            r.m[0][j] = a[j];
            r.m[1][j] = b[j];
            r.m[2][j] = c[j];
        }
        return r;
    }
    // The rotation by `angle` radians about the world's vertical axis (z).
    static Matrix3 rotationZ(float angle) {
        const float c = std::cos(angle), s = std::sin(angle);
        return rows({c, -s, 0}, {s, c, 0}, {0, 0, 1});
    }

    Vector row(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
    Vector column(int j) const { return {m[0][j], m[1][j], m[2][j]}; }
    Vector operator*(const Vector& v) const {
        return {row(0).dot(v), row(1).dot(v), row(2).dot(v)};
    }
    Matrix3 operator*(const Matrix3& o) const {
        Matrix3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[i][0] * o.m[0][j] + m[i][1] * o.m[1][j] + m[i][2] * o.m[2][j];
        return r;
    }
    Matrix3 transposed() const {
        Matrix3 r;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                r.m[i][j] = m[j][i];
        return r;
    }
    bool operator==(const Matrix3& o) const {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if (m[i][j] != o.m[i][j])
                    return false;
        return true;
    }
};
