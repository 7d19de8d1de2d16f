#include "wang/reference/ReferenceGenerator.h"

#include "problem/Int32Arithmetic.h"
#include "wang/rules/JoinShape.h"

#include <list>
#include <unordered_map>

namespace wang {

namespace {

struct Node {
    TPattern data;
    const Node* first = nullptr;
    const Node* second = nullptr;
    int type = -1; // piece type index of a single piece
};

using NodeList = std::list<Node>;
using Counts = std::array<std::int64_t, problem::maxPieceTypes>;

Counts leafCounts(const Node& root)
{
    Counts counts{};
    std::vector<const Node*> stack{&root};
    while (!stack.empty()) {
        const Node* node = stack.back();
        stack.pop_back();
        if (!node->first) {
            ++counts[static_cast<std::size_t>(node->type)];
            continue;
        }
        stack.push_back(node->second);
        stack.push_back(node->first);
    }
    return counts;
}

class ReferenceRun {
public:
    ReferenceRun(const problem::TInstance& instance, float beta, const WangOptions& options)
        : m_instance(instance), m_options(options),
          m_plateArea(problem::mul32(instance.plateHeight, instance.plateLength)),
          m_limit(wasteLimit(instance.plateHeight, instance.plateLength, beta))
    {
    }

    GenerationResult run()
    {
        const std::vector<TPattern> pieces = startingList(m_instance);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            m_list.push_back(Node{pieces[i], nullptr, nullptr, static_cast<int>(i)});
        std::int64_t made = m_instance.pieceCount;
        while (made > 0) {
            ++m_result.passes;
            const std::size_t covered = m_list.size();
            checkMemory(covered * 2 * sizeof(Node), m_result.passes, covered);
            made = pairAll(covered);
            made -= removeDuplicates(std::next(m_list.begin(), static_cast<long>(covered)));
            if (m_list.size() > m_options.patternLimit)
                throw GenerationStopped{WangFailure::TooManyPatterns};
        }
        m_result.patterns = flatten();
        return std::move(m_result);
    }

private:
    std::int64_t pairAll(std::size_t covered)
    {
        std::int64_t made = 0;
        auto a = m_list.begin();
        for (std::size_t i = 0; i < covered; ++i, ++a) {
            // Each outer record adds up to two builds per record to the list.
            checkMemory(covered * 2 * sizeof(Node), m_result.passes, m_list.size());
            auto b = m_list.begin();
            for (std::size_t j = 0; j < covered; ++j, ++b) {
                made += tryBuild(*a, *b, kindHorizontal);
                made += tryBuild(*a, *b, kindVertical);
                m_result.buildsTried += 2;
            }
            if (std::chrono::steady_clock::now() > m_options.deadline)
                throw GenerationStopped{WangFailure::TimeLimit};
        }
        m_result.buildsMade += made;
        return made;
    }

    bool tryBuild(const Node& a, const Node& b, std::int32_t kind)
    {
        const Join join = joinShape(a.data, b.data, kind, m_plateArea);
        const Node& q = join.secondLeads ? b : a;
        const Node& r = join.secondLeads ? a : b;
        TPattern built = join.record;
        if (!fitsPlate(built, m_instance.plateHeight, m_instance.plateLength) ||
            exceedsWasteLimit(built.internalWaste, m_limit) || !withinDemand(q, r))
            return false;
        built.id = m_list.back().data.id + 1;
        m_list.push_back(Node{built, &q, &r, -1});
        return true;
    }

    bool withinDemand(const Node& q, const Node& r) const
    {
        const Counts ofQ = leafCounts(q);
        const Counts ofR = leafCounts(r);
        for (int i = 0; i < m_instance.pieceCount; ++i) {
            const std::int64_t count = ofQ[i] + ofR[i];
            if (count > 0 && m_instance.pieces[i].demand < count)
                return false;
        }
        return true;
    }

    std::int64_t removeDuplicates(NodeList::iterator fresh)
    {
        std::int64_t removed = 0;
        while (fresh != m_list.end()) {
            if (isDuplicate(fresh)) {
                fresh = m_list.erase(fresh);
                ++removed;
            } else {
                ++fresh;
            }
        }
        return removed;
    }

    bool isDuplicate(NodeList::iterator candidate) const
    {
        const TPattern& c = candidate->data;
        for (auto earlier = m_list.begin(); earlier != candidate; ++earlier) {
            const TPattern& e = earlier->data;
            if (!earlier->first || e.internalWaste != c.internalWaste ||
                e.totalWaste != c.totalWaste || e.length != c.length)
                continue;
            if (e.height == 0 || c.length == 0)
                continue;
            if (leafCounts(*earlier) == leafCounts(*candidate))
                return true;
        }
        return false;
    }

    std::vector<TPattern> flatten() const
    {
        std::unordered_map<const Node*, std::int32_t> indexOf;
        std::vector<TPattern> patterns;
        patterns.reserve(m_list.size());
        for (const Node& node : m_list) {
            TPattern record = node.data;
            record.first = node.first ? indexOf.at(node.first) : noPart;
            record.second = node.second ? indexOf.at(node.second) : noPart;
            indexOf.emplace(&node, static_cast<std::int32_t>(patterns.size()));
            patterns.push_back(record);
        }
        return patterns;
    }

    const problem::TInstance& m_instance;
    const WangOptions& m_options;
    const std::int32_t m_plateArea;
    const float m_limit;
    NodeList m_list;
    GenerationResult m_result;
};

} // namespace

std::expected<GenerationResult, WangError>
generatePatternsReference(const problem::TInstance& instance, float beta,
                          const WangOptions& options)
{
    return guardedGeneration(instance, [&] { return ReferenceRun(instance, beta, options).run(); });
}

std::array<std::int32_t, problem::maxPieceTypes> countLeaves(const std::vector<TPattern>& patterns,
                                                             std::size_t index, int pieceCount)
{
    std::array<std::int32_t, problem::maxPieceTypes> counts{};
    std::vector<std::size_t> stack{index};
    while (!stack.empty()) {
        const TPattern& record = patterns[stack.back()];
        const std::size_t at = stack.back();
        stack.pop_back();
        if (record.first == noPart) {
            // Pieces open the list in table order, so a piece's position is its type.
            if (at < static_cast<std::size_t>(pieceCount) && at < counts.size())
                ++counts[at];
            continue;
        }
        stack.push_back(static_cast<std::size_t>(record.second));
        stack.push_back(static_cast<std::size_t>(record.first));
    }
    return counts;
}

} // namespace wang
