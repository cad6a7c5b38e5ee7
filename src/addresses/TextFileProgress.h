#pragma once

#include <cstdint>
#include <functional>

namespace vell3::addresses {

// How far an import or export run has come: lines read (import) or records
// written (export) out of the whole.
struct TextFileProgress {
    uint64_t done = 0;
    uint64_t total = 0;
};

// Called now and then while a run works, and once at its end; returning
// false cancels the run after the record in hand.
using ProgressCallback = std::function<bool(const TextFileProgress&)>;

// How many records a run handles between two progress calls.
inline constexpr uint64_t kProgressStep = 256;

} // namespace vell3::addresses
