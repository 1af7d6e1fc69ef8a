#include "CaptionFit.h"

#include <QFontMetrics>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

int CaptionFit::width(const QWidget& window) {
    // Title bars mostly set their caption in bold.
    QFont font = window.font();
    font.setBold(true);
    const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    const int needed =
        QFontMetrics(font).horizontalAdvance(window.windowTitle()) + 4 * std::max(bar, 24) + 24;
    const QScreen* screen = window.screen();
    return screen != nullptr ? std::min(needed, screen->availableGeometry().width()) : needed;
}

void CaptionFit::widen(QWidget& window) {
    const int needed = width(window);
    if (window.width() < needed)
        window.resize(needed, window.height());
}
