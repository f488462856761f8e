#include "host/kelinput/MouseRoles.h"

namespace kelinput {

namespace {

int valid(int button) {
    return button >= MouseRoles::None && button <= MouseRoles::Right ? button : MouseRoles::None;
}

} // namespace

MouseRoles::MouseRoles(int accept, int cancel, int moveAct, int dragCamera)
    : accept(valid(accept)), cancel(valid(cancel)), moveAct(valid(moveAct)),
      dragCamera(valid(dragCamera)) {}

bool MouseRoles::operator==(const MouseRoles& other) const {
    return accept == other.accept && cancel == other.cancel && moveAct == other.moveAct &&
           dragCamera == other.dragCamera;
}

int MouseRoles::buttonOf(const std::string& key) {
    if (key == "LeftClick")
        return Left;
    if (key == "MiddleClick")
        return Middle;
    if (key == "RightClick")
        return Right;
    return None;
}

std::vector<std::string> MouseRoles::keysOf(const std::string& key) const {
    const int button = buttonOf(key);
    if (button == None)
        return {key};
    std::vector<std::string> keys;
    if (accept == button)
        keys.push_back("LeftClick");
    if (cancel == button)
        keys.push_back("RightClick");
    if (dragCamera == button)
        keys.push_back("MiddleClick");
    return keys;
}

bool MouseRoles::movesOrActs(const std::string& key) const {
    const int button = buttonOf(key);
    return button != None && button == moveAct;
}

} // namespace kelinput
