#include "ui/NewGameDialog.h"
#include "ui/KELFactory.h"
#include "ui/KelDataStorage.h"
#include "ui/ModuleLog.h"

#include "host/resource/FileList.h"
#include "host/resource/ResourceManager.h"
#include "host/ui/EditBox.h"
#include "host/ui/ListBox.h"
#include "host/ui/NotifyEvent.h"
#include "host/ui/UI.h"

#include <cstring>

namespace kel::ui {

namespace {
const std::string kExtension = ".lvx";

// Whether the last ".lvx" of the name stands at its very end.
bool isMapFile(const char* name) {
    const size_t length = std::strlen(name);
    return length >= kExtension.size() &&
           std::strcmp(name + length - kExtension.size(), kExtension.c_str()) == 0;
}
} // namespace

std::string NewGameDialog::mapOf(const std::string& stem) {
    if (stem.empty())
        return std::string();
    const std::string file = stem + kExtension;
    const std::string mission = theKelDataStorage->mapName(file);
    return mission.empty() ? file : mission;
}

void NewGameDialog::readConfig(config::Block* block) {
    Container::readConfig(block);
    for (const char* name : {"list", "title"})
        if (::ui::Component* child = getComponent(name))
            child->centerHorizontal();
}

void NewGameDialog::updateShowed() {
    Menu::updateShowed();
    ::ui::ListBox* list = nullptr;
    ::ui::EditBox* edit = nullptr;
    theFactory->getComponent("list", &list, this, false);
    theFactory->getComponent("edit", &edit, this, false);
    if (list)
        getUI()->setFocusedComponent(list);

    resource::ResourceManager* resources = resource::theResourceManager;
    const std::string remembered = resources->getCurrentDirectory();
    // Without the map folder nothing is listed: never the directory we happen to be in.
    const bool inMaps = resources->changeDirectory("/Maps");
    if (isShowed() && list) {
        list->resetContent();
        list->setTopItem(0);
        FileList files;
        if (inMaps)
            resources->listDirectory(&files);
        else
            reportError(getLayoutFile().c_str(), getLayoutLine(),
                        "the game has no map folder /Maps: the map dialog lists no map");
        for (const char* name : files) {
            if (resources->testEntry(name) != 0 || !isMapFile(name))
                continue;
            list->addString(std::string(name, std::strlen(name) - kExtension.size()));
        }
        const std::string selected = list->getSelectedString();
        if (edit)
            edit->setText(selected);
        selectedMap = mapOf(selected);
    }
    resources->changeDirectory(remembered);
}

void NewGameDialog::notify(::ui::NotifyEvent& event) {
    std::string name, action;
    event.getProperty("name", &name);
    event.getProperty("action", &action);
    // With no map there is nothing to start: the confirm key is not passed on.
    if (event.getSender() == this && action == "ok" && selectedMap.empty())
        return;
    Menu::notify(event);
    if (name == "button_ok" && action == "job") {
        sendAction("ok");
    } else if (name == "button_cancel" && action == "job") {
        sendAction("cancel");
    } else if (name == "list" && action == "selchanged") {
        ::ui::ListBox* list = nullptr;
        ::ui::EditBox* edit = nullptr;
        if (!theFactory->getComponent("list", &list, this, false))
            return;
        selectedMap = mapOf(list->getSelectedString());
        if (theFactory->getComponent("edit", &edit, this, false))
            edit->setText(selectedMap);
    }
}

} // namespace kel::ui
