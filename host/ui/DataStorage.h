#pragma once

#include "host/HostApi.h"

#include <string>

namespace ui {

// Where the toolkit gets interface strings and learns which images have per-language variants.
// The game module installs its own subclass; the base knows no strings and no localised images.
class KEL_HOST_API DataStorage {
public:
    DataStorage();
    // Installs itself as theDataStorage; the destructor puts the toolkit's own store back.
    virtual std::string uiString(const std::string& key);
    virtual bool doesImageNeedLocale(const std::string& image);

    // Rewrites an image path to its variant for the current language when it has one:
    // "/Images/UI/title.tga" becomes "/Images/UI/english/title.tga".
    void localizeImage(std::string& image);
    static void setLanguage(const std::string& language);
    static const std::string& getLanguage();

protected:
    ~DataStorage();
};

KEL_HOST_API extern DataStorage* theDataStorage;

} // namespace ui
