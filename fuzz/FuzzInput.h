#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vell3::tables::fuzz {

// One fuzz input holds three files: a 2-byte length of the table part, a
// 2-byte length of the memo part, the table, the memo file, then the index
// file (the rest).
struct FuzzFiles {
    std::string table;
    std::string memo;
    std::string index;
};

FuzzFiles SplitInput(const uint8_t* data, size_t size);
std::string JoinInput(const FuzzFiles& files);

} // namespace vell3::tables::fuzz
