#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace cv {

SaveResult WriteFileAtomically(const std::string& path, const std::string& bytes, std::string* error) {
  auto fail = [&](SaveResult result, int e) {
    if (error) *error = std::strerror(e);
    return result;
  };
  std::string target = path;
  struct stat st {};
  const bool exists = ::stat(path.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) return fail(SaveResult::NotCreated, EISDIR);
  if (exists) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) target = resolved;
    // The rename below would replace a write-protected file regardless of its mode.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return fail(SaveResult::NotCreated, errno);
  }

  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return fail(SaveResult::NotCreated, errno);
  }
  if (fd < 0) return fail(SaveResult::NotCreated, EEXIST);
  auto abandon = [&](int e) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    return fail(SaveResult::NotWritten, e);
  };
  if (exists) ::fchmod(fd, st.st_mode & 07777);

  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w < 0) return abandon(errno);
    if (w == 0) return abandon(EIO);
    done += static_cast<size_t>(w);
  }
  // Space that the file system reserves late is claimed here: a full disk shows now, not later.
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) return abandon(errno);
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) return abandon(errno);
  if (::rename(temp.c_str(), target.c_str()) != 0) return abandon(errno);
  return SaveResult::Saved;
}

}  // namespace cv
