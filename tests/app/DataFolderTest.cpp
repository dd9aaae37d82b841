// The program with a data folder: what the operator does in the competitors
// dialog is there again after a restart, and a damaged file stops the start
// without being touched.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "DialogFixture.h"
#include "app/DataFolder.h"
#include "records/RaceData.h"

namespace fs = std::filesystem;
namespace p = platform;

namespace {

std::string MakeFolder() {
  char tmpl[] = "/tmp/sprintara-data-XXXXXX";
  return std::string(::mkdtemp(tmpl)) + "/club";
}

std::string Bytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Competitors(memtable::TMemTable& t) {
  std::vector<std::string> out;
  for (t.First(); !t.Eof(); t.Next())
    out.push_back(t.FieldByName("ID")->AsString() + " " + t.FieldByName("Dog_Nick")->AsString() +
                  " " + t.FieldByName("Dog_Breed")->AsString());
  return out;
}

class DataFolderProgram : public CompetitorsDialog {
 protected:
  void SetUp() override {
    folder = MakeFolder();
    app::SetDataFolder(folder);
    CompetitorsDialog::SetUp();
  }
  void TearDown() override {
    CompetitorsDialog::TearDown();
    app::SetDataFolder("");
    fs::remove_all(fs::path(folder).parent_path());
  }
  // Ends the program and starts it again, the generator as at process start.
  void Restart() {
    application.reset();
    p::SetRandSeed(0);
    application = std::make_unique<toolkit::TApplication>();
    ASSERT_TRUE(app::CreateWindows());
    Main->Show();
    screen->Run(100);
  }
  std::string folder;
};

}  // namespace

TEST_F(DataFolderProgram, WhatTheDialogChangesIsThereAfterARestart) {
  ASSERT_TRUE(fs::exists(records::CompetitorsFile(folder)));
  ASSERT_TRUE(fs::exists(records::ResultsFile(folder)));
  std::vector<std::int64_t> results;
  for (Main->Table_Results->First(); !Main->Table_Results->Eof(); Main->Table_Results->Next())
    results.push_back(Main->Table_Results->FieldByName("Res")->AsLargeInt());
  InDialog([&] {
    app::TCompetitors& d = *app::Competitors;
    ClickOn(d.btnNew);
    ClickOn(d.btnRefresh);
    ClickRow(0);
    EnterEditor(d.edtDogBreed);
    Type(" mix");
    ClickOn(d.btnRefresh);
    ClickRow(1);
    AltKey('D');  // Dina goes
  });
  ASSERT_TRUE(boxes.size() == 1 && boxes[0] == "Confirm: Delete selected record?")
      << ::testing::PrintToString(boxes);
  const std::vector<std::string> expected = {"0 Rex German shepherd mix", "2 Mr.Big Deer-hound",
                                             "3 Kiki English terrier", "4 Sharik Mongrel",
                                             "5 New Dog -"};
  EXPECT_EQ(Competitors(Table()), expected);
  Restart();
  EXPECT_EQ(Competitors(Table()), expected);
  std::vector<std::int64_t> reloaded;
  for (Main->Table_Results->First(); !Main->Table_Results->Eof(); Main->Table_Results->Next())
    reloaded.push_back(Main->Table_Results->FieldByName("Res")->AsLargeInt());
  EXPECT_EQ(reloaded, results);
  // Numbering goes on after the highest number ever given.
  InDialog([&] {
    ClickOn(app::Competitors->btnNew);
    ClickOn(app::Competitors->btnRefresh);
  });
  EXPECT_EQ(Field("ID"), "6");
}

TEST(DataFolderStart, ADamagedFileStopsTheStartAndStaysAsItIs) {
  p::HeadlessScreen& screen = p::UseHeadlessScreen();
  app::RegisterClasses();
  const std::string folder = MakeFolder();
  fs::create_directories(folder);
  const std::string file = records::CompetitorsFile(folder);
  {
    std::ofstream out(file, std::ios::binary);
    out << "SPMT\x01";
  }
  const std::string before = Bytes(file);
  std::vector<std::string> texts;
  p::AnswerMessageBoxes(screen, [&](const p::MessageBoxInfo& box) {
    texts.push_back(box.caption + ": " + box.text);
    return p::IDOK;
  });
  app::SetDataFolder(folder);
  {
    toolkit::TApplication application;
    EXPECT_FALSE(app::CreateWindows());
  }
  app::SetDataFolder("");
  p::AnswerMessageBoxes(screen, nullptr);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find("Application Error: "), std::string::npos) << texts[0];
  EXPECT_NE(texts[0].find("Table_Competitors: Cannot read \"" + file +
                          "\": the data ends early (the file is incomplete)"),
            std::string::npos)
      << texts[0];
  EXPECT_EQ(Bytes(file), before);
  EXPECT_FALSE(fs::exists(records::ResultsFile(folder)));
  fs::remove_all(fs::path(folder).parent_path());
}

TEST(DataFolderOption, CommandLineAndEnvironment) {
  std::string folder, error;
  ::unsetenv("SPRINTARA_DATA");
  const char* none[] = {"sprintara"};
  EXPECT_TRUE(app::ReadDataFolderOption(1, none, folder, error));
  EXPECT_EQ(folder, "");
  const char* spaced[] = {"sprintara", "--data", "/tmp/x"};
  EXPECT_TRUE(app::ReadDataFolderOption(3, spaced, folder, error));
  EXPECT_EQ(folder, "/tmp/x");
  const char* joined[] = {"sprintara", "--data=/tmp/y"};
  EXPECT_TRUE(app::ReadDataFolderOption(2, joined, folder, error));
  EXPECT_EQ(folder, "/tmp/y");
  ::setenv("SPRINTARA_DATA", "/tmp/env", 1);
  EXPECT_TRUE(app::ReadDataFolderOption(1, none, folder, error));
  EXPECT_EQ(folder, "/tmp/env");
  EXPECT_TRUE(app::ReadDataFolderOption(3, spaced, folder, error));
  EXPECT_EQ(folder, "/tmp/x");  // the command line wins
  ::unsetenv("SPRINTARA_DATA");
  const char* missing[] = {"sprintara", "--data"};
  EXPECT_FALSE(app::ReadDataFolderOption(2, missing, folder, error));
  EXPECT_EQ(error, "--data needs the name of a folder");
  const char* unknown[] = {"sprintara", "--bogus"};
  EXPECT_FALSE(app::ReadDataFolderOption(2, unknown, folder, error));
  EXPECT_EQ(error, "unknown argument '--bogus'");
}
