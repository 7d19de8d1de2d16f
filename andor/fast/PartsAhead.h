#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "andor/bounds/CutCeilings.h"
#include "andor/fast/SolvedStates.h"
#include "problem/RunControl.h"

namespace andor {

// Solves pairs of parts of the search on a second thread while the search goes on. The search
// opens a board for a node whose pairs it will come to, names the pairs by number and comes to
// them in that order; the second thread takes them from the last one down, up to where the
// search has come, and solves a pair's first part, then its second. The newest board goes
// first: it is the node the search is in. The search takes each part as it comes to it:
// solved, waited for while the second thread is at its pair, or else solved by the search
// itself. A part's result depends only on the part and its demand, so what the search finds
// does not depend on which thread solved which part, nor on when.
class PartsAhead {
public:
    // A solved part: its state and the states below it, its own last, each part naming a state
    // by its place here; and the reading of the demand it was solved for.
    struct Part {
        std::vector<SolvedState> states;
        std::vector<std::int64_t> reading; // wide enough for either width of counts
    };

    // A pair of a node: its parts and where their cuts start.
    struct Pair {
        RectSize first;
        RectSize second;
        std::int32_t xStart = 0;
        std::int32_t yStart = 0;
        CutsAllowed firstCuts = CutsAllowed::Both;
    };

    // A node whose pairs the second thread may solve: the first part within the node's own
    // demand, the second within what the first leaves of it.
    struct Node {
        std::vector<std::int32_t> demand;
        std::int32_t partLevels = 0; // the levels of cuts each part has left
        std::vector<Pair> pairs;
    };

    class Board;

    // A pair the second thread is to solve; its board stays alive while the job is held.
    struct Job {
        std::shared_ptr<Board> board;
        std::size_t pair = 0;
        const Node& node() const;
    };

    // Runs on the second thread: calls nextJob() until it gives none and finish() with the
    // parts of each job. A job's work stops at a checkpoint of control(job) once the search
    // leaves the job's node or ends; the work then goes on with the next job. Whatever it
    // throws ends its help, and the search then solves the parts left itself.
    using Work = std::function<void(PartsAhead& ahead)>;

    explicit PartsAhead(Work work);
    ~PartsAhead();
    PartsAhead(const PartsAhead&) = delete;
    PartsAhead& operator=(const PartsAhead&) = delete;

    // For the second thread. nextJob() waits while no board has a pair left for it, and gives
    // none once the search ends.
    std::optional<Job> nextJob();
    void finish(const Job& job, std::size_t half, Part part);
    // The value the search noted last for the job's node: a part that cannot raise it need not
    // be solved.
    static float searchValue(const Job& job);
    static problem::RunControl& control(const Job& job);

    // For the searching thread. A board is open until the search closes it, when it leaves
    // the node; the second thread then drops the board's pairs.
    std::shared_ptr<Board> open(Node node);
    void close(Board& board);
    // Part half (0 or 1) of pair when the second thread solved it, after waiting while it is
    // at the pair, valid until the board is closed; nullptr when the search must solve it.
    // Asking for a pair the second thread has not taken keeps it from taking it. While the
    // search waits, whileWaiting is called now and then (to see whether it was asked to stop,
    // for example).
    const Part* take(Board& board, std::size_t pair, std::size_t half,
                     const std::function<void()>& whileWaiting);
    // Waits until the second thread has no pair left to take, or has ended.
    void waitUntilIdle();
    // What the board's node is worth so far, for searchValue().
    static void noteSearchValue(Board& board, float value);

private:
    void help();
    void endJob();
    std::optional<Job> openJob();
    bool anyOpenPair() const;

    Work m_work;
    std::mutex m_mutex; // guards the boards and every field below
    std::condition_variable m_changed;
    std::vector<std::shared_ptr<Board>> m_open; // oldest first
    std::optional<Job> m_current;               // the second thread's job
    bool m_idle = false;                        // the second thread waits for a pair
    bool m_ending = false;                      // the search ends, or the second thread did
    std::thread m_helper;
};

} // namespace andor
