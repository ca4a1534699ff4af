#include "expr/byte_io.h"

#include <cstring>
#include <limits>

namespace curvelo {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended type");

void StoreExt80(long double value, std::uint8_t out[10]) {
    std::uint8_t raw[sizeof(long double)] = {};
    std::memcpy(raw, &value, sizeof value);
    std::memcpy(out, raw, 10);
}

long double LoadExt80(const std::uint8_t in[10]) {
    std::uint8_t raw[sizeof(long double)] = {};
    std::memcpy(raw, in, 10);
    long double value;
    std::memcpy(&value, raw, sizeof value);
    return value;
}

bool ByteReader::Need(std::size_t n) {
    if (!ok_ || n > size_ - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::U8() {
    if (!Need(1)) return 0;
    return data_[pos_++];
}

std::uint16_t ByteReader::U16() {
    if (!Need(2)) return 0;
    std::uint16_t v = GetU16(data_ + pos_);
    pos_ += 2;
    return v;
}

std::uint32_t ByteReader::U32() {
    if (!Need(4)) return 0;
    std::uint32_t v = GetU32(data_ + pos_);
    pos_ += 4;
    return v;
}

long double ByteReader::Ext80() {
    if (!Need(10)) return 0.0L;
    long double v = LoadExt80(data_ + pos_);
    pos_ += 10;
    return v;
}

bool ByteReader::Bytes(void* out, std::size_t n) {
    if (!Need(n)) {
        if (n) std::memset(out, 0, n);
        return false;
    }
    if (n) std::memcpy(out, data_ + pos_, n);
    pos_ += n;
    return true;
}

bool ByteReader::Skip(std::size_t n) {
    if (!Need(n)) return false;
    pos_ += n;
    return true;
}

std::string ByteReader::LengthText(std::size_t maxLength) {
    std::size_t n = U16();
    if (!ok_) return {};
    if (n > maxLength + 1 || !Need(n)) {
        ok_ = false;
        return {};
    }
    std::string text(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    // The stored length counts the terminator; cut at the first zero.
    std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    return text;
}

std::size_t ByteReader::Count(std::size_t recordSize, std::size_t maxCount) {
    std::size_t n = U16();
    if (!ok_) return 0;
    if (n > maxCount || (recordSize && n > Remaining() / recordSize)) {
        ok_ = false;
        return 0;
    }
    return n;
}

void ByteWriter::U16(std::uint16_t v) {
    std::uint8_t b[2];
    PutU16(b, v);
    Bytes(b, 2);
}

void ByteWriter::U32(std::uint32_t v) {
    std::uint8_t b[4];
    PutU32(b, v);
    Bytes(b, 4);
}

void ByteWriter::Ext80(long double v) {
    std::uint8_t b[10];
    StoreExt80(v, b);
    Bytes(b, 10);
}

void ByteWriter::Bytes(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + n);
}

void ByteWriter::LengthText(std::string_view text) {
    U16(static_cast<std::uint16_t>(text.size() + 1));
    Bytes(text.data(), text.size());
    U8(0);
}

std::uint16_t GetU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace curvelo
