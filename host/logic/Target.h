#pragma once

#include "host/HostApi.h"

#include <string>

namespace kel::logic {

class Chest;
class Landscape;
class Object;
class Unit;

// What a command aims at: nothing, or one unit, landscape cell, map object or chest (not owned;
// a target lives no longer than the board it points into). A value: copied and compared freely.
class KEL_HOST_API Target {
public:
    enum Kind { NOTHING, UNIT, LANDSCAPE, OBJECT, CHEST };

    Target() = default;
    // A null pointer makes an empty target.
    explicit Target(Unit* unit);
    explicit Target(Landscape* landscape);
    explicit Target(Object* object);
    explicit Target(Chest* chest);

    bool isValid() const { return kind != NOTHING; }
    Kind getKind() const { return kind; }
    // The board object, or null when the target holds something else.
    Unit* getUnit() const;
    Landscape* getLandscape() const;
    Object* getObject() const;
    Chest* getChest() const;

    // "none", "unit:knight", "landscape:2,3", "object:tree", "chest:5,0".
    std::string describe() const;

    bool operator==(const Target& other) const {
        return kind == other.kind && pointer == other.pointer;
    }
    bool operator!=(const Target& other) const { return !(*this == other); }

private:
    Kind kind = NOTHING;
    void* pointer = nullptr; // of the type `kind` says
};

} // namespace kel::logic
