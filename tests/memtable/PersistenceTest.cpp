// Saving and loading tables: exact round trips of every field kind in both
// formats, safe refusal of damaged and hostile data, safe replacement of
// files, and the persistence properties.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "TestTables.h"
#include "component/Reader.h"
#include "component/Writer.h"
#include "memtable/BinaryFormat.h"
#include "memtable/BlobField.h"
#include "memtable/CommaTextFormat.h"
#include "memtable/SafeFile.h"
#include "memtable/StringField.h"
#include "platform/base/DateTime.h"
#include "platform/base/RegionalFormats.h"

using namespace testing_tables;
namespace fs = std::filesystem;

namespace {

platform::TDateTime At(int y, int mo, int d, int h, int mi, int s, int ms) {
  platform::TDateTime date, time;
  platform::TryEncodeDate(y, mo, d, date);
  platform::TryEncodeTime(h, mi, s, ms, time);
  return date + time;
}

// Two records of awkward values and one of nulls only (but its number).
void FillKinds(TMemTable& t) {
  auto set = [&](const char* n, const std::string& v) { t.FieldByName(n)->SetAsString(v); };
  t.Append();
  set("S", "a,b;\"c\"\r\nd ");
  set("FC", "");
  static_cast<TWideStringField*>(t.FieldByName("WS"))->SetAsWideString(u"\u00e4\u20ac\U0001F600x");
  t.FieldByName("SI")->SetAsInteger(-32768);
  t.FieldByName("W")->SetAsInteger(65535);
  t.FieldByName("I")->SetAsInteger(-2147483647 - 1);
  t.FieldByName("L")->SetAsLargeInt(INT64_MAX);
  t.FieldByName("B")->SetAsBoolean(true);
  t.FieldByName("F")->SetAsFloat(0.1);
  t.FieldByName("C")->SetAsFloat(-1234.5678);
  set("BC", "-123456.78");
  set("FB", "123456789012345678901234.567891");
  t.FieldByName("D")->SetAsDateTime(At(1, 1, 1, 0, 0, 0, 0));
  t.FieldByName("T")->SetAsDateTime(At(1899, 12, 30, 23, 59, 59, 999));
  t.FieldByName("DT")->SetAsDateTime(At(2026, 12, 10, 13, 5, 9, 250));
  t.FieldByName("TS")->SetAsDateTime(At(9999, 12, 31, 1, 2, 3, 4));
  t.FieldByName("BY")->SetAsString(std::string("\0\xff\"\n", 4));
  t.FieldByName("VB")->SetAsString(std::string("\0,", 2));
  set("G", "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
  t.FieldByName("BL")->SetAsString(std::string("\0blob\r\n\"", 8));
  set("M", "line one\r\nline \"two\"; ,");
  t.Post();
  t.Append();
  set("S", " ");
  static_cast<TWideStringField*>(t.FieldByName("WS"))->SetAsWideString(u"");
  t.FieldByName("B")->SetAsBoolean(false);
  t.FieldByName("F")->SetAsFloat(-1e300);
  t.FieldByName("D")->SetAsDateTime(At(9999, 12, 31, 0, 0, 0, 0));
  t.FieldByName("T")->SetAsDateTime(At(1899, 12, 30, 0, 0, 0, 0));
  t.FieldByName("VB")->SetAsString("");
  t.FieldByName("BL")->SetAsString("");
  t.FieldByName("M")->SetAsString("");
  t.Post();
  t.Append();
  t.Post();
}

// Every value of the current record: null, or its stored bytes.
std::vector<std::string> RawRecord(TMemTable& t) {
  std::vector<std::string> out;
  for (TField* f : t.Fields()) {
    if (f->IsNull()) {
      out.push_back("(null)");
    } else if (auto* blob = dynamic_cast<TBlobField*>(f)) {
      out.push_back("blob:" + blob->AsString());
    } else {
      std::string native(f->DataSize(), '\0');
      f->GetData(native.data());
      out.push_back(native);
    }
  }
  return out;
}

std::vector<std::vector<std::string>> RawTable(TMemTable& t) {
  std::vector<std::vector<std::string>> out;
  for (t.First(); !t.Eof(); t.Next()) out.push_back(RawRecord(t));
  return out;
}

void UseRegion(const char* locale) {
  ::setenv("LC_ALL", locale, 1);
  platform::ReloadUserRegionalFormats();
}

struct TempDir {
  fs::path path;
  TempDir() {
    char tmpl[] = "/tmp/sprintara-persist-XXXXXX";
    path = ::mkdtemp(tmpl);
  }
  ~TempDir() { fs::remove_all(path); }
  std::string operator/(const char* name) const { return (path / name).string(); }
};

std::string ErrorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const EDatabaseError& e) {
    return e.Message();
  }
  return "(no error)";
}

}  // namespace

TEST(Persistence, EveryKindRoundTripsExactlyInBothFormatsAcrossRegions) {
  TMemTableBinaryFormat binary, binaryV1;
  binaryV1.SetWriteVersion(1);
  TMemTableCommaTextFormat comma, semicolon;
  semicolon.SetSeparator(';');
  for (TMemTableStreamFormat* format :
       std::vector<TMemTableStreamFormat*>{&binary, &binaryV1, &comma, &semicolon}) {
    UseRegion("de_DE");
    TMemTable a("A");
    DefineKinds(a);
    a.Open();
    FillKinds(a);
    std::string saved = a.SaveToString(format);
    UseRegion("en_US");
    TMemTable b("B");
    DefineKinds(b);
    b.Open();
    b.LoadFromString(saved, format);
    EXPECT_EQ(RawTable(b), RawTable(a));
    // Saving what was loaded gives the same bytes.
    EXPECT_EQ(b.SaveToString(format), saved);
    // A table saved straight from its records and one saved through an image
    // of them are the same bytes.
    std::string viaImage;
    format->Write(a.SaveToImage(format->Options()), viaImage);
    EXPECT_EQ(viaImage, saved);
  }
  UseRegion("en_US");
}

TEST(Persistence, CommaTextIsPlainAndLocaleFree) {
  UseRegion("de_DE");
  TMemTable t("T");
  DefineKinds(t);
  t.Open();
  FillKinds(t);
  TMemTableCommaTextFormat comma;
  std::string text = t.SaveToString(&comma);
  std::string header = text.substr(0, text.find("\r\n"));
  EXPECT_EQ(header, "ID,S,FC,WS,SI,W,I,L,B,F,C,BC,FB,D,T,DT,TS,BY,VB,G,BL,M");
  EXPECT_NE(text.find("0,\"a,b;\"\"c\"\"\r\nd \",\"\",\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80x,"
                      "-32768,65535,-2147483648,9223372036854775807,true,0.1,-1234.5678,"
                      "-123456.78,123456789012345678901234.567891,0001-01-01,23:59:59.999,"
                      "2026-12-10 13:05:09.250,9999-12-31 01:02:03.004,00ff220a,002c,"
                      "{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0},00626c6f620d0a22,"
                      "\"line one\r\nline \"\"two\"\"; ,\"\r\n"),
            std::string::npos)
      << text;
  // Null is nothing, empty is "".
  EXPECT_NE(text.find("\r\n2,,,,,,,,,,,,,,,,,,,,,\r\n"), std::string::npos) << text;
  EXPECT_NE(
      text.find(
          "\r\n1,\" \",,\"\",,,,,false,-1e+300,,,,9999-12-31,00:00:00,,,,\"\",,\"\",\"\"\r\n"),
      std::string::npos)
      << text;
  UseRegion("en_US");
}

TEST(Persistence, DefinitionsIndexesAndTheAutoIncrementMarkComeBack) {
  TMemTable a("A");
  DefinePeople(a, false);
  a.IndexDefs().Add("ByName", "Name", ixCaseInsensitive);
  a.Open();
  AddPerson(a, "Rex", 7, "Dortmund");
  AddPerson(a, "Dina", 12, "Berlin");
  AddPerson(a, "Kiki", 4, "London");
  a.Last();
  a.Delete();  // number 2 is used up
  std::string saved = a.SaveToString();

  TMemTable b("B");
  b.LoadFromString(saved);
  ASSERT_TRUE(b.Active());
  ASSERT_EQ(b.FieldDefs().Count(), 4);
  EXPECT_EQ(b.FieldDefs()[0].DataType(), ftAutoInc);
  EXPECT_TRUE(b.FieldDefs()[0].Required());
  EXPECT_EQ(b.FieldDefs()[1].Size(), 50);
  ASSERT_EQ(b.IndexDefs().Count(), 1);
  EXPECT_EQ(b.IndexDefs()[0].Fields, "Name");
  EXPECT_EQ(b.IndexDefs()[0].Options, TIndexOptions(ixCaseInsensitive));
  EXPECT_EQ(Names(b), (std::vector<std::string>{"Rex", "Dina"}));
  AddPerson(b, "Sharik", 5, "Moscow");
  EXPECT_EQ(b.FieldByName("ID")->AsInteger(), 3);
}

TEST(Persistence, BadDataIsRefusedAndLeavesTheTableAsItWas) {
  TMemTable src("Src");
  DefineKinds(src);
  src.Open();
  FillKinds(src);
  const std::string good = src.SaveToString();

  TMemTable t("T");
  DefinePeople(t);
  AddPerson(t, "Rex", 7, "Dortmund");
  auto unchanged = [&] {
    EXPECT_EQ(t.State(), dsBrowse);
    EXPECT_EQ(Names(t), std::vector<std::string>{"Rex"});
  };
  // A fresh table for kinds that the good data fits.
  TMemTable k("K");
  DefineKinds(k);
  k.Open();
  k.Append();
  k.Post();
  auto refused = [&](const std::string& data, const std::string& why) {
    std::string msg = ErrorOf([&] { k.LoadFromString(data); });
    EXPECT_NE(msg.find(why), std::string::npos) << msg;
    EXPECT_EQ(k.RecordCount(), 1);
  };
  // Every truncation, and every damaged byte, is refused.
  for (std::size_t n = 0; n < good.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_THROW(k.LoadFromString(good.substr(0, n)), EMemTableFormatError);
    std::string bad = good;
    bad[n] ^= 0x20;
    EXPECT_THROW(k.LoadFromString(bad), EMemTableFormatError);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_EQ(k.RecordCount(), 1);
  // The common CRC-32 (its check value), long enough for the eight-byte steps.
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32("123456789abcdefghij", 19), 0x4C6BA4E5u);
  // Long runs take a faster way than single bytes: both agree, at any length.
  std::string run;
  for (int i = 0; i < 1000; ++i) run.push_back(static_cast<char>(i * 7 + i / 13));
  for (std::size_t n : {64u, 65u, 79u, 128u, 200u, 999u}) {
    std::uint32_t byByte = 0;
    for (std::size_t i = 0; i < n; ++i) byByte = Crc32(run.data() + 1 + i, 1, byByte);
    EXPECT_EQ(Crc32(run.data() + 1, n), byByte) << n;
  }
  // Hostile content behind a valid checksum: huge counts and lengths.
  auto withCrc = [](std::string body) {
    body.resize(body.size() - 4);
    std::uint32_t crc = Crc32(body.data(), body.size());
    body.append(reinterpret_cast<const char*>(&crc), 4);
    return body;
  };
  std::string version = good;
  version[4] = 3;
  refused(withCrc(version), "newer version of the program (format 3; this one reads format 2)");
  refused("hello", "not a table file");
  // Format 1 (32-bit value lengths) is still read, and refused the same way
  // when hostile; format 2 writes the lengths as varints.
  for (std::uint16_t v : {1, 2}) {
    SCOPED_TRACE(v);
    TMemTableBinaryFormat format;
    format.SetWriteVersion(v);
    TMemTable people("P");
    DefinePeople(people);
    AddPerson(people, "Dina", 12, "Berlin");
    std::string p = people.SaveToString(&format);
    ASSERT_EQ(p[4], static_cast<char>(v));
    TMemTable back("B");
    DefinePeople(back);
    back.LoadFromString(p);
    EXPECT_EQ(Names(back), std::vector<std::string>{"Dina"});
    EXPECT_EQ(back.FieldByName("City")->AsString(), "Berlin");
    // The row count sits just before the one row: the null bitmap, the number,
    // two texts with their lengths and an integer.
    std::size_t prefix = v == 1 ? 4 : 1;
    std::size_t rowBytes = 1 + 4 + (prefix + 4) + 4 + (prefix + 6);
    std::size_t countAt = p.size() - 4 - rowBytes - 4;
    std::uint32_t one;
    std::memcpy(&one, p.data() + countAt, 4);
    ASSERT_EQ(one, 1u);
    std::string huge = p;
    std::uint32_t many = 0xFFFFFFF0u;
    std::memcpy(huge.data() + countAt, &many, 4);
    std::string msg = ErrorOf([&] { t.LoadFromString(withCrc(huge)); });
    EXPECT_EQ(msg, "People: Cannot read the data: the row count 4294967280 is impossible");
    unchanged();
    std::string longText = p;
    std::size_t lengthAt = countAt + 4 + 1 + 4;
    if (v == 1) {
      std::uint32_t len = 1000;
      std::memcpy(longText.data() + lengthAt, &len, 4);
    } else {
      longText[lengthAt] = 0x7F;
    }
    EXPECT_NE(ErrorOf([&] { t.LoadFromString(withCrc(longText)); }).find("longer than the field"),
              std::string::npos);
    unchanged();
    if (v == 2) {
      // A length whose bytes all ask for one more runs into the next values,
      // and one that no 32 bits can hold, are refused too.
      std::string endless = p;
      for (std::size_t i = 0; i < 5; ++i) endless[lengthAt + i] = static_cast<char>(0xFF);
      EXPECT_NE(ErrorOf([&] { t.LoadFromString(withCrc(endless)); }).find("length is impossible"),
                std::string::npos);
      unchanged();
    }
  }
  // A field the table lacks, or of another kind.
  EXPECT_EQ(ErrorOf([&] { t.LoadFromString(good); }),
            "People: Cannot read the data: the table has no field 'S'");
  unchanged();
  TMemTableCommaTextFormat comma;
  for (auto [text, why] : std::vector<std::pair<std::string, std::string>>{
           {"", "it is empty"},
           {"ID,Name,Nope\r\n", "the table has no field 'Nope'"},
           {"Name,name\r\n", "field 'name' appears twice"},
           {"Name,Age\r\nA,1,2\r\n", "line 2 has 3 values where the header names 2"},
           {"Name,Age\r\nA,x1\r\n", "line 2: 'x1' is no value for field 'Age'"},
           {"Name,Age\r\n\"A,1\r\n", "line 2: a quoted value does not end"},
           {"Name,Age\r\n\"A\"x,1\r\n", "line 2: text after a closing quote"},
           {"Name,Age\r\nA\"b,1\r\n", "line 2: a quote inside an unquoted value"},
           {"Name,Age\r\nA,99999999999\r\n", "is no value for field 'Age'"},
           {"Name\r\n" + std::string(51, 'x') + "\r\n", "is no value for field 'Name'"}}) {
    std::string m = ErrorOf([&] { t.LoadFromString(text, &comma); });
    EXPECT_NE(m.find(why), std::string::npos) << m;
    unchanged();
  }
  // A handler failing halfway through a record, whatever kinds it holds
  // (blocks of their own included), puts the old records back.
  auto kept = RawTable(k);
  for (int failAt : {1, 7, 30}) {
    int seen = 0;
    k.OnLoadField = [&](TCustomMemTable*) {
      if (++seen == failAt) throw EMemTableError("stop");
    };
    EXPECT_EQ(ErrorOf([&] { k.LoadFromString(good); }), "K: Cannot read the data: stop");
    EXPECT_EQ(RawTable(k), kept);
  }
  k.OnLoadField = nullptr;
  // A record that breaks a unique index puts the old records back.
  TMemTable u("U");
  DefinePeople(u, false);
  u.IndexDefs().Add("ByName", "Name", ixUnique);
  u.Open();
  AddPerson(u, "Rex", 7, "Dortmund");
  EXPECT_NE(ErrorOf([&] {
              u.LoadFromString("Name\r\nA\r\nA\r\n", &comma);
            }).find("two records with the same key"),
            std::string::npos);
  EXPECT_EQ(Names(u), std::vector<std::string>{"Rex"});
}

TEST(Persistence, FilesAreReplacedSafelyWithAnOptionalBackup) {
  TempDir dir;
  std::string file = dir / "people.sptb";
  TMemTable t("T");
  DefinePeople(t);
  AddPerson(t, "Rex", 7, "Dortmund");
  t.SaveToFile(file);
  EXPECT_FALSE(fs::exists(file + ".tmp"));
  EXPECT_FALSE(fs::exists(dir / "people.bak"));
  t.PersistentBackup = true;
  AddPerson(t, "Dina", 12, "Berlin");
  t.SaveToFile(file);
  TMemTable back("Back"), now("Now");
  back.LoadFromFile(dir / "people.bak");
  now.LoadFromFile(file);
  EXPECT_EQ(Names(back), std::vector<std::string>{"Rex"});
  EXPECT_EQ(Names(now), (std::vector<std::string>{"Rex", "Dina"}));
  // Errors name the file and the reason.
  std::string missing = dir / "missing.sptb";
  EXPECT_EQ(ErrorOf([&] { now.LoadFromFile(missing); }),
            "Now: Cannot read \"" + missing + "\": No such file or directory");
  std::ofstream(dir / "bad.sptb") << "SPMT";
  EXPECT_EQ(ErrorOf([&] { now.LoadFromFile(dir / "bad.sptb"); }),
            "Now: Cannot read \"" + (dir / "bad.sptb") +
                "\": the data ends early (the file is incomplete)");
  EXPECT_EQ(Names(now), (std::vector<std::string>{"Rex", "Dina"}));
  EXPECT_NE(ErrorOf([&] {
              now.SaveToFile(dir / "no/such/folder.sptb");
            }).find("Cannot save \"" + (dir / "no/such/folder.sptb") + "\""),
            std::string::npos);
}

// A saving process killed at a random moment leaves the old file or the new
// one, complete.
TEST(Persistence, AKilledSaveLeavesTheOldOrTheNewFile) {
  TempDir dir;
  std::string file = dir / "table.sptb";
  auto build = [](TMemTable& t, int rows, const char* name) {
    DefinePeople(t);
    for (int i = 0; i < rows; ++i) AddPerson(t, name, i, std::string(40, 'c'));
  };
  TMemTable small("Small"), large("Large");
  build(small, 10, "small");
  build(large, 20000, "large");
  small.SaveToFile(file);
  std::mt19937 rng(7);
  for (int round = 0; round < 12; ++round) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) {
        large.SaveToFile(file);
        small.SaveToFile(file);
      }
    }
    ::usleep(std::uniform_int_distribution<int>(1000, 60000)(rng));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    TMemTable check("Check");
    ASSERT_NO_THROW(check.LoadFromFile(file)) << "round " << round;
    int n = check.RecordCount();
    ASSERT_TRUE(n == 10 || n == 20000) << n;
  }
}

TEST(Persistence, PersistentTablesLoadAtOpenAndSaveAtClose) {
  TempDir dir;
  TMemTable t("T");
  DefinePeople(t, false);
  t.Persistent = true;
  t.PersistentFile = dir / "people.sptb";
  t.Open();  // no file yet: empty
  EXPECT_EQ(t.RecordCount(), 0);
  AddPerson(t, "Rex", 7, "Dortmund");
  AddPerson(t, "Dina", 12, "Berlin");
  t.Close();
  ASSERT_TRUE(fs::exists(t.PersistentFile));
  t.Open();
  EXPECT_EQ(Names(t), (std::vector<std::string>{"Rex", "Dina"}));
  AddPerson(t, "Kiki", 4, "London");
  EXPECT_EQ(t.FieldByName("ID")->AsInteger(), 2);
  t.Close();
  // A damaged file fails the open and is not replaced when the table closes.
  { std::ofstream(t.PersistentFile, std::ios::trunc) << "SPMT\x01"; }
  EXPECT_THROW(t.Open(), EMemTableFormatError);
  t.Close();
  std::ifstream in(t.PersistentFile, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "SPMT\x01");
}

TEST(Persistence, LimitsEventsAndProgress) {
  TMemTable t("T");
  DefinePeople(t);
  for (int i = 0; i < 250; ++i) AddPerson(t, "n" + std::to_string(i), i, "c");
  std::vector<std::pair<int, TMemTableProgressCode>> progress;
  int records = 0, fields = 0, saves = 0, loads = 0;
  t.OnProgress = [&](TCustomMemTable*, int percent, TMemTableProgressCode code) {
    progress.push_back({percent, code});
  };
  t.SetProgressFlags(ProgressBit(mtpcSave) | ProgressBit(mtpcLoad));
  t.OnSaveRecord = [&](TCustomMemTable*) { ++records; };
  t.OnSaveField = [&](TCustomMemTable*) { ++fields; };
  t.OnSave = [&](TCustomMemTable*) { ++saves; };
  t.SaveLimit = 100;
  std::string first100 = t.SaveToString();
  EXPECT_FALSE(t.SavedCompletely);
  EXPECT_EQ(records, 100);
  EXPECT_EQ(fields, 400);
  EXPECT_EQ(saves, 1);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.front(), std::make_pair(0, mtpcSave));
  EXPECT_EQ(progress.back(), std::make_pair(100, mtpcSave));
  for (std::size_t i = 1; i < progress.size(); ++i)
    EXPECT_LT(progress[i - 1].first, progress[i].first);
  t.SaveLimit = -1;
  std::string all = t.SaveToString();
  EXPECT_TRUE(t.SavedCompletely);

  records = 0;
  progress.clear();
  t.OnLoadRecord = [&](TCustomMemTable*) { ++records; };
  t.OnLoad = [&](TCustomMemTable*) { ++loads; };
  t.LoadLimit = 30;
  t.LoadFromString(all);
  EXPECT_FALSE(t.LoadedCompletely);
  EXPECT_EQ(t.RecordCount(), 30);
  EXPECT_EQ(records, 30);
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(progress.back(), std::make_pair(100, mtpcLoad));
  t.LoadLimit = -1;
  t.LoadFromString(first100);
  EXPECT_TRUE(t.LoadedCompletely);
  EXPECT_EQ(t.RecordCount(), 100);
  // Only the rows the filter shows, when asked.
  TMemTableBinaryFormat visible;
  visible.SetOptions(kDefaultFormatOptions | mtfoOnlyVisible);
  t.OnFilterRecord = [](TDataSet* ds, bool& accept) {
    accept = ds->FieldByName("Age")->AsInteger() % 10 == 0;
  };
  t.SetFiltered(true);
  std::string tens = t.SaveToString(&visible);
  t.SetFiltered(false);
  TMemTable u("U");
  u.LoadFromString(tens);
  EXPECT_EQ(u.RecordCount(), 10);
}

TEST(Persistence, DataKeptInTheDescription) {
  TMemTable a("A");
  DefinePeople(a);
  AddPerson(a, "Rex", 7, "Dortmund");
  component::TBytes data = a.SaveFormData();
  TMemTable b("B");
  DefinePeople(b, false);
  b.StoreDataOnForm = true;
  b.SetFormData(data);
  b.Open();
  EXPECT_EQ(Names(b), std::vector<std::string>{"Rex"});
  // Through a stored description: written as the binary "Data", read back
  // when the table opens at the end of loading.
  component::RegisterClasses<TMemTable>();
  a.StoreDataOnForm = true;
  const std::string text = component::WriteDescription(a);
  EXPECT_NE(text.find("Data = {"), std::string::npos) << text;
  TMemTable read("Read");
  DefinePeople(read, false);
  component::ReadDescription(read, text, "People.sdesc");
  ASSERT_TRUE(read.Active());
  EXPECT_EQ(Names(read), std::vector<std::string>{"Rex"});
  a.StoreDataOnForm = false;
  EXPECT_EQ(component::WriteDescription(a).find("Data = {"), std::string::npos);
  // Without StoreDataOnForm the kept data is not loaded.
  TMemTable c("C");
  DefinePeople(c, false);
  c.SetFormData(data);
  c.Open();
  EXPECT_EQ(c.RecordCount(), 0);
}

TEST(Persistence, FormatsCanBeStoredInADescription) {
  component::RegisterClasses<TMemTableCommaTextFormat>();
  TMemTableCommaTextFormat format;
  component::ReadDescription(format,
                             "object Fmt: TMemTableCommaTextFormat\n"
                             "  Options = [mtfoData, mtfoOnlyVisible]\n"
                             "  Separator = ';'\n"
                             "end\n",
                             "Fmt.sdesc");
  EXPECT_EQ(format.Separator(), ';');
  EXPECT_EQ(format.Options(), TMemTableFormatOptions(mtfoData | mtfoOnlyVisible));
  const std::string text = component::WriteDescription(format);
  EXPECT_NE(text.find("Separator = ';'"), std::string::npos) << text;
  TMemTable t("T");
  DefinePeople(t);
  AddPerson(t, "Rex", 7, "Dortmund");
  t.SetDefaultFormat(&format);
  EXPECT_EQ(t.SaveToString(), "ID;Name;Age;City\r\n0;Rex;7;Dortmund\r\n");
}
