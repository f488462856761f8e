#pragma once

#include "host/HostApi.h"
#include "host/config/Block.h"
#include "host/config/Color.h"
#include "host/engine/RenderObject.h"
#include "host/engine/SkyTimeControl.h"

#include <mutex>
#include <string>
#include <vector>

class View;

// The sky and weather renderer: a sky picked from the sky catalogue
// "/Configs/Environment/skies.cfg", a time of day, a weather and a fog colour, drawn in every
// view it is activated in. It draws itself as a render object of those views, so whatever
// inspects a view (a snapshot) sees the sky there.
//
// A sky configuration (loadConfiguration) may say: sky = name; dayTime = minutes since
// midnight (or "HH:MM"); weather = clear | rain | snow | storm | fog; fogColor = r g b [a].
// What it leaves out stays as it was. Mistakes are reported on the "environment" log with the
// file and line of the configuration, and the rest of it still applies.
//
// Views are not owned; deactivate the sky from a view before the view goes. The destructor
// takes the sky out of every view it is still in. Any thread may ask for and set the time.
class KEL_HOST_API Environment : public SkyTimeControl, public RenderObject {
public:
    // How a sky looks, from its block in the sky catalogue.
    struct Look {
        config::Color zenith{0.35f, 0.55f, 0.9f, 1};
        config::Color horizon{0.75f, 0.85f, 0.95f, 1};
        config::Color sun{1, 0.95f, 0.8f, 1};
        float clouds = 0.2f; // share of the sky covered, 0 to 1
        bool stars = false;
    };

    // The sky "Default" with the look above at noon, clear, with black fog; nothing is read.
    Environment();
    ~Environment() override;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    void loadConfiguration(const config::Block* block);
    // The last configuration loaded, as it was given, and how many were loaded.
    const config::Block& getLoadedConfiguration() const { return loaded; }
    int getLoadCount() const { return loadCount; }

    // Each view once.
    void activate(View* view);
    void deactivate(View* view);
    bool isActiveIn(const View* view) const;
    std::vector<View*> getViews() const;

    // False, with the sky unchanged and a message naming the catalogue, for a name the
    // catalogue does not have (or when the catalogue cannot be read).
    bool selectSky(const std::string& name);
    std::string getSkyName() const;
    Look getLook() const;

    DayTime getDayTime() const override;
    void setDayTime(const DayTime& time) override;
    std::string getWeather() const;
    config::Color getFogColor() const;

    // "sky Eden 09:00 rain".
    std::string describe() const override;

    // The weathers a configuration may name.
    static bool isWeather(const std::string& name);

private:
    // Selects a sky of the catalogue; an unknown name is reported at `where`, `whereLine` (the
    // configuration that named it).
    bool applySky(const std::string& name, const std::string& where, config::Location whereLine);

    mutable std::mutex mutex; // guards everything below; never held while a view is changed
    std::string skyName = "Default";
    Look look;
    DayTime dayTime{12 * 60};
    std::string weather = "clear";
    config::Color fogColor{0, 0, 0, 1};
    config::Block loaded;
    int loadCount = 0;
    std::vector<View*> views; // not owned
};
