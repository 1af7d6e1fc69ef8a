#pragma once

#include "framework/Catalogue.h"
#include "framework/ChangeValue.h"
#include "framework/TreeListDocument.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class PathBrowser;

// Edits one property row of a list through the value dialog its RowSpec
// names (a keyword choice, a number within the row's range, a text, a
// path), the row's label as the caption; on OK the row's value cell shows
// the result and the change of its field goes onto the document's undo
// stack, named after the row. Both document windows edit their value rows
// through it.
class PropertyRowEditor {
public:
    template <typename Value> using Locate = std::function<Value*()>;
    using Place = ModelCommand::Place;

    PropertyRowEditor(QTreeWidget& list, TreeListDocument& document, const PathBrowser* browser);

    // Whether `dialog` is one of the value dialogs edited here.
    static bool edits(RowDialog dialog);
    // Opens the dialog of row `row` on its value cell; false when the user
    // cancelled or the row has none of these dialogs.
    bool edit(int row, const RowSpec& spec, Place place, const Locate<std::string>& at);

    // The edited text into the row's value cell and the field `at` finds.
    void store(int row, std::string_view label, Place place, const Locate<std::string>& at,
               const std::string& text);
    void setCell(int row, int column, const QString& text);

    // Pushes the change of one value; nothing when it stays as it was.
    template <typename Value>
    void change(std::string_view label, Place place, const Locate<Value>& at, Value value) {
        if (!differs(at, value))
            return;
        document_.undoStack().push(
            new ChangeValue<Value>(document_, editText(label), place, at, *at(), std::move(value)));
    }
    template <typename Value> static bool differs(const Locate<Value>& at, const Value& value) {
        const Value* now = at ? at() : nullptr;
        return now != nullptr && !(*now == value);
    }
    // "Edit <label>", as the undo stack names an edit of a row.
    static QString editText(std::string_view label);

private:
    std::optional<std::string> askChoice(const RowSpec& spec, const std::string& value);
    std::optional<std::string> askNumber(const RowSpec& spec, const std::string& value);
    std::optional<std::string> askText(const RowSpec& spec, const std::string& value);
    std::optional<std::string> askPath(const RowSpec& spec, const std::string& value);

    QTreeWidget& list_;
    TreeListDocument& document_;
    const PathBrowser* browser_;
};
