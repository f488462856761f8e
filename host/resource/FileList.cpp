#include "host/resource/FileList.h"

#include <cstring>

FileList::~FileList() {
    clear();
}

void FileList::add(const char* name) {
    const size_t length = std::strlen(name);
    char* copy = new char[length + 1];
    std::memcpy(copy, name, length + 1);
    names.push_back(copy);
}

void FileList::clear() {
    for (char* name : names)
        delete[] name;
    names.clear();
}
