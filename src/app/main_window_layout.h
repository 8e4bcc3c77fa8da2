// The main window's controls: where each sits, its tab order, and what the buttons show.
// Pixels at 96 dots per inch.
#pragma once

#include <array>

#include "app/control_placement.h"

namespace quillmark {

inline constexpr int kMainClientWidth = 454;
inline constexpr int kMainClientHeight = 489;

inline constexpr ControlPlacement kLv1Placement = {8, 18, 438, 267, 1};
inline constexpr ControlPlacement kMmo1Placement = {8, 302, 438, 81, 0};
inline constexpr ControlPlacement kStsbr1Placement = {0, 470, 454, 19, -1};
inline constexpr const char* kLv1Column = "Tweak";
inline constexpr const char* kLv1Label = "Tweak List:";
inline constexpr const char* kMmo1Label = "Information:";
inline constexpr int kBoundLabelIndent = 0;

enum class ButtonPicture { Apply, Close, Refresh, About, Export, Defaults };

struct MainButton {
  const char* caption;
  const char* hover_text;
  ButtonPicture picture;
  ControlPlacement placement;
};

// sbtbtn1 to sbtbtn6, in that order.
inline constexpr std::array<MainButton, 6> kMainButtons = {{
    {"Apply", "Click to apply tweaks !", ButtonPicture::Apply, {8, 391, 70, 71, 2}},
    {"Close", "Click to close program", ButtonPicture::Close, {376, 391, 70, 71, 4}},
    {"Refresh View", "Click to refresh tweaks list", ButtonPicture::Refresh, {81, 391, 71, 71, 5}},
    {"About...", "Click to read about Quillmark", ButtonPicture::About, {302, 391, 70, 71, 6}},
    {"Export...",
     "Click to create a backup reg file, you can run this file directly to restore default "
     "values",
     ButtonPicture::Export,
     {231, 391, 70, 71, 7}},
    {"Defaults",
     "Click to cancel all changes and tweaks and restore to system default settings",
     ButtonPicture::Defaults,
     {155, 391, 70, 71, 8}},
}};

// A bound caption label sits on its control's left edge, its bottom on the control's top.
constexpr ControlPlacement BoundLabelPlacement(const ControlPlacement& control, int label_width,
                                               int label_height) {
  return {control.left, control.top - label_height - kBoundLabelIndent, label_width, label_height,
          -1};
}

}  // namespace quillmark
