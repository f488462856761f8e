#pragma once

#include "host/HostApi.h"
#include "host/logic/ActType.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace kel::logic {

class Act;
class Team;
class Unit3d;

// A unit on the board: its kind (internal name), team, health, act points and acts, and its 3D
// form. The board owns units; a unit owns its acts and its 3D form. Health and act points may be
// read from any thread while the game logic changes them.
class KEL_HOST_API Unit {
public:
    Unit(std::string internalName, Team* team, const std::string& modelName);
    ~Unit();
    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    // The unit's kind ("knight"): the key of the unit tables.
    const std::string& getInternalName() const { return internalName; }
    Team* getTeam() const { return team; }
    Unit3d* getProtoUnit() const { return proto.get(); }

    int getHealth() const { return health; }
    void setHealth(int value) { health = value; }
    bool isAlive() const { return health > 0; }

    // Act points left this turn, and what a new turn gives back.
    int getActPool() const { return actPool; }
    void setActPool(int value) { actPool = value; }
    int getMaxActPool() const { return maxActPool; }
    void setMaxActPool(int value) { maxActPool = value; }
    void refreshActPool() { actPool = maxActPool.load(); }

    ActType getActType() const { return actType; }
    void setActType(ActType type) { actType = type; }
    float getDefence() const { return defence; }
    void setDefence(float value) { defence = value; }
    // "" or one of the status texts.
    const std::string& getStatus() const { return status; }
    void setStatus(std::string value) { status = std::move(value); }
    // The kind number the UI groups units by.
    int getKind() const { return kind; }
    void setKind(int value) { kind = value; }

    const std::vector<std::unique_ptr<Act>>& getActs() const { return acts; }
    Act* addAct(const std::string& name, int cost, const std::string& modifier);
    Act* findAct(const std::string& name) const;

    // The cell it stands on and the way it faces (radians about the vertical).
    int getCellX() const { return cellX; }
    int getCellY() const { return cellY; }
    float getFacing() const { return facing; }
    void setCell(int x, int y) {
        cellX = x;
        cellY = y;
    }
    void setFacing(float radians) { facing = radians; }

private:
    std::string internalName;
    Team* team; // not owned
    std::unique_ptr<Unit3d> proto;
    std::atomic<int> health{1};
    std::atomic<int> actPool{0};
    std::atomic<int> maxActPool{0};
    ActType actType = MeleeAct;
    float defence = 0.0f;
    std::string status;
    int kind = 0;
    std::vector<std::unique_ptr<Act>> acts;
    int cellX = 0;
    int cellY = 0;
    float facing = 0.0f;
};

} // namespace kel::logic
