// Virtual-key codes of key events: letters are their capitals 'A'..'Z', digits '0'..'9',
// space 32; the other keys use the classic desktop numbering below.
#pragma once

namespace curvelo::fw::vk {

constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18,
              kPause = 19, kEscape = 27, kSpace = 32, kPrior = 33, kNext = 34, kEnd = 35,
              kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45,
              kDelete = 46, kNumpad0 = 96, kMultiply = 106, kAdd = 107, kSubtract = 109,
              kDecimal = 110, kDivide = 111, kF1 = 112;  // F2 = 113 ... F24 = 135
constexpr int kOemPlus = 187, kOemComma = 188, kOemMinus = 189, kOemPeriod = 190;
constexpr int F(int n) { return kF1 + n - 1; }

}  // namespace curvelo::fw::vk
