#include "host/ui/DataStorage.h"

namespace ui {

namespace {

std::string& language() {
    static std::string current = "english";
    return current;
}

class DefaultDataStorage final : public DataStorage {};

DataStorage* defaultStorage() {
    static DefaultDataStorage* storage = new DefaultDataStorage();
    return storage;
}

} // namespace

DataStorage* theDataStorage = defaultStorage();

DataStorage::DataStorage() {
    theDataStorage = this;
}

DataStorage::~DataStorage() {
    if (theDataStorage == this)
        theDataStorage = this == defaultStorage() ? nullptr : defaultStorage();
}

std::string DataStorage::uiString(const std::string&) {
    return std::string();
}

bool DataStorage::doesImageNeedLocale(const std::string&) {
    return false;
}

void DataStorage::localizeImage(std::string& image) {
    if (!doesImageNeedLocale(image))
        return;
    const auto slash = image.rfind('/');
    const std::string prefix = slash == std::string::npos ? "" : image.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? image : image.substr(slash + 1);
    image = prefix + language() + "/" + file;
}

void DataStorage::setLanguage(const std::string& newLanguage) {
    language() = newLanguage;
}

const std::string& DataStorage::getLanguage() {
    return language();
}

} // namespace ui
