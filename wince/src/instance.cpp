// One running instance per program and device. The first top-level window of
// a program's class takes a lock file and listens on a local socket, both in
// the user's runtime folder and named after the namespace, the device root
// and the class, so a program started on another device root runs beside it.
// Another process's FindWindow connects to that socket; SetForegroundWindow
// on the stand-in handle it gets asks the first process to come forward.
// Headless runs keep to a namespace of their own process unless told
// otherwise, so parallel test runs of one program never find each other.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backend.h"
#include "wince/host/file.h"
#include "wince/host/window.h"
#include "wince/text.h"
#include "window_internal.h"

namespace wince::win {

namespace {

constexpr int kReplyTimeoutMs = 2000;

struct Published {
  HWND hwnd{};
  std::string key;
  int lockFd = -1;  // held (flock) when open
  std::string lockPath;
  int listenFd = -1;
  int wakePipe[2] = {-1, -1};
  std::string socketPath;
  std::thread listener;
};

struct Instances {
  std::string ns;
  std::mutex mutex;
  std::vector<std::unique_ptr<Published>> published;
  std::map<HWND, std::string> remotes;  // stand-in handle -> key
  std::function<void()> raiseHook;
  bool foundAnother = false;  // since beginStartCheck
  bool publishedOne = false;

  ~Instances();
};

Instances& instances() {
  static Instances s;
  return s;
}

std::string runtimeFolder() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg != nullptr && *xdg != 0 && access(xdg, W_OK) == 0) return xdg;
  const std::string dir = "/tmp/wince-" + std::to_string(getuid());
  mkdir(dir.c_str(), 0700);
  return dir;
}

std::string currentNamespace() {
  Instances& s = instances();
  if (!s.ns.empty()) return s.ns;
  const char* env = std::getenv("WINCE_INSTANCE_NAMESPACE");
  if (env != nullptr && *env != 0) return env;
  // Headless runs are tests and scripts: each is alone, however many run.
  const detail::Backend* backend = detail::activeBackend();
  if (backend != nullptr && backend->headless()) return "headless-" + std::to_string(getpid());
  return "default";
}

// The device: its root folder, one spelling for every way of naming it.
std::string deviceKey() {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(deviceRoot(), error);
  return (error ? deviceRoot() : canonical).string();
}

// A short, file-name-safe key for (namespace, device, class),
// case-insensitive in the class name as class lookups are.
std::string keyFor(LPCWSTR className) {
  uint64_t hash = 1469598103934665603ull;
  auto mix = [&hash](uint32_t c) {
    hash ^= c;
    hash *= 1099511628211ull;
  };
  for (char c : currentNamespace()) mix(static_cast<unsigned char>(c));
  mix(0);
  for (char c : deviceKey()) mix(static_cast<unsigned char>(c));
  mix(0);
  for (const WCHAR* p = className; *p != 0; ++p) mix(towlower(*p));
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(hash));
  return buf;
}

std::string pathFor(const std::string& key, const char* suffix) {
  return runtimeFolder() + "/wince-" + key + suffix;
}

bool fillAddress(const std::string& path, sockaddr_un* addr) {
  std::memset(addr, 0, sizeof *addr);
  addr->sun_family = AF_UNIX;
  if (path.size() >= sizeof addr->sun_path) return false;
  std::memcpy(addr->sun_path, path.c_str(), path.size());
  return true;
}

bool readLine(int fd, std::string* line) {
  char buf[64];
  size_t used = 0;
  while (used < sizeof buf) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, kReplyTimeoutMs) <= 0) return false;
    const ssize_t n = read(fd, buf + used, 1);
    if (n <= 0) return false;
    if (buf[used] == '\n') {
      line->assign(buf, used);
      return true;
    }
    used += static_cast<size_t>(n);
  }
  return false;
}

bool writeAll(int fd, const char* text) {
  const size_t len = std::strlen(text);
  return send(fd, text, len, MSG_NOSIGNAL) == static_cast<ssize_t>(len);
}

// Sends one request to the instance behind `key`; true when it answered ok.
bool request(const std::string& key, const char* line) {
  sockaddr_un addr;
  if (!fillAddress(pathFor(key, ".sock"), &addr)) return false;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  std::string reply;
  const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && writeAll(fd, line) &&
                  readLine(fd, &reply) && reply == "ok";
  close(fd);
  return ok;
}

void serve(int client) {
  std::string line;
  if (readLine(client, &line) && (line == "raise" || line == "ping")) {
    writeAll(client, "ok\n");  // first: the program may end once raised
    if (line == "raise") {
      raiseRequested = true;
      PostMessage(nullptr, WM_NULL, 0, 0);  // wakes the GUI thread
    }
  }
  close(client);
}

void listenLoop(Published* p) {
  for (;;) {
    pollfd fds[2] = {{p->listenFd, POLLIN, 0}, {p->wakePipe[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents != 0) return;
    if (fds[0].revents & POLLIN) {
      const int client = accept4(p->listenFd, nullptr, nullptr, SOCK_CLOEXEC);
      if (client >= 0) serve(client);
    }
  }
}

void closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

void stop(Published& p) {
  if (p.listener.joinable()) {
    const char byte = 1;
    (void)!write(p.wakePipe[1], &byte, 1);
    p.listener.join();
  }
  if (p.listenFd >= 0) unlink(p.socketPath.c_str());
  closeFd(p.listenFd);
  closeFd(p.wakePipe[0]);
  closeFd(p.wakePipe[1]);
  // The owner removes the lock file while it still holds it, so nothing is
  // left behind; takeLock checks that what it locked is still the named file.
  if (p.lockFd >= 0) unlink(p.lockPath.c_str());
  closeFd(p.lockFd);
}

Instances::~Instances() {
  for (auto& p : published) stop(*p);
}

// Opens and locks the lock file at path; -1 when another process holds it.
// A lock taken on a file its owner removed meanwhile is worth nothing: then
// the file made anew is tried.
int takeLock(const std::string& path) {
  constexpr int kAttempts = 8;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return -1;
    }
    struct stat held, named;
    if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino) {
      return fd;
    }
    close(fd);
  }
  return -1;
}

std::unique_ptr<Published> openPublished(HWND hwnd, const std::string& key) {
  auto p = std::make_unique<Published>();
  p->hwnd = hwnd;
  p->key = key;
  p->socketPath = pathFor(key, ".sock");
  p->lockPath = pathFor(key, ".lock");
  p->lockFd = takeLock(p->lockPath);
  if (p->lockFd < 0) return nullptr;  // another process of this program runs
  sockaddr_un addr;
  unlink(p->socketPath.c_str());
  p->listenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (!fillAddress(p->socketPath, &addr) || p->listenFd < 0 ||
      bind(p->listenFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(p->listenFd, 4) != 0 ||
      pipe2(p->wakePipe, O_CLOEXEC) != 0) {
    stop(*p);
    return nullptr;
  }
  Published* raw = p.get();
  p->listener = std::thread([raw] { listenLoop(raw); });
  return p;
}

}  // namespace

void publishInstance(HWND hwnd) {
  Window* w = find(hwnd);
  if (w == nullptr || w->cls->system) return;
  Instances& s = instances();
  const std::string key = keyFor(w->cls->name.c_str());
  std::lock_guard<std::mutex> lock(s.mutex);
  for (auto& p : s.published) {
    if (p->key == key) return;
  }
  if (auto p = openPublished(hwnd, key)) {
    s.published.push_back(std::move(p));
    s.publishedOne = true;
  }
}

void unpublishInstance(HWND hwnd) {
  Instances& s = instances();
  std::lock_guard<std::mutex> lock(s.mutex);
  for (auto it = s.published.begin(); it != s.published.end(); ++it) {
    if ((*it)->hwnd == hwnd) {
      stop(**it);
      s.published.erase(it);
      return;
    }
  }
}

void resetInstances() {
  Instances& s = instances();
  std::lock_guard<std::mutex> lock(s.mutex);
  for (auto& p : s.published) stop(*p);
  s.published.clear();
  s.remotes.clear();
  raiseRequested = false;
  s.raiseHook = nullptr;
}

HWND findRemoteInstance(LPCWSTR className) {
  if (IS_INTRESOURCE(className)) return nullptr;
  const std::string key = keyFor(className);
  Instances& s = instances();
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    for (const auto& p : s.published) {
      if (p->key == key) return nullptr;  // that instance is this process
    }
  }
  if (!request(key, "ping\n")) return nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.foundAnother = true;
  }
  for (const auto& [handle, k] : s.remotes) {
    if (k == key) return handle;
  }
  const HWND handle = newHandle();  // a slot that never holds a window
  s.remotes[handle] = key;
  return handle;
}

void beginStartCheck() {
  Instances& s = instances();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.foundAnother = false;
  s.publishedOne = false;
}

bool startWasRefused() {
  Instances& s = instances();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.foundAnother && !s.publishedOne;
}

bool isRemoteInstance(HWND hwnd) { return instances().remotes.count(hwnd) != 0; }

bool raiseRemoteInstance(HWND hwnd) {
  auto it = instances().remotes.find(hwnd);
  return it != instances().remotes.end() && request(it->second, "raise\n");
}

constinit std::atomic<bool> raiseRequested{false};

void runRaiseRequest() {
  if (!raiseRequested.exchange(false)) return;
  Instances& s = instances();
  HWND target{};
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.published.empty()) target = s.published.front()->hwnd;
  }
  if (IsWindow(target)) {
    ShowWindow(target, SW_SHOW);
    // A modal window of the program stays in front of its owner.
    const HWND active = GetActiveWindow();
    SetForegroundWindow(active != nullptr && GetWindow(active, GW_OWNER) == target ? active : target);
  }
  if (s.raiseHook) s.raiseHook();
}

}  // namespace wince::win

namespace wince {

void setInstanceNamespace(const char* ns) { win::instances().ns = ns != nullptr ? ns : ""; }

void setRaiseHook(std::function<void()> hook) { win::instances().raiseHook = std::move(hook); }

}  // namespace wince
