#pragma once
// Runs a piece of a test in a forked child and tells how it ended, for what the test program
// itself must not meet: a signal that ends the process, or the rights of an ordinary user (root
// writes into any folder and over any file's mode, so a child run as root drops to "nobody").
#include <grp.h>
#include <pwd.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace cvtest {

struct ChildEnd {
  bool exited = false;  // false: ended by the signal `signal`
  int code = -1;
  int signal = 0;
  std::string Text() const {
    return exited ? "exit code " + std::to_string(code) : "ended by signal " + std::to_string(signal);
  }
};

inline constexpr int kCouldNotDrop = 120;

// `body` runs in the child; its result is the child's exit code. With `unprivileged`, a child run
// as root first becomes "nobody" (exit kCouldNotDrop when it cannot).
inline ChildEnd RunInChild(const std::function<int()>& body, bool unprivileged = false) {
  const passwd* nobody = unprivileged && geteuid() == 0 ? getpwnam("nobody") : nullptr;
  const pid_t child = fork();
  if (child == 0) {
    if (unprivileged && geteuid() == 0 &&
        (!nobody || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0))
      _exit(kCouldNotDrop);
    _exit(body());
  }
  ChildEnd end;
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return end;
  end.exited = WIFEXITED(status);
  end.code = end.exited ? WEXITSTATUS(status) : -1;
  end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return end;
}

// The uid and gid a file must have for RunInChild(..., true) to own it.
inline bool UnprivilegedIds(uid_t& uid, gid_t& gid) {
  if (geteuid() != 0) {
    uid = geteuid();
    gid = getegid();
    return true;
  }
  const passwd* nobody = getpwnam("nobody");
  if (!nobody) return false;
  uid = nobody->pw_uid;
  gid = nobody->pw_gid;
  return true;
}

}  // namespace cvtest
