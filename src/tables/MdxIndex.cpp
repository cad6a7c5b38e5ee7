#include "MdxIndex.h"

#include "ByteOrder.h"

#include "DbfDate.h"
#include "EngineError.h"
#include "FieldCodec.h"
#include "PosixFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace vell3::tables {

namespace {

constexpr uint32_t kPage = 512;      // page numbers count 512-byte units
constexpr uint32_t kNodeSize = 1024; // one block of two pages
constexpr uint32_t kNodePages = kNodeSize / kPage;
constexpr uint32_t kFileHeaderSize = 2048; // header block and tag table
constexpr uint32_t kTagHeaderPage = kFileHeaderSize / kPage;
constexpr uint32_t kFirstNodePage = kTagHeaderPage + kNodePages;
constexpr uint32_t kTagTableOffset = 544;
constexpr uint8_t kMdxVersion = 2;
constexpr uint8_t kKeyFormat = 0x10;
constexpr int kMaxKeyLength = 100;
constexpr int kExpressionOffset = 25;
constexpr int kMaxExpression = 220;
constexpr int kNodeHeader = 8;
constexpr int kMaxDepth = 32;

int ItemLength(int keyLength) {
    return (keyLength + 4 + 3) / 4 * 4;
}

int KeysPerNode(int keyLength) {
    return static_cast<int>((kNodeSize - kNodeHeader - 4) /
                            static_cast<uint32_t>(ItemLength(keyLength)));
}

int64_t JulianDay(const DbfDate& d) {
    const int a = (14 - d.month) / 12;
    const int64_t y = d.year + 4800 - a;
    const int m = d.month + 12 * a - 3;
    return d.day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

double KeyNumber(const std::string& key) {
    double value = 0;
    if (key.size() == sizeof value) {
        std::memcpy(&value, key.data(), sizeof value);
    }
    return value;
}

[[noreturn]] void Corrupted(const std::string& path) {
    RaiseEngineError(222, path + " [SetIndexTo]");
}

} // namespace

std::string MdxIndex::KeyOf(char type, std::string_view fieldBytes) {
    if (type == 'C' || type == 'L') {
        return std::string(fieldBytes);
    }
    double value = 0;
    if (type == 'D') {
        if (const auto date = DateFromDigits(fieldBytes)) {
            value = static_cast<double>(JulianDay(*date));
        }
    } else {
        value = ParseNumberField(fieldBytes).value_or(0);
    }
    std::string key(sizeof value, '\0');
    std::memcpy(key.data(), &value, sizeof value);
    return key;
}

bool MdxIndex::Less(const IndexEntry& a, const IndexEntry& b) const {
    if (keyType_ == 'C' || keyType_ == 'L') {
        const int order =
            std::memcmp(a.key.data(), b.key.data(), std::min(a.key.size(), b.key.size()));
        if (order != 0) {
            return order < 0;
        }
        if (a.key.size() != b.key.size()) {
            return a.key.size() < b.key.size();
        }
    } else {
        const double x = KeyNumber(a.key);
        const double y = KeyNumber(b.key);
        if (x != y) {
            return x < y;
        }
    }
    // Equal keys keep record order.
    return a.recNo < b.recNo;
}

void MdxIndex::SortEntries() {
    std::sort(entries_.begin(), entries_.end(),
              [this](const IndexEntry& a, const IndexEntry& b) { return Less(a, b); });
}

void MdxIndex::Clear() {
    open_ = false;
    path_.clear();
    entries_.clear();
}

void MdxIndex::CreateMdxHeader(const std::string& path, const std::string& tableBaseName) {
    Clear();
    path_ = path;
    tableBaseName_ = tableBaseName;
}

void MdxIndex::MakeIndex(const std::string& expression, char keyType, int keyLength,
                         std::vector<IndexEntry> entries) {
    if (keyLength < 1 || keyLength > kMaxKeyLength) {
        RaiseEngineError(220, "Incorrect key length: Must be 1 to 100. [MakeIndex]");
    }
    expression_ = expression;
    keyType_ = keyType;
    keyLength_ = keyLength;
    entries_ = std::move(entries);
    SortEntries();
    Write();
    open_ = true;
}

void MdxIndex::Write() {
    const int item = ItemLength(keyLength_);
    const auto perNode = static_cast<size_t>(KeysPerNode(keyLength_));
    std::string nodes;
    uint32_t nextPage = kFirstNodePage;
    auto newNode = [&]() {
        nodes.append(kNodeSize, '\0');
        const uint32_t page = nextPage;
        nextPage += kNodePages;
        return page;
    };
    auto nodeAt = [&](uint32_t page) {
        return reinterpret_cast<unsigned char*>(nodes.data()) + (page - kFirstNodePage) * kPage;
    };
    struct Child {
        uint32_t page;
        std::string lastKey;
    };
    std::vector<Child> level;
    // Leaves.
    size_t i = 0;
    do {
        const uint32_t page = newNode();
        const size_t n = std::min(perNode, entries_.size() - i);
        PutLe32(nodeAt(page), static_cast<uint32_t>(n));
        for (size_t k = 0; k < n; ++k) {
            unsigned char* at = nodeAt(page) + kNodeHeader + k * item;
            PutLe32(at, entries_[i + k].recNo);
            std::memcpy(at + 4, entries_[i + k].key.data(),
                        std::min(entries_[i + k].key.size(), static_cast<size_t>(keyLength_)));
        }
        level.push_back({page, n > 0 ? entries_[i + n - 1].key : std::string()});
        i += n;
    } while (i < entries_.size());
    // Interior nodes up to a single root: each holds children 0..m-1 as
    // (page, last key) items and child m in the trailing pointer.
    while (level.size() > 1) {
        std::vector<Child> upper;
        size_t c = 0;
        while (c < level.size()) {
            const uint32_t page = newNode();
            const size_t take = std::min(perNode + 1, level.size() - c);
            const size_t keys = take - 1;
            PutLe32(nodeAt(page), static_cast<uint32_t>(keys));
            for (size_t k = 0; k < keys; ++k) {
                unsigned char* at = nodeAt(page) + kNodeHeader + k * item;
                PutLe32(at, level[c + k].page);
                std::memcpy(at + 4, level[c + k].lastKey.data(),
                            std::min(level[c + k].lastKey.size(), static_cast<size_t>(keyLength_)));
            }
            PutLe32(nodeAt(page) + kNodeHeader + keys * item, level[c + keys].page);
            upper.push_back({page, level[c + keys].lastKey});
            c += take;
        }
        level = std::move(upper);
    }
    const uint32_t root = level.front().page;

    std::string header(kFileHeaderSize + kNodeSize, '\0');
    auto* h = reinterpret_cast<unsigned char*>(header.data());
    h[0] = kMdxVersion;
    PutToday(h + 1);
    std::memcpy(h + 4, tableBaseName_.data(), std::min<size_t>(tableBaseName_.size(), 16));
    PutLe16(h + 20, kNodePages);
    PutLe16(h + 22, kNodeSize);
    h[24] = 1;
    h[25] = 48;
    h[26] = 32;
    PutLe16(h + 28, 1);
    PutLe32(h + 32, nextPage);
    PutToday(h + 44);
    unsigned char* tag = h + kTagTableOffset;
    PutLe32(tag, kTagHeaderPage);
    std::memcpy(tag + 4, kTagName, std::strlen(kTagName));
    tag[15] = kKeyFormat;
    tag[19] = 0x02;
    tag[20] = static_cast<unsigned char>(keyType_);
    unsigned char* tagHeader = h + kFileHeaderSize;
    PutLe32(tagHeader, root);
    PutLe32(tagHeader + 4, nextPage);
    tagHeader[8] = kKeyFormat;
    tagHeader[9] = static_cast<unsigned char>(keyType_);
    PutLe16(tagHeader + 12, static_cast<uint32_t>(keyLength_));
    PutLe16(tagHeader + 14, static_cast<uint32_t>(perNode));
    PutLe16(tagHeader + 18, static_cast<uint32_t>(item));
    std::memcpy(tagHeader + kExpressionOffset, expression_.data(),
                std::min<size_t>(expression_.size(), kMaxExpression - 1));

    PosixFile file;
    header += nodes;
    if (!file.Create(path_) || !file.WriteAt(0, header.data(), header.size())) {
        RaiseEngineError(SystemErrorNumber(errno), path_ + " [MakeIndex]");
    }
}

void MdxIndex::Read(const std::string& path) {
    Clear();
    PosixFile file;
    if (!file.Open(path, PosixFile::Access::ReadOnly)) {
        RaiseEngineError(2, "SetIndexTo(" + path + ")");
    }
    const int64_t size = file.Size();
    if (size < static_cast<int64_t>(kFileHeaderSize + kNodeSize)) {
        Corrupted(path);
    }
    std::string header(kFileHeaderSize, '\0');
    if (file.ReadAt(0, header.data(), header.size()) != kFileHeaderSize) {
        Corrupted(path);
    }
    const auto* h = reinterpret_cast<const unsigned char*>(header.data());
    if (h[0] != kMdxVersion) {
        RaiseEngineError(223, path + " [SetIndexTo]");
    }
    const uint32_t pagesPerBlock = GetLe16(h + 20);
    const uint32_t blockSize = GetLe16(h + 22);
    const uint32_t tags = GetLe16(h + 28);
    if (pagesPerBlock != kNodePages || blockSize != kNodeSize || tags < 1 || tags > h[25] ||
        h[26] != 32) {
        Corrupted(path);
    }
    const unsigned char* tag = h + kTagTableOffset;
    const uint32_t tagPage = GetLe32(tag);
    const uint64_t tagOffset = static_cast<uint64_t>(tagPage) * kPage;
    if (tagPage < kTagHeaderPage || tagOffset + kNodeSize > static_cast<uint64_t>(size)) {
        Corrupted(path);
    }
    unsigned char tagHeader[kNodeSize];
    if (file.ReadAt(tagOffset, tagHeader, sizeof tagHeader) != kNodeSize) {
        Corrupted(path);
    }
    const uint32_t root = GetLe32(tagHeader);
    const char keyType = static_cast<char>(tagHeader[9]);
    const int keyLength = GetLe16(tagHeader + 12);
    const int item = GetLe16(tagHeader + 18);
    if ((keyType != 'C' && keyType != 'D' && keyType != 'N' && keyType != 'L') || keyLength < 1 ||
        keyLength > kMaxKeyLength || item < keyLength + 4 ||
        item > static_cast<int>(kNodeSize - kNodeHeader - 4)) {
        Corrupted(path);
    }
    if ((keyType == 'D' || keyType == 'N') && keyLength != static_cast<int>(sizeof(double))) {
        Corrupted(path);
    }
    const char* expression = reinterpret_cast<const char*>(tagHeader + kExpressionOffset);
    expression_.assign(expression, strnlen(expression, kMaxExpression - 1));
    keyType_ = keyType;
    keyLength_ = keyLength;
    path_ = path;
    const auto maxKeys =
        static_cast<uint32_t>((kNodeSize - kNodeHeader - 4) / static_cast<uint32_t>(item));
    const uint64_t totalNodes = static_cast<uint64_t>(size) / kNodeSize + 1;
    uint64_t visited = 0;

    // Walks the tree in order; a node visited more often than the file has
    // nodes, a tree deeper than any this layout can hold, or a page outside
    // the file means damage.
    auto walk = [&](auto&& self, uint32_t page, int depth) -> void {
        const uint64_t at = static_cast<uint64_t>(page) * kPage;
        if (depth > kMaxDepth || ++visited > totalNodes || page < kFirstNodePage ||
            at + kNodeSize > static_cast<uint64_t>(size)) {
            Corrupted(path);
        }
        unsigned char node[kNodeSize];
        if (file.ReadAt(at, node, sizeof node) != kNodeSize) {
            Corrupted(path);
        }
        const uint32_t count = GetLe32(node);
        if (count > maxKeys) {
            Corrupted(path);
        }
        const uint32_t trailing = GetLe32(node + kNodeHeader + count * item);
        const bool leaf = trailing == 0;
        for (uint32_t k = 0; k < count; ++k) {
            const unsigned char* entry = node + kNodeHeader + k * item;
            const uint32_t pointer = GetLe32(entry);
            if (leaf) {
                if (pointer == 0) {
                    Corrupted(path);
                }
                entries_.push_back(
                    {std::string(reinterpret_cast<const char*>(entry + 4), keyLength), pointer});
            } else {
                self(self, pointer, depth + 1);
            }
        }
        if (!leaf) {
            self(self, trailing, depth + 1);
        }
    };
    walk(walk, root, 0);
    open_ = true;
}

long MdxIndex::PositionOf(uint32_t recNo) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].recNo == recNo) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

void MdxIndex::Update(uint32_t recNo, const std::string& key) {
    const long at = PositionOf(recNo);
    if (at >= 0) {
        if (entries_[static_cast<size_t>(at)].key == key) {
            return;
        }
        entries_.erase(entries_.begin() + at);
    }
    IndexEntry entry{key, recNo};
    const auto place =
        std::upper_bound(entries_.begin(), entries_.end(), entry,
                         [this](const IndexEntry& a, const IndexEntry& b) { return Less(a, b); });
    entries_.insert(place, std::move(entry));
    Write();
}

} // namespace vell3::tables
