// The players' saves file: any saves.cfg loads, answers the menus' questions and saves.
#include "FuzzHost.h"
#include "ui/Saves.h"

#include <list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Profile profile;
    std::string input;
    if (!fuzz::text(data, size, &input))
        return 0;
    profile.only("saves.cfg", input);
    kel::ui::Saves saves;
    saves.load();
    std::list<kel::ui::UserInfo> users;
    saves.getUserList(users);
    saves.showPlayMenuAfterPlay();
    saves.getLevel();
    saves.userReached(saves.getMaximumMission());
    saves.save();
    return 0;
}
