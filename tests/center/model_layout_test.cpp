#include "scripted_operator.h"
#include "wall/match_lists.h"
#include "wall/wall_model.h"

#include <gtest/gtest.h>

namespace {

TEST(WallModel, StartsWithTheDocumentedDefaults) {
    const mlc::WallModel model;
    EXPECT_EQ(model.WallColumns, 8);
    EXPECT_EQ(model.WallRows, 8);
    const mlc::TMonitorSettings& s = model.DefaultSettings;
    EXPECT_EQ(s.XZoom, 100.0);
    EXPECT_EQ(s.Interpolation, 1);
    EXPECT_EQ(s.BindKey, (std::array<std::int32_t, 4>{0, 1, 5, 6}));
}

TEST(MatchLists, IdAtNeverReadsPastTheList) {
    mlc::MatchListPair pair;
    pair.Ids = {"a", "b"};
    EXPECT_EQ(*pair.idAt(1), "b");
    EXPECT_EQ(pair.idAt(2), nullptr);
    EXPECT_EQ(pair.idAt(-1), nullptr);
    EXPECT_EQ(pair.indexOf("b"), 1);
    EXPECT_EQ(pair.indexOf("B"), -1);
}

} // namespace
