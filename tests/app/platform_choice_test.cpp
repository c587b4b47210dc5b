#include "app/platform_choice.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(PlatformChoice, waylandAloneFallsBackToX11) {
  EXPECT_EQ(PlatformWithFallback({"wayland", "", "", ""}), QByteArray("wayland;xcb"));
  EXPECT_EQ(PlatformWithFallback({"wayland-egl", "wayland", "", ""}), QByteArray("wayland-egl;xcb"));
  EXPECT_EQ(PlatformWithFallback({"wayland:foo", "", "", ""}), QByteArray("wayland:foo;xcb"));
  // A Wayland session without a choice of the user's: Qt would take Wayland alone.
  EXPECT_EQ(PlatformWithFallback({"", "wayland", "sway", ""}), QByteArray("wayland;xcb"));
}

TEST(PlatformChoice, choicesThatNeedNothing) {
  EXPECT_EQ(PlatformWithFallback({"xcb", "wayland", "", ""}), std::nullopt);
  EXPECT_EQ(PlatformWithFallback({"wayland;xcb", "", "", ""}), std::nullopt);
  EXPECT_EQ(PlatformWithFallback({"offscreen", "", "", ""}), std::nullopt);
  EXPECT_EQ(PlatformWithFallback({"", "x11", "", ""}), std::nullopt);
  EXPECT_EQ(PlatformWithFallback({"", "", "", ""}), std::nullopt);
  // Qt keeps X11 on GNOME's Wayland session by itself.
  EXPECT_EQ(PlatformWithFallback({"", "wayland", "ubuntu:GNOME", ""}), std::nullopt);
  EXPECT_EQ(PlatformWithFallback({"", "wayland", "", "gnome"}), std::nullopt);
}
