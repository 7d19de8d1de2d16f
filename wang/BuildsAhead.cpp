#include "BuildsAhead.h"

#include <algorithm>

namespace {

// Consecutive outer records per chunk: enough that handing a chunk over costs little beside
// its work, few enough that the two threads share a pass evenly.
constexpr std::size_t outersPerChunk = 16;

} // namespace

BuildsAhead::BuildsAhead(std::size_t outerCount, Make takerMake, Make makerMake)
    : m_outerCount(outerCount), m_chunkCount((outerCount + outersPerChunk - 1) / outersPerChunk),
      m_takerMake(std::move(takerMake)), m_makerMake(std::move(makerMake)) {
    try {
        m_maker = std::thread([this] { makeChunks(); });
    } catch (const std::system_error&) {
        // No second thread: the chunks are all made as they are taken.
    }
}

BuildsAhead::~BuildsAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_maker.joinable())
        m_maker.join();
}

void BuildsAhead::makeChunks() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] {
            return m_stopping || m_claimed == m_chunkCount ||
                   m_claimed < m_taken + m_slots.size() - 1;
        });
        if (m_stopping || m_claimed == m_chunkCount)
            return;
        const std::size_t chunk = m_claimed++;
        lock.unlock();
        fill(chunk, m_makerMake);
        lock.lock();
        slotOf(chunk).ready = true;
        m_changed.notify_all();
    }
}

// Makes the builds of one claimed chunk into its slot; a failure is kept there for next().
void BuildsAhead::fill(std::size_t chunk, const Make& make) {
    Chunk& slot = slotOf(chunk);
    slot.builds.clear();
    slot.outers.clear();
    slot.failure = nullptr;
    const std::size_t end = std::min(m_outerCount, (chunk + 1) * outersPerChunk);
    try {
        for (std::size_t outer = chunk * outersPerChunk; outer < end; ++outer) {
            const std::int64_t count = make(outer, slot.builds);
            slot.outers.push_back({slot.builds.size(), count});
        }
    } catch (...) {
        slot.failure = std::current_exception();
    }
}

// Frees the chunk just read and waits for the next one, making later chunks meanwhile. The
// slot being read is never handed out: at most size() - 1 chunks run ahead of it.
void BuildsAhead::takeNextChunk() {
    std::unique_lock lock(m_mutex);
    if (m_taken > 0)
        slotOf(m_taken - 1).ready = false;
    const std::size_t wanted = m_taken++;
    m_changed.notify_all();
    while (!slotOf(wanted).ready) {
        if (m_claimed < m_chunkCount && m_claimed < m_taken + m_slots.size() - 1) {
            const std::size_t chunk = m_claimed++;
            lock.unlock();
            fill(chunk, m_takerMake);
            lock.lock();
            slotOf(chunk).ready = true;
        } else {
            m_changed.wait(lock);
        }
    }
    m_nextInChunk = 0;
}

BuildsAhead::Outer BuildsAhead::next() {
    if (m_taken == 0 || m_nextInChunk == slotOf(m_taken - 1).outers.size())
        takeNextChunk();
    Chunk& chunk = slotOf(m_taken - 1);
    if (chunk.failure)
        std::rethrow_exception(chunk.failure);
    const std::size_t begin = m_nextInChunk == 0 ? 0 : chunk.outers[m_nextInChunk - 1].end;
    const Made& made = chunk.outers[m_nextInChunk++];
    return {{chunk.builds.data() + begin, chunk.builds.data() + made.end}, made.count};
}
