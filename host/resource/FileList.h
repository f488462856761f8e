#pragma once

#include "host/HostApi.h"

#include <cstddef>
#include <vector>

// The names of a directory's entries as the resource manager lists them, in its order. The list
// owns the strings: they live until the list is cleared or destroyed.
class KEL_HOST_API FileList {
public:
    FileList() = default;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;
    virtual ~FileList();

    void add(const char* name);
    void clear();
    size_t size() const { return names.size(); }
    bool empty() const { return names.empty(); }
    const char* operator[](size_t index) const { return names[index]; }
    std::vector<char*>::const_iterator begin() const { return names.begin(); }
    std::vector<char*>::const_iterator end() const { return names.end(); }

private:
    std::vector<char*> names;
};
