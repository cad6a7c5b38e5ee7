#include "LockHolder.h"

#include "LogTable.h"
#include "TTzDbf.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vell3::log::test {

AppendLockHolder::AppendLockHolder(const std::string& tablePath,
                                   std::chrono::milliseconds holdFor) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) {
        return;
    }
    child_ = fork();
    if (child_ == 0) {
        close(ready[0]);
        close(release[1]);
        char answer = 'n';
        try {
            tables::TTzDbf table("Holder");
            ConfigureLogTable(table, tablePath);
            table.Open();
            if (table.ALock()) {
                answer = 'y';
            }
            (void)!write(ready[1], &answer, 1);
            pollfd wait{release[0], POLLIN, 0};
            poll(&wait, 1, static_cast<int>(holdFor.count()));
        } catch (...) {
            (void)!write(ready[1], &answer, 1);
        }
        _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char answer = 'n';
    holding_ = read(ready[0], &answer, 1) == 1 && answer == 'y';
    close(ready[0]);
}

AppendLockHolder::~AppendLockHolder() {
    Release();
}

void AppendLockHolder::Release() {
    if (release_ >= 0) {
        close(release_);
        release_ = -1;
    }
    if (child_ > 0) {
        int status = 0;
        waitpid(child_, &status, 0);
        child_ = -1;
    }
    holding_ = false;
}

} // namespace vell3::log::test
