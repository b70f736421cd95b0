#pragma once
// The window's texts as GBK bytes: the 8-bit window calls hand them to the
// system code page 936 unchanged. Each is written out in the comment; a test
// checks the bytes against the UTF-8 text.

namespace huoxing::app {

inline constexpr char kCaptionToMartian[] = "\xB1\xE4\xB3\xC9\xBB\xF0\xD0\xC7\xCE\xC4";  // 变成火星文
inline constexpr char kCaptionToTraditional[] = "\xB1\xE4\xB3\xC9\xB7\xB1\xCC\xE5";       // 变成繁体
inline constexpr char kCaptionToSimplified[] = "\xB1\xE4\xB3\xC9\xBC\xF2\xCC\xE5";        // 变成简体
inline constexpr char kCaptionToPinyin[] = "\xD7\xAA\xBB\xBB\xC6\xB4\xD2\xF4";            // 转换拼音
inline constexpr char kCaptionCopy[] = "\xB8\xB4\xD6\xC6";                                // 复制
inline constexpr char kCaptionCut[] = "\xBC\xF4\xC7\xD0";                                 // 剪切
inline constexpr char kCaptionClear[] = "\xC7\xE5\xB3\xFD";                               // 清除

// Title bar: tool title - publisher - publisher's site.
inline constexpr char kWindowCaption[] =
    "\xBB\xF0\xD0\xC7\xCE\xC4\xD7\xD6\xBD\xB3"  // 火星文字匠
    " - "
    "\xB3\xE0\xC9\xB3\xB9\xA4\xD7\xF7\xCA\xD2"  // 赤沙工作室
    " - "
    "\xB3\xE0\xC9\xB3\xCD\xF8";                 // 赤沙网

inline constexpr char kCannotCreateWindow[] = "\xCE\xDE\xB7\xA8\xB4\xB4\xBD\xA8\xB4\xB0\xBF\xDA\xA1\xA3";  // 无法创建窗口。

}  // namespace huoxing::app
