#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

// Byte values and offsets of the dBASE table, memo and lock layout.
namespace vell3::tables::layout {

inline constexpr uint8_t kVersionPlain = 0x03; // dBASE III+/IV table without memo
inline constexpr uint8_t kVersionDbase3Memo = 0x83;
inline constexpr uint8_t kVersionDbase4Memo = 0x8B;
inline constexpr uint8_t kVersionDbase7Memo = 0x8C;
inline constexpr uint8_t kVersionDbase2 = 0x02;
inline constexpr uint8_t kVersionDbase4Sql = 0x04;
inline constexpr uint8_t kVersionFoxProMemo = 0xF5;
inline constexpr uint8_t kVersionVisualFoxPro = 0x30;

inline constexpr int kHeaderPrologSize = 32;
inline constexpr int kDescriptorSize = 32;
inline constexpr int kDbase7PrologSize = 68;
inline constexpr int kDbase7DescriptorSize = 48;
inline constexpr int kDbase2MinHeader = 521;
inline constexpr int kMaxFields = 255;
inline constexpr int kMaxNameLength = 10;

inline constexpr int kOffsetRecordCount = 4;
inline constexpr int kOffsetHeaderLength = 8;
inline constexpr int kOffsetRecordLength = 10;
inline constexpr int kOffsetProductionIndex = 28;

inline constexpr char kHeaderTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;
inline constexpr char kLiveRecord = ' ';
inline constexpr char kDeletedRecord = '*';

// Memo files.
inline constexpr uint32_t kMemoBlockSize = 512;
inline constexpr int kMemoHeaderWritten = 24;
inline constexpr uint8_t kMemoBlockSignature[4] = {0xFF, 0xFF, 0x08, 0x00};
inline constexpr int kMemoBlockHeader = 8;
inline constexpr uint64_t kMemoLockOffset = 10;
// How long a write to a shared memo file waits for its lock byte.
inline constexpr std::chrono::milliseconds kMemoLockWait{200};
inline constexpr int kMemoMaxLines = 1024;
inline constexpr size_t kMemoMaxLineLength = 253;
inline constexpr int kFreeChainMaxRuns = 100;
inline constexpr char kSoftReturn = static_cast<char>(0x8D);

// Byte-range locks on the table file, far beyond its data.
inline constexpr uint64_t kLockRegion = 0x40000000;
inline constexpr uint64_t kAppendLockOffset = kLockRegion + 1;
inline constexpr uint64_t kIndexLockOffset = kLockRegion;
// Shared and exclusive opening: a read lock (shared) or write lock
// (exclusive) on one reserved byte just below the documented lock region.
inline constexpr uint64_t kShareModeOffset = kLockRegion - 1;

} // namespace vell3::tables::layout
