#include "wang/fast/BuildsAhead.h"

#include <algorithm>
#include <system_error>

namespace wang {

namespace {

// A chunk should hold about this many builds: enough that handing it over costs little beside
// its work, few enough that the two threads share a pass evenly and the chunks stay small.
constexpr std::int64_t buildsPerChunk = 1024;
// Bounds on the records of a chunk. A pass starts with chunks of one record, as its first
// records, the smallest, tend to join with the most partners; the size then grows at most
// fourfold from one chunk to the next.
constexpr std::size_t mostOutersPerChunk = 4096;
constexpr std::size_t growthPerChunk = 4;

} // namespace

BuildsAhead::BuildsAhead(std::size_t outerCount, Make takerMake, Make makerMake)
    : m_outerCount(outerCount), m_takerMake(std::move(takerMake)), m_makerMake(std::move(makerMake))
{
    try {
        m_maker = std::thread([this] { makeChunks(); });
    } catch (const std::system_error&) {
        // No second thread: the chunks are all made as they are taken.
    }
}

BuildsAhead::~BuildsAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_maker.joinable())
        m_maker.join();
}

void BuildsAhead::makeChunks()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stopping || allClaimed() || mayClaim(); });
        if (m_stopping || allClaimed())
            return;
        makeNextChunk(lock, m_makerMake);
        m_changed.notify_all();
    }
}

// The slot being read is never handed out: at most size() - 1 chunks run ahead of it.
bool BuildsAhead::mayClaim() const
{
    return !allClaimed() && m_claimed < m_taken + m_slots.size() - 1;
}

// Claims the next records as a chunk and makes it, with the lock released meanwhile.
void BuildsAhead::makeNextChunk(std::unique_lock<std::mutex>& lock, const Make& make)
{
    const std::size_t chunk = m_claimed++;
    Chunk& slot = slotOf(chunk);
    slot.begin = m_nextOuter;
    slot.end = std::min(m_outerCount, m_nextOuter + m_outersPerChunk);
    m_nextOuter = slot.end;
    lock.unlock();
    fill(slot, make);
    lock.lock();
    slot.ready = true;
    resize(slot);
}

// Makes the builds of a claimed chunk; a failure is kept for next().
void BuildsAhead::fill(Chunk& chunk, const Make& make)
{
    chunk.builds.clear();
    chunk.outers.clear();
    chunk.failure = nullptr;
    try {
        for (std::size_t outer = chunk.begin; outer < chunk.end; ++outer) {
            const std::int64_t count = make(outer, chunk.builds);
            chunk.outers.push_back({chunk.builds.size(), count});
        }
    } catch (...) {
        chunk.failure = std::current_exception();
    }
}

// Sizes the chunks still to be claimed by the builds this one made per record.
void BuildsAhead::resize(const Chunk& chunk)
{
    std::int64_t made = 0;
    for (const Made& outer : chunk.outers)
        made += outer.count;
    const auto records = static_cast<std::int64_t>(chunk.outers.size());
    const auto fitting = static_cast<std::size_t>(
        std::max<std::int64_t>(1, buildsPerChunk * records / std::max<std::int64_t>(made, 1)));
    m_outersPerChunk = std::clamp<std::size_t>(
        fitting, 1, std::min(mostOutersPerChunk, growthPerChunk * m_outersPerChunk));
}

// Frees the chunk just read and waits for the next one, making later chunks meanwhile.
void BuildsAhead::takeNextChunk()
{
    std::unique_lock lock(m_mutex);
    if (m_taken > 0)
        slotOf(m_taken - 1).ready = false;
    const std::size_t wanted = m_taken++;
    m_changed.notify_all();
    while (!slotOf(wanted).ready) {
        if (mayClaim())
            makeNextChunk(lock, m_takerMake);
        else
            m_changed.wait(lock);
    }
    m_nextInChunk = 0;
}

BuildsAhead::Outer BuildsAhead::next()
{
    if (m_taken == 0 || m_nextInChunk == slotOf(m_taken - 1).outers.size())
        takeNextChunk();
    Chunk& chunk = slotOf(m_taken - 1);
    if (chunk.failure)
        std::rethrow_exception(chunk.failure);
    const std::size_t begin = m_nextInChunk == 0 ? 0 : chunk.outers[m_nextInChunk - 1].end;
    const Made& made = chunk.outers[m_nextInChunk++];
    return {{chunk.builds.data() + begin, chunk.builds.data() + made.end}, made.count};
}

} // namespace wang
