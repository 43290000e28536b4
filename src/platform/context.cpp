#include "context.h"

#include <atomic>

namespace tav {

namespace detail {
std::size_t nextContextSlot() {
    static std::atomic<std::size_t> next{0};
    return next++;
}
}  // namespace detail

namespace {
Context* g_current = nullptr;

// State asked for before main made its context (static initialisers, tools without a main of
// ours) lands here.
Context& programContext() {
    static Context own;
    return own;
}
}  // namespace

void* Context::file(std::size_t slot, std::unique_ptr<Slot> made) {
    if (slot >= slots_.size()) slots_.resize(slot + 1);
    // A constructor that asked for its own type again made it already: keep the first.
    if (!slots_[slot]) {
        slots_[slot] = std::move(made);
        made_.push_back(slot);
    }
    return slots_[slot]->object();
}

void Context::clear() {
    while (!made_.empty()) {
        const std::size_t slot = made_.back();
        made_.pop_back();
        // Out of the table first: its destructor may ask for state and grow the table.
        std::unique_ptr<Slot> dying = std::move(slots_[slot]);
        dying.reset();
    }
    slots_.clear();
}

Context& context() {
    return g_current ? *g_current : programContext();
}

ScopedContext::ScopedContext() : previous_(g_current) {
    g_current = &own_;
}

ScopedContext::~ScopedContext() {
    // Cleared while still in force: a destructor that asks for state finds this context's.
    own_.clear();
    g_current = previous_;
}

}  // namespace tav
