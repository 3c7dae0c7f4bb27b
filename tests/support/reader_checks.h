// For tests of the readers: the scene's state as bytes, and runs in a child
// process for what could hang or exhaust memory.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "app/scene.h"
#include "io/code_table.h"
#include "support/persist_util.h"

// Everything a load may replace, as bytes to compare before and after.
inline std::string scene_state() {
  std::string s;
  auto add = [&s](const auto& v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); };
  add(ObjectTable), add(CodeTable), add(CodeBindingTable), add(light_on), add(light_positional);
  add(last_record), add(current_record), add(code_count), add(edit_color);
  return s + code_file + read_file("active.rcf");
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UNDER_ASAN = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool UNDER_ASAN = true;
#else
constexpr bool UNDER_ASAN = false;
#endif
#else
constexpr bool UNDER_ASAN = false;
#endif

// Runs f in a child process that is stopped after `seconds`, with its address
// space limited to `memory_mb` more than it holds (0: no limit; the address
// sanitizer needs its own). f's result (0..255), or -1 when the child did not
// finish: it hung, crashed or was stopped.
template <typename F>
int in_child(F f, unsigned seconds, long memory_mb = 0) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    alarm(seconds);
    if (memory_mb > 0 && !UNDER_ASAN) {
      long pages = 0;
      if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
        std::fclose(statm);
      }
      const rlim_t limit = pages * sysconf(_SC_PAGESIZE) + (memory_mb << 20);
      const rlimit r = {limit, limit};
      setrlimit(RLIMIT_AS, &r);
    }
    _exit(f());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
