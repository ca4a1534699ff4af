// Reading and writing plot documents (.cv2) block by block. The reader is strict: every
// count and length is checked against the bytes that remain and the program's limits before
// anything is allocated, and a bad file leaves the caller's document untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "expr/letters.h"
#include "plot2d/cv2_document.h"

namespace curvelo {

// Results (message 400 + code).
inline constexpr std::uint16_t kCv2Ok = 0;
inline constexpr std::uint16_t kCv2BadVersion = 8;   // 408 "nemkompatibilis verzió!"
inline constexpr std::uint16_t kCv2CannotOpen = 11;  // 411: unreadable, other type, damaged
inline constexpr std::uint16_t kCv2CannotSave = 12;  // 412

// Limits of what the reader accepts.
inline constexpr std::size_t kCv2MaxFonts = 64;
inline constexpr std::size_t kCv2MaxSettingsWords = 256;
inline constexpr std::size_t kCv2MaxExamples = 32000;
inline constexpr std::size_t kCv2MaxListEntries = 65535;
inline constexpr std::size_t kCv2MaxNameLength = 255;
inline constexpr std::size_t kCv2MaxWindowString = 4096;
inline constexpr std::size_t kCv2MaxPictureBytes = std::size_t(32) << 20;

// Reads a whole document. expectedType is the window's own file type (841 for 2D).
// Returns kCv2Ok and replaces out, or an error code and leaves out as it was.
std::uint16_t ReadCv2(const std::uint8_t* data, std::size_t size, std::int32_t expectedType,
                      Cv2Document& out);
inline std::uint16_t ReadCv2(const std::vector<std::uint8_t>& bytes, std::int32_t expectedType,
                             Cv2Document& out) {
    return ReadCv2(bytes.data(), bytes.size(), expectedType, out);
}

// The document as stored: blocks 1-6, 8-17, version 5, no block 7, full letter arrays.
std::vector<std::uint8_t> WriteCv2(const Cv2Document& doc);

// File versions: bounded reading; saving through a temporary file that replaces the old
// file only when every byte was written and flushed (kCv2CannotSave otherwise).
std::uint16_t LoadCv2File(const std::string& path, std::int32_t expectedType, Cv2Document& out);
std::uint16_t SaveCv2File(const std::string& path, const Cv2Document& doc);

// The letter store's values and bounds into a document and back (block 14).
void CaptureLetters(const LetterStore& store, Cv2Document& doc);
void ApplyLetters(const Cv2Document& doc, LetterStore& store);

// The reversible scrambling of the lock's pass text in the file (never yields a NUL).
std::string ScrambleLockText(std::string_view plain);
std::string UnscrambleLockText(std::string_view scrambled);

}  // namespace curvelo
