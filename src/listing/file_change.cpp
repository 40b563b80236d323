#include "file_change.h"

namespace kivo {

FileChange compareStamps(const FileStamp& known, const std::optional<FileStamp>& atPath) {
    if (!atPath)
        return FileChange::Gone;
    if (!atPath->sameFile(known))
        return FileChange::Replaced;
    if (*atPath == known)
        return FileChange::None;
    // Longer is taken as appended only: telling an append from an append plus a rewrite would
    // take reading every record, which growth must not cost.
    return atPath->size > known.size ? FileChange::Grown : FileChange::Rewritten;
}

} // namespace kivo
