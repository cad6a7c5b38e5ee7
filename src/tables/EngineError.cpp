#include "EngineError.h"

#include <cerrno>
#include <utility>

namespace vell3::tables {

namespace {

struct NumberText {
    int number;
    const char* text;
};

// The descriptions of the error numbers a table can meet: DOS file errors,
// runtime I/O errors and the engine's own range.
constexpr NumberText kDescriptions[] = {
    {1, "Invalid function number"},
    {2, "File not found"},
    {3, "Path not found"},
    {4, "Too many open files"},
    {5, "File access denied"},
    {6, "Invalid file handle"},
    {8, "Not enough memory"},
    {12, "Invalid file access code"},
    {15, "Invalid drive number"},
    {16, "Cannot remove current directory"},
    {17, "Cannot rename across drives"},
    {18, "No more files"},
    {19, "Disk is write-protected"},
    {21, "Drive not ready"},
    {29, "Device write fault"},
    {30, "Device read fault"},
    {32, "File sharing violation"},
    {33, "File lock violation"},
    {100, "Disk read error"},
    {101, "Disk write error (probable cause: Disk Full)."},
    {102, "File not assigned"},
    {103, "File not open"},
    {104, "File not open for input"},
    {105, "File not open for output"},
    {106, "Invalid numeric format"},
    {210, "Not a dBASE data file"},
    {211, "Invalid database field type encountered"},
    {212, "Request beyond range"},
    {213, "End of file found unexpectedly"},
    {214, "File already in use"},
    {215, "No database in use"},
    {217, "Insufficient memory"},
    {220, "Invalid parameter"},
    {221, "Index file not open"},
    {222, "Corrupted index file"},
    {223, "Index version mismatch"},
    {225, "Exclusive Use() required"},
    {1003, "Invalid memo address"},
    {1004, "Disk full"},
    {1005, "Memo file write error"},
    {1007, "Memo file is already open"},
    {1012, "Insufficient disk space to pack memo file"},
    {1017, "Cannot lock memo file"},
    {1018, "Cannot unlock memo file"},
    {1019, "Invalid memo operation: database not open or no memo field in database"},
    {1103, "Invalid Operation "},
    {1200, "Record not locked"},
    {1201, "File not locked"},
    {1202, "Semaphore file error. Possible solutions: log into network or load SHARE.EXE "
           "before running Windows"},
    {1300, "File format not supported"},
};

EngineErrorHook& Hook() {
    static EngineErrorHook hook;
    return hook;
}

int& OffDepth() {
    static int depth = 0;
    return depth;
}

} // namespace

std::string ErrorDescription(int number) {
    for (const auto& entry : kDescriptions) {
        if (entry.number == number) {
            return entry.text;
        }
    }
    if (number >= 1203 && number <= 1299) {
        return "Network Error";
    }
    return "Undefined error";
}

std::string EngineError::Description() const {
    return ErrorDescription(number);
}

std::string EngineError::FullText() const {
    return "Error # " + std::to_string(number) + " (" + Description() + ")\r\n" + detail;
}

EngineException::EngineException(EngineError error)
    : std::runtime_error(error.FullText()), error_(std::move(error)) {}

EngineErrorHook SetEngineErrorHook(EngineErrorHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

ReportingOff::ReportingOff() {
    ++OffDepth();
}
ReportingOff::~ReportingOff() {
    --OffDepth();
}

bool ReportingIsOn() {
    return OffDepth() == 0;
}

void RaiseEngineError(int number, std::string detail) {
    EngineError error{number, std::move(detail)};
    if (ReportingIsOn() && Hook()) {
        Hook()(error);
    }
    throw EngineException(std::move(error));
}

int SystemErrorNumber(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return 5;
    case EAGAIN:
    case EBUSY:
    case ETXTBSY:
        return 32;
    case ENOMEM:
        return 8;
    case ENOSPC:
    case EDQUOT:
        return 101;
    case EIO:
        return 29;
    default:
        return errnoValue > 0 && errnoValue < 100 ? errnoValue : 255;
    }
}

} // namespace vell3::tables
