#pragma once
// The program's state. Each module keeps its module-wide state in one object of its own type;
// those objects live in one Context, which main builds for the run and each test builds afresh,
// so no test has to undo what an earlier one left. A module's object is made the first time the
// module asks for it and is destroyed with the context, the last made first.
#include <cstddef>
#include <memory>
#include <vector>

namespace tav {

namespace detail {
std::size_t nextContextSlot();
// The slot of a state type: numbered once per type for the whole program.
template <class T>
std::size_t contextSlot() {
    static const std::size_t slot = nextContextSlot();
    return slot;
}
}  // namespace detail

class Context {
  public:
    Context() = default;
    ~Context() { clear(); }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    // The state object of type T, made (default-constructed) on first use.
    template <class T>
    T& get() {
        const std::size_t slot = detail::contextSlot<T>();
        if (slot < slots_.size() && slots_[slot]) return *static_cast<T*>(slots_[slot]->object());
        // Made before it is filed: its constructor may ask for other state of this context.
        auto made = std::make_unique<Holder<T>>();
        return *static_cast<T*>(file(slot, std::move(made)));
    }

    // Destroys every state object, the last made first.
    void clear();

  private:
    struct Slot {
        virtual ~Slot() = default;
        virtual void* object() = 0;
    };
    template <class T>
    struct Holder final : Slot {
        T value{};
        void* object() override { return &value; }
    };
    void* file(std::size_t slot, std::unique_ptr<Slot> made);

    std::vector<std::unique_ptr<Slot>> slots_;
    std::vector<std::size_t> made_;  // slots in the order their objects were made
};

// The context in force: the innermost ScopedContext, or the program's own until main made one.
Context& context();

// Makes a fresh context the one in force while it lives: main's for the run, one per test.
class ScopedContext {
  public:
    ScopedContext();
    ~ScopedContext();
    ScopedContext(const ScopedContext&) = delete;
    ScopedContext& operator=(const ScopedContext&) = delete;

  private:
    Context own_;
    Context* previous_;
};

}  // namespace tav
