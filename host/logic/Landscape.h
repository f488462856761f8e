#pragma once

#include "host/HostApi.h"

#include <memory>
#include <string>

class Model;

namespace kel::logic {

// One cell of the board: its landscape type (what it is), its subtype (what it looks like, the
// key of the tile tables) and its model (owned; none for an empty cell).
class KEL_HOST_API Landscape {
public:
    // Numbers cross into the UI: it describes types 1, 4 and 6 and nothing else.
    enum Type { EMPTY = 0, GROUND = 1, CHASM = 2, WALL = 3, WATER = 4, CLIFF = 5, BRIDGE = 6 };

    Landscape(int type, int subtype, int x, int y);
    ~Landscape();
    Landscape(const Landscape&) = delete;
    Landscape& operator=(const Landscape&) = delete;

    int getLandscapeType() const { return type; }
    int getLandscapeSubtype() const { return subtype; }
    int getX() const { return x; }
    int getY() const { return y; }
    // Whether a unit can stand on it (ground and bridges).
    bool isWalkable() const { return type == GROUND || type == BRIDGE; }
    Model* getModel() const { return model.get(); }

    // "ground", "water", ...; "" for a number that is no type. The map files use these names.
    static std::string getNameOfLandscapeType(int type);
    // -1 for a name that is no type.
    static int findLandscapeType(const std::string& name);
    // "grass", "sand", "shallow", ...; "" for a number that is no subtype.
    static std::string getNameOfLandscapeSubtype(int subtype);
    static int findLandscapeSubtype(const std::string& name);

private:
    int type;
    int subtype;
    int x;
    int y;
    std::unique_ptr<Model> model;
};

} // namespace kel::logic
