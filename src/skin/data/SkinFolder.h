// Where a skin folder is: the manager's SkinDirectory, written the way a
// classic desktop writes paths ("c:\Skins", ".\Skins"), resolved against
// the program's folder and mapped to a path of this system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// The folder of the running program with a trailing "/".
std::string ProgramFolder();

// SkinDirectory resolved as the skin manager does: ".\" or "./" in front
// and paths without a drive (no ":" and not starting with "/") are taken
// from the program's folder; the result ends with "\". An empty directory
// stays empty.
std::string ResolveSkinDirectory(std::string_view directory, std::string_view programFolder);

// A resolved path as a path of this system ("\" becomes "/"), or nothing for
// a path on a drive letter, which cannot exist here.
std::optional<std::string> NativePath(std::string_view path);

// The file or folder exists (false for paths NativePath refuses).
bool FileExists(std::string_view path);
bool FolderExists(std::string_view path);

// Names of the sub-folders of a folder that do not start with ".".
std::vector<std::string> SubFolders(std::string_view path);

// A file's bytes; nothing if it cannot be read.
std::optional<std::string> ReadFileText(std::string_view path);

}  // namespace skin
