#include "ByteOrder.h"

#include <ctime>

namespace vell3::tables {

void PutToday(unsigned char* p) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    p[0] = static_cast<unsigned char>(local.tm_year & 0xFF);
    p[1] = static_cast<unsigned char>(local.tm_mon + 1);
    p[2] = static_cast<unsigned char>(local.tm_mday);
}

} // namespace vell3::tables
