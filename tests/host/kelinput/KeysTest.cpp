#include "host/input/Keys.h"
#include "host/input/Device.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

using input::devices::PCKeyboard;
using input::devices::PCMouse;

TEST(Keys, EveryCodeAndNameRoundTripsAndNamesAreUniqueAcrossDevices) {
    std::set<std::string> names;
    for (input::Device* device :
         std::initializer_list<input::Device*>{PCKeyboard::instance(), PCMouse::instance()}) {
        const auto keys = input::allKeys(device);
        ASSERT_FALSE(keys.empty()) << device->getName();
        for (const auto& key : keys) {
            EXPECT_TRUE(names.insert(key.name).second) << key.name << " named twice";
            EXPECT_EQ(input::keyName(device, key.code), key.name);
            input::KeyInfo found;
            ASSERT_TRUE(input::findKey(key.name, &found)) << key.name;
            EXPECT_EQ(found.device, device);
            EXPECT_EQ(found.code, key.code);
            const auto event = input::makeButton(key.name, true);
            ASSERT_TRUE(event);
            EXPECT_EQ(event->getDevice(), device);
            EXPECT_EQ(event->getState()->getCode(), key.code);
            EXPECT_EQ(event->getState()->getName(), key.name);
            EXPECT_TRUE(event->isPressed());
        }
    }
    input::KeyInfo none;
    EXPECT_FALSE(input::findKey("return", &none)) << "names are case-sensitive";
    EXPECT_FALSE(input::findKey("MouseX", &none)) << "axes are no buttons";
    EXPECT_FALSE(input::makeButton("Nope", true));
    EXPECT_EQ(input::keyName(PCMouse::instance(), 102), "");
}

// The button tables of the integration guide, read back: "| code | name |" rows under the
// device's heading.
std::map<int, std::string> documentedTable(const std::string& heading) {
    std::ifstream doc(std::string(KEL_DATA_DIR) + "/../docs/host-input-profile-sound.md");
    std::map<int, std::string> table;
    std::string line;
    bool inside = false;
    const std::regex row(R"(^\|\s*(\d+)\s*\|\s*`([^`]+)`\s*\|)");
    while (std::getline(doc, line)) {
        if (line.rfind("#", 0) == 0) {
            inside = line.find(heading) != std::string::npos;
            continue;
        }
        std::smatch match;
        if (inside && std::regex_search(line, match, row))
            table[std::stoi(match[1])] = match[2];
    }
    return table;
}

TEST(Keys, TheGuideListsExactlyTheButtonsOfTheLibrary) {
    for (input::Device* device :
         std::initializer_list<input::Device*>{PCKeyboard::instance(), PCMouse::instance()}) {
        std::map<int, std::string> library;
        for (const auto& key : input::allKeys(device))
            library[key.code] = key.name;
        EXPECT_EQ(documentedTable(std::string("Buttons of ") + device->getName()), library)
            << device->getName();
    }
}

} // namespace
