// The about box's controls: where each sits. Pixels at 96 dots per inch; the panel's controls
// are placed inside the panel.
#pragma once

#include "app/control_placement.h"

namespace quillmark {

inline constexpr int kAboutClientWidth = 298;
inline constexpr int kAboutClientHeight = 274;

// Created in tab order: the panel first, then the button.
inline constexpr ControlPlacement kPanel1Placement = {9, 8, 281, 218, 0};
inline constexpr ControlPlacement kShadowLabel1Placement = {3, 13, 273, 32, -1};
inline constexpr ControlPlacement kCopyrightPlacement = {3, 45, 273, 13, -1};
inline constexpr ControlPlacement kSLabel1Placement = {3, 62, 273, 13, -1};
inline constexpr ControlPlacement kCommentsPlacement = {3, 81, 273, 13, -1};
inline constexpr ControlPlacement kImage1Placement = {71, 104, 145, 105, -1};
inline constexpr ControlPlacement kSBitBtn1Placement = {117, 232, 75, 33, 1};

}  // namespace quillmark
