#include "platform/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace ts {
namespace {

// A file descriptor that is closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return m_fd; }
  bool valid() const { return m_fd >= 0; }
  // Some file systems only report a failed write when the file is closed.
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool writeAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<size_t>(written);
  }
  return true;
}

// Renaming over a link would replace the link by a plain file; the content
// belongs to the file it points to.
fs::path followLinks(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path resolved = fs::canonical(path, error);
  return error ? path : resolved;
}

// A name beside the target that no other save uses at the same moment,
// even one of another program of ours: the process id and a count.
fs::path temporaryBeside(const fs::path& target) {
  static std::atomic<unsigned> count{0};
  fs::path temporary = target;
  temporary += ".tsm-" + std::to_string(::getpid()) + "-" + std::to_string(count++);
  return temporary;
}

// Writes the temporary file whole and flushes it to the disk. A new file
// gets the user's usual mode (0666 less the umask); a replacement gets the
// mode of the file it replaces (`replaced`, null for a new file), so a save
// never opens up a private page. Only a file this call created is ever
// removed again.
bool writeTemporary(const fs::path& temporary, std::span<const uint8_t> bytes, const struct stat* replaced) {
  Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (!file.valid()) return false;
  const bool written = writeAll(file.get(), bytes) &&
                       (!replaced || ::fchmod(file.get(), replaced->st_mode & 07777) == 0) &&
                       ::fsync(file.get()) == 0 && file.close();
  if (!written) ::unlink(temporary.c_str());
  return written;
}

// A rename is a change to the folder, so the folder is flushed too; until
// then a crash may bring back the old file, or no file at all.
bool flushFolder(const fs::path& folder) {
  Descriptor directory(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!directory.valid()) return false;
  // A file system that cannot flush a folder says so with EINVAL; the
  // rename is then as durable as that file system makes it.
  return ::fsync(directory.get()) == 0 || errno == EINVAL;
}

}  // namespace

WriteResult writeFileSafely(const fs::path& requested, std::span<const uint8_t> bytes) {
  if (requested.empty() || !requested.has_filename()) return WriteResult::Failed;
  const fs::path target = followLinks(requested);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && !S_ISREG(existing.st_mode)) return WriteResult::Failed;
  // The owner's write bit, not access(): root may write anything, yet a
  // page its owner protected is still not to be replaced.
  if (exists && (existing.st_mode & S_IWUSR) == 0) return WriteResult::ReadOnly;
  const fs::path temporary = temporaryBeside(target);
  if (!writeTemporary(temporary, bytes, exists ? &existing : nullptr)) return WriteResult::Failed;
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return WriteResult::Failed;
  }
  // The new content is in place but may not survive a crash; the user is
  // told the save failed, so the page stays marked as changed.
  return flushFolder(target.parent_path()) ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace ts
