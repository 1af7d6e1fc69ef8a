#include "Progress.h"

void Progress::ask() {
    next_ = done_ + step_;
    if (!stopped_ && callback_)
        stopped_ = !callback_(done_);
}
