#pragma once

#include "host/HostApi.h"

#include <memory>
#include <string>

class Model;

namespace kel::logic {

// A thing standing on a cell (a tree, a barrel, the lighthouse): it blocks the cell. Its model
// (owned) is a landscape object, bent onto the world's sphere by its degree.
class KEL_HOST_API Object {
public:
    enum Type {
        TREE = 0,
        ROCK = 1,
        BARREL = 2,
        FENCE = 3,
        LANTERN = 4,
        WELL = 5,
        LIGHTHOUSE = 6,
        MILL = 7,
        STATUE = 8
    };

    Object(int type, const std::string& modelName, float degree, int x, int y);
    ~Object();
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    int getObjectType() const { return type; }
    int getX() const { return x; }
    int getY() const { return y; }
    Model* getModel() const { return model.get(); }

    // "tree", "rock", ...; "" for a number that is no type. The key of the object tables.
    static std::string getNameOfObjectType(int type);
    // -1 for a name that is no type.
    static int findObjectType(const std::string& name);

private:
    int type;
    int x;
    int y;
    std::unique_ptr<Model> model;
};

} // namespace kel::logic
