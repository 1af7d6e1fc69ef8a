#pragma once

#include "ModelCommand.h"
#include "TreeListDocument.h"
#include "text/EntryList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// An entry put into or taken out of an entry list at a 1-based index. The
// command holds the one entry while it is out of the list.
template <typename T> class EntryCommand : public ModelCommand {
public:
    using Locate = std::function<EntryList<T>*()>;

    // `kept`: the lines kept before the entry, which go in with it.
    static EntryCommand* insert(TreeListDocument& document, const QString& text, Place place,
                                Locate locate, int index, T entry, std::string kept = {}) {
        auto* command = new EntryCommand(document, text, place, std::move(locate), index, true,
                                         std::move(entry));
        command->kept_ = std::move(kept);
        return command;
    }
    static EntryCommand* remove(TreeListDocument& document, const QString& text, Place place,
                                Locate locate, int index) {
        return new EntryCommand(document, text, place, std::move(locate), index, false, T{});
    }

protected:
    void apply(bool forward) override {
        EntryList<T>* list = locate_();
        if (list == nullptr)
            return;
        if (forward == inserts_) {
            // Lines taken before a save point into a file that is gone.
            const bool sameFile = savesWhenTaken_ == document().saves();
            if (!sameFile) {
                line_ = 0;
                if constexpr (requires(T & e) { e.takeLines(nullptr); })
                    entry_.takeLines(nullptr);
            }
            if (list->insertAfter(index_ - 1, std::move(entry_), line_))
                list->setKept(index_, std::move(kept_));
        } else if (list->validIndex(index_)) {
            entry_ = std::move(list->at(index_));
            line_ = list->line(index_);
            kept_ = list->takeKept(index_);
            savesWhenTaken_ = document().saves();
            list->remove(index_);
        }
    }

private:
    EntryCommand(TreeListDocument& document, const QString& text, Place place, Locate locate,
                 int index, bool inserts, T entry)
        : ModelCommand(document, text, place), locate_(std::move(locate)), index_(index),
          inserts_(inserts), entry_(std::move(entry)), savesWhenTaken_(document.saves()) {}

    Locate locate_;
    int index_;
    bool inserts_;
    T entry_;
    // The file line of the entry while it is out, and the document's save
    // count then.
    std::uint32_t line_ = 0;
    int savesWhenTaken_ = 0;
    // The lines kept before the entry: content, so they outlast a save.
    std::string kept_;
};
