#pragma once

// Makes one allocation through operator new fail, as memory running out would, so that a test
// can reach every point where a program allocates. Link AllocationFailure.cpp into the test
// program itself: it replaces the global operator new and delete.
class AllocationFailure {
public:
    // Counts the allocations from now on; when failing is above 0, that one (1 is the next)
    // throws std::bad_alloc, or gives nullptr where nothrow was asked for.
    explicit AllocationFailure(long failing);
    // Stops counting; allocations succeed again.
    ~AllocationFailure();
    AllocationFailure(const AllocationFailure&) = delete;
    AllocationFailure& operator=(const AllocationFailure&) = delete;

    // Whether the failing allocation came: false once a run makes fewer allocations.
    bool struck() const;
};
