#include "NameAddressText.h"

#include "Text.h"

namespace vell3::addresses {

namespace {

constexpr char kEndOfFile = 0x1A; // Ctrl-Z
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

std::string DecodeNameAddressText(std::string_view bytes) {
    // Ctrl-Z and the line-end bytes are the same in UTF-8 and Windows-1252
    // and never part of a longer UTF-8 sequence, so the file can be cut
    // before it is decoded.
    const size_t end = bytes.find(kEndOfFile);
    if (end != std::string_view::npos) {
        bytes = bytes.substr(0, end);
    }
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    return DecodeExternalText(bytes);
}

std::string TakeTextLine(std::string_view& text) {
    const size_t feed = text.find('\n');
    const std::string_view raw = text.substr(0, feed);
    text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
    std::string line;
    line.reserve(raw.size());
    for (char c : raw) {
        if (c != '\r') {
            line.push_back(c);
        }
    }
    return line;
}

} // namespace vell3::addresses
