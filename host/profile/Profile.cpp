#include "host/profile/Profile.h"
#include "host/config/Convert.h"
#include "host/config/Syntax.h"
#include "host/debug/Error.h"
#include "host/debug/Filter.h"
#include "host/resource/AtomicFile.h"
#include "host/resource/ResourceManager.h"
#include "host/resource/WholeFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace profile {

namespace {

debug::Filter& profileLog() {
    static debug::Filter filter("profile", true);
    return filter;
}

void report(const std::string& file, int line, const std::string& text) {
    debug::Error error(debug::Context(file, line), text);
    debug::report(profileLog(), error);
}

struct Problem {
    int line;
    std::string text;
};

// Reads the settings of one block of the profile ("input", "sound", "video"). A missing entry
// keeps its default silently; one that is there but wrong keeps its default (or is clamped) and
// is noted with its line, so a player who edited the file by hand learns what was ignored.
class SectionReader {
public:
    SectionReader(const config::Block& data, const char* section, std::vector<Problem>& problems)
        : data(data), section(section), problems(problems) {}

    void read(const char* name, bool& value) {
        std::string text;
        int line = 0;
        if (!find(name, &text, &line))
            return;
        if (!config::parseBool(text, &value))
            complain(line, name, text, "is not true or false", value ? "true" : "false");
    }

    void read(const char* name, float& value, float min, float max) {
        std::string text;
        int line = 0;
        if (!find(name, &text, &line))
            return;
        double number = 0;
        if (!config::parseNumber(text, &number) || number != number) {
            complain(line, name, text, "is not a number", config::formatFloat(value));
            return;
        }
        if (number < min || number > max) {
            value = static_cast<float>(number < min ? min : max);
            complain(line, name, text, "is out of range", config::formatFloat(value));
            return;
        }
        value = static_cast<float>(number);
    }

    void read(const char* name, int& value, int min, int max) {
        std::string text;
        int line = 0;
        if (!find(name, &text, &line))
            return;
        int number = 0;
        if (!config::parseInt(text, &number)) {
            complain(line, name, text, "is not a whole number", std::to_string(value));
            return;
        }
        if (number < min || number > max) {
            value = number < min ? min : max;
            complain(line, name, text, "is out of range", std::to_string(value));
            return;
        }
        value = number;
    }

    void read(const char* name, InputSettings::MouseButton& value) {
        std::string text;
        int line = 0;
        if (!find(name, &text, &line))
            return;
        bool ok = false;
        const auto button = InputSettings::fromStringToMouseButton(text, &ok);
        if (ok)
            value = button;
        else
            complain(line, name, text, "is not none, left, middle or right",
                     InputSettings::fromMouseButtonToString(value));
    }

    void readTexture(const char* name, VideoSettings& video) {
        std::string text;
        int line = 0;
        if (!find(name, &text, &line))
            return;
        if (!video.setTexture(text))
            complain(line, name, text, "is not low, medium or high", video.getTextureString());
    }

private:
    bool find(const char* name, std::string* text, int* line) const {
        const std::string path = std::string(section) + "." + name;
        if (!data.hasProperty(path))
            return false;
        *line = data.getPropertyLine(path);
        const auto values = data.getList(path);
        *text = values.empty() ? std::string() : values.front();
        return true;
    }

    void complain(int line, const char* name, const std::string& text, const char* problem,
                  const std::string& used) const {
        problems.push_back(Problem{line, std::string(section) + "." + name + ": '" + text + "' " +
                                             problem + "; using " + used});
    }

    const config::Block& data;
    const char* section;
    std::vector<Problem>& problems;
};

} // namespace

bool Profile::resolvePath(std::filesystem::path* out) const {
    return resource::theResourceManager->resolve(kPath, out);
}

Profile::LoadResult Profile::load() {
    thread::Lock hold(*this);
    ++generation;
    input = InputSettings();
    sound = SoundSettings();
    video = VideoSettings();
    data.clear();
    saveRefused = false;

    std::filesystem::path file;
    if (!resolvePath(&file)) {
        saveRefused = true;
        return loadResult = Unreadable;
    }
    std::string text;
    std::string why;
    switch (resource::readWholeFile(file, &text, &why)) {
    case resource::FileState::Missing:
        return loadResult = Missing;
    case resource::FileState::Unreadable:
        report(kPath, 0,
               "cannot read the profile (" + why +
                   "); default settings are used and will not be saved over it");
        saveRefused = true;
        return loadResult = Unreadable;
    case resource::FileState::Read:
        break;
    }

    config::Block parsed;
    config::ParseError error;
    if (!config::parse(std::move(text), kPath, parsed, &error))
        return loadResult =
                   moveAside(file, error.line,
                             "column " + std::to_string(error.column) + ": " + error.message);
    data = std::move(parsed);
    readSettings();
    return loadResult = Read;
}

Profile::LoadResult Profile::moveAside(const std::filesystem::path& file, int line,
                                       const std::string& reason) {
    std::string why;
    const std::filesystem::path aside = resource::moveAside(file, &why);
    if (!aside.empty()) {
        report(kPath, line,
               reason + "; the profile was moved aside to " + aside.filename().u8string() +
                   " and default settings are used");
        return MovedAside;
    }
    report(kPath, line,
           reason + "; the profile could not be moved aside, so default settings are used and "
                    "will not be saved over it");
    saveRefused = true;
    return Unreadable;
}

void Profile::readSettings() {
    std::vector<Problem> problems;
    SectionReader in(data, "input", problems);
    in.read("hardwareCursor", input.hardwareCursor);
    in.read("edgeAutoScrolling", input.edgeAutoScrolling);
    in.read("clickOutsideDeselects", input.clickOutsideDeselects);
    in.read("autoScrollingSpeed", input.autoScrollingSpeed, 0.25f, 4.0f);
    in.read("mouseStrafeSpeed", input.mouseStrafeSpeed, 0.25f, 4.0f);
    in.read("mouseSensitivity", input.mouseSensitivity, 0.1f, 10.0f);
    in.read("acceptButton", input.acceptButton);
    in.read("cancelButton", input.cancelButton);
    in.read("moveActButton", input.moveActButton);
    in.read("dragCameraButton", input.dragCameraButton);

    SectionReader snd(data, "sound", problems);
    snd.read("musicVolume", sound.musicVolume, 0.0f, 1.0f);
    snd.read("effectsVolume", sound.effectsVolume, 0.0f, 1.0f);
    snd.read("environmentVolume", sound.environmentVolume, 0.0f, 1.0f);
    snd.read("musicOn", sound.musicOn);
    snd.read("effectsOn", sound.effectsOn);
    snd.read("environmentOn", sound.environmentOn);
    snd.read("quality3d", sound.quality3d);

    SectionReader vid(data, "video", problems);
    vid.read("width", video.width, VideoSettings::kMinWidth, VideoSettings::kMaxSide);
    vid.read("height", video.height, VideoSettings::kMinHeight, VideoSettings::kMaxSide);
    vid.read("traceEnemyActions", video.traceEnemyActions);
    vid.read("fogDistance", video.fogDistance, 0.8f, 1.0f);
    vid.read("detailsOn", video.detailsOn);
    vid.read("detailLevel", video.detailLevel, 0.0f, 2.0f);
    vid.read("sceneActivity", video.sceneActivity);
    vid.readTexture("texture", video);
    vid.read("mipmaps", video.mipmaps);
    vid.read("dithering", video.dithering);
    vid.read("specular", video.specular);
    vid.read("antialiasing", video.antialiasing);
    vid.read("wbuffer", video.wbuffer);
    vid.read("halo", video.halo);
    vid.read("shadows", video.shadows);
    vid.read("lightmaps", video.lightmaps);

    // In file order, as the player reads the file.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    for (const auto& problem : problems)
        report(kPath, problem.line, problem.text);
}

Profile::LoadResult Profile::getLoadResult() const {
    thread::Lock hold(*this);
    return loadResult;
}

void Profile::write() {
    thread::Lock hold(*this);
    const auto button = [this](const char* path, InputSettings::MouseButton value) {
        const std::string text = InputSettings::fromMouseButtonToString(value);
        data.setProperty(path, &text);
    };
    data.setProperty("input.hardwareCursor", &input.hardwareCursor);
    data.setProperty("input.edgeAutoScrolling", &input.edgeAutoScrolling);
    data.setProperty("input.clickOutsideDeselects", &input.clickOutsideDeselects);
    data.setProperty("input.autoScrollingSpeed", &input.autoScrollingSpeed);
    data.setProperty("input.mouseStrafeSpeed", &input.mouseStrafeSpeed);
    data.setProperty("input.mouseSensitivity", &input.mouseSensitivity);
    button("input.acceptButton", input.acceptButton);
    button("input.cancelButton", input.cancelButton);
    button("input.moveActButton", input.moveActButton);
    button("input.dragCameraButton", input.dragCameraButton);

    data.setProperty("sound.musicVolume", &sound.musicVolume);
    data.setProperty("sound.effectsVolume", &sound.effectsVolume);
    data.setProperty("sound.environmentVolume", &sound.environmentVolume);
    data.setProperty("sound.musicOn", &sound.musicOn);
    data.setProperty("sound.effectsOn", &sound.effectsOn);
    data.setProperty("sound.environmentOn", &sound.environmentOn);
    data.setProperty("sound.quality3d", &sound.quality3d);

    data.setProperty("video.width", &video.width);
    data.setProperty("video.height", &video.height);
    data.setProperty("video.traceEnemyActions", &video.traceEnemyActions);
    data.setProperty("video.fogDistance", &video.fogDistance);
    data.setProperty("video.detailsOn", &video.detailsOn);
    data.setProperty("video.detailLevel", &video.detailLevel);
    data.setProperty("video.sceneActivity", &video.sceneActivity);
    const std::string texture = video.getTextureString();
    data.setProperty("video.texture", &texture);
    data.setProperty("video.mipmaps", &video.mipmaps);
    data.setProperty("video.dithering", &video.dithering);
    data.setProperty("video.specular", &video.specular);
    data.setProperty("video.antialiasing", &video.antialiasing);
    data.setProperty("video.wbuffer", &video.wbuffer);
    data.setProperty("video.halo", &video.halo);
    data.setProperty("video.shadows", &video.shadows);
    data.setProperty("video.lightmaps", &video.lightmaps);
}

bool Profile::save() {
    thread::Lock hold(*this);
    if (saveRefused) {
        report(kPath, 0, "not saved: the unreadable profile in its place is kept");
        return false;
    }
    write();
    std::filesystem::path file;
    if (!resolvePath(&file))
        return false;
    std::string error;
    if (!resource::writeFileAtomically(file, config::write(data), &error)) {
        report(kPath, 0, "cannot save the profile: " + error);
        return false;
    }
    ++saves;
    return true;
}

void Profile::resetInputSettings() {
    thread::Lock hold(*this);
    input = InputSettings();
}

int Profile::getSaveCount() const {
    thread::Lock hold(*this);
    return saves;
}

void Profile::reset() {
    thread::Lock hold(*this);
    ++generation;
    input = InputSettings();
    sound = SoundSettings();
    video = VideoSettings();
    data.clear();
    loadResult = NotLoaded;
    saveRefused = false;
    saves = 0;
}

} // namespace profile

namespace {
profile::Profile profileInstance;
}

profile::Profile* theProfile = &profileInstance;
