#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "platform/gdi/Gdi.h"

namespace platform {
namespace {

constexpr int kGrid = 24;

using Grid = std::vector<bool>;

Grid Paint(const Region& r) {
  Grid g(kGrid * kGrid);
  for (int y = 0; y < kGrid; ++y)
    for (int x = 0; x < kGrid; ++x) g[y * kGrid + x] = r.Contains(x, y);
  return g;
}

// The banding rules every region must keep, whatever built it.
void ExpectBanded(const Region& r) {
  const auto& v = r.Rects();
  for (std::size_t i = 0; i < v.size(); ++i) {
    ASSERT_FALSE(v[i].IsEmpty());
    if (i == 0) continue;
    const RECT& a = v[i - 1];
    const RECT& b = v[i];
    if (a.top == b.top) {
      ASSERT_EQ(a.bottom, b.bottom);
      ASSERT_LT(a.right, b.left) << "spans of one band must neither touch nor overlap";
    } else {
      ASSERT_GE(b.top, a.bottom) << "bands must not overlap";
    }
  }
  // Adjacent bands with identical spans must have been merged.
  std::size_t i = 0;
  std::vector<std::pair<int, int>> prev;
  int prevBottom = INT_MIN;
  while (i < v.size()) {
    std::vector<std::pair<int, int>> spans;
    int top = v[i].top, bottom = v[i].bottom;
    for (; i < v.size() && v[i].top == top; ++i) spans.push_back({v[i].left, v[i].right});
    ASSERT_FALSE(top == prevBottom && spans == prev) << "unmerged bands at y=" << top;
    prev = spans;
    prevBottom = bottom;
  }
}

TEST(Region, CombineGivesClassicKinds) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN far = CreateRectRgn(50, 50, 60, 60);
  HRGN d = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_AND), SIMPLEREGION);
  RECT box;
  EXPECT_EQ(GetRgnBox(d, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  EXPECT_EQ(CombineRgn(d, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(d, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(d, a, far, RGN_AND), NULLREGION);
  EXPECT_EQ(GetRgnBox(d, &box), NULLREGION);
  EXPECT_EQ(CombineRgn(d, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(d, b, HRGN{}, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(d, b));
  // Two rectangles side by side merge into one.
  HRGN left = CreateRectRgn(0, 0, 5, 10);
  HRGN right = CreateRectRgn(5, 0, 9, 10);
  EXPECT_EQ(CombineRgn(d, left, right, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(GetRgnBox(d, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 9, 10}));
  for (HRGN h : {a, b, far, d, left, right}) EXPECT_TRUE(DeleteObject(h));
}

TEST(Region, RandomCombinationsMatchPixelsAndStayBanded) {
  std::mt19937 rng(7);
  auto rect = [&] {
    int l = int(rng() % kGrid), t = int(rng() % kGrid);
    return RECT{l, t, l + 1 + int(rng() % 10), t + 1 + int(rng() % 10)};
  };
  const Region::Op ops[] = {Region::Op::And, Region::Op::Or, Region::Op::Xor, Region::Op::Diff};
  for (int round = 0; round < 300; ++round) {
    Region a, b;
    for (int i = 0; i < 4; ++i) a |= Region(rect());
    for (int i = 0; i < 4; ++i) b |= Region(rect());
    Grid ga = Paint(a), gb = Paint(b);
    for (Region::Op op : ops) {
      Region c = Region::Combine(a, b, op);
      ExpectBanded(c);
      Grid gc = Paint(c);
      for (int i = 0; i < kGrid * kGrid; ++i) {
        bool want = op == Region::Op::And   ? ga[i] && gb[i]
                    : op == Region::Op::Or  ? ga[i] || gb[i]
                    : op == Region::Op::Xor ? ga[i] != gb[i]
                                            : ga[i] && !gb[i];
        ASSERT_EQ(gc[i], want) << "round " << round << " op " << int(op) << " pixel " << i;
      }
      // The same area always has the same rectangle list.
      Region rebuilt = Region::FromRects(c.Rects());
      EXPECT_EQ(rebuilt, c);
    }
  }
}

TEST(Region, OffsetHitTestAndRectTest) {
  HRGN r = CreateRectRgn(10, 10, 20, 20);
  HRGN hole = CreateRectRgn(12, 12, 14, 14);
  CombineRgn(r, r, hole, RGN_DIFF);
  EXPECT_TRUE(PtInRegion(r, 10, 10));
  EXPECT_FALSE(PtInRegion(r, 20, 10));  // right and bottom edges are outside
  EXPECT_FALSE(PtInRegion(r, 12, 12));
  EXPECT_EQ(OffsetRgn(r, -10, 5), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(r, 0, 15));
  EXPECT_FALSE(PtInRegion(r, 2, 17));
  RECT inHole{2, 17, 4, 19}, touching{9, 15, 11, 16}, outside{10, 15, 12, 16};
  EXPECT_FALSE(RectInRegion(r, &inHole));
  EXPECT_TRUE(RectInRegion(r, &touching));
  EXPECT_FALSE(RectInRegion(r, &outside));
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{0, 15, 10, 25}));
  DeleteObject(r);
  DeleteObject(hole);
}

TEST(Region, HugeCoordinatesAreClampedNotOverflowed) {
  Region r(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_TRUE(r.Contains(0, 0));
  r.Offset(INT_MAX, INT_MAX);
  ExpectBanded(r);
  EXPECT_FALSE(r.Contains(0, 0));
  Region s(0, 0, 10, 10);
  s.Offset(INT_MAX, 0);
  s.Offset(INT_MIN, 0);
  EXPECT_LE(s.Bounds().right, Region::kLimit);
}

TEST(Region, BadHandlesAreRefused) {
  HRGN a = CreateRectRgn(0, 0, 4, 4);
  HRGN dead = CreateRectRgn(0, 0, 8, 8);
  ASSERT_TRUE(DeleteObject(dead));
  EXPECT_FALSE(DeleteObject(dead));
  EXPECT_EQ(CombineRgn(a, a, dead, RGN_OR), RGN_ERROR);
  EXPECT_EQ(CombineRgn(a, a, a, 99), RGN_ERROR);
  RECT box;
  EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 4, 4}));  // untouched by the failed calls
  EXPECT_EQ(OffsetRgn(dead, 1, 1), RGN_ERROR);
  EXPECT_FALSE(PtInRegion(dead, 1, 1));
  EXPECT_FALSE(EqualRgn(a, dead));
  EXPECT_EQ(GetRegion(dead), nullptr);
  // A brush handle is not a region.
  HBRUSH br = CreateSolidBrush(0);
  EXPECT_EQ(OffsetRgn(HRGN{br.value}, 1, 1), RGN_ERROR);
  DeleteObject(br);
  DeleteObject(a);
}

}  // namespace
}  // namespace platform
