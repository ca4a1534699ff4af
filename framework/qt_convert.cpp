#include <QFont>

#include "framework/fw_types.h"
#include "framework/keys.h"
#include "framework/qt_internal.h"

namespace curvelo::fw {

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string FromQ(const QString& s) { return s.toStdString(); }

namespace {
struct KeyPair {
    int qt;
    int vk;
};
constexpr KeyPair kKeys[] = {
    {Qt::Key_Backspace, vk::kBack}, {Qt::Key_Tab, vk::kTab},        {Qt::Key_Backtab, vk::kTab},
    {Qt::Key_Return, vk::kReturn},  {Qt::Key_Enter, vk::kReturn},   {Qt::Key_Pause, vk::kPause},
    {Qt::Key_Escape, vk::kEscape},  {Qt::Key_Space, vk::kSpace},    {Qt::Key_PageUp, vk::kPrior},
    {Qt::Key_PageDown, vk::kNext},  {Qt::Key_End, vk::kEnd},        {Qt::Key_Home, vk::kHome},
    {Qt::Key_Left, vk::kLeft},      {Qt::Key_Up, vk::kUp},          {Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, vk::kDown},      {Qt::Key_Insert, vk::kInsert},  {Qt::Key_Delete, vk::kDelete},
    {Qt::Key_Plus, vk::kOemPlus},   {Qt::Key_Minus, vk::kOemMinus}, {Qt::Key_Comma, vk::kOemComma},
    {Qt::Key_Period, vk::kOemPeriod}, {Qt::Key_Asterisk, vk::kMultiply}, {Qt::Key_Slash, vk::kDivide},
};
}  // namespace

int VkFromQt(int qtKey, Qt::KeyboardModifiers mods) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes as the capitals
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return (mods & Qt::KeypadModifier) ? vk::kNumpad0 + (qtKey - Qt::Key_0) : qtKey;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::kF1 + (qtKey - Qt::Key_F1);
    if (mods & Qt::KeypadModifier) {
        switch (qtKey) {
            case Qt::Key_Plus: return vk::kAdd;
            case Qt::Key_Minus: return vk::kSubtract;
            case Qt::Key_Asterisk: return vk::kMultiply;
            case Qt::Key_Slash: return vk::kDivide;
            case Qt::Key_Period: case Qt::Key_Comma: return vk::kDecimal;
            default: break;
        }
    }
    for (const KeyPair& k : kKeys)
        if (k.qt == qtKey) return k.vk;
    // Accented letters and other printable keys keep their Unicode value above 255.
    if (qtKey > 0 && qtKey < 0x01000000) return qtKey;
    return 0;
}

int QtKeyFromVk(int code, bool& keypad) {
    keypad = false;
    if (code >= 'A' && code <= 'Z') return code;
    if (code >= '0' && code <= '9') return code;
    if (code >= vk::kNumpad0 && code <= vk::kNumpad0 + 9) {
        keypad = true;
        return Qt::Key_0 + (code - vk::kNumpad0);
    }
    if (code >= vk::kF1 && code <= vk::F(24)) return Qt::Key_F1 + (code - vk::kF1);
    switch (code) {
        case vk::kAdd: keypad = true; return Qt::Key_Plus;
        case vk::kSubtract: keypad = true; return Qt::Key_Minus;
        case vk::kDecimal: keypad = true; return Qt::Key_Period;
        default: break;
    }
    for (const KeyPair& k : kKeys)
        if (k.vk == code) return k.qt;
    return code;
}

unsigned ModsFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
    unsigned m = 0;
    if (mods & Qt::ShiftModifier) m |= kShift;
    if (mods & Qt::ControlModifier) m |= kCtrl;
    if (mods & Qt::AltModifier) m |= kAlt;
    if (buttons & Qt::LeftButton) m |= kLeftButton;
    if (buttons & Qt::RightButton) m |= kRightButton;
    if (buttons & Qt::MiddleButton) m |= kMiddleButton;
    return m;
}

QFont QFontFromLogFont(const LogFont& f, int dpiY) {
    QFont q;
    // A fixed-pitch request (pitch bits 1 or the modern family) falls back to a fixed-pitch
    // face, so that columns padded with blanks still line up without the named face.
    const bool fixedPitch = (f.pitchAndFamily & 0x03) == 1 || (f.pitchAndFamily & 0xF0) == 0x30;
    if (!f.IsSymbolFont() && !f.faceName.empty()) {
        if (fixedPitch)
            q.setFamilies({QString::fromLatin1(f.faceName.c_str()), QStringLiteral("DejaVu Sans Mono"),
                           QStringLiteral("Liberation Mono")});
        else
            q.setFamilies({QString::fromLatin1(f.faceName.c_str()), QStringLiteral("DejaVu Sans"),
                           QStringLiteral("Liberation Sans")});
    }
    if (fixedPitch) q.setStyleHint(QFont::Monospace);
    // Negative heights are character heights, positive ones cell heights (with leading).
    // In 64 bits: a height read from a file may be any 32-bit value.
    const long long h = f.height;
    long long px = h < 0 ? -h : (h > 0 ? h * 4 / 5 : 0);
    if (px <= 0) px = dpiY * 10 / 72;  // 10 points
    if (px > 2000) px = 2000;
    q.setPixelSize(static_cast<int>(px));
    int w = f.weight <= 0 ? 400 : (f.weight > 1000 ? 1000 : f.weight);
    q.setWeight(static_cast<QFont::Weight>(w));
    q.setItalic(f.italic != 0);
    q.setUnderline(f.underline != 0);
    q.setStrikeOut(f.strikeOut != 0);
    return q;
}

LogFont LogFontFromQFont(const QFont& q, int dpiY) {
    LogFont f;
    int px = q.pixelSize();
    if (px <= 0) px = static_cast<int>(q.pointSizeF() * dpiY / 72.0 + 0.5);
    f.height = -px;
    f.weight = q.weight();
    f.italic = q.italic() ? 1 : 0;
    f.underline = q.underline() ? 1 : 0;
    f.strikeOut = q.strikeOut() ? 1 : 0;
    f.faceName = q.family().toLatin1().toStdString();
    if (f.faceName.size() > 31) f.faceName.resize(31);
    return f;
}

}  // namespace curvelo::fw
