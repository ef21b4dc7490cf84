#pragma once
// While it lives, no file of this process may grow past `bytes`: RLIMIT_FSIZE binds root too, so
// a save fails at its write or its commit, not at its open. SIGXFSZ is ignored meanwhile, so the
// write returns EFBIG instead of ending the test program. The old limit comes back at the end.
#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace cvtest {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old_), 0);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
};

}  // namespace cvtest
