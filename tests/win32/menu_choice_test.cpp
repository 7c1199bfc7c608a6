#include <gtest/gtest.h>

#include <cstring>

#include "state/app_state_win.h"

namespace ondrix {
namespace {

class MenuChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = graphMenu;
    graphMenu = LoadMenuA(appInstance, "GRAPH");
    ASSERT_NE(graphMenu, nullptr);
  }
  void TearDown() override {
    DestroyMenu(graphMenu);
    graphMenu = saved_;
  }
  bool Checked(UINT id) const {
    return (GetMenuState(graphMenu, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }

 private:
  HMENU saved_ = nullptr;
};

TEST_F(MenuChoiceTest, MovesTheCheckWithinItsGroupAndCopiesFunctionNames) {
  char name[kFunctionNameSize] = "unchanged";
  CheckMenuChoice(CM_SINE, CM_SINE, name);
  EXPECT_TRUE(Checked(CM_SINE));
  EXPECT_STREQ(name, "Sine");

  CheckMenuChoice(CM_SINE, CM_TANGENT, name);
  EXPECT_FALSE(Checked(CM_SINE));
  EXPECT_TRUE(Checked(CM_TANGENT));
  EXPECT_STREQ(name, "Tangent");

  CheckMenuChoice(CM_CONNECTED_DOTS, CM_CONNECTED_DOTS, nullptr);
  CheckMenuChoice(CM_CONNECTED_DOTS, CM_UNCONNECTED_DOTS, name);
  EXPECT_FALSE(Checked(CM_CONNECTED_DOTS));
  EXPECT_TRUE(Checked(CM_UNCONNECTED_DOTS));
  EXPECT_STREQ(name, "Tangent") << "a connection method copies no name";
}

// Regression: a stored method carrying Grid Lines' ID made the next function
// choice remove the Grid Lines check while the grid stayed on.
TEST_F(MenuChoiceTest, LeavesItemsOfOtherGroupsAlone) {
  CheckMenuItem(graphMenu, CM_GRID_LINES, MF_BYCOMMAND | MF_CHECKED);
  CheckMenuItem(graphMenu, CM_POINT_SONAR, MF_BYCOMMAND | MF_CHECKED);
  char name[kFunctionNameSize] = {};
  CheckMenuChoice(CM_GRID_LINES, CM_TANGENT, name);
  CheckMenuChoice(CM_POINT_SONAR, CM_NO_CONNECTION, nullptr);
  CheckMenuChoice(CM_SINE, CM_CONNECTED_DOTS, nullptr);
  EXPECT_TRUE(Checked(CM_GRID_LINES));
  EXPECT_TRUE(Checked(CM_POINT_SONAR));
  EXPECT_TRUE(Checked(CM_TANGENT));
  EXPECT_TRUE(Checked(CM_NO_CONNECTION));
  EXPECT_TRUE(Checked(CM_CONNECTED_DOTS));
}

}  // namespace
}  // namespace ondrix
