// cvsim: a simulated instrument on a pseudo-terminal, for trying the programs without hardware.
//   cvsim [--profile NAME] [--model TEXT] [--version TEXT] [--baud N] [--log FILE] [--link PATH]
//         [--files DIR] [--scenario NAME] [--silent-at PREFIX:N | --refuse-at PREFIX:N]
// Prints the slave path; point a port at it with CV_PORT_COM1=<path> or the [Ports] section.
#include <csignal>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "PlenarProfile.h"
#include "Profiles.h"
#include "Simulator.h"

namespace {

void Usage(FILE* out) {
  std::fputs(
      "Usage: cvsim [options]\n"
      "Plays an instrument on a pseudo-terminal until interrupted.\n"
      "  --profile NAME  the instrument family (default corvane3):\n",
      out);
  for (const cvsim::ProfileInfo& p : cvsim::Profiles()) std::fprintf(out, "                    %-10s %s\n", p.name, p.description);
  std::fputs(
      "  --model TEXT    the instrument's name reply (default: the family's own)\n"
      "  --version TEXT  the instrument's version reply (default: the family's own)\n"
      "  --baud N        take the wire time of N baud in both directions (default: no pacing)\n"
      "  --log FILE      write the traffic, both directions with time stamps, to FILE\n"
      "                  (x: bytes lost because no program had the port open)\n"
      "  --link PATH     make PATH a symbolic link to the pseudo-terminal (removed on exit)\n"
      "  --files DIR     the instrument's stored files (xr9): sub-folders 1, 2, 4, 5 (plans) and\n"
      "                  10 (data-logger files), one file each under its own name\n"
      "  --scenario NAME the signal on the tuned channel, for the channel identifier (plenar):\n",
      out);
  for (const auto& [name, text] : cvsim::PlenarProfile::Scenarios())
    std::fprintf(out, "                    %-11s %s\n", name.c_str(), text.c_str());
  std::fputs(
      "  --silent-at PREFIX:N  fall silent at the N-th line starting with PREFIX (*SR:30: at memory 30)\n"
      "  --refuse-at PREFIX:N  refuse (NAK) the N-th line starting with PREFIX\n"
      "  --help          this text\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  std::string profileName = "corvane3";
  std::string model;
  std::string version;
  std::string filesDir;
  std::string scenario;
  cvsim::SimOptions options;
  cvsim::Faults faults;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "cvsim: %s needs a value\n", arg.c_str());
        std::exit(2);
      }
      out = argv[++i];
    };
    if (arg == "--help" || arg == "-h") {
      Usage(stdout);
      return 0;
    } else if (arg == "--profile") {
      value(profileName);
    } else if (arg == "--model") {
      value(model);
    } else if (arg == "--version") {
      value(version);
      if (!version.empty() && version[0] != 'V' && version[0] != 'v') version = "V" + version;
    } else if (arg == "--baud") {
      std::string text;
      value(text);
      int baud = 0;
      auto r = std::from_chars(text.data(), text.data() + text.size(), baud);
      if (r.ec != std::errc() || r.ptr != text.data() + text.size() || baud < 0) {
        std::fprintf(stderr, "cvsim: bad --baud value \"%s\"\n", text.c_str());
        return 2;
      }
      options.baud = baud;
    } else if (arg == "--log") {
      value(options.logPath);
    } else if (arg == "--link") {
      value(options.linkPath);
    } else if (arg == "--files") {
      value(filesDir);
    } else if (arg == "--scenario") {
      value(scenario);
    } else if (arg == "--silent-at" || arg == "--refuse-at") {
      std::string text;
      value(text);
      const size_t colon = text.rfind(':');
      int n = 0;
      const char* digits = colon == std::string::npos ? nullptr : text.c_str() + colon + 1;
      auto r = digits ? std::from_chars(digits, text.c_str() + text.size(), n) : std::from_chars_result{};
      if (!digits || colon == 0 || r.ec != std::errc() || r.ptr != text.c_str() + text.size() || n < 1) {
        std::fprintf(stderr, "cvsim: bad %s value \"%s\" (PREFIX:N)\n", arg.c_str(), text.c_str());
        return 2;
      }
      faults.failPrefix = text.substr(0, colon);
      faults.failAtLine = n;
      faults.failRefuses = arg == "--refuse-at";
    } else {
      std::fprintf(stderr, "cvsim: unknown option \"%s\"\n", arg.c_str());
      Usage(stderr);
      return 2;
    }
  }

  // The signals are taken synchronously below; the simulator's thread must not see them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::unique_ptr<cvsim::Profile> profile = cvsim::MakeProfile(profileName, model, version);
  if (!profile) {
    std::fprintf(stderr, "cvsim: unknown profile \"%s\"\n", profileName.c_str());
    Usage(stderr);
    return 2;
  }
  if (!filesDir.empty()) {
    std::string error;
    if (!profile->LoadFiles(filesDir, &error)) {
      std::fprintf(stderr, "cvsim: --files: %s\n", error.c_str());
      return 2;
    }
  }
  if (!scenario.empty()) {
    auto* plenar = dynamic_cast<cvsim::PlenarProfile*>(profile.get());
    if (!plenar || !plenar->SetScenario(scenario)) {
      std::fprintf(stderr, "cvsim: --scenario \"%s\" is no scenario of the %s profile\n", scenario.c_str(),
                   profileName.c_str());
      return 2;
    }
  }
  model = profile->model;
  version = profile->version;
  cvsim::Simulator sim(std::move(profile), options);
  sim.SetFaults(faults);
  std::string error;
  if (!sim.Start(&error)) {
    std::fprintf(stderr, "cvsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", sim.Path().c_str());
  if (!options.linkPath.empty()) std::printf("link: %s\n", options.linkPath.c_str());
  std::printf("profile %s, model \"%s\", version \"%s\", %s\n", profileName.c_str(), model.c_str(), version.c_str(),
              options.baud > 0 ? (std::to_string(options.baud) + " baud").c_str() : "no pacing");
  std::fflush(stdout);
  int sig = 0;
  sigwait(&stopSignals, &sig);
  sim.Stop();
  return 0;
}
