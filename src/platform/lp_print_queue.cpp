#include "platform/lp_print_queue.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace ts {
namespace {

constexpr const char* kNoLp = "*** No printer is set up: the print command lp was not found.";
constexpr const char* kLpFailed = "*** The print queue did not take the page (lp failed).";
constexpr const char* kQueued = "lp";

// `lp` on the search path; empty when there is none.
std::string findLp() {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::filesystem::path candidate = std::filesystem::path(folders.substr(start, end - start)) / "lp";
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    start = end + 1;
  }
  return {};
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Runs lp with the title as one argument (no shell), the document on its
// standard input; true when lp took it.
bool runLp(const std::string& lp, std::span<const uint8_t> document, const std::string& title) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    return false;
  }
  if (child == 0) {
    dup2(pipeEnds[0], STDIN_FILENO);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    std::vector<char*> args = {const_cast<char*>(lp.c_str()), const_cast<char*>("-t"), const_cast<char*>(title.c_str()),
                               nullptr};
    execv(lp.c_str(), args.data());
    _exit(127);
  }
  close(pipeEnds[0]);
  // A queue that stops reading must not kill the program.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  const bool written = writeAll(pipeEnds[1], document);
  close(pipeEnds[1]);
  std::signal(SIGPIPE, previous);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return written && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

PrintQueueResult LpPrintQueue::submit(std::span<const uint8_t> postScript, std::string_view title) const {
  const std::string lp = findLp();
  if (lp.empty()) return {false, kNoLp};
  if (!runLp(lp, postScript, std::string(title))) return {false, kLpFailed};
  return {true, std::string(kQueued) + " " + std::string(title)};
}

}  // namespace ts
