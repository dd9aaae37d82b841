// sprintara-snapshot: runs the program on the headless screen with a virtual
// clock, plays the steps given on the command line, and writes pictures of
// the screen. Without steps it lets the clock tick once and takes one
// picture, "console.png". Every run ends with "final.png".
//
//   sprintara-snapshot [--out DIR] [--size WxH] [--no-glyphs] [STEP...]
//
// With --no-glyphs text is laid out but its glyphs are not drawn: the
// difference between such a picture and a normal one is where text lies.
//
// The steps are played by a timer of the program's own loop, so they go on
// while a modal dialog runs its nested loop.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "SnapshotScript.h"
#include "app/Program.h"
#include "platform/gdi/GlyphVisibility.h"
#include "platform/testing/HeadlessScreen.h"
#include "toolkit/Application.h"
#include "toolkit/Timer.h"

namespace {

namespace p = platform;
using snapshot::Step;

struct Player {
  p::HeadlessScreen* screen;
  std::vector<Step> steps;
  std::string outDir;
  std::size_t next = 0;
  std::uint64_t waitUntil = 0;
  int failures = 0;

  void Shot(const std::string& name) {
    toolkit::Application->ProcessMessages();  // pending paints first
    std::string path = outDir + "/" + name + ".png";
    if (screen->CaptureScreen(path)) {
      std::printf("%s\n", path.c_str());
    } else {
      std::fprintf(stderr, "sprintara-snapshot: cannot write %s\n", path.c_str());
      ++failures;
    }
  }

  // Runs the steps that are due; called by the script timer.
  void Tick() {
    while (next < steps.size()) {
      if (screen->NowMs() < waitUntil) return;
      const Step& s = steps[next++];
      switch (s.kind) {
        case Step::Wait:
          waitUntil = screen->NowMs() + std::uint64_t(s.ms);
          break;
        case Step::Key:
          for (int vk : s.keys) screen->KeyDown(vk);
          for (auto it = s.keys.rbegin(); it != s.keys.rend(); ++it) screen->KeyUp(*it);
          waitUntil = screen->NowMs() + 20;  // let the key be handled
          break;
        case Step::Type:
          screen->TypeText(s.text);
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::Click:
          screen->Click(p::POINT{s.x, s.y});
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::Move:
          screen->MouseMove(p::POINT{s.x, s.y});
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::Press:
          screen->MouseMove(p::POINT{s.x, s.y});
          screen->MouseDown(p::POINT{s.x, s.y});
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::Release:
          screen->MouseMove(p::POINT{s.x, s.y});
          screen->MouseUp(p::POINT{s.x, s.y});
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::RightClick:
          screen->Click(p::POINT{s.x, s.y}, 1);
          waitUntil = screen->NowMs() + 20;
          break;
        case Step::Shot:
          Shot(s.text);
          break;
      }
    }
    Shot("final");
    toolkit::Application->Terminate();
    next = steps.size() + 1;
  }
};

int Usage() {
  std::fprintf(stderr,
               "usage: sprintara-snapshot [--out DIR] [--size WxH] [--no-glyphs] [STEP...]\n"
               "steps: wait:MS key:COMBO type:TEXT click:X,Y move:X,Y press:X,Y release:X,Y\n"
               "       rclick:X,Y shot:NAME\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  p::HeadlessOptions options;
  options.width = 1024;
  options.height = 640;
  Player player;
  player.outDir = "out";
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--out" && i + 1 < argc) {
      player.outDir = argv[++i];
    } else if (a == "--size" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 ||
          options.width < 200 || options.height < 200 || options.width > 8192 ||
          options.height > 8192)
        return Usage();
    } else if (a == "--no-glyphs") {
      p::SetGlyphsVisible(false);
    } else if (a == "--help" || a == "-h") {
      return Usage();
    } else {
      std::string error;
      auto step = snapshot::ParseStep(a, &error);
      if (!step) {
        std::fprintf(stderr, "sprintara-snapshot: %s\n", error.c_str());
        return Usage();
      }
      player.steps.push_back(*step);
    }
  }
  if (player.steps.empty()) {
    Step wait;
    wait.kind = Step::Wait;
    wait.ms = 1100;
    Step shot;
    shot.kind = Step::Shot;
    shot.text = "console";
    player.steps = {wait, shot};
  }
  ::mkdir(player.outDir.c_str(), 0755);

  player.screen = &p::UseHeadlessScreen(options);
  app::RegisterClasses();
  toolkit::TApplication application;
  application.Initialize();
  if (!app::CreateWindows()) return 1;
  toolkit::TTimer script(&application);
  script.SetInterval(10);
  script.SetOnTimer([&](component::TObject*) { player.Tick(); });
  application.Run();
  return player.failures ? 1 : 0;
}
