#pragma once

#include "PosixFile.h"

#include <string>

namespace vell3::tables {

// The index semaphore file (".@S@") beside a shared table: byte 0 of its
// 4-byte record counts the programs that have an index of the table open. The
// file is deleted when the count falls to 0.
class IndexSemaphore {
public:
    static std::string FileNameFor(const std::string& tablePath);

    // LOGIN: adds 1 to the count, under the table's index byte lock and the
    // semaphore file's own lock. Raises error 1202 when it cannot.
    static void Login(PosixFile& table, const std::string& tablePath);
    // LOGOUT: takes 1 away and deletes the file at 0.
    static void Logout(PosixFile& table, const std::string& tablePath);

private:
    static void Change(PosixFile& table, const std::string& tablePath, int delta,
                       const char* action);
};

} // namespace vell3::tables
