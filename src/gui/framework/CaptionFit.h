#pragma once

class QWidget;

// Makes a window wide enough that the window manager shows its whole caption
// beside the title bar's icon and buttons, not "Log e... types"; never wider
// than its screen.
class CaptionFit {
public:
    // The width the caption needs: its text in the bold title font, and room
    // for the icon and three buttons of the title bar and its edges.
    static int width(const QWidget& window);
    // Widens the window to that width when it is narrower.
    static void widen(QWidget& window);
};
