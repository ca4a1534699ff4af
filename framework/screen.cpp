#include "framework/screen.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QStyle>

namespace curvelo::fw {

ScreenMetrics PrimaryScreen() {
    ScreenMetrics m;
    QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    if (!s) {
        m.width = 1024;
        m.height = 768;
        m.widthMm = 271;
        m.heightMm = 203;
        m.captionHeight = 24;
        m.menuHeight = 22;
        return m;
    }
    QRect g = s->geometry();
    m.width = g.width();
    m.height = g.height();
    m.widthMm = static_cast<int>(s->physicalSize().width() + 0.5);
    m.heightMm = static_cast<int>(s->physicalSize().height() + 0.5);
    m.dpiX = static_cast<int>(s->logicalDotsPerInchX() + 0.5);
    m.dpiY = static_cast<int>(s->logicalDotsPerInchY() + 0.5);
    QStyle* style = qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    m.captionHeight = style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 24;
    int fontHeight = QFontMetrics(QGuiApplication::font()).height();
    m.menuHeight = fontHeight + 8;
    if (m.widthMm <= 0) m.widthMm = m.width * 254 / (m.dpiX * 10);
    if (m.heightMm <= 0) m.heightMm = m.height * 254 / (m.dpiY * 10);
    return m;
}

}  // namespace curvelo::fw
