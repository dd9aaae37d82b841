#include "memtable/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "memtable/DatabaseError.h"

namespace memtable {

namespace {

[[noreturn]] void Fail(const char* verb, const std::string& path, int err) {
  throw EMemTableError(std::string("Cannot ") + verb + " \"" + path + "\": " + std::strerror(err));
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Writes the bytes to a new file and flushes them to the disk; errno on failure.
int WriteAndSync(const std::string& path, const char* data, std::size_t size, mode_t mode) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return errno;
  int err = 0;
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  if (!err && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  return err;
}

// The rename is only lasting once the folder's entry is on the disk too.
void SyncFolder(const std::string& path) {
  int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void ReplaceWith(const std::string& path, const std::string& bytes, mode_t mode) {
  // One program writes a given file, so a fixed temporary name is enough and
  // a save that was cut short is cleaned up by the next one.
  std::string temp = path + ".tmp";
  if (int err = WriteAndSync(temp, bytes.data(), bytes.size(), mode)) {
    ::unlink(temp.c_str());
    Fail("save", path, err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    Fail("save", path, err);
  }
  SyncFolder(path);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string ReplaceExtension(const std::string& path, const std::string& ext) {
  std::size_t slash = path.find_last_of('/');
  std::size_t dot = path.find_last_of('.');
  std::string stem = path;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1))
    stem = path.substr(0, dot);
  return stem + "." + ext;
}

void WriteFileSafely(const std::string& path, const std::string& bytes,
                     const std::string& backupPath) {
  mode_t mode = 0644;
  struct stat st;
  bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists) mode = st.st_mode & 07777;
  if (exists && !backupPath.empty() && backupPath != path)
    ReplaceWith(backupPath, ReadWholeFile(path), mode);
  ReplaceWith(path, bytes, mode);
}

std::string ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("read", path, errno);
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    Fail("read", path, err);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    Fail("read", path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
  }
  std::string out;
  out.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      Fail("read", path, err);
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace memtable
