#pragma once

#include "wang/fast/JoinCollector.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace wang {

// Makes the builds of outer records 0, 1, 2, ... in chunks of consecutive records, on a second
// thread and on the thread that takes them: that one takes the builds in record order, and
// makes a later chunk itself whenever the next one is not ready. So the making of a pass
// shares the machine's cores; what each outer record gives is unchanged. Chunks are sized by
// the builds their records make.
class BuildsAhead {
public:
    // Makes the builds of one outer record: appends those the taking thread must see to a
    // vector and returns how many it made in all. Each thread calls its own; the second
    // thread's must not touch what the taking thread changes while this object lives.
    using Make = std::function<std::int64_t(std::size_t outer, std::vector<MadeBuild>& out)>;

    // What one outer record gave.
    struct Outer {
        std::span<MadeBuild> shown; // the builds the taking thread must see
        std::int64_t made = 0;      // all its builds
    };

    BuildsAhead(std::size_t outerCount, Make takerMake, Make makerMake);
    ~BuildsAhead();
    BuildsAhead(const BuildsAhead&) = delete;
    BuildsAhead& operator=(const BuildsAhead&) = delete;

    // The builds of the next outer record, valid until the next call; called once for each of
    // the outerCount records. Rethrows what making them threw.
    Outer next();

private:
    struct Made {
        std::size_t end = 0; // of the record's builds in the chunk
        std::int64_t count = 0;
    };

    // The builds of the records [begin, end), record by record.
    struct Chunk {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::vector<MadeBuild> builds;
        std::vector<Made> outers;
        std::exception_ptr failure;
        bool ready = false;
    };

    void makeChunks();
    bool allClaimed() const { return m_nextOuter == m_outerCount; }
    bool mayClaim() const;
    void makeNextChunk(std::unique_lock<std::mutex>& lock, const Make& make);
    static void fill(Chunk& chunk, const Make& make);
    void resize(const Chunk& chunk);
    Chunk& slotOf(std::size_t chunk) { return m_slots[chunk % m_slots.size()]; }
    void takeNextChunk();

    const std::size_t m_outerCount;
    const Make m_takerMake;
    const Make m_makerMake;
    std::array<Chunk, 8> m_slots;
    std::mutex m_mutex; // guards the counts below and each chunk's `ready`
    std::condition_variable m_changed;
    std::size_t m_nextOuter = 0;      // the first record of no chunk claimed yet
    std::size_t m_outersPerChunk = 1; // the records of the next chunk claimed
    std::size_t m_claimed = 0;        // chunks taken up for making, by either thread
    std::size_t m_taken = 0;          // chunks taken by next(), the last one still being read
    bool m_stopping = false;
    std::size_t m_nextInChunk = 0; // the next record of the chunk being read
    std::thread m_maker; // none where no thread could be started: the taker then makes all
};

} // namespace wang
