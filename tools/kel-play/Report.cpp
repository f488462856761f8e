#include "Report.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace kelplay {

namespace fs = std::filesystem;

namespace {

const char* const kIndex = "index.html";

// The files an earlier run listed as its own; names with a path in them are not taken.
std::set<std::string> readManifest(const fs::path& file) {
    std::set<std::string> names;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#' || line == "." || line == ".." ||
            line.find_first_of("/\\:") != std::string::npos)
            continue;
        names.insert(line);
    }
    return names;
}

bool writeText(const fs::path& file, const std::string& text, std::string* error) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    out.close();
    if (out)
        return true;
    *error = "cannot write " + file.string();
    return false;
}

} // namespace

std::string escapeHtml(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool Report::open(std::string* error) {
    std::error_code ec;
    fs::create_directories(directory, ec);
    if (ec || !fs::is_directory(directory)) {
        *error = "cannot use " + directory.string() +
                 " for the report: " + (ec ? ec.message() : "it is not a folder");
        return false;
    }
    if (fs::exists(directory / kIndex) && !readManifest(directory / kManifest).count(kIndex)) {
        *error = (directory / kIndex).string() +
                 " was not written by kel-play, which leaves it alone: choose another --out folder";
        return false;
    }
    // What a run that broke off left behind is kel-play's own.
    fs::remove_all(staging(), ec);
    fs::create_directory(staging(), ec);
    if (ec) {
        *error = "cannot write in " + directory.string() + ": " + ec.message();
        return false;
    }
    snapshots.clear();
    transcript.clear();
    return true;
}

bool Report::addSnapshot(const std::string& name, const std::string& caption,
                         const std::string& svg, const std::string& png, std::string* error) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu-", snapshots.size() + 1);
    std::string safe;
    for (char c : name)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    const std::string file = prefix + safe + ".svg";
    const std::string frame = png.empty() ? std::string() : prefix + safe + ".png";
    if (!writeText(staging() / file, svg, error) ||
        (!frame.empty() && !writeText(staging() / frame, png, error)))
        return false;
    const size_t first = snapshots.empty() ? 0 : snapshots.back().endLine;
    snapshots.push_back(
        Snapshot{file, frame, caption.empty() ? name : caption, first, transcript.size()});
    return true;
}

std::string Report::shown(const Snapshot& shot) {
    return shot.png.empty() ? shot.file : shot.png;
}

std::string Report::inspector(const Snapshot& shot) {
    if (shot.png.empty())
        return "";
    return " · <a href=\"" + escapeHtml(shot.file) + "\">inspector (SVG)</a>";
}

std::string Report::index(const std::string& title, const std::string& summary) const {
    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>"
        << escapeHtml(title) << "</title>\n<style>\n"
        << "body{background:#15171c;color:#d8dce4;font-family:sans-serif;margin:2em}\n"
           "h1{font-weight:300}a{color:#9fb3d1}\n"
           "figure{display:inline-block;margin:0 1.5em 2em 0;vertical-align:top}\n"
           "figure img{width:400px;border:1px solid #3a3f4b;background:#000}\n"
           "figcaption{margin-top:.4em;color:#9fb3d1;max-width:400px}\n"
           "pre{background:#0d0f13;padding:1em;overflow:auto;font-size:12px}\n"
           "#transcript+pre{max-height:30em}\n"
           ".full{display:none;position:fixed;top:0;left:0;right:0;bottom:0;overflow:auto;"
           "background:#0b0c10;padding:1em 2em;z-index:1}\n"
           ".full:target{display:block}.full img{border:1px solid #3a3f4b;max-width:none}\n"
        << "</style></head><body>\n<h1>" << escapeHtml(title) << "</h1>\n";
    if (!summary.empty())
        out << "<p>" << escapeHtml(summary) << "</p>\n";
    out << "<nav><h2>Contents</h2><ol>\n";
    for (size_t i = 0; i < snapshots.size(); ++i)
        out << "<li><a href=\"#picture-" << i + 1 << "\">" << escapeHtml(snapshots[i].caption)
            << "</a></li>\n";
    out << "<li><a href=\"#transcript\">Transcript</a></li></ol></nav>\n<p>A click on a picture "
           "shows it at full size with the transcript lines that led to it.</p>\n";
    for (size_t i = 0; i < snapshots.size(); ++i)
        out << "<figure id=\"picture-" << i + 1 << "\"><a href=\"#full-" << i + 1
            << "\"><img src=\"" << escapeHtml(shown(snapshots[i])) << "\" alt=\""
            << escapeHtml(snapshots[i].caption) << "\"></a><figcaption>" << i + 1 << ". "
            << escapeHtml(snapshots[i].caption) << inspector(snapshots[i])
            << "</figcaption></figure>\n";
    out << "<h2 id=\"transcript\">Transcript</h2>\n<pre>";
    for (const auto& line : transcript)
        out << escapeHtml(line) << "\n";
    out << "</pre>\n";
    for (size_t i = 0; i < snapshots.size(); ++i) {
        const Snapshot& shot = snapshots[i];
        out << "<section class=\"full\" id=\"full-" << i + 1 << "\"><p><a href=\"#picture-" << i + 1
            << "\">close</a>";
        if (i > 0)
            out << " · <a href=\"#full-" << i << "\">previous</a>";
        if (i + 1 < snapshots.size())
            out << " · <a href=\"#full-" << i + 2 << "\">next</a>";
        out << inspector(shot) << "</p>\n<h2>" << i + 1 << ". " << escapeHtml(shot.caption)
            << "</h2>\n<img src=\"" << escapeHtml(shown(shot)) << "\" alt=\""
            << escapeHtml(shot.caption) << "\">\n<h3>What led to it</h3>\n<pre>";
        for (size_t line = shot.firstLine; line < shot.endLine; ++line)
            out << escapeHtml(transcript[line]) << "\n";
        out << "</pre></section>\n";
    }
    out << "</body></html>\n";
    return out.str();
}

bool Report::close(const std::string& title, const std::string& summary, std::string* error) {
    std::vector<std::string> files;
    for (const Snapshot& shot : snapshots) {
        files.push_back(shot.file);
        if (!shot.png.empty())
            files.push_back(shot.png);
    }
    files.push_back(kIndex);
    std::string manifest = "# written by kel-play, which removes these files when it writes "
                           "its next report here\n";
    for (const std::string& file : files)
        manifest += file + "\n";
    if (!writeText(staging() / kIndex, index(title, summary), error) ||
        !writeText(staging() / kManifest, manifest, error))
        return false;

    const std::set<std::string> earlier = readManifest(directory / kManifest);
    for (const std::string& file : files)
        if (fs::exists(directory / file) && !earlier.count(file)) {
            *error = (directory / file).string() +
                     " was not written by kel-play, which leaves it alone; the new report is in " +
                     staging().string();
            return false;
        }
    std::error_code ec;
    for (const std::string& file : earlier)
        if (fs::is_regular_file(directory / file, ec))
            fs::remove(directory / file, ec);
    files.push_back(kManifest);
    for (const std::string& file : files) {
        fs::rename(staging() / file, directory / file, ec);
        if (ec) {
            *error = "cannot move " + file + " into " + directory.string() + ": " + ec.message();
            return false;
        }
    }
    fs::remove_all(staging(), ec);
    return true;
}

} // namespace kelplay
