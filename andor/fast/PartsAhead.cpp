#include "andor/fast/PartsAhead.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace andor {

namespace {

// How long the search waits for a part before it calls whileWaiting again: short enough that
// a stop asked for meanwhile is seen at once by a person.
constexpr std::chrono::milliseconds waitingStep{20};

enum class PairState { Open, Helping, Claimed, Done };

struct PairSlot {
    PairState state = PairState::Open;
    std::array<std::optional<PartsAhead::Part>, 2> parts;
};

} // namespace

// Fields but the node, the value and the control are guarded by the owner's mutex.
class PartsAhead::Board {
public:
    explicit Board(Node node) : node(std::move(node)), pairs(this->node.pairs.size()) {}

    const Node node;
    std::vector<PairSlot> pairs;
    std::size_t next = 0;           // the search has come to every pair before this one
    std::size_t end = pairs.size(); // the second thread has taken or passed every pair from here
    std::atomic<float> searchValue{0.0f};
    problem::RunControl control; // stopped when the board is closed
};

const PartsAhead::Node& PartsAhead::Job::node() const
{
    return board->node;
}

PartsAhead::PartsAhead(Work work) : m_work(std::move(work))
{
    try {
        m_helper = std::thread([this] { help(); });
    } catch (const std::system_error&) {
        m_ending = true; // no second thread: the search solves every part itself
    }
}

PartsAhead::~PartsAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
        for (const auto& board : m_open)
            board->control.requestStop();
    }
    m_changed.notify_all();
    if (m_helper.joinable())
        m_helper.join();
}

void PartsAhead::help()
{
    try {
        m_work(*this);
    } catch (...) {
        // Out of memory or of stack: the search solves what is left.
    }
    const std::lock_guard lock(m_mutex);
    endJob();
    m_ending = true;
    m_changed.notify_all();
}

// Ends the second thread's job with the parts it solved.
void PartsAhead::endJob()
{
    if (m_current)
        m_current->board->pairs[m_current->pair].state = PairState::Done;
    m_current.reset();
    m_changed.notify_all();
}

// The last open pair of the newest board that has one.
std::optional<PartsAhead::Job> PartsAhead::openJob()
{
    for (auto board = m_open.rbegin(); board != m_open.rend(); ++board) {
        Board& b = **board;
        while (b.end > b.next && b.pairs[b.end - 1].state != PairState::Open)
            --b.end;
        if (b.end > b.next) {
            b.pairs[--b.end].state = PairState::Helping;
            return Job{*board, b.end};
        }
    }
    return std::nullopt;
}

bool PartsAhead::anyOpenPair() const
{
    return std::ranges::any_of(m_open, [](const auto& board) {
        return board->next < board->end &&
               std::any_of(board->pairs.begin() + static_cast<std::ptrdiff_t>(board->next),
                           board->pairs.begin() + static_cast<std::ptrdiff_t>(board->end),
                           [](const PairSlot& pair) { return pair.state == PairState::Open; });
    });
}

std::optional<PartsAhead::Job> PartsAhead::nextJob()
{
    std::unique_lock lock(m_mutex);
    endJob();
    for (;;) {
        if (m_ending)
            return std::nullopt;
        if ((m_current = openJob())) {
            m_idle = false;
            return m_current;
        }
        m_idle = true;
        m_changed.notify_all();
        m_changed.wait(lock);
    }
}

void PartsAhead::finish(const Job& job, std::size_t half, Part part)
{
    {
        const std::lock_guard lock(m_mutex);
        if (job.board->control.stopRequested())
            return; // closed: nobody takes it
        job.board->pairs[job.pair].parts[half] = std::move(part);
    }
    m_changed.notify_all();
}

float PartsAhead::searchValue(const Job& job)
{
    return job.board->searchValue.load(std::memory_order_relaxed);
}

problem::RunControl& PartsAhead::control(const Job& job)
{
    return job.board->control;
}

std::shared_ptr<PartsAhead::Board> PartsAhead::open(Node node)
{
    auto board = std::make_shared<Board>(std::move(node));
    {
        const std::lock_guard lock(m_mutex);
        m_open.push_back(board);
    }
    m_changed.notify_all();
    return board;
}

void PartsAhead::close(Board& board)
{
    const std::lock_guard lock(m_mutex);
    board.control.requestStop();
    board.end = 0;
    for (PairSlot& pair : board.pairs)
        pair.parts = {};
    std::erase_if(m_open, [&](const auto& open) { return open.get() == &board; });
}

const PartsAhead::Part* PartsAhead::take(Board& board, std::size_t pair, std::size_t half,
                                         const std::function<void()>& whileWaiting)
{
    std::unique_lock lock(m_mutex);
    board.next = std::max(board.next, pair + 1);
    PairSlot& asked = board.pairs[pair];
    if (asked.state == PairState::Open)
        asked.state = PairState::Claimed;
    while (asked.state == PairState::Helping && !asked.parts[half]) {
        if (m_changed.wait_for(lock, waitingStep) == std::cv_status::timeout) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    }
    return asked.parts[half] ? &*asked.parts[half] : nullptr;
}

void PartsAhead::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ending || (m_idle && !anyOpenPair()); });
}

void PartsAhead::noteSearchValue(Board& board, float value)
{
    board.searchValue.store(value, std::memory_order_relaxed);
}

} // namespace andor
