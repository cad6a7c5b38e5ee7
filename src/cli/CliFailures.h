#pragma once

namespace vell3::cli {

// Tells the failure being handled as the tool tells every failure, and gives
// the exit status: an engine error's full text and its number (255 above
// 255), any other error's text with its line breaks made a terminal's, and 1.
// Only for use inside a catch block; what is not a std::exception goes on.
int ReportCaughtFailure();

} // namespace vell3::cli
