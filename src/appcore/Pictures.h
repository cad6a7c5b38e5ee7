#pragma once

#include <string>

namespace vell3 {

// True when the file decodes as a picture in a format Qt reads (BMP, PNG, ...).
bool PictureLoads(const std::string& path);

} // namespace vell3
