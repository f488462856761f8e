#pragma once

#include "host/debug/Filter.h"

#include <mutex>
#include <string>
#include <vector>

namespace kel::test {

// Takes the host log for the lifetime of the object and keeps its records.
class LogCapture {
public:
    LogCapture() {
        debug::setLogSink([this](const debug::LogRecord& record) {
            std::lock_guard<std::mutex> guard(mutex);
            records.push_back(record);
        });
    }
    ~LogCapture() { debug::setLogSink(nullptr); }

    std::vector<debug::LogRecord> take() {
        std::lock_guard<std::mutex> guard(mutex);
        auto result = std::move(records);
        records.clear();
        return result;
    }
    size_t count(const std::string& filter) {
        std::lock_guard<std::mutex> guard(mutex);
        size_t n = 0;
        for (const auto& record : records)
            n += record.filter == filter;
        return n;
    }

private:
    std::mutex mutex;
    std::vector<debug::LogRecord> records;
};

} // namespace kel::test
