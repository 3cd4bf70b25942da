#include "FaultInjection.h"

#include <atomic>
#include <mutex>

namespace {
std::atomic<bool> g_armed{false};
std::mutex g_lock;
unsigned g_points = 0;
unsigned g_failAt = 0;
unsigned g_count = 0;
DWORD g_error = 0;
}  // namespace

namespace FaultInjection {

void Arm(unsigned points, unsigned n, DWORD error) {
    std::lock_guard<std::mutex> lock(g_lock);
    g_points = points;
    g_failAt = n;
    g_count = 0;
    g_error = error;
    g_armed = true;
}

void Disarm() {
    std::lock_guard<std::mutex> lock(g_lock);
    g_armed = false;
    g_points = 0;
}

unsigned Count() {
    std::lock_guard<std::mutex> lock(g_lock);
    return g_count;
}

bool Fails(Point point, DWORD& error) {
    if (!g_armed.load(std::memory_order_relaxed))
        return false;
    std::lock_guard<std::mutex> lock(g_lock);
    if (!(g_points & point))
        return false;
    if (++g_count != g_failAt)
        return false;
    error = g_error;
    return true;
}

}  // namespace FaultInjection
