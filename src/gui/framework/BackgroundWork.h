#pragma once

#include "io/Progress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>

class QProgressBar;
class QPushButton;
class QWidget;

// Runs a long read or save off the window's thread while the window keeps
// repainting. Work that is not done within half a second gets a progress bar
// (bytes done) and Cancel in the main window's status bar; until it ends, no
// input other than Cancel reaches the application, so nothing edits the
// document meanwhile.
class BackgroundWork : public QObject {
    Q_OBJECT

public:
    static constexpr int kQuietMs = 500;
    // For tests only: how long work runs before its progress shows, so that
    // a fast machine still shows it.
    static void setQuietMs(int ms) { quietMs_ = ms; }

    // `total` is the bytes the work is expected to do; 0 when not known.
    BackgroundWork(QWidget* window, std::uint64_t total);
    ~BackgroundWork() override;

    // Runs `work` on another thread and returns once it has ended; `work`
    // counts its bytes on `progress`, which stops it after Cancel. False
    // when the user cancelled.
    bool run(const std::function<void(Progress& progress)>& work);
    // Work runs somewhere in the application.
    static bool busy() { return running_ > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs the event loop until the work has ended or, with `quietly`, until
    // half a second has passed; input waits meanwhile.
    void waitFor(const std::atomic<bool>& ended, bool quietly);
    void showProgress();
    void updateProgress();
    bool isCancelButton(const QObject* object) const;

    QWidget* window_;
    std::uint64_t total_;
    std::atomic<std::uint64_t> done_{0};
    std::atomic<bool> cancelled_{false};
    QElapsedTimer clock_;
    QPointer<QProgressBar> bar_;
    QPointer<QPushButton> cancel_;
    static inline int running_ = 0;
    static inline int quietMs_ = kQuietMs;
};
