#include "text/removal_on_signal.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

namespace text {

namespace {

// States of a slot: free, being filled or emptied by its owner, in force.
enum : int { kFree = 0, kBusy = 1, kArmed = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  RemovalOnSignal::Kind kind = RemovalOnSignal::Kind::kFile;
  char path[PATH_MAX] = {};
};

constexpr size_t kSlots = 32;
std::array<Slot, kSlots> slots;

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The entries of the folder at path, unlinked with system calls only
// (readdir may allocate).
void EmptyFolder(const char* path) {
  const int dir = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return;
  alignas(8) static char buffer[4096];
  for (;;) {
    const long got = ::syscall(SYS_getdents64, dir, buffer, sizeof buffer);
    if (got <= 0) break;
    for (long at = 0; at < got;) {
      // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name.
      unsigned short length;
      std::memcpy(&length, buffer + at + 16, sizeof length);
      const char* name = buffer + at + 19;
      if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) ::unlinkat(dir, name, 0);
      at += length;
    }
  }
  ::close(dir);
}

void RemoveAndEnd(int signal) {
  for (RemovalOnSignal::Kind kind : {RemovalOnSignal::Kind::kFile, RemovalOnSignal::Kind::kFolder}) {
    for (Slot& slot : slots) {
      if (slot.state.load() != kArmed || slot.kind != kind) continue;
      if (kind == RemovalOnSignal::Kind::kFile) {
        ::unlink(slot.path);
      } else {
        EmptyFolder(slot.path);
        ::rmdir(slot.path);
      }
    }
  }
  // Ends the process the way the signal would have.
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void InstallHandlers() {
  for (int signal : kSignals) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
    if (previous.sa_handler != SIG_DFL) continue;  // the program handles it itself
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (int other : kSignals) sigaddset(&action.sa_mask, other);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

bool RemovalOnSignal::Register(const std::filesystem::path& path, Kind kind) {
  Release();
  static std::once_flag installed;
  std::call_once(installed, InstallHandlers);
  const std::string& text = path.native();
  if (text.size() >= PATH_MAX) return false;
  for (size_t i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kBusy)) continue;
    slots[i].kind = kind;
    std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
    slots[i].state.store(kArmed);
    slot_ = static_cast<int>(i);
    return true;
  }
  return false;
}

void RemovalOnSignal::Release() {
  if (slot_ < 0) return;
  slots[static_cast<size_t>(slot_)].state.store(kFree);
  slot_ = -1;
}

SignalsHeld::SignalsHeld() {
  sigset_t ending;
  sigemptyset(&ending);
  for (int signal : kSignals) sigaddset(&ending, signal);
  pthread_sigmask(SIG_BLOCK, &ending, &previous_);
}

SignalsHeld::~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace text
