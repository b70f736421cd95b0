#pragma once
// Where everything of the main window stands. Pure data and arithmetic, no
// platform calls, so the native tests check it too.

#include <array>
#include <cstdint>

#include "captions.h"

namespace huoxing::app {

inline constexpr int kWindowWidth = 400;   // outer, frame and title bar included
inline constexpr int kWindowHeight = 380;

struct WindowOrigin {
    int left;
    int top;
    friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};

// Centred on the whole primary screen (not its work area). C++ division
// truncates toward zero, so a screen 391 wide gives -4, not -5.
constexpr WindowOrigin centredOrigin(int screenWidth, int screenHeight) {
    return {(screenWidth - kWindowWidth) / 2, (screenHeight - kWindowHeight) / 2};
}

// Control identifiers; the buttons' WM_COMMAND carries them.
enum class ControlId : std::uint16_t {
    EditBox = 100,
    ToMartian = 101,
    ToTraditional = 102,
    ToSimplified = 103,
    ToPinyin = 104,
    Copy = 105,
    Cut = 106,
    Clear = 107,
    BrowserBox = 108,
};

enum class ControlKind : std::uint8_t { EditBox, PushButton, BrowserBox };

struct ControlPlace {
    ControlId id;
    ControlKind kind;
    int left, top, width, height;  // in the client area of the main window
    const char* caption;           // GBK
};

// In creation order, which is also the order of the Tab key. The comment
// gives each control's stored name.
inline constexpr std::array<ControlPlace, 9> kControlLayout{{
    {ControlId::EditBox, ControlKind::EditBox, 8, 8, 384, 184, ""},                               // 编辑框
    {ControlId::ToMartian, ControlKind::PushButton, 16, 200, 80, 32, kCaptionToMartian},          // 按钮2
    {ControlId::ToTraditional, ControlKind::PushButton, 109, 200, 80, 32, kCaptionToTraditional}, // 按钮5
    {ControlId::ToSimplified, ControlKind::PushButton, 202, 200, 80, 32, kCaptionToSimplified},   // 按钮1
    {ControlId::ToPinyin, ControlKind::PushButton, 296, 200, 80, 32, kCaptionToPinyin},           // 按钮6
    {ControlId::Copy, ControlKind::PushButton, 62, 248, 80, 32, kCaptionCopy},                    // 按钮4
    {ControlId::Cut, ControlKind::PushButton, 159, 248, 80, 32, kCaptionCut},                     // 按钮7
    {ControlId::Clear, ControlKind::PushButton, 255, 248, 80, 32, kCaptionClear},                 // 按钮3
    {ControlId::BrowserBox, ControlKind::BrowserBox, 5, 288, 384, 56, ""},                        // 超文本浏览框1
}};

constexpr const ControlPlace& placeOf(ControlId id) {
    for (const ControlPlace& place : kControlLayout) {
        if (place.id == id) return place;
    }
    return kControlLayout[0];  // not reached: every identifier has a row
}

}  // namespace huoxing::app
