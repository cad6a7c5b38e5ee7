#include "AppendLockWait.h"

#include "TTzDbf.h"

#include <algorithm>
#include <thread>

namespace vell3::addresses {

namespace {

constexpr std::chrono::milliseconds kPauseBetweenAttempts{10};

} // namespace

bool TakeAppendLockWithin(tables::TTzDbf& table, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (table.ALock()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(kPauseBetweenAttempts, deadline - now));
    }
}

} // namespace vell3::addresses
