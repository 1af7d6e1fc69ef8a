#pragma once

#include "NodeIconIndex.h"
#include "config/ConfigClip.h"
#include "framework/CommandTarget.h"
#include "text/DetailKind.h"
#include "text/EntryList.h"
#include "text/RecordId.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CPallworthDoc;
class CPallworthTreeView;
class CSyncView;
class PopupMenu;

// Cut, Copy, Paste and Duplicate in a configuration window: the packages and
// applications of the tree and of the group lists, and the entries of a
// package's lists. What is copied goes to the clipboard as the file's own
// lines, so it pastes into another window, another instance or any editor.
class ClipEditor {
    Q_DECLARE_TR_FUNCTIONS(ClipEditor)

public:
    using Edit = CommandTarget::Edit;
    // Where a command comes from: the tree acts on its current node, the list
    // on its selected rows.
    enum class Pane { Tree, List };

    explicit ClipEditor(CPallworthTreeView& tree);

    bool can(Edit edit, Pane pane) const;
    void run(Edit edit, Pane pane);
    // Adds Cut, Copy, Paste (and Duplicate) to a context menu, greyed where
    // they do not apply.
    void addTo(PopupMenu& menu, Pane pane, bool duplicate);

    // Whether the rows of a node copy though it has no entries: the messages
    // and command files of a package.
    static bool copiesRows(NodeIconIndex kind, DetailKind node);

    // The private clipboard type of the records or entries of a list node;
    // empty for any other node.
    static QString mimeType(DetailKind list);

private:
    // What a command acts on: a group or a package's list, and its selected
    // records or entries (1-based, ascending; none when none is selected).
    struct Target {
        DetailKind list = DetailKind::None;
        RecordId package = 0;
        std::vector<int> indexes;
        // What a paste goes after: the last selected, or 0.
        int last() const { return indexes.empty() ? 0 : indexes.back(); }
    };
    Target target(Pane pane) const;
    Target treeTarget() const;
    Target listTarget() const;
    // How many records or entries the target's list holds.
    int held(const Target& t) const;

    // The copied lines of the target's records or entries, in list order.
    std::string copied(const Target& t) const;
    void cut(const Target& t, Pane pane);
    void paste(const Target& t, Pane pane);
    void duplicate(const Target& t, Pane pane);

    // The clipboard read as the target's kind, once it fits and the user
    // agreed to what it leaves out; nothing when nothing is to be pasted.
    std::optional<ConfigClip::Pasted> readPaste(const Target& t) const;
    bool acceptsLeftOut(const ConfigClip::Pasted& pasted, const QString& what) const;
    // Puts `records` after record `after` (0: at the end) of their table,
    // each under a name no other record has, as one undo step.
    template <typename Record>
    void putRecords(EntryList<Record>& records, const Target& t, Pane pane, const char* verb,
                    bool askName);
    using NameUsed = std::function<bool(std::string_view)>;
    // `name` when it is free, else (or when `ask`) the one the user gives;
    // nothing when they cancel.
    std::optional<std::string> freeName(const NameUsed& used, const std::string& name,
                                        const QString& caption, bool ask) const;
    void putEntries(const ConfigClip::Pasted& pasted, const Target& t);
    // Sets the messages or command files the text gave, as one undo step.
    void putSettings(const ConfigClip::Pasted& pasted, const Target& t);
    // Shows `count` records or entries from row `row` on as the selection;
    // the tree shows `record`.
    void select(const Target& t, Pane pane, int row, int count, RecordId record);
    // "Cut 2 packages", "Cut package Sales", "Cut from Exclude".
    QString cutText(const Target& t) const;
    void message(const QString& text) const;

    CPallworthDoc& document() const;
    CSyncView* list() const;

    CPallworthTreeView& tree_;
    ConfigClip clip_;
};
