#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "andor/fast/DemandReadings.h"
#include "andor/fast/GrowingArray.h"
#include "andor/fast/SolvedStates.h"
#include "andor/fast/StateMemo.h"
#include "andor/rules/HomogeneousFilling.h"

namespace andor {

// The states a constrained search has solved. A state that can be looked up has an entry in
// the group of its key, with the reading of the demand it was solved for; each group lists its
// entries from the latest. A state with levels of cuts below its parts keeps its piece counts
// apart, so that taking its pieces does not walk its whole pattern.
template <typename Count> class ConstrainedStates {
public:
    using Readings = DemandReadings<Count>;
    using Reading = typename Readings::Reading;

    ConstrainedStates(std::size_t keyWords, std::size_t typeCount)
        : m_keyWords(keyWords), m_n(typeCount)
    {
        reserve();
    }

    // The group of a key, and its latest entry whose reading serves the demand (-1: none).
    struct Found {
        std::int32_t group;
        std::int32_t entry;
    };

    Found find(std::span<const std::int32_t> key, const std::int32_t* demand)
    {
        const auto [group, fresh] = m_groups.intern(key);
        if (fresh)
            m_latestOfGroup.push_back(-1);
        for (std::int32_t entry = m_latestOfGroup[static_cast<std::size_t>(group)]; entry >= 0;
             entry = m_entries[static_cast<std::size_t>(entry)].previous) {
            // The entry is read next either way, for its state or for the one before it.
            __builtin_prefetch(&m_entries[static_cast<std::size_t>(entry)]);
            if (Readings::serves(reading(entry), demand, m_n))
                return {group, entry};
        }
        return {group, -1};
    }

    // Makes a state the latest entry of its group; returns the entry, whose reading is to be
    // filled in.
    std::int32_t addEntry(std::int32_t group, std::int32_t state)
    {
        const auto entry = static_cast<std::int32_t>(m_entries.size());
        m_entries.push_back({state, m_latestOfGroup[static_cast<std::size_t>(group)]});
        m_latestOfGroup[static_cast<std::size_t>(group)] = entry;
        m_readings.resize(m_readings.size() + m_n);
        return entry;
    }

    Reading* reading(std::int32_t entry)
    {
        return m_readings.data() + static_cast<std::size_t>(entry) * m_n;
    }

    const Reading* reading(std::int32_t entry) const
    {
        return m_readings.data() + static_cast<std::size_t>(entry) * m_n;
    }

    std::int32_t stateOf(std::int32_t entry) const
    {
        return m_entries[static_cast<std::size_t>(entry)].state;
    }

    const SolvedState& state(std::int32_t id) const
    {
        return m_states[static_cast<std::size_t>(id)];
    }

    std::span<const SolvedState> states() const { return {m_states.data(), m_states.size()}; }

    // Keeps a state whose counts add up from its parts; returns its id.
    std::int32_t add(const SolvedState& solved) { return push(solved, -1); }

    // Keeps a node's state; a state that kept its filling holds it as its first part. Only
    // states with three levels of cuts or more whose parts are states keep their counts apart:
    // the others add up at most four leaves. Returns the state's id.
    std::int32_t store(SolvedState node, const HomogeneousFill& fill, std::int32_t depthLeft)
    {
        if (node.choice < 0)
            node.first = {-1, fill};
        if (depthLeft < 3 || (node.first.state < 0 && node.second.state < 0))
            return add(node);
        const std::size_t at = m_counts.size();
        m_counts.resize(at + m_n, 0);
        addCounts(m_counts.data() + at, node.first, 1);
        addCounts(m_counts.data() + at, node.second, 1);
        return push(node, static_cast<std::int32_t>(at / m_n));
    }

    // Adds a part's piece counts, times sign, to counts.
    void addCounts(std::int32_t* counts, const PartRef& part, std::int32_t sign) const
    {
        if (part.state < 0) {
            if (part.leaf.value != 0)
                counts[static_cast<std::size_t>(part.leaf.type)] += sign * part.leaf.count;
            return;
        }
        const std::int32_t block = m_countsAt[static_cast<std::size_t>(part.state)];
        if (block < 0) {
            const SolvedState& solved = state(part.state);
            addCounts(counts, solved.first, sign);
            addCounts(counts, solved.second, sign);
            return;
        }
        const std::int32_t* partCounts = m_counts.data() + static_cast<std::size_t>(block) * m_n;
        for (std::size_t i = 0; i < m_n; ++i)
            counts[i] += sign * partCounts[i];
    }

    // Appends a state after the states below it, for another search; returns its place.
    std::int32_t exportState(std::int32_t id, std::vector<SolvedState>& out) const
    {
        SolvedState solved = state(id);
        for (PartRef* part : {&solved.first, &solved.second})
            if (part->state >= 0)
                part->state = exportState(part->state, out);
        out.push_back(solved);
        return static_cast<std::int32_t>(out.size()) - 1;
    }

    // Keeps the states of a part another search solved; returns the part's own.
    std::int32_t importStates(const std::vector<SolvedState>& states)
    {
        const auto base = static_cast<std::int32_t>(m_states.size());
        for (SolvedState solved : states) {
            for (PartRef* part : {&solved.first, &solved.second})
                if (part->state >= 0)
                    part->state += base;
            add(solved);
        }
        return static_cast<std::int32_t>(m_states.size()) - 1;
    }

    // The memory the arrays take, by their capacity.
    std::size_t bytes() const
    {
        return m_groups.bytes() + m_latestOfGroup.capacity() * sizeof(std::int32_t) +
               m_entries.capacity() * sizeof(Entry) + m_states.capacity() * sizeof(SolvedState) +
               m_readings.capacity() * sizeof(Reading) +
               m_counts.capacity() * sizeof(std::int32_t) +
               m_countsAt.capacity() * sizeof(std::int32_t);
    }

    // Frees every state. A state only saves solving its part again, which gives the same
    // result, so forgetting them changes no result.
    void forget()
    {
        m_groups = StateMemo(static_cast<int>(m_keyWords), bytesPerState());
        m_latestOfGroup = {};
        m_entries = {};
        m_states = {};
        m_readings = {};
        m_counts = {};
        m_countsAt = {};
        reserve();
    }

private:
    std::int32_t push(const SolvedState& solved, std::int32_t countsAt)
    {
        m_states.push_back(solved);
        m_countsAt.push_back(countsAt);
        return static_cast<std::int32_t>(m_states.size()) - 1;
    }

    // Room for the states of a typical search is made at once: growing the arrays step by
    // step copies them and touches fresh memory each time, a good part of a small search's
    // time.
    void reserve()
    {
        constexpr std::size_t typical = std::size_t{1} << 16;
        constexpr std::size_t budget = std::size_t{16} << 20; // bytes
        const std::size_t states =
            std::min(typical, budget / (bytesPerState() + m_keyWords * sizeof(std::int32_t)));
        m_states.reserve(states);
        m_groups.reserve(states);
        m_readings.reserve(states * m_n);
        m_counts.reserve(states * m_n / 2);
        m_countsAt.reserve(states);
        m_entries.reserve(states);
        m_latestOfGroup.reserve(states);
    }

    // What a state takes besides its key: its node, its readings, its counts for one in two,
    // and its links.
    std::size_t bytesPerState() const
    {
        return sizeof(SolvedState) + m_n * sizeof(Reading) + m_n / 2 * sizeof(std::int32_t) + 24;
    }

    struct Entry {
        std::int32_t state;
        std::int32_t previous; // in its group, -1 at a list's end
    };

    std::size_t m_keyWords;
    std::size_t m_n;
    StateMemo m_groups{static_cast<int>(m_keyWords), bytesPerState()};
    std::vector<std::int32_t> m_latestOfGroup;
    std::vector<Entry> m_entries;
    // The two largest arrays of a long search.
    GrowingArray<SolvedState> m_states;
    GrowingArray<Reading> m_readings;     // m_n per entry
    std::vector<std::int32_t> m_counts;   // m_n per state that keeps its counts apart
    std::vector<std::int32_t> m_countsAt; // per state, its block of m_n counts, or -1
};

} // namespace andor
