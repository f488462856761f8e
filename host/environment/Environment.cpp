#include "host/environment/Environment.h"
#include "host/config/Config.h"
#include "host/config/Convert.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/engine/View.h"

#include <algorithm>
#include <cstdio>

namespace {

const char* const kSkyCatalogue = "/Configs/Environment/skies.cfg";
const char* const kWeathers[] = {"clear", "rain", "snow", "storm", "fog"};

void report(const std::string& file, config::Location where, const std::string& text) {
    static debug::Filter filter("environment", true);
    debug::Error error(debug::Context(file, where.line, where.column), text);
    debug::report(filter, error);
}

// "HH:MM" or a number of minutes.
bool parseDayTime(const std::string& text, int* minutes) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return config::parseInt(text, minutes) && *minutes >= 0;
    int hours = 0, rest = 0;
    if (!config::parseInt(text.substr(0, colon), &hours) ||
        !config::parseInt(text.substr(colon + 1), &rest) || hours < 0 || hours > 23 || rest < 0 ||
        rest > 59)
        return false;
    *minutes = hours * 60 + rest;
    return true;
}

// Where a configuration came from, for messages.
std::string sourceOf(const config::Block& block) {
    return block.getSourceFile().empty() ? std::string("sky configuration") : block.getSourceFile();
}

} // namespace

Environment::Environment() = default;

Environment::~Environment() {
    for (View* view : getViews())
        view->unregisterObject(this);
}

bool Environment::isWeather(const std::string& name) {
    return std::find(std::begin(kWeathers), std::end(kWeathers), name) != std::end(kWeathers);
}

void Environment::loadConfiguration(const config::Block* block) {
    if (!block)
        return;
    const std::string file = sourceOf(*block);
    {
        std::lock_guard<std::mutex> guard(mutex);
        loaded = *block;
        ++loadCount;
    }

    std::string sky;
    if (block->getProperty("sky", &sky))
        applySky(sky, file, block->getPropertyLocation("sky"));

    if (block->hasProperty("dayTime")) {
        std::string text;
        int minutes = 0;
        block->getProperty("dayTime", &text);
        if (parseDayTime(text, &minutes))
            setDayTime(DayTime(minutes));
        else
            report(file, block->getPropertyLocation("dayTime"),
                   "dayTime '" + text + "' is neither minutes since midnight nor HH:MM");
    }

    std::string newWeather;
    if (block->getProperty("weather", &newWeather)) {
        if (isWeather(newWeather)) {
            std::lock_guard<std::mutex> guard(mutex);
            weather = newWeather;
        } else {
            report(file, block->getPropertyLocation("weather"),
                   "unknown weather '" + newWeather + "' (clear, rain, snow, storm or fog)");
        }
    }

    if (block->hasProperty("fogColor")) {
        config::Color color;
        if (block->getProperty("fogColor", &color)) {
            std::lock_guard<std::mutex> guard(mutex);
            fogColor = color;
        } else {
            report(file, block->getPropertyLocation("fogColor"),
                   "fogColor needs three or four numbers (red green blue [alpha])");
        }
    }
}

bool Environment::selectSky(const std::string& name) {
    return applySky(name, kSkyCatalogue, config::Location());
}

bool Environment::applySky(const std::string& name, const std::string& where,
                           config::Location whereLine) {
    // The catalogue is small and skies change rarely: it is read on every selection, so it
    // follows the data root.
    const std::string file = kSkyCatalogue;
    config::Config catalogue;
    if (!catalogue.readFile(file)) {
        const config::ParseError& error = catalogue.getLastError();
        report(file, {error.line, error.column}, "cannot read the sky catalogue");
        return false;
    }
    const config::Block* entry = nullptr;
    if (!catalogue.getPropertyAccess(name, &entry)) {
        report(where, whereLine, "no sky '" + name + "' in " + file);
        return false;
    }
    Look newLook;
    const auto color = [&](const char* key, config::Color* out) {
        if (entry->hasProperty(key) && !entry->getProperty(key, out))
            report(file, entry->getPropertyLocation(key),
                   std::string("sky '") + name + "': " + key + " needs three or four numbers");
    };
    color("zenith", &newLook.zenith);
    color("horizon", &newLook.horizon);
    color("sun", &newLook.sun);
    if (entry->hasProperty("clouds") && (!entry->getProperty("clouds", &newLook.clouds) ||
                                         newLook.clouds < 0 || newLook.clouds > 1)) {
        report(file, entry->getPropertyLocation("clouds"),
               "sky '" + name + "': clouds must be a number from 0 to 1");
        newLook.clouds = std::clamp(newLook.clouds, 0.0f, 1.0f);
    }
    if (entry->hasProperty("stars") && !entry->getProperty("stars", &newLook.stars))
        report(file, entry->getPropertyLocation("stars"),
               "sky '" + name + "': stars must be yes or no");
    std::lock_guard<std::mutex> guard(mutex);
    skyName = name;
    look = newLook;
    return true;
}

std::string Environment::getSkyName() const {
    std::lock_guard<std::mutex> guard(mutex);
    return skyName;
}

Environment::Look Environment::getLook() const {
    std::lock_guard<std::mutex> guard(mutex);
    return look;
}

void Environment::activate(View* view) {
    if (!view)
        return;
    {
        std::lock_guard<std::mutex> guard(mutex);
        if (std::find(views.begin(), views.end(), view) != views.end())
            return;
        views.push_back(view);
    }
    view->registerObject(this);
}

void Environment::deactivate(View* view) {
    {
        std::lock_guard<std::mutex> guard(mutex);
        const auto found = std::find(views.begin(), views.end(), view);
        if (found == views.end())
            return;
        views.erase(found);
    }
    view->unregisterObject(this);
}

bool Environment::isActiveIn(const View* view) const {
    std::lock_guard<std::mutex> guard(mutex);
    return std::find(views.begin(), views.end(), view) != views.end();
}

std::vector<View*> Environment::getViews() const {
    std::lock_guard<std::mutex> guard(mutex);
    return views;
}

DayTime Environment::getDayTime() const {
    std::lock_guard<std::mutex> guard(mutex);
    return dayTime;
}

void Environment::setDayTime(const DayTime& time) {
    std::lock_guard<std::mutex> guard(mutex);
    dayTime = time;
}

std::string Environment::getWeather() const {
    std::lock_guard<std::mutex> guard(mutex);
    return weather;
}

config::Color Environment::getFogColor() const {
    std::lock_guard<std::mutex> guard(mutex);
    return fogColor;
}

std::string Environment::describe() const {
    std::lock_guard<std::mutex> guard(mutex);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", dayTime.getHours(), dayTime.getMinutesOfHour());
    return "sky " + skyName + " " + time + " " + weather;
}
