#pragma once

#include "ModelCommand.h"

#include <functional>
#include <utility>

// The generic edit: one value of one record (a field, an entry, a name)
// changes from its old to its new value. The value is found again through
// `locate` each time, by the record's id and not by an address, since other
// commands move records about.
template <typename Value> class ChangeValue : public ModelCommand {
public:
    // The value's place in the model; nullptr when it has none.
    using Locate = std::function<Value*()>;

    ChangeValue(TreeListDocument& document, const QString& text, Place place, Locate locate,
                Value before, Value after)
        : ModelCommand(document, text, place), locate_(std::move(locate)),
          before_(std::move(before)), after_(std::move(after)) {}

protected:
    void apply(bool forward) override {
        if (Value* value = locate_())
            *value = forward ? after_ : before_;
    }

private:
    Locate locate_;
    Value before_;
    Value after_;
};
