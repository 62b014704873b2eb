// Where a file that is replaced by renaming a new one over it may be
// written. What stands at the name decides: nothing or a regular file is
// replaced; a link is followed to the regular file it names, which is
// replaced in its own folder (the link stays a link); anything else (a
// device, a pipe, a folder, a link to nothing) is refused, since renaming
// over it would silently put a file where the user had something else.
#pragma once

#include <optional>
#include <string>

namespace varenta {

enum class WriteRefusal { None, NotRegular, DanglingLink };

struct WriteTarget {
    std::string path; // the file to replace
    WriteRefusal refusal = WriteRefusal::None;
};

WriteTarget ResolveWriteTarget(const std::string& path);
// The refusal in words, for the messages ("it is not a regular file").
const char* RefusalReason(WriteRefusal refusal);

} // namespace varenta
