#pragma once

#include <chrono>

namespace vell3::tables {
class TTzDbf;
}

namespace vell3::addresses {

// How long the import waits for another program to let go of the append lock.
inline constexpr std::chrono::milliseconds kAppendLockWait{5000};

// Takes the table's append lock, trying again for up to `wait` while another
// program holds it; true when the lock is held afterwards.
// (A stand-in for the engine's own lock-retry policy, which replaces it.)
bool TakeAppendLockWithin(tables::TTzDbf& table, std::chrono::milliseconds wait);

} // namespace vell3::addresses
