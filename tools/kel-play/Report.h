#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelplay {

// The report of a session in its output folder: per snapshot the rendered frame as a PNG (when
// there is a renderer) and the SVG inspector picture beside it, and an index.html with a contents
// list, the pictures in order (the PNG, or the SVG without one; each opens at full size with its
// caption, a link to the SVG inspector and the transcript lines that led to it) and the whole
// transcript.
//
// The folder may hold files of others. kel-play lists what it wrote there in ".kel-play-files"
// and removes only those, and only once the new report is complete: until then the new files
// wait in ".kel-play-new", so a run that fails leaves the earlier report as it was.
class Report {
public:
    static constexpr const char* kManifest = ".kel-play-files";
    static constexpr const char* kStaging = ".kel-play-new";

    explicit Report(std::filesystem::path directory) : directory(std::move(directory)) {}

    // Makes the folder and an empty staging folder in it. False when the folder cannot be used
    // or holds an index.html that kel-play did not write.
    bool open(std::string* error);
    // Writes one picture; its name becomes "NN-name.svg" so the files sort in order, with the
    // rendered frame as "NN-name.png" beside it when `png` holds one (the file's bytes).
    bool addSnapshot(const std::string& name, const std::string& caption, const std::string& svg,
                     const std::string& png, std::string* error);
    void addTranscriptLine(const std::string& line) { transcript.push_back(line); }
    // Writes index.html, removes the earlier report's files and puts the new ones in their place.
    // A file of someone else's where a new one should go stops it: the new report then stays in
    // the staging folder and the error says so.
    bool close(const std::string& title, const std::string& summary, std::string* error);

    const std::filesystem::path& getDirectory() const { return directory; }
    size_t getSnapshotCount() const { return snapshots.size(); }

private:
    struct Snapshot {
        std::string file;
        std::string png; // empty without a rendered frame
        std::string caption;
        size_t firstLine; // the transcript lines since the picture before
        size_t endLine;
    };

    std::filesystem::path staging() const { return directory / kStaging; }
    std::string index(const std::string& title, const std::string& summary) const;
    // The picture the index shows (the frame, else the SVG) and the link to the SVG beside it.
    static std::string shown(const Snapshot& shot);
    static std::string inspector(const Snapshot& shot);

    std::filesystem::path directory;
    std::vector<Snapshot> snapshots;
    std::vector<std::string> transcript;
};

// Text made safe for HTML and XML.
std::string escapeHtml(const std::string& text);

} // namespace kelplay
