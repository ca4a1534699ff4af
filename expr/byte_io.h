// Little-endian, bounds-checked reading and writing of stored records and file blocks.
// Every read checks the bytes that remain; a failed read sets the reader's failure flag,
// returns zero values and never reads past the end, so callers may check once at the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace curvelo {

// The 80-bit extended real as stored in files (10 raw bytes: mantissa, then sign+exponent).
void StoreExt80(long double value, std::uint8_t out[10]);
long double LoadExt80(const std::uint8_t in[10]);

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteReader(const std::vector<std::uint8_t>& bytes) : ByteReader(bytes.data(), bytes.size()) {}

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return ok_ ? size_ - pos_ : 0; }
    bool AtEnd() const { return pos_ == size_; }

    std::uint8_t U8();
    std::uint16_t U16();
    std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32();
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    long double Ext80();
    // Copies n raw bytes; fails (and fills zeros) when fewer remain.
    bool Bytes(void* out, std::size_t n);
    bool Skip(std::size_t n);
    // A text stored as a 16-bit length that counts the terminating zero, then the bytes.
    // Refused when the length exceeds maxLength or the bytes that remain. Returns the
    // bytes without the terminator (still in the file's code page).
    std::string LengthText(std::size_t maxLength);
    // A 16-bit count of fixed-size records, checked against the bytes that remain and
    // against maxCount before the caller allocates anything. Returns 0 on failure.
    std::size_t Count(std::size_t recordSize, std::size_t maxCount);

private:
    bool Need(std::size_t n);
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v);
    void I16(std::int16_t v) { U16(static_cast<std::uint16_t>(v)); }
    void U32(std::uint32_t v);
    void I32(std::int32_t v) { U32(static_cast<std::uint32_t>(v)); }
    void Ext80(long double v);
    void Bytes(const void* data, std::size_t n);
    void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
    // Writes the 16-bit length (bytes + terminating zero), the bytes and the zero.
    void LengthText(std::string_view text);

    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::vector<std::uint8_t>& Data() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Fixed-offset access inside a stored record image (little-endian). Offsets are checked
// by the caller's layout; these helpers only do the byte order.
std::uint16_t GetU16(const std::uint8_t* p);
std::uint32_t GetU32(const std::uint8_t* p);
void PutU16(std::uint8_t* p, std::uint16_t v);
void PutU32(std::uint8_t* p, std::uint32_t v);

}  // namespace curvelo
