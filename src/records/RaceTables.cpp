#include "records/RaceTables.h"

#include <cmath>

#include "platform/base/DateTime.h"
#include "platform/base/Random.h"
#include "records/ProgramStrings.h"

namespace records {

using namespace memtable;

namespace {

struct Competitor {
  const char* startNo;
  const char* nick;
  std::uint16_t sex;
  int age;
  const char* breed;
  const char* firstName;
  const char* lastName;
  const char* org;
  const char* city;
  const char* country;
  const char* comments;
};

constexpr Competitor kCompetitors[] = {
    {"777", "Rex", rsMaleDog, 7, "German shepherd", "Boris", "Malenko", "Kelvaro", "Dortmund",
     "Germany", "some comments text"},
    {"004", "Dina", rsBitch, 12, "German shepherd", "Lukas", "Brenner", "Top-Dog Club", "Berlin",
     "Germany", "some another comments text"},
    {"919", "Mr.Big", rsMaleDog, 10, "Deer-hound", "Mateo", "Quintero", "Top-Dog Club", "Berlin",
     "Germany", "some more another comments text"},
    {"808", "Kiki", rsBitch, 4, "English terrier", "Oscar", "Whitley",
     "English-Royal-Dog-Club (ERDC)", "London", "England",
     "and more some more another comments text"},
    {"007", "Sharik", rsMaleDog, 5, "Mongrel", "Pavel", "Sokolov", "-", "Moscow",
     "Russian Federation",
     "and more and more and more some more another comments text (up to 255 chars)"},
};

}  // namespace

void FillDemoData(TMemTable& competitors, TMemTable& results) {
  FillDemoCompetitors(competitors);
  FillDemoResults(results);
}

void FillDemoCompetitors(TMemTable& competitors) {
  for (const Competitor& c : kCompetitors) {
    competitors.Append();
    competitors.FieldByName("StartNo")->SetAsString(c.startNo);
    competitors.FieldByName("Dog_Nick")->SetAsString(c.nick);
    competitors.FieldByName("Dog_Sex")->SetAsString(LoadResString(c.sex));
    competitors.FieldByName("Dog_Age")->SetAsInteger(c.age);
    competitors.FieldByName("Dog_Breed")->SetAsString(c.breed);
    competitors.FieldByName("Owner_FirstName")->SetAsString(c.firstName);
    competitors.FieldByName("Owner_LastName")->SetAsString(c.lastName);
    competitors.FieldByName("Owner_Org")->SetAsString(c.org);
    competitors.FieldByName("Owner_City")->SetAsString(c.city);
    competitors.FieldByName("Owner_Country")->SetAsString(c.country);
    competitors.FieldByName("Comments")->SetAsString(c.comments);
    competitors.Post();
  }
}

void FillDemoResults(TMemTable& results) {
  for (int i = 0; i < 100; ++i) {
    results.Append();
    results.FieldByName("Grp")->SetAsInteger(static_cast<std::int32_t>(platform::Random(10)));
    results.FieldByName("ID")->SetAsInteger(static_cast<std::int32_t>(platform::Random(5)));
    platform::TDateTime now = platform::Now();
    results.FieldByName("Date")->SetAsDateTime(std::floor(now) - platform::Random(100));
    // The time of day runs back from now by the drawn number of seconds.
    double t = platform::Random(20000);
    double timeOfDay = now - std::floor(now) - t / 86400.0;
    if (timeOfDay < 0) timeOfDay += 1.0;
    results.FieldByName("Time")->SetAsDateTime(timeOfDay);
    results.FieldByName("Res")->SetAsInteger(10000 +
                                             static_cast<std::int32_t>(platform::Random(10000)));
    results.FieldByName("Cmt")->SetAsString("no comments");
    results.Post();
  }
}

}  // namespace records
