#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelplay {

// The pictures of a session: one SVG file per snapshot and an index.html that shows them in
// order with their captions, beside the transcript of what happened.
class Report {
public:
    explicit Report(std::filesystem::path directory) : directory(std::move(directory)) {}

    // Creates the directory and removes the pictures of an earlier session.
    bool open(std::string* error);
    // Writes one picture; its name becomes "NN-name.svg" so the files sort in order.
    bool addSnapshot(const std::string& name, const std::string& caption, const std::string& svg,
                     std::string* error);
    void addTranscriptLine(const std::string& line) { transcript.push_back(line); }
    // Writes index.html.
    bool close(const std::string& title, std::string* error);

    const std::filesystem::path& getDirectory() const { return directory; }
    size_t getSnapshotCount() const { return snapshots.size(); }

private:
    struct Snapshot {
        std::string file;
        std::string caption;
    };

    std::filesystem::path directory;
    std::vector<Snapshot> snapshots;
    std::vector<std::string> transcript;
};

// Text made safe for HTML and XML.
std::string escapeHtml(const std::string& text);

} // namespace kelplay
