#pragma once
// An in-memory byte device for stream tests, with knobs for faults a real
// file can show: reads that deliver less than asked or nothing at all, and a
// size that claims more data than there is.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "utilities/UStream.h"

class TestDevice : public UBasicStream {
public:
    explicit TestDevice(std::string data = "", int* destroyed = nullptr)
        : data(std::move(data)), destroyed(destroyed)
    {
    }
    ~TestDevice() override
    {
        if (destroyed) ++*destroyed;
    }

    long GetPosition() const override { return position; }
    void SetPosition(long p) override
    {
        position = std::clamp(p, 0L, static_cast<long>(data.size()));
    }
    long GetSize() const override { return static_cast<long>(data.size()) + claimedExtra; }
    void SetSize(long n) override
    {
        data.resize(static_cast<size_t>(std::max(n, 0L)));
        position = std::min(position, static_cast<long>(data.size()));
    }
    long Read(void* p, long n) override
    {
        ++reads;
        if (failReads) return 0;
        long count = std::min({n, maxRead, static_cast<long>(data.size()) - position});
        count = std::max(count, 0L);
        std::memcpy(p, data.data() + position, static_cast<size_t>(count));
        position += count;
        return count;
    }
    long Write(void const* p, long n) override
    {
        if (n < 1) return 0;
        writes.push_back(n);
        char const* bytes = static_cast<char const*>(p);
        data.replace(static_cast<size_t>(position), static_cast<size_t>(n), bytes,
                     static_cast<size_t>(n));
        position += n;
        return n;
    }

    std::string data;
    long position = 0;
    long maxRead = 1L << 30;  // deliver at most this many bytes per read
    long claimedExtra = 0;    // bytes the size reports beyond the data
    bool failReads = false;   // every read delivers nothing
    int reads = 0;
    std::vector<long> writes;  // length of each write

private:
    int* destroyed;
};
