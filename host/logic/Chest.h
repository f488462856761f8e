#pragma once

#include "host/HostApi.h"

#include <memory>
#include <string>
#include <vector>

class Model;

namespace kel::logic {

// A chest on a cell, holding items until a unit opens it. Its model is owned.
class KEL_HOST_API Chest {
public:
    Chest(const std::string& modelName, int x, int y, std::vector<std::string> contents);
    ~Chest();
    Chest(const Chest&) = delete;
    Chest& operator=(const Chest&) = delete;

    int getX() const { return x; }
    int getY() const { return y; }
    Model* getModel() const { return model.get(); }
    const std::vector<std::string>& getContents() const { return contents; }
    bool isOpen() const { return open; }
    // Empties the chest; what it held is returned (nothing the second time).
    std::vector<std::string> takeContents();

private:
    int x;
    int y;
    std::unique_ptr<Model> model;
    std::vector<std::string> contents;
    bool open = false;
};

} // namespace kel::logic
