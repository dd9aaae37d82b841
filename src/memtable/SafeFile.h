// Whole-file reads and writes for saved tables. A write never damages the
// file it replaces: the bytes go to a temporary file in the same folder,
// which is flushed to the disk and then renamed over the old file, so a
// process killed at any moment leaves either the old file or the new one.
#pragma once

#include <string>

namespace memtable {

// Replaces `path` by `bytes`. With a non-empty `backupPath` the file being
// replaced is kept there first (itself replaced the same safe way). Fails
// with EMemTableError naming the file and the reason.
void WriteFileSafely(const std::string& path, const std::string& bytes,
                     const std::string& backupPath = {});
// The whole file; fails with EMemTableError naming the file and the reason.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
// `path` with its extension replaced by `ext` (given without the dot), or
// with `ext` added when it has none.
std::string ReplaceExtension(const std::string& path, const std::string& ext);

}  // namespace memtable
