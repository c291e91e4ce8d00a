// The launcher: reads the command line, prepares the emulated device and runs
// the program's WinMain over the chosen back end.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "backend.h"
#include "device_screen.h"
#include "window_internal.h"
#include "wince/audio.h"
#include "wince/clock.h"
#include "wince/host/audio.h"
#include "wince/host/clock.h"
#include "wince/host/file.h"
#include "wince/host/runtime.h"
#include "wince/host/shell.h"
#include "wince/host/system.h"
#include "wince/host/text.h"
#include "wince/host/window.h"
#include "wince/runtime.h"
#include "wince/shell.h"
#include "wince/system.h"
#include "wince/text.h"

namespace wince {

namespace {

struct Options {
  bool help = false;
  bool headless = false;
  std::string script;
  int zoom = 0;  // 0: chosen from the screen width
  std::string root;
  std::string profile;
};

void usage(const Program& program, FILE* out) {
  std::fprintf(out,
               "Usage: %s [options]\n"
               "  --headless        run without a window (device screen in memory, virtual clock)\n"
               "  --script FILE     drive the program from a script, then end it\n"
               "  --zoom N          window pixels per device pixel (1-8)\n"
               "  --root DIR        device root folder (default $WINCE_ROOT, else per user)\n"
               "  --profile NAME    device profile (default %s):",
               program.name, program.profile);
  for (const char* const* name = deviceProfileNames(); *name; ++name) std::fprintf(out, " %s", *name);
  std::fprintf(out, "\n  --help            this text\n\n");
  detail::printDesktopKeyMap(out);
}

// Parses argv into *opt; an error text, or "" on success.
std::string parseOptions(int argc, char** argv, Options* opt) {
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      opt->help = true;
    } else if (arg == "--headless") {
      opt->headless = true;
    } else if (arg == "--script") {
      if (!value(&opt->script)) return "--script wants a file";
    } else if (arg == "--root") {
      if (!value(&opt->root)) return "--root wants a folder";
    } else if (arg == "--profile") {
      if (!value(&opt->profile)) return "--profile wants a name";
    } else if (arg == "--zoom") {
      char* end = nullptr;
      if (!value(&text)) return "--zoom wants a number";
      long zoom = std::strtol(text.c_str(), &end, 10);
      if (*end != '\0' || zoom < 1 || zoom > 8) return "--zoom wants a number from 1 to 8";
      opt->zoom = static_cast<int>(zoom);
    } else {
      return "unknown argument '" + std::string(arg) + "'";
    }
  }
  return "";
}

bool prepareDevice(const Program& program, const Options& opt) {
  const char* profile = opt.profile.empty() ? program.profile : opt.profile.c_str();
  if (!selectDeviceProfile(profile)) {
    std::fprintf(stderr, "%s: unknown device profile '%s' (see --help)\n", program.name, profile);
    return false;
  }
  const char* env = std::getenv("WINCE_ROOT");
  std::filesystem::path root = !opt.root.empty()          ? std::filesystem::path(opt.root)
                               : (env && *env)            ? std::filesystem::path(env)
                                                          : defaultDeviceRoot(program.name);
  if (!setDeviceRoot(root)) {
    std::fprintf(stderr, "%s: cannot use the device root folder %s\n", program.name, root.c_str());
    return false;
  }
  if (program.installDir) {
    std::u16string module = std::u16string(program.installDir) + u"\\" + utf8ToWide(program.name) + u".exe";
    setModuleFileName(module.c_str());
    if (!installProgram(program.dataFolder, program.installDir, program.registryKey, program.installValues,
                        program.installValueCount)) {
      std::fprintf(stderr, "%s: cannot install the program's data into %s\n", program.name, root.c_str());
      return false;
    }
  }
  const DeviceProfile& p = deviceProfile();
  detail::resizeDeviceScreen(p.screenWidth, p.screenHeight);
  return true;
}

std::unique_ptr<detail::Backend> makeBackend(const Program& program, const Options& opt) {
  std::vector<detail::ScriptCommand> script;
  std::string error;
  if (!opt.script.empty() && !detail::loadScript(opt.script, &script, &error)) {
    std::fprintf(stderr, "%s: %s\n", program.name, error.c_str());
    return nullptr;
  }
  if (opt.headless) {
    useVirtualClock();
    // No sound card is asked for: headless runs play into the silent device.
    selectWaveOutBackend(WaveOutBackend::Silent);
    return detail::makeHeadlessBackend(std::move(script));
  }
  int width = deviceProfile().screenWidth;
  int zoom = opt.zoom > 0 ? opt.zoom : (width >= 480 ? 1 : 2);
  auto backend = detail::makeSdlBackend(program.title, zoom, std::move(script), &error);
  if (!backend) {
    std::fprintf(stderr,
                 "%s: cannot open a window (%s).\n"
                 "Without a display, run it headless, driven by a script:\n"
                 "  %s --headless --script FILE\n",
                 program.name, error.c_str(), program.name);
  }
  return backend;
}

}  // namespace

int runProgram(const Program& program, int argc, char** argv) {
  Options opt;
  std::string error = parseOptions(argc, argv, &opt);
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", program.name, error.c_str());
    usage(program, stderr);
    return 2;
  }
  if (opt.help) {
    usage(program, stdout);
    return 0;
  }
  resetShell();
  if (!prepareDevice(program, opt)) return 1;
  std::unique_ptr<detail::Backend> backend = makeBackend(program, opt);
  if (!backend) return 1;
  setStateDumpHook(program.dumpState);
  detail::installBackend(std::move(backend));

  WCHAR commandLine[1] = {0};
  win::beginStartCheck();
  int code = program.winMain(programInstance(), nullptr, commandLine, SW_SHOW);
  bool scriptFailed = detail::activeBackend()->scriptFailed();
  const bool refused = win::startWasRefused();
  resetWindowing();
  detail::installBackend(nullptr);
  setStateDumpHook(nullptr);
  if (opt.headless) useRealClock();
  if (refused) {
    std::fprintf(stderr,
                 "%s: not started: it is already running with the device root %s (that window was asked to come "
                 "to the front)\n",
                 program.name, deviceRoot().c_str());
    return 1;
  }
  return scriptFailed ? 3 : code;
}

}  // namespace wince
