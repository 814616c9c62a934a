// Input and states: mouse buttons, the drag skip rule, the 10 ms hover timer,
// the space bar, arrows, access key, focus, and nothing but MouseOut while
// disabled.
#include <gtest/gtest.h>

#include "button/command.h"
#include "support/fake_command_site.h"

namespace tarvex {
namespace {

using Log = std::vector<std::string>;

class CommandInput : public ::testing::Test {
 protected:
  FakeCommandSite site{81, 25};
  RecordingEvents events;
  Command button{site, site, &events};
  void SetUp() override {
    button.InitProperties();
    button.HandleResize();
    site.ClearLog();
  }
};

TEST_F(CommandInput, LeftPressAndReleaseThenClick) {
  button.HandleMouseDown(kMouseLeft, 0, 4, 5);
  EXPECT_EQ(button.VisualState(), kStatePressed);
  button.HandleMouseUp(kMouseLeft, 0, 4, 5);
  EXPECT_EQ(button.VisualState(), kStateNormal);
  button.HandleClick();
  EXPECT_EQ(events.log, (Log{"MouseDown 1 0 4 5", "MouseUp 1 0 4 5", "Click"}));
  EXPECT_EQ(site.refreshCount, 1);
}

TEST_F(CommandInput, RightButtonRaisesMouseDownWithoutThePressedLook) {
  const Rgb normal = site.image.At(5, 5);
  const int64_t paints = button.PaintCount();
  button.HandleMouseDown(kMouseRight, 0, 4, 5);
  EXPECT_EQ(button.VisualState(), kStateNormal);
  EXPECT_EQ(site.image.At(5, 5), normal);
  EXPECT_EQ(button.PaintCount(), paints + 1);  // still a forced paint of the same state
  button.HandleMouseUp(kMouseRight, 0, 4, 5);
  // A click after a right press keeps the look and does not refresh.
  button.HandleClick();
  EXPECT_EQ(site.refreshCount, 0);
  EXPECT_EQ(events.log, (Log{"MouseDown 2 0 4 5", "MouseUp 2 0 4 5", "Click"}));
}

TEST_F(CommandInput, DragRepaintsOnlyOnStateChange) {
  button.HandleMouseDown(kMouseLeft, 0, 4, 5);
  const int64_t paints = button.PaintCount();
  for (int x = 5; x < 60; x += 5) button.HandleMouseMove(kMouseLeft, 0, x, 5);
  EXPECT_EQ(button.PaintCount(), paints);
  EXPECT_EQ(events.log.size(), 12u);  // MouseDown and 11 MouseMove
}

TEST_F(CommandInput, MovesPaintTheFaceTheyNameWithoutChangingTheState) {
  // (6, 12) lies in the face, clear of the caption, the border and the hover frame.
  const Rgb normal = site.image.At(6, 12);
  button.HandleMouseDown(kMouseLeft, 0, 4, 5);
  const Rgb pressed = site.image.At(6, 12);
  button.HandleMouseUp(kMouseLeft, 0, 4, 5);
  ASSERT_NE(pressed, normal);

  // Dragged in with the left button held: the pressed face, the state stays normal.
  button.HandleMouseMove(kMouseLeft, 0, 10, 10);
  EXPECT_PIXEL(site, 6, 12, pressed);
  EXPECT_EQ(button.VisualState(), kStateNormal);

  // Space held (pressed) and the pointer arrives with no button: the normal face.
  button.HandleKeyDown(32, 0);
  EXPECT_PIXEL(site, 6, 12, pressed);
  button.HandleMouseMove(0, 0, 10, 10);
  EXPECT_PIXEL(site, 6, 12, normal);
  EXPECT_EQ(button.VisualState(), kStatePressed);
}

TEST_F(CommandInput, HoverTimerFindsThePointerOutsideOnce) {
  site.cursor = Point{10, 10};
  button.HandleMouseMove(0, 0, 10, 10);
  EXPECT_TRUE(button.Hovering());
  EXPECT_EQ(site.timerLog, (Log{"start 1 10"}));
  const int64_t paints = button.PaintCount();
  button.HandleMouseMove(0, 0, 12, 10);  // already hovering: no repaint
  EXPECT_EQ(button.PaintCount(), paints);

  button.HandleTimer(Command::kHoverTimerId);
  EXPECT_TRUE(button.Hovering());
  site.cursor = Point{81, 25};  // the far edges still count as inside
  button.HandleTimer(Command::kHoverTimerId);
  EXPECT_TRUE(button.Hovering());

  site.cursor = Point{82, 10};
  button.HandleTimer(Command::kHoverTimerId);
  button.HandleTimer(Command::kHoverTimerId);
  EXPECT_FALSE(button.Hovering());
  EXPECT_EQ(site.timerLog, (Log{"start 1 10", "stop 1"}));
  EXPECT_EQ(events.log, (Log{"MouseMove 0 0 10 10", "MouseMove 0 0 12 10", "MouseOut"}));
}

TEST_F(CommandInput, PressedLookStaysUntilTheTimerFindsThePointerOutside) {
  site.cursor = Point{5, 5};
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  button.HandleMouseMove(kMouseLeft, 0, -3, 5);  // outside: no event, no paint
  EXPECT_EQ(button.VisualState(), kStatePressed);
  site.cursor = Point{-3, 5};
  button.HandleTimer(Command::kHoverTimerId);
  EXPECT_EQ(button.VisualState(), kStateNormal);
  EXPECT_EQ(events.log, (Log{"MouseDown 1 0 5 5", "MouseOut"}));
}

TEST_F(CommandInput, OtherButtonsMovingAreIgnored) {
  button.HandleMouseMove(kMouseRight, 0, 5, 5);
  button.HandleMouseMove(kMouseLeft | kMouseRight, 0, 5, 5);
  EXPECT_TRUE(events.log.empty());
  EXPECT_TRUE(site.timerLog.empty());
}

TEST_F(CommandInput, NoHoverTimerInDesignMode) {
  site.userMode = false;
  button.HandleMouseMove(0, 0, 5, 5);
  EXPECT_TRUE(site.timerLog.empty());
  EXPECT_TRUE(button.Hovering());
}

TEST_F(CommandInput, SpaceBarPressesAndClicks) {
  button.HandleKeyDown(32, 0);
  EXPECT_EQ(button.VisualState(), kStatePressed);
  button.HandleKeyPress(32);
  button.HandleKeyUp(32, 0);
  EXPECT_EQ(button.VisualState(), kStateNormal);
  EXPECT_EQ(events.log, (Log{"KeyDown 32 0", "MouseDown 1 1 1 1", "KeyPress 32", "KeyUp 32 0",
                             "MouseUp 1 1 1 1", "Click"}));
}

TEST_F(CommandInput, SpaceUpAfterAnotherKeyDoesNotClick) {
  button.HandleKeyDown(65, 0);
  button.HandleKeyUp(32, 0);
  EXPECT_EQ(events.log, (Log{"KeyDown 65 0", "KeyUp 32 0"}));
}

TEST_F(CommandInput, ArrowsMoveTheFocus) {
  for (int16_t key : {39, 40, 37, 38}) button.HandleKeyDown(key, 0);
  EXPECT_EQ(site.sentKeys, (Log{"{Tab}", "{Tab}", "+{Tab}", "+{Tab}"}));
}

TEST_F(CommandInput, AccessKeyAndDoubleClick) {
  button.HandleAccessKey();
  EXPECT_EQ(events.log, (Log{"Click"}));
  button.HandleDoubleClick();
  EXPECT_EQ(button.VisualState(), kStatePressed);
  EXPECT_EQ(events.log.back(), "MouseDown 1 1 1 1");
}

TEST_F(CommandInput, DisabledRaisesOnlyMouseOut) {
  site.cursor = Point{5, 5};
  button.HandleMouseMove(0, 0, 5, 5);  // hovering, timer on
  button.SetEnabled(false);
  events.log.clear();
  button.HandleMouseDown(kMouseLeft, 0, 5, 5);
  button.HandleMouseUp(kMouseLeft, 0, 5, 5);
  button.HandleMouseMove(0, 0, 5, 5);
  button.HandleClick();
  button.HandleDoubleClick();
  button.HandleKeyDown(32, 0);
  button.HandleKeyPress(32);
  button.HandleKeyUp(32, 0);
  button.HandleAccessKey();
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(button.VisualState(), kStateNormal);
  EXPECT_TRUE(site.sentKeys.empty());
  site.cursor = Point{200, 5};
  button.HandleTimer(Command::kHoverTimerId);
  EXPECT_EQ(events.log, (Log{"MouseOut"}));
}

TEST_F(CommandInput, FocusFollowsAndRepaints) {
  const int64_t paints = button.PaintCount();
  button.HandleGotFocus();
  EXPECT_TRUE(button.FocusFlag());
  button.HandleLostFocus();
  EXPECT_FALSE(button.FocusFlag());
  button.HandlePaint();
  EXPECT_EQ(button.PaintCount(), paints + 3);
  EXPECT_EQ(site.imageChanges, button.PaintCount());  // every drawn paint is shown
}

}  // namespace
}  // namespace tarvex
