// The competitors dialog's list rebuilt from a table of 10,000 competitors
// (the table walked from its first record, one item and reference object
// per record, the selection restored and followed), against the peer:
// the same 10,000 texts added to a plain list box after emptying it. The
// rebuild should stay within twice the peer.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CompetitorsDialog.h"
#include "app/ConsoleWindow.h"
#include "app/Program.h"
#include "platform/testing/HeadlessScreen.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"

namespace {

namespace p = platform;
constexpr int kCompetitors = 10000;

std::string Nick(int i) {
  return "Dog" + std::to_string(i);
}

void BM_Competitors_Refresh(benchmark::State& state) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  app::RegisterClasses();
  auto application = std::make_unique<toolkit::TApplication>();
  if (!app::CreateWindows()) {
    state.SkipWithError("the program did not start");
    return;
  }
  memtable::TMemTable& table = *app::Main->Table_Competitors;
  // Filled without the dialog following every post.
  auto afterPost = table.AfterPost;
  table.AfterPost = nullptr;
  while (!table.IsEmpty()) table.Delete();
  for (int i = 0; i < kCompetitors; ++i) {
    table.Append();
    table.FieldByName("Dog_Nick")->SetAsString(Nick(i));
    table.FieldByName("Owner_LastName")->SetAsString("Malenko");
    table.FieldByName("Owner_FirstName")->SetAsString("Boris");
    table.Post();
  }
  table.AfterPost = afterPost;
  app::Competitors->Show();
  screen.Pump();
  for (auto _ : state) {
    app::Competitors->RefreshCompList();
    benchmark::DoNotOptimize(app::Competitors->CompList->Count());
  }
  if (app::Competitors->CompList->Count() != kCompetitors)
    state.SkipWithError("the list does not hold one item per competitor");
  app::Competitors->Hide();
  application.reset();
}
BENCHMARK(BM_Competitors_Refresh)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_ListBox_AddStrings(benchmark::State& state) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  auto application = std::make_unique<toolkit::TApplication>();
  auto* form = new toolkit::TForm(application.get());
  form->SetBounds(200, 150, 534, 384);
  auto* list = new toolkit::TListBox(form);
  list->SetParent(form);
  list->SetBounds(4, 36, 197, 237);
  form->Show();
  screen.Pump();
  std::vector<std::string> texts;
  for (int i = 0; i < kCompetitors; ++i) texts.push_back(Nick(i) + " (Malenko, Boris)");
  for (auto _ : state) {
    list->Clear();
    for (const std::string& t : texts) list->Items()->Add(t);
    benchmark::DoNotOptimize(list->Count());
  }
  delete form;
  application.reset();
}
BENCHMARK(BM_ListBox_AddStrings)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
