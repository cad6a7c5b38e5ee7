#pragma once

#include "AppSettings.h"

#include <functional>
#include <string>
#include <string_view>

namespace vell3 {

// In a shared DataFolder: the last serial each customer ID used (a profile
// file, one key per customer ID) and the file whose lock keeps the desks'
// turns apart. The lock sits on a file of its own because the serial file is
// replaced by a rename on every write, which would drop a lock held on it.
inline constexpr const char* kSharedSerialFile = "LastSerial.ini";
inline constexpr const char* kSharedSerialLockFile = "LastSerial.lck";

// How long a desk waits for another desk's turn before it gives up.
inline constexpr int kSharedSerialWaitMilliseconds = 30000;

// The later of two serials on the cycle that counts up 00000001 ... 99999999
// and wraps to 00000001 (00000000 stands just before 00000001): of two
// serials less than half the cycle apart, the one reached by counting up.
std::string LaterSerial(std::string_view a, std::string_view b);

// Keeps the stepped sequence before a mailer is printed with it. In barcode
// mode with a shared DataFolder, under the lock: SerialNum becomes the later
// of the desk's own stepped serial and the shared last serial of its customer
// ID + 1, the shared file keeps it (written whole or not at all, flushed to
// disk), then `save` writes the desk's settings; then the lock is released.
// Otherwise only `save` runs. Throws UserError when the shared file cannot be
// locked or written (SerialNum is then as it came) and passes on what `save`
// throws.
void SaveSteppedSequence(AppSettings& settings,
                         const std::function<void(const AppSettings&)>& save);

} // namespace vell3
