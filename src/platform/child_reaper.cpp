#include "child_reaper.h"

#include <signal.h>
#include <sys/wait.h>

#include <atomic>
#include <cerrno>
#include <mutex>

namespace tav::platform {

namespace {

// A slot's life: Free -> Claimed (being filled or emptied) -> Running -> Reaping (one party
// inside waitpid) -> Running or Ended -> Claimed -> Free. Every change is a compare-and-swap, so
// the signal handler (on whichever thread) and the program never reap or free a slot twice.
enum State : int { Free, Claimed, Running, Reaping, Ended };
constexpr int kSlots = 1024;
constexpr int kLostStatus = -1;  // waitpid found no such child: another party reaped it

struct Slot {
    std::atomic<pid_t> pid{0};
    std::atomic<int> state{Free};
    std::atomic<int> status{0};
    std::atomic<bool> abandoned{false};
};

Slot g_slots[kSlots];
struct sigaction g_previous;
std::once_flag g_installed;

void release(Slot& s) {
    int ended = Ended;
    if (!s.state.compare_exchange_strong(ended, Claimed)) return;
    s.pid.store(0);
    s.abandoned.store(false);
    s.state.store(Free);
}

// Reaps the slot's child when it has ended. Async-signal-safe.
void tryReap(Slot& s) {
    int running = Running;
    if (!s.state.compare_exchange_strong(running, Reaping)) return;
    int status = 0;
    pid_t r;
    do {
        r = ::waitpid(s.pid.load(), &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == 0) {
        s.state.store(Running);
        return;
    }
    s.status.store(r > 0 ? status : kLostStatus);
    s.state.store(Ended);
    if (s.abandoned.load()) release(s);
}

void onChildSignal(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    for (Slot& s : g_slots) {
        if (s.state.load(std::memory_order_relaxed) == Running) tryReap(s);
    }
    errno = savedErrno;
    // Whoever handled SIGCHLD before keeps being told.
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    }
}

void installHandler() {
    struct sigaction action {};
    action.sa_sigaction = onChildSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
    ::sigaction(SIGCHLD, &action, &g_previous);
}

Slot* slotOf(pid_t pid) {
    for (Slot& s : g_slots) {
        const int state = s.state.load();
        if (state != Free && state != Claimed && s.pid.load() == pid) return &s;
    }
    return nullptr;
}

}  // namespace

bool enterChild(pid_t pid) {
    std::call_once(g_installed, installHandler);
    for (Slot& s : g_slots) {
        int free = Free;
        if (!s.state.compare_exchange_strong(free, Claimed)) continue;
        s.pid.store(pid);
        s.status.store(0);
        s.abandoned.store(false);
        s.state.store(Running);
        // It may have ended before it was entered, when no handler knew it.
        tryReap(s);
        return true;
    }
    return false;
}

std::optional<int> childStatus(pid_t pid) {
    Slot* s = slotOf(pid);
    if (!s) return kLostStatus;
    tryReap(*s);  // a SIGCHLD may have gone to a thread that blocks it
    if (s->state.load() != Ended) return std::nullopt;
    const int status = s->status.load();
    release(*s);
    return status;
}

void abandonChild(pid_t pid) {
    Slot* s = slotOf(pid);
    if (!s) return;
    s->abandoned.store(true);
    tryReap(*s);
    if (s->state.load() == Ended) release(*s);
}

int exitCodeOfStatus(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return status;
}

bool isLostStatus(int status) {
    return status == kLostStatus;
}

}  // namespace tav::platform
