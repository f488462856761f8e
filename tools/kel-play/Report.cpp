#include "Report.h"

#include <cctype>
#include <cstdio>
#include <fstream>

namespace kelplay {

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
    std::filesystem::create_directories(directory, ec);
    if (ec) {
        *error = "cannot create " + directory.string() + ": " + ec.message();
        return false;
    }
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        const auto extension = it->path().extension();
        if (extension == ".svg" || it->path().filename() == "index.html")
            std::filesystem::remove(it->path(), ec);
    }
    return true;
}

bool Report::addSnapshot(const std::string& name, const std::string& caption,
                         const std::string& svg, std::string* error) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu-", snapshots.size() + 1);
    std::string safe;
    for (char c : name)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    const std::string file = prefix + safe + ".svg";
    std::ofstream out(directory / file, std::ios::binary);
    out << svg;
    if (!out) {
        *error = "cannot write " + (directory / file).string();
        return false;
    }
    snapshots.push_back(Snapshot{file, caption.empty() ? name : caption});
    return true;
}

bool Report::close(const std::string& title, std::string* error) {
    std::ofstream out(directory / "index.html", std::ios::binary);
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>"
        << escapeHtml(title) << "</title>\n<style>\n"
        << "body{background:#15171c;color:#d8dce4;font-family:sans-serif;margin:2em}\n"
        << "h1{font-weight:300}figure{display:inline-block;margin:0 1.5em 2em 0;"
           "vertical-align:top}\n"
        << "figure img{width:640px;border:1px solid #3a3f4b;background:#000}\n"
        << "figcaption{margin-top:.4em;color:#9fb3d1}\n"
        << "pre{background:#0d0f13;padding:1em;max-height:30em;overflow:auto;font-size:12px}\n"
        << "</style></head><body>\n<h1>" << escapeHtml(title) << "</h1>\n";
    for (size_t i = 0; i < snapshots.size(); ++i)
        out << "<figure><img src=\"" << escapeHtml(snapshots[i].file) << "\" alt=\""
            << escapeHtml(snapshots[i].caption) << "\"><figcaption>" << (i + 1) << ". "
            << escapeHtml(snapshots[i].caption) << "</figcaption></figure>\n";
    out << "<h2>Transcript</h2>\n<pre>";
    for (const auto& line : transcript)
        out << escapeHtml(line) << "\n";
    out << "</pre>\n</body></html>\n";
    if (!out) {
        *error = "cannot write " + (directory / "index.html").string();
        return false;
    }
    return true;
}

} // namespace kelplay
