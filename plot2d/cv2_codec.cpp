#include "plot2d/cv2_codec.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "expr/byte_io.h"
#include "expr/codepage.h"
#include "plot2d/example_kinds.h"
#include "framework/safe_file.h"
#include "plot2d/example_limits.h"

namespace curvelo {
namespace {

constexpr std::size_t kFrameWords = 20;
constexpr std::size_t kReservedBlock = 17;
constexpr std::size_t kGlobalBufferMax = 25;
constexpr std::size_t kPlotWords = 80;
constexpr std::size_t kSwitches = 50;
constexpr std::size_t kNumbers = 80;
constexpr std::size_t kLetters = 27;
static_assert(kLetters == kLetterCount, "block 14 holds one item per letter");
constexpr std::size_t kLabelLinkOffset = 170;
constexpr std::size_t kMarkLinkOffset = 33;
constexpr std::size_t kFormulaTextMax = TExample::kTextCapacity;
constexpr long double kDefaultFirstPageMeasure = -0.3937019154660433L;

// Plot header words always written as zero.
bool ZeroPlotWord(std::size_t w) {
    return w == 2 || w == 3 || w == 15 || (w >= 29 && w <= 34) || w == 36 || w == 37 || w >= 43;
}
// Plot number slots the program gives a meaning to beyond the first 44.
bool UsedHighNumberSlot(std::size_t s) {
    return s == 52;  // the sequences' periodicity tolerance
}
// Plot number slots always written as zero.
bool ZeroNumberSlot(std::size_t s) {
    return s == 10 || (s >= 29 && s <= 32) || s == 40 || (s >= 44 && !UsedHighNumberSlot(s));
}

std::int32_t ToStoredMeasure(long double v) {
    long double r = std::round(v * 100.0L);
    if (!(r == r)) return 0;
    if (r > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (r < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(r);
}

void ZeroLink(std::uint8_t* record, std::size_t offset) { PutU32(record + offset, 0); }

// Minimum bytes of one example group: record, two empty lists, seven empty strings.
constexpr std::size_t kMinExampleGroup = TExample::kStoredSize + 2 + 2 + 7 * 2;

class Cv2Reader {
public:
    Cv2Reader(const std::uint8_t* data, std::size_t size) : in_(data, size) {}

    std::uint16_t Read(std::int32_t expectedType, Cv2Document& d) {
        // Block 1.
        std::array<std::int32_t, kFrameWords> h{};
        for (auto& w : h) w = in_.I32();
        if (!in_.Ok() || h[0] != expectedType) return kCv2CannotOpen;
        if (h[1] < 1 || h[1] > kCv2Version) return kCv2BadVersion;
        d.fileType = h[0];
        d.version = h[1];
        for (int i = 0; i < 4; ++i) d.placement[i] = h[2 + i];
        d.maximised = h[6];
        d.windowFlag = h[7];
        const std::int32_t n7 = h[8];
        for (int i = 0; i < 4; ++i) d.pageMeasures[i] = h[9 + i] * 0.01L;
        if (h[9] == 0) d.pageMeasures[0] = kDefaultFirstPageMeasure;
        d.windowSwitches = {h[13], h[14]};
        const std::int32_t fonts = h[15], words = h[16];
        if (fonts < 0 || static_cast<std::size_t>(fonts) > kCv2MaxFonts) return kCv2CannotOpen;
        if (words < 0 || static_cast<std::size_t>(words) > kCv2MaxSettingsWords) return kCv2CannotOpen;
        if (n7 < 0 || static_cast<std::size_t>(n7) > kGlobalBufferMax) return kCv2CannotOpen;

        // Blocks 2-6.
        d.fonts.assign(static_cast<std::size_t>(fonts), Cv2Font{});
        for (auto& f : d.fonts) f.attribute = in_.U32();
        for (auto& f : d.fonts) in_.Bytes(f.logFont.data(), kLogFontSize);
        d.colours.assign(static_cast<std::size_t>(fonts), 0);
        for (auto& c : d.colours) c = in_.U32();
        in_.Skip(4 * kReservedBlock);
        d.settingsWords.assign(static_cast<std::size_t>(words), 0);
        for (auto& w : d.settingsWords) w = in_.U16();
        // Block 7.
        for (auto& b : d.globalBuffers) {
            b.assign(static_cast<std::size_t>(n7), 0);
            in_.Bytes(b.data(), b.size());
        }
        if (!in_.Ok()) return kCv2CannotOpen;

        ReadPlotWords(d);
        for (auto& s : d.switches) s = in_.U8();
        ReadNumbers(d);
        if (!in_.Ok()) return kCv2CannotOpen;
        if (!ReadExamples(d)) return kCv2CannotOpen;

        for (auto& s : d.windowStrings) s = Cp1250ToUtf8(in_.LengthText(kCv2MaxWindowString));
        d.hasLock = d.plotWords[42] > 0;
        if (d.hasLock) {
            d.lockPassText = Cp1250ToUtf8(UnscrambleLockText(in_.LengthText(kCv2MaxWindowString)));
            for (auto& s : d.authorData) s = Cp1250ToUtf8(in_.LengthText(kCv2MaxWindowString));
        }
        ReadLetters(d, d.switches[12] != 0);
        in_.Skip(3 * kReservedBlock);
        if (!in_.Ok()) return kCv2CannotOpen;

        if (!ReadUserFunctionBlock(in_, d.userFunctions)) return kCv2CannotOpen;
        if (!ReadRecords(d.textLabels, kLabelLinkOffset)) return kCv2CannotOpen;
        if (!ReadPictures(d)) return kCv2CannotOpen;
        if (!ReadRecords(d.equationLabels, kLabelLinkOffset)) return kCv2CannotOpen;
        if (!ReadRecords(d.layerMarks, kMarkLinkOffset)) return kCv2CannotOpen;

        d.hasNotepad = d.switches[17] == 0;
        if (d.hasNotepad) d.notepad = Cp1250ToUtf8(in_.LengthText(kNotepadMaxLength));
        return in_.Ok() ? kCv2Ok : kCv2CannotOpen;
    }

private:
    void ReadPlotWords(Cv2Document& d) {
        for (auto& w : d.plotWords) w = in_.U16();
        auto s = [&](int i) { return static_cast<std::int16_t>(d.plotWords[i]); };
        if (s(26) < 0) d.plotWords[26] = 0;
        if (s(27) < 1) d.plotWords[27] = 1;
        if (s(38) < 1) d.plotWords[38] = 1;
        if (s(39) < 32) d.plotWords[39] = 112;
        if (s(40) < 2) d.plotWords[40] = 8;
    }

    void ReadNumbers(Cv2Document& d) {
        for (auto& v : d.numbers) v = in_.Ext80();
        // Written as "not at least" so that a NaN is replaced as well.
        if (!(d.numbers[25] >= 1e-18L)) d.numbers[25] = 1.01L;
        if (!(d.numbers[41] >= 1e-18L)) d.numbers[41] = 1.0L;
        if (!(d.numbers[42] >= 3.0L) || !(d.numbers[43] >= 1.0L)) {
            d.numbers[42] = 100.0L;
            d.numbers[43] = 10.0L;
        }
    }

    bool ReadExamples(Cv2Document& d) {
        const auto last = static_cast<std::int16_t>(d.plotWords[9]);
        if (last < -1) return false;
        const std::size_t count = static_cast<std::size_t>(last + 1);
        const std::size_t nameLength = d.plotWords[41];
        if (nameLength > kCv2MaxNameLength) return false;
        const std::size_t nameBytes = nameLength ? nameLength + 1 : 0;
        if (count > kCv2MaxExamples || count > in_.Remaining() / (kMinExampleGroup + nameBytes))
            return false;
        d.examples.clear();
        d.examples.reserve(count);
        for (std::size_t k = 0; k < count; ++k) {
            Cv2Example ex;
            TExample::Image image;
            if (!in_.Bytes(image.data(), image.size())) return false;
            ex.example.Load(image);
            ClampWorkCounts(ex.example);
            std::size_t ic = in_.Count(kInitialConditionSize, kCv2MaxListEntries);
            if (!in_.Ok()) return false;
            ex.initialConditions.resize(ic);
            for (auto& c : ex.initialConditions) {
                in_.Bytes(c.record.data(), c.record.size());
                ZeroLink(c.record.data(), kInitialConditionSize - 4);
                if (c.HasTexts())
                    for (auto& t : c.texts) t = in_.LengthText(kFormulaTextMax);
                if (!in_.Ok()) return false;
            }
            std::size_t rc = in_.Count(kResultSize, kCv2MaxListEntries);
            if (!in_.Ok()) return false;
            ex.results.resize(rc);
            for (auto& r : ex.results) {
                in_.Bytes(r.data(), r.size());
                ZeroLink(r.data(), kResultSize - 4);
            }
            for (auto& t : ex.example.texts) t = in_.LengthText(kFormulaTextMax);
            if (nameBytes) {
                std::string raw(nameBytes, '\0');
                in_.Bytes(raw.data(), raw.size());
                raw.resize(std::min(raw.find('\0'), kExampleNameLength));
                ex.name = Cp1250ToUtf8(raw);
            }
            if (!in_.Ok()) return false;
            // Implicit curves are always drawn with their byte 58 switch on.
            if (ex.example.kind == 204 || ex.example.kind == 305) ex.example.arrow = 1;
            // A point on a curve keeps the count of the numbers of its text 3 at offset 36.
            if (ex.example.kind == kKindPointOnCurve) {
                long double numbers[kMaxPointOnCurveNumbers];
                ex.example.reserved36[0] = static_cast<std::uint16_t>(
                    ParsePointOnCurveNumbers(ex.example.texts[3], numbers));
            }
            d.examples.push_back(std::move(ex));
        }
        return true;
    }

    void ReadLetters(Cv2Document& d, bool compact) {
        for (auto* a : {&d.letterValues, &d.letterLow, &d.letterHigh}) {
            for (auto& v : *a) {
                v.re = in_.Ext80();
                v.im = compact ? 0.0L : in_.Ext80();
            }
        }
    }

    template <std::size_t N>
    bool ReadRecords(std::vector<std::array<std::uint8_t, N>>& list, std::size_t linkOffset) {
        std::size_t n = in_.Count(N, kCv2MaxListEntries);
        if (!in_.Ok()) return false;
        list.assign(n, {});
        for (auto& r : list) {
            in_.Bytes(r.data(), N);
            ZeroLink(r.data(), linkOffset);
        }
        return in_.Ok();
    }

    bool ReadPictures(Cv2Document& d) {
        constexpr std::size_t kMinPicture = kPicturePlacementSize + 1 + 4;
        std::size_t n = in_.Count(kMinPicture, kCv2MaxListEntries);
        if (!in_.Ok()) return false;
        d.pictures.clear();
        d.pictures.reserve(n);
        for (std::size_t k = 0; k < n; ++k) {
            Cv2Picture p;
            in_.Bytes(p.placement.data(), p.placement.size());
            p.flags = in_.U8();
            std::uint32_t size = in_.U32();
            if (!in_.Ok() || size > kCv2MaxPictureBytes || size > in_.Remaining()) return false;
            p.data.resize(size);
            in_.Bytes(p.data.data(), size);
            if (!in_.Ok()) return false;
            d.pictures.push_back(std::move(p));
        }
        return true;
    }

    ByteReader in_;
};

std::string ToFileText(const std::string& utf8, std::size_t maxBytes) {
    std::string s = Utf8ToCp1250(utf8);
    // Up to the first NUL, at most maxBytes; never longer than the text itself.
    const std::size_t end = std::min({s.find('\0'), s.size(), maxBytes});
    s.resize(end);
    return s;
}

}  // namespace

std::int32_t Cv2Document::NumberAsInt(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(numbers.size())) return 0;
    long double v = numbers[static_cast<std::size_t>(slot)];
    if (!(v == v)) return 0;
    if (v >= 2147483647.0L) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0L) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::lround(v));
}

std::uint16_t ReadCv2(const std::uint8_t* data, std::size_t size, std::int32_t expectedType,
                      Cv2Document& out) {
    Cv2Document d;
    std::uint16_t code = Cv2Reader(data, size).Read(expectedType, d);
    if (code == kCv2Ok) out = std::move(d);
    return code;
}

std::vector<std::uint8_t> WriteCv2(const Cv2Document& d) {
    ByteWriter w;
    const std::size_t fonts = std::min(d.fonts.size(), kCv2MaxFonts);
    const std::size_t words = std::min(d.settingsWords.size(), kCv2MaxSettingsWords);
    const std::size_t examples = std::min(d.examples.size(), kCv2MaxExamples);

    // Block 1.
    w.I32(d.fileType);
    w.I32(kCv2Version);
    for (auto v : d.placement) w.I32(v);
    w.I32(d.maximised);
    w.I32(d.windowFlag);
    w.I32(0);  // no block 7
    for (auto v : d.pageMeasures) w.I32(ToStoredMeasure(v));
    w.I32(d.windowSwitches[0]);
    w.I32(d.windowSwitches[1]);
    w.I32(static_cast<std::int32_t>(fonts));
    w.I32(static_cast<std::int32_t>(words));
    w.Zeros(3 * 4);
    // Blocks 2-6.
    for (std::size_t i = 0; i < fonts; ++i) w.U32(d.fonts[i].attribute);
    for (std::size_t i = 0; i < fonts; ++i) w.Bytes(d.fonts[i].logFont.data(), kLogFontSize);
    for (std::size_t i = 0; i < fonts; ++i) w.U32(i < d.colours.size() ? d.colours[i] : 0);
    w.Zeros(4 * kReservedBlock);
    for (std::size_t i = 0; i < words; ++i) w.U16(d.settingsWords[i]);

    // Block 8.
    for (std::size_t i = 0; i < kPlotWords; ++i) {
        std::uint16_t v = ZeroPlotWord(i) ? 0 : d.plotWords[i];
        if (i == 9) v = static_cast<std::uint16_t>(static_cast<int>(examples) - 1);
        if (i == 41) v = kExampleNameLength;
        if (i == 42) v = d.hasLock ? (d.plotWords[42] ? d.plotWords[42] : 1) : 0;
        w.U16(v);
    }
    // Block 9.
    for (std::size_t i = 0; i < kSwitches; ++i) {
        std::uint8_t v = d.switches[i];
        if (i == 12) v = 0;  // letter arrays in full form
        if (i == 17) v = d.hasNotepad ? 0 : 1;
        w.U8(v);
    }
    // Block 10.
    for (std::size_t i = 0; i < kNumbers; ++i) w.Ext80(ZeroNumberSlot(i) ? 0.0L : d.numbers[i]);

    // Block 11.
    for (std::size_t k = 0; k < examples; ++k) {
        const Cv2Example& ex = d.examples[k];
        TExample::Image image = ex.example.Store();
        w.Bytes(image.data(), image.size());
        const std::size_t ic = std::min(ex.initialConditions.size(), kCv2MaxListEntries);
        w.U16(static_cast<std::uint16_t>(ic));
        for (std::size_t i = 0; i < ic; ++i) {
            auto rec = ex.initialConditions[i].record;
            ZeroLink(rec.data(), kInitialConditionSize - 4);
            w.Bytes(rec.data(), rec.size());
            if (ex.initialConditions[i].HasTexts())
                for (const auto& t : ex.initialConditions[i].texts)
                    w.LengthText(t.substr(0, std::min(t.find('\0'), kFormulaTextMax)));
        }
        const std::size_t rc = std::min(ex.results.size(), kCv2MaxListEntries);
        w.U16(static_cast<std::uint16_t>(rc));
        for (std::size_t i = 0; i < rc; ++i) {
            auto rec = ex.results[i];
            ZeroLink(rec.data(), kResultSize - 4);
            w.Bytes(rec.data(), rec.size());
        }
        for (const auto& t : ex.example.texts)
            w.LengthText(t.substr(0, std::min(t.find('\0'), kFormulaTextMax)));
        std::string name = ToFileText(ex.name, kExampleNameLength);
        name.resize(kExampleNameLength + 1, '\0');
        w.Bytes(name.data(), name.size());
    }

    // Blocks 12, 13.
    for (const auto& s : d.windowStrings) w.LengthText(ToFileText(s, kCv2MaxWindowString));
    if (d.hasLock) {
        w.LengthText(ScrambleLockText(ToFileText(d.lockPassText, kCv2MaxWindowString)));
        for (const auto& s : d.authorData) w.LengthText(ToFileText(s, kCv2MaxWindowString));
    }
    // Block 14, full form.
    for (const auto* a : {&d.letterValues, &d.letterLow, &d.letterHigh}) {
        for (const auto& v : *a) {
            w.Ext80(v.re);
            w.Ext80(v.im);
        }
    }
    // Block 15.
    w.Zeros(3 * kReservedBlock);

    // Block 16.
    WriteUserFunctionBlock(d.userFunctions, w);
    auto records = [&w](const auto& list, std::size_t linkOffset) {
        const std::size_t n = std::min(list.size(), kCv2MaxListEntries);
        w.U16(static_cast<std::uint16_t>(n));
        for (std::size_t i = 0; i < n; ++i) {
            auto rec = list[i];
            ZeroLink(rec.data(), linkOffset);
            w.Bytes(rec.data(), rec.size());
        }
    };
    records(d.textLabels, kLabelLinkOffset);
    std::size_t pictures = 0;
    for (const auto& p : d.pictures)
        if (p.data.size() <= kCv2MaxPictureBytes) ++pictures;
    pictures = std::min(pictures, kCv2MaxListEntries);
    w.U16(static_cast<std::uint16_t>(pictures));
    std::size_t written = 0;
    for (const auto& p : d.pictures) {
        if (p.data.size() > kCv2MaxPictureBytes || written == pictures) continue;
        w.Bytes(p.placement.data(), p.placement.size());
        w.U8(p.flags);
        w.U32(static_cast<std::uint32_t>(p.data.size()));
        w.Bytes(p.data.data(), p.data.size());
        ++written;
    }
    records(d.equationLabels, kLabelLinkOffset);
    records(d.layerMarks, kMarkLinkOffset);

    // Block 17.
    if (d.hasNotepad) w.LengthText(ToFileText(d.notepad, kNotepadMaxLength));
    return std::move(w.Data());
}

std::uint16_t LoadCv2File(const std::string& path, std::int32_t expectedType, Cv2Document& out) {
    std::vector<std::uint8_t> bytes;
    if (ReadFileBounded(path, bytes) != ReadFileStatus::Ok) return kCv2CannotOpen;
    return ReadCv2(bytes, expectedType, out);
}

std::uint16_t SaveCv2File(const std::string& path, const Cv2Document& doc) {
    return WriteFileSafely(path, WriteCv2(doc)) ? kCv2Ok : kCv2CannotSave;
}

void CaptureLetters(const LetterStore& store, Cv2Document& doc) {
    for (int i = 0; i < kLetterCount; ++i) {
        doc.letterValues[i] = store.LetterValues[i];
        doc.letterLow[i] = store.LetterLow[i];
        doc.letterHigh[i] = store.LetterHigh[i];
    }
}

void ApplyLetters(const Cv2Document& doc, LetterStore& store) {
    for (int i = 0; i < kLetterCount; ++i) {
        store.LetterValues[i] = doc.letterValues[i];
        store.LetterLow[i] = doc.letterLow[i];
        store.LetterHigh[i] = doc.letterHigh[i];
    }
}

namespace {
std::uint8_t LockKey(std::size_t i) { return static_cast<std::uint8_t>((7 + 13 * i) % 255); }
}  // namespace

// Non-zero bytes are rotated within 1..255, so the scrambled text never holds a NUL.
std::string ScrambleLockText(std::string_view plain) {
    std::string out(plain.substr(0, std::min(plain.find('\0'), plain.size())));
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned b = static_cast<std::uint8_t>(out[i]);
        out[i] = static_cast<char>((b - 1 + LockKey(i)) % 255 + 1);
    }
    return out;
}

std::string UnscrambleLockText(std::string_view scrambled) {
    std::string out(scrambled);
    for (std::size_t i = 0; i < out.size(); ++i) {
        unsigned b = static_cast<std::uint8_t>(out[i]);
        if (b == 0) continue;
        out[i] = static_cast<char>((b - 1 + 255 - LockKey(i)) % 255 + 1);
    }
    return out;
}

}  // namespace curvelo
