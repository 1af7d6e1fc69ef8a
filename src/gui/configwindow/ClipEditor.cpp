#include "ClipEditor.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "CSyncView.h"
#include "config/ListTable.h"
#include "config/SaveRules.h"
#include "config/SettingTable.h"
#include "framework/AnsiQt.h"
#include "framework/ChangeValue.h"
#include "framework/ClipboardText.h"
#include "framework/CommandIds.h"
#include "framework/CountText.h"
#include "framework/EntryCommand.h"
#include "framework/ModalSeam.h"
#include "framework/PopupMenu.h"
#include "framework/UnkeptText.h"

#include <QStringList>
#include <QUndoCommand>
#include <algorithm>
#include <cctype>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

using K = DetailKind;

bool isGroup(DetailKind kind) {
    return kind == K::Applications || kind == K::Packages;
}

// The package nodes whose rows are settings that copy one by one.
bool holdsSettings(DetailKind kind) {
    return kind == K::Messages || kind == K::Settings;
}

// The setting on row `index` (1-based) of a package node, when it copies.
const SettingRow* copiedSetting(DetailKind node, int index) {
    for (const SettingRow& row : SettingTable::kRows)
        if (row.packageNode == node && row.packageRow == index - 1)
            return ConfigClip::copies(row) ? &row : nullptr;
    return nullptr;
}

// What a paste into the list counts: "packages", "target servers".
QString whatOf(DetailKind list) {
    if (isGroup(list))
        return list == K::Applications ? QStringLiteral("applications")
                                       : QStringLiteral("packages");
    if (holdsSettings(list))
        return list == K::Messages ? QStringLiteral("messages") : QStringLiteral("command files");
    return QString::fromLatin1(ListTable::row(list)->what);
}

// Names are told apart as the engine's users read them: case aside.
bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// "Sales 2", "Sales 3", ...: the first that is free.
std::string suggestedName(const std::function<bool(std::string_view)>& used,
                          const std::string& name) {
    for (int n = 2;; ++n)
        if (std::string next = name + ' ' + std::to_string(n); !used(next))
            return next;
}

template <typename Record> constexpr bool kApplication = std::is_same_v<Record, ApplicationDesc>;

template <typename Record> const EntryList<Record>& tableOf(const ConfigModel& m) {
    if constexpr (kApplication<Record>)
        return m.applications;
    else
        return m.packages;
}

} // namespace

ClipEditor::ClipEditor(CPallworthTreeView& tree) : tree_(tree) {}

CPallworthDoc& ClipEditor::document() const {
    return tree_.document();
}

CSyncView* ClipEditor::list() const {
    return tree_.listView();
}

QString ClipEditor::mimeType(DetailKind list) {
    QString kind;
    if (isGroup(list))
        kind = list == K::Applications ? QStringLiteral("application") : QStringLiteral("package");
    else if (holdsSettings(list))
        kind = list == K::Messages ? QStringLiteral("messages") : QStringLiteral("commandfiles");
    else if (const ListRow* row = ListTable::row(list); row != nullptr && row->ofPackage())
        kind = QString::fromLatin1(row->name).toLower();
    return kind.isEmpty() ? QString() : ClipboardText::kPrivatePrefix + kind;
}

bool ClipEditor::copiesRows(NodeIconIndex kind, DetailKind node) {
    return kind == DetailNode && holdsSettings(node);
}

ClipEditor::Target ClipEditor::target(Pane pane) const {
    return pane == Pane::Tree ? treeTarget() : listTarget();
}

ClipEditor::Target ClipEditor::treeTarget() const {
    const QTreeWidgetItem* node = tree_.currentNode();
    const ConfigModel& m = document().model();
    const RecordId record = CPallworthTreeView::recordOf(node);
    const DetailKind detail = CPallworthTreeView::detailOf(node);
    switch (CPallworthTreeView::kindOf(node)) {
    case ApplicationNode:
        return {K::Applications, 0, {m.applicationIndex(record)}};
    case PackageNode:
        return {K::Packages, 0, {m.packageIndex(record)}};
    case GroupNode:
        return {detail, 0, {}};
    case DetailNode:
        break;
    }
    const ListRow* row = ListTable::row(detail);
    const bool list = (row != nullptr && row->ofPackage()) || holdsSettings(detail);
    if (node == nullptr || node->parent() == nullptr || !list)
        return {};
    // Pastes go after the entries the list has selected, when it shows the node.
    const bool shown = this->list() != nullptr && this->list()->shownItem() == node;
    return {detail, record, shown ? this->list()->selectedEntries() : std::vector<int>{}};
}

ClipEditor::Target ClipEditor::listTarget() const {
    const CSyncView* view = list();
    if (view == nullptr)
        return {};
    const DetailKind detail = view->shownDetail();
    std::vector<int> selected = view->selectedEntries();
    if (view->shownKind() == GroupNode && isGroup(detail))
        return {detail, 0, std::move(selected)};
    const ListRow* row = ListTable::row(detail);
    const bool list = (row != nullptr && row->ofPackage()) || holdsSettings(detail);
    const PackageDesc* p = view->shownPackage();
    if (view->shownKind() == DetailNode && list && p != nullptr)
        return {detail, p->id, std::move(selected)};
    return {};
}

int ClipEditor::held(const Target& t) const {
    const ConfigModel& m = document().model();
    if (isGroup(t.list))
        return t.list == K::Applications ? m.applications.count() : m.packages.count();
    if (holdsSettings(t.list))
        return list() != nullptr ? list()->topLevelItemCount() : 0;
    int count = 0;
    if (const PackageDesc* p = document().package(t.package))
        ListTable::visit(*ListTable::row(t.list),
                         [&](auto member) { count = (p->*member).count(); });
    return count;
}

bool ClipEditor::can(Edit edit, Pane pane) const {
    const Target t = target(pane);
    if (t.list == K::None)
        return false;
    const bool writable = !document().readOnly();
    // The tree selects records; entries are selected in the list.
    const bool selected = !t.indexes.empty() && t.indexes.front() >= 1 && t.last() <= held(t) &&
                          (pane == Pane::List || isGroup(t.list));
    // A setting copies when it stands alone, and is never taken out.
    const bool settings = holdsSettings(t.list);
    switch (edit) {
    case Edit::Copy:
        return selected && (!settings || copiedSetting(t.list, t.last()) != nullptr);
    case Edit::Cut:
        return selected && writable && !settings;
    case Edit::Duplicate:
        return selected && writable && isGroup(t.list) && t.indexes.size() == 1;
    case Edit::Paste:
        break;
    }
    const QString type = mimeType(t.list);
    return writable && ClipboardText::holds(type) && !ClipboardText::holdsOtherKind(type);
}

void ClipEditor::run(Edit edit, Pane pane) {
    if (!can(edit, pane))
        return;
    const Target t = target(pane);
    switch (edit) {
    case Edit::Copy:
        ClipboardText::put(mimeType(t.list), copied(t));
        break;
    case Edit::Cut:
        cut(t, pane);
        break;
    case Edit::Paste:
        paste(t, pane);
        break;
    case Edit::Duplicate:
        duplicate(t, pane);
        break;
    }
}

void ClipEditor::addTo(PopupMenu& menu, Pane pane, bool duplicate) {
    struct Item {
        Edit edit;
        const char* text;
        const char* name;
        int id;
    };
    const Item items[] = {{Edit::Cut, "Cut", "cut", CommandIds::EditCut},
                          {Edit::Copy, "Copy", "copy", CommandIds::EditCopy},
                          {Edit::Paste, "Paste", "paste", CommandIds::EditPaste},
                          {Edit::Duplicate, "Duplicate", "duplicate", CommandIds::EditDuplicate}};
    if (!menu.isEmpty())
        menu.addSeparator();
    for (const Item& item : items) {
        if (item.edit == Edit::Duplicate && !duplicate)
            continue;
        QAction* action = menu.addCommand(tr(item.text), item.name, item.id, &tree_,
                                          [this, edit = item.edit, pane] { run(edit, pane); });
        action->setEnabled(can(item.edit, pane));
    }
}

std::string ClipEditor::copied(const Target& t) const {
    const ConfigModel& m = document().model();
    if (t.list == K::Applications)
        return clip_.copy(m.applications, t.indexes);
    if (t.list == K::Packages)
        return clip_.copy(m.packages, t.indexes);
    std::string text;
    const PackageDesc* p = document().package(t.package);
    if (p == nullptr)
        return text;
    if (holdsSettings(t.list)) {
        const SettingRow* setting = copiedSetting(t.list, t.last());
        return setting != nullptr ? clip_.copy(*p, *setting) : text;
    }
    const ListRow& row = *ListTable::row(t.list);
    ListTable::visit(row, [&](auto member) { text = clip_.copy(row, p->*member, t.indexes); });
    return text;
}

void ClipEditor::cut(const Target& t, Pane pane) {
    ClipboardText::put(mimeType(t.list), copied(t));
    CPallworthDoc& doc = document();
    doc.undoStack().beginMacro(cutText(t));
    // The list's own Delete keeps its rows in step with the entries.
    if (pane == Pane::List && list() != nullptr)
        list()->DeleteEntry();
    else
        doc.RemoveRecord(CPallworthTreeView::recordOf(tree_.currentNode()));
    doc.undoStack().endMacro();
}

void ClipEditor::paste(const Target& target, Pane pane) {
    Target t = target;
    if (pane == Pane::Tree && tree_.currentNode() != tree_.currentItem()) {
        // A right-clicked list node is shown first, so that its rows follow.
        tree_.setCurrentItem(tree_.currentNode());
        t = treeTarget();
    }
    std::optional<ConfigClip::Pasted> pasted = readPaste(t);
    if (!pasted)
        return;
    if (t.list == K::Applications)
        putRecords(pasted->model.applications, t, pane, "Paste", false);
    else if (t.list == K::Packages)
        putRecords(pasted->model.packages, t, pane, "Paste", false);
    else if (holdsSettings(t.list))
        putSettings(*pasted, t);
    else
        putEntries(*pasted, t);
}

void ClipEditor::duplicate(const Target& t, Pane pane) {
    const ConfigModel& m = document().model();
    const auto again = [&](const auto& table) {
        std::remove_cvref_t<decltype(table)> copy;
        copy.append(table.at(t.last()));
        copy.last().takeLines(nullptr);
        putRecords(copy, t, pane, "Duplicate", true);
    };
    if (t.list == K::Applications)
        again(m.applications);
    else
        again(m.packages);
}

std::optional<ConfigClip::Pasted> ClipEditor::readPaste(const Target& t) const {
    const std::optional<ClipboardText::Taken> taken = ClipboardText::take(mimeType(t.list));
    if (!taken)
        return std::nullopt;
    if (const std::optional<QString> unfit =
            taken->plain ? ClipboardText::firstUnfit() : std::nullopt) {
        message(tr("The clipboard text holds \"%1\", which a configuration cannot hold. Nothing "
                   "was pasted.")
                    .arg(*unfit));
        return std::nullopt;
    }
    ConfigClip::Pasted pasted =
        isGroup(t.list)         ? clip_.readRecords(taken->lines, t.list == K::Applications)
        : holdsSettings(t.list) ? clip_.readSettings(taken->lines, t.list)
                                : clip_.readEntries(taken->lines, *ListTable::row(t.list));
    const QString what = whatOf(t.list);
    if (!pasted.status.ok) {
        message(tr("The clipboard text cannot be pasted: %1")
                    .arg(AnsiQt::toQString(pasted.status.error)));
        return std::nullopt;
    }
    if (pasted.count == 0) {
        message(tr("The clipboard holds no %1. Nothing was pasted.").arg(what));
        return std::nullopt;
    }
    if (held(t) + pasted.count > EntryList<int>::kCapacity) {
        message(tr("Pasting %1 would pass %2 %3, the most a configuration can hold. Nothing was "
                   "pasted.")
                    .arg(pasted.count)
                    .arg(EntryList<int>::kCapacity)
                    .arg(what));
        return std::nullopt;
    }
    if (!acceptsLeftOut(pasted, what))
        return std::nullopt;
    return pasted;
}

bool ClipEditor::acceptsLeftOut(const ConfigClip::Pasted& pasted, const QString& what) const {
    const ReadReport& report = pasted.status.report;
    if (report.droppedLines() == 0 && !pasted.others)
        return true;
    QStringList parts;
    if (report.droppedLines() > 0)
        parts << tr("Pasting leaves out %1 of the clipboard text:")
                         .arg(CountText::of(report.droppedLines(), "line", "lines")) +
                     u'\n' + UnkeptText::listedLines(report);
    if (pasted.others)
        parts << tr("The text also holds lines other than %1, which are left out.").arg(what);
    parts << tr("Paste the %1 it holds?").arg(what);
    return ModalSeam::ask(&tree_, parts.join(QStringLiteral("\n\n")),
                          AnsiQt::toQString(SaveRules::kCaption),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

template <typename Record>
void ClipEditor::putRecords(EntryList<Record>& records, const Target& t, Pane pane,
                            const char* verb, bool askName) {
    CPallworthDoc& doc = document();
    const EntryList<Record>& table = tableOf<Record>(doc.model());
    const QString kind = kApplication<Record> ? tr("Application") : tr("Package");
    const QString caption = QStringLiteral("%1 %2").arg(QLatin1String(verb), kind);
    // Every name is settled before anything changes, so Cancel pastes nothing.
    std::vector<std::string> given;
    const NameUsed used = [&](std::string_view name) {
        const auto same = [name](std::string_view other) { return sameName(name, other); };
        return std::ranges::any_of(table, [&](const Record& r) { return same(r.name); }) ||
               std::ranges::any_of(given, same);
    };
    for (Record& r : records) {
        const std::optional<std::string> name = freeName(used, r.name, caption, askName);
        if (!name)
            return;
        r.name = *name;
        given.push_back(*name);
    }
    const int first = t.last() >= 1 ? t.last() + 1 : table.count() + 1;
    doc.undoStack().beginMacro(
        records.count() == 1
            ? QStringLiteral("%1 %2 %3")
                  .arg(QLatin1String(verb), kind.toLower(), AnsiQt::toQString(records.at(1).name))
            : QStringLiteral("%1 %2").arg(
                  QLatin1String(verb),
                  CPallworthDoc::countOf(kApplication<Record>, records.count())));
    std::optional<RecordId> shown;
    const int count = records.count();
    int at = first;
    for (Record& r : records) {
        std::optional<RecordId> id;
        if constexpr (kApplication<Record>)
            id = doc.InsertApplication(std::move(r), at++, verb);
        else
            id = doc.InsertPackage(std::move(r), at++, verb);
        if (!shown)
            shown = id;
    }
    doc.undoStack().endMacro();
    if (shown)
        select(t, pane, first - 1, count, *shown);
}

std::optional<std::string> ClipEditor::freeName(const NameUsed& used, const std::string& name,
                                                const QString& caption, bool ask) const {
    std::string chosen = name;
    while (ask || used(chosen)) {
        const std::optional<std::string> given =
            tree_.askName(caption, suggestedName(used, chosen));
        if (!given)
            return std::nullopt;
        ask = false;
        if (used(*given))
            message(tr("\"%1\" is the name of another record. Give the new one a name of its own.")
                        .arg(AnsiQt::toQString(*given)));
        chosen = *given;
    }
    return chosen;
}

void ClipEditor::putEntries(const ConfigClip::Pasted& pasted, const Target& t) {
    CPallworthDoc& doc = document();
    const ListRow& row = *ListTable::row(t.list);
    const int after = t.last() >= 1 ? t.last() : held(t);
    const PackageDesc& from = pasted.model.packages.at(1);
    const QString text = tr("Paste in %1").arg(AnsiQt::toQString(Catalogue::label(t.list)));
    doc.undoStack().beginMacro(text);
    ListTable::visit(row, [&](auto member) {
        using Entry = typename std::remove_reference_t<decltype(from.*member)>::value_type;
        const EntryList<Entry>& entries = from.*member;
        for (int i = 1; i <= entries.count(); ++i)
            doc.undoStack().push(EntryCommand<Entry>::insert(
                doc, text, {t.list, t.package}, doc.listOf(t.package, member), after + i,
                entries.at(i), std::string(entries.kept(i))));
    });
    doc.undoStack().endMacro();
    select(t, Pane::List, after, pasted.count, 0);
}

void ClipEditor::putSettings(const ConfigClip::Pasted& pasted, const Target& t) {
    CPallworthDoc& doc = document();
    const PackageDesc& from = pasted.model.packages.at(1);
    const PackageDesc* p = doc.package(t.package);
    if (p == nullptr)
        return;
    const RecordId id = t.package;
    const QString text = tr("Paste in %1").arg(AnsiQt::toQString(Catalogue::label(t.list)));
    std::vector<QUndoCommand*> changes;
    int first = 0;
    for (const SettingRow& row : SettingTable::kRows) {
        if (!ConfigClip::copies(row) || row.packageNode != t.list ||
            !ConfigClip::gives(pasted, row))
            continue;
        first = first == 0 ? row.packageRow + 1 : first;
        for (std::string PackageDesc::*field : {row.package, row.second}) {
            if (field == nullptr || p->*field == from.*field)
                continue;
            auto locate = [&doc, id, field]() -> std::string* {
                PackageDesc* target = doc.package(id);
                return target != nullptr ? &(target->*field) : nullptr;
            };
            changes.push_back(new ChangeValue<std::string>(doc, text, {t.list, id}, locate,
                                                           p->*field, from.*field));
        }
    }
    // A paste of the values already there changes nothing, and is no step.
    if (!changes.empty()) {
        doc.undoStack().beginMacro(text);
        for (QUndoCommand* change : changes)
            doc.undoStack().push(change);
        doc.undoStack().endMacro();
    }
    select(t, Pane::List, first - 1, 1, 0);
}

void ClipEditor::select(const Target& t, Pane pane, int row, int count, RecordId record) {
    CSyncView* view = list();
    if (view == nullptr)
        return;
    if (!isGroup(t.list)) {
        // Rows and entries stay in step: the list shows the entries anew.
        view->ClearList();
        view->ShowNode(view->shownKind(), view->shownDetail(), view->shownItem());
        document().ContentChanged(view);
    }
    if (pane == Pane::Tree && isGroup(t.list))
        tree_.setCurrentItem(tree_.nodeOf(record));
    else
        view->selectRows(row, count);
}

QString ClipEditor::cutText(const Target& t) const {
    if (!isGroup(t.list))
        return tr("Cut from %1").arg(AnsiQt::toQString(Catalogue::label(t.list)));
    const bool applications = t.list == K::Applications;
    if (t.indexes.size() > 1)
        return tr("Cut %1").arg(CPallworthDoc::countOf(applications, std::ssize(t.indexes)));
    const ConfigModel& m = document().model();
    return (applications ? tr("Cut application %1") : tr("Cut package %1"))
        .arg(AnsiQt::toQString(applications ? m.applications.at(t.last()).name
                                            : m.packages.at(t.last()).name));
}

void ClipEditor::message(const QString& text) const {
    ModalSeam::showMessage(&tree_, text, AnsiQt::toQString(SaveRules::kCaption));
}
