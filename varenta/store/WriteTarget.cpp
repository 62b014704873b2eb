#include "varenta/store/WriteTarget.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace varenta {

WriteTarget ResolveWriteTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return {path, WriteRefusal::None}; // nothing there yet
    }
    if (S_ISREG(info.st_mode)) {
        return {path, WriteRefusal::None};
    }
    if (!S_ISLNK(info.st_mode)) {
        return {path, WriteRefusal::NotRegular};
    }
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        return {path, WriteRefusal::DanglingLink};
    }
    struct stat target {};
    if (::stat(resolved, &target) != 0 || !S_ISREG(target.st_mode)) {
        return {path, WriteRefusal::NotRegular};
    }
    return {resolved, WriteRefusal::None};
}

const char* RefusalReason(WriteRefusal refusal) {
    switch (refusal) {
    case WriteRefusal::NotRegular:
        return "it is not a regular file";
    case WriteRefusal::DanglingLink:
        return "it is a link to a file that does not exist";
    case WriteRefusal::None:
        break;
    }
    return "";
}

} // namespace varenta
