#pragma once

#include <memory>
#include <vector>

// A copy of a list taken to walk it while the walk may change the list (a listener removing
// itself, a handler adding a component). The copies are kept per thread and reused, so a walk in
// a steady frame allocates nothing; walks nest (a frame drawn from inside a frame, a view drawn
// inside it), each depth with its own copy.
template <class T> class ListSnapshot {
public:
    ListSnapshot() : pool(threadPool()) {
        if (pool.depth == pool.copies.size())
            pool.copies.push_back(std::make_unique<std::vector<T>>());
        copy = pool.copies[pool.depth++].get();
    }
    explicit ListSnapshot(const std::vector<T>& items) : ListSnapshot() {
        copy->assign(items.begin(), items.end());
    }
    ~ListSnapshot() {
        copy->clear(); // keeps the capacity for the next walk
        --pool.depth;
    }
    ListSnapshot(const ListSnapshot&) = delete;
    ListSnapshot& operator=(const ListSnapshot&) = delete;

    std::vector<T>& items() { return *copy; }
    typename std::vector<T>::iterator begin() { return copy->begin(); }
    typename std::vector<T>::iterator end() { return copy->end(); }
    typename std::vector<T>::reverse_iterator rbegin() { return copy->rbegin(); }
    typename std::vector<T>::reverse_iterator rend() { return copy->rend(); }

private:
    struct Pool {
        std::vector<std::unique_ptr<std::vector<T>>> copies;
        std::size_t depth = 0;
    };
    static Pool& threadPool() {
        static thread_local Pool pool;
        return pool;
    }

    Pool& pool;
    std::vector<T>* copy = nullptr;
};
