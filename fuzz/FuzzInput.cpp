#include "FuzzInput.h"

#include <algorithm>

namespace vell3::tables::fuzz {

FuzzFiles SplitInput(const uint8_t* data, size_t size) {
    FuzzFiles files;
    if (size < 4) {
        files.table.assign(reinterpret_cast<const char*>(data), size);
        return files;
    }
    size_t tableSize = static_cast<size_t>(data[0] | (data[1] << 8));
    size_t memoSize = static_cast<size_t>(data[2] | (data[3] << 8));
    const char* p = reinterpret_cast<const char*>(data) + 4;
    size_t left = size - 4;
    tableSize = std::min(tableSize, left);
    files.table.assign(p, tableSize);
    p += tableSize;
    left -= tableSize;
    memoSize = std::min(memoSize, left);
    files.memo.assign(p, memoSize);
    p += memoSize;
    left -= memoSize;
    files.index.assign(p, left);
    return files;
}

std::string JoinInput(const FuzzFiles& files) {
    std::string out;
    const size_t table = std::min<size_t>(files.table.size(), 0xFFFF);
    const size_t memo = std::min<size_t>(files.memo.size(), 0xFFFF);
    out.push_back(static_cast<char>(table & 0xFF));
    out.push_back(static_cast<char>(table >> 8));
    out.push_back(static_cast<char>(memo & 0xFF));
    out.push_back(static_cast<char>(memo >> 8));
    out += files.table.substr(0, table);
    out += files.memo.substr(0, memo);
    out += files.index;
    return out;
}

} // namespace vell3::tables::fuzz
