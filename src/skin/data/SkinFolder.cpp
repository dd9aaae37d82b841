#include "skin/data/SkinFolder.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace skin {

namespace fs = std::filesystem;

std::string ProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) exe = fs::current_path(ec) / "program";
  std::string folder = exe.parent_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string ResolveSkinDirectory(std::string_view directory, std::string_view programFolder) {
  std::string dir(directory);
  if (dir.empty()) return dir;
  std::string program(programFolder);
  if (!program.empty() && program.back() != '/' && program.back() != '\\') program += '/';
  if (dir.starts_with(".\\") || dir.starts_with("./"))
    dir = program + dir.substr(2);
  else if (dir.find(':') == std::string::npos && dir.front() != '/')
    dir = program + dir;
  if (dir.back() == '/')
    dir.back() = '\\';
  else if (dir.size() == 1)
    dir += ":\\";
  else if (dir.back() != '\\')
    dir += '\\';
  return dir;
}

std::optional<std::string> NativePath(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
    return std::nullopt;
  std::string native(path);
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

bool FileExists(std::string_view path) {
  const auto native = NativePath(path);
  std::error_code ec;
  return native && fs::is_regular_file(*native, ec);
}

bool FolderExists(std::string_view path) {
  const auto native = NativePath(path);
  std::error_code ec;
  return native && fs::is_directory(*native, ec);
}

std::vector<std::string> SubFolders(std::string_view path) {
  std::vector<std::string> names;
  const auto native = NativePath(path);
  std::error_code ec;
  if (!native || !fs::is_directory(*native, ec)) return names;
  for (fs::directory_iterator it(*native, ec), end; !ec && it != end; it.increment(ec)) {
    std::string name = it->path().filename().string();
    if (!name.starts_with(".") && it->is_directory(ec)) names.push_back(std::move(name));
  }
  return names;
}

std::optional<std::string> ReadFileText(std::string_view path) {
  const auto native = NativePath(path);
  if (!native) return std::nullopt;
  std::ifstream in(*native, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace skin
