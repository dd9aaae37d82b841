// Files compiled in with sprintara_embed_resources, found by name.
#include "component/Resource.h"

#include <gtest/gtest.h>

#include "component/Exception.h"

using namespace component;

namespace {

TEST(ResourceTest, EmbeddedFilesKeepEveryByte) {
  auto data = FindResource("data.bin");
  ASSERT_TRUE(data);
  EXPECT_EQ(*data, std::string_view("bin\0\1\xff\"\\?end", 12));
  EXPECT_TRUE(FindResource("DATA.BIN"));  // names match ignoring case
  auto form = FindResource("forms/Small.sdesc");
  ASSERT_TRUE(form);
  EXPECT_EQ(form->substr(0, 19), "object Small: TTest");
  EXPECT_FALSE(FindResource("Small.sdesc"));
  EXPECT_FALSE(FindResource("nothing"));
  EXPECT_THROW(LoadResource("nothing"), EResNotFound);
}

// Resources of a static library reach the programs that link it, although
// nothing refers to the generated table.
TEST(ResourceTest, ResourcesOfAStaticLibraryReachThePrograms) {
  auto text = FindResource("lib/Library.txt");
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "from the library\n");
}

}  // namespace
