#include "CompareWindow.h"

#include "config/ApplicationTable.h"
#include "config/ConfigDiff.h"
#include "config/ConfigReader.h"
#include "config/ListTable.h"
#include "config/SettingTable.h"
#include "configwindow/CPallworthDoc.h"
#include "framework/AnsiQt.h"
#include "framework/ChangeValue.h"
#include "framework/EntryCommand.h"
#include "framework/LocalPath.h"
#include "framework/ModalSeam.h"
#include "io/FileStore.h"
#include "taskfile/TaskFileDiff.h"
#include "taskfile/TaskFileFormat.h"
#include "taskfile/TaskFileTable.h"
#include "taskwindow/CPallworthDoc2.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr QSize kPreferredSize(640, 420);

QString shown(const Difference& d) {
    return QString::fromStdString(
        d.text([](std::string_view ansi) { return AnsiQt::toQString(ansi).toStdString(); },
               "\u2192", " \u203a "));
}

// The name of a difference's group: its record, or the node it is in.
std::string groupOf(const Difference& d) {
    if (!d.record.empty())
        return d.record;
    return d.path.empty() ? std::string() : d.path.front();
}

// The difference without its group's name.
Difference withinGroup(Difference d) {
    if (!d.record.empty())
        d.record.clear();
    else if (!d.path.empty())
        d.path.erase(d.path.begin());
    return d;
}

template <typename Model> ReadStatus readModel(std::string_view bytes, Model& model) {
    if constexpr (std::is_same_v<Model, ConfigModel>)
        return ConfigReader(OemCodePage::fromEnvironment()).read(bytes, model);
    else
        return TaskFileFormat::read(bytes, model);
}

// The file's model, or the message that says why there is none.
template <typename Model>
std::optional<QString> readOther(const std::string& bytes, const QString& path, Model& model,
                                 const QString& kind) {
    const ReadStatus status = readModel(bytes, model);
    if (!status.ok)
        return LocalPath::displayMessage(status.error);
    if (status.report.understoodNothing())
        return QObject::tr("%1 does not look like a %2.").arg(LocalPath::displayName(path), kind);
    return std::nullopt;
}

// A setting's model field and its form, by its index in its table.
struct SettingField {
    std::string GlobalSettings::*global = nullptr;
    std::string ApplicationDesc::*application = nullptr;
    std::string PackageDesc::*package = nullptr;
    std::string TaskFileModel::*task = nullptr;
    const RowLabel* label = nullptr;
};

// The field a setting difference names (of the default settings, a package,
// an application or a task file), where copying one value is all a copy
// takes: the password, the time window and the open-file delay hold more
// than the value shown.
std::optional<SettingField> fieldOf(const Difference& d, bool config) {
    if (d.setting < 0)
        return std::nullopt;
    if (!config)
        return SettingField{
            .task = TaskFileTable::kSettings[static_cast<std::size_t>(d.setting)].member,
            .label = d.row};
    if (d.node == DetailKind::Application)
        return SettingField{
            .application = ApplicationTable::kFields[static_cast<std::size_t>(d.setting)].member,
            .label = d.row};
    const SettingRow& row = SettingTable::kRows[static_cast<std::size_t>(d.setting)];
    if (row.form == SettingForm::Password || row.form == SettingForm::TimeWindow ||
        row.form == SettingForm::OpenFiles)
        return std::nullopt;
    SettingField field{.label = d.row};
    if (d.oldRecord == 0 && d.newRecord == 0)
        field.global = row.global;
    else
        field.package = d.part == 0 ? row.package : row.second;
    return field;
}

// An entry of the document's list with one field as the other file has it;
// a task is one text.
template <typename T> T withField(T entry, int field, const std::string& value) {
    if constexpr (std::is_same_v<T, std::string>)
        return value;
    else
        entry.setField(field, value);
    return entry;
}

// What a copy does to an entry: puts the other file's in, takes the
// document's out, or sets a field of it.
enum class EntryCopy { None, Insert, Remove, Field };

EntryCopy entryCopyOf(const Difference& d, int mine, int theirs) {
    using Kind = Difference::Kind;
    if (d.kind == Kind::Moved || d.setting >= 0 || (mine == 0 && theirs == 0))
        return EntryCopy::None;
    if (mine == 0)
        return EntryCopy::Insert;
    if (theirs == 0)
        return EntryCopy::Remove;
    return d.kind == Kind::Changed ? EntryCopy::Field : EntryCopy::None;
}

} // namespace

std::optional<QString> CompareWindow::read(const QString& path, bool config, Other& other) {
    std::string bytes;
    if (const Status read = FileStore::read(LocalPath::toBytes(path), bytes); !read.ok)
        return LocalPath::displayMessage(read.error);
    if (config)
        return readOther(bytes, path, other.emplace<ConfigModel>(), tr("configuration"));
    return readOther(bytes, path, other.emplace<TaskFileModel>(), tr("task file"));
}

CompareWindow* CompareWindow::open(TreeListDocument& document, const QString& path,
                                   DocumentSide side, QWidget* parent) {
    Other other;
    if (const auto problem =
            read(path, qobject_cast<CPallworthDoc*>(&document) != nullptr, other)) {
        ModalSeam::showMessage(parent, *problem, tr("Compare"));
        return nullptr;
    }
    auto* window = new CompareWindow(document, std::move(other), path, side, parent);
    window->show();
    window->raise();
    return window;
}

CompareWindow::CompareWindow(TreeListDocument& document, Other other, const QString& path,
                             DocumentSide side, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), document_(&document), other_(std::move(other)), side_(side),
      tree_(new QTreeWidget), copy_(new QPushButton(tr("&Copy to this document"))),
      copyAction_(new QAction(tr("&Copy to this document"), this)), summary_(new QLabel) {
    setObjectName(QStringLiteral("compareWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QString file = LocalPath::displayName(path);
    setWindowTitle(side == DocumentSide::New
                       ? tr("Changes of %1 since it was saved").arg(document.title())
                       : tr("%1 compared with %2").arg(document.title(), file));
    tree_->setObjectName(QStringLiteral("differences"));
    tree_->setHeaderHidden(true);
    tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    copy_->setObjectName(QStringLiteral("copyToDocument"));
    summary_->setObjectName(QStringLiteral("compareSummary"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(summary_);
    layout->addWidget(tree_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy_);
    layout->addLayout(buttons);
    setCentralWidget(central);
    resize(kPreferredSize);

    connect(tree_, &QTreeWidget::itemActivated, this, &CompareWindow::activate);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CompareWindow::updateButton);
    connect(copy_, &QPushButton::clicked, this, &CompareWindow::copyToDocument);
    // The same from the tree's context menu (right click or Shift+F10).
    copyAction_->setObjectName(QStringLiteral("copyToDocumentAction"));
    tree_->addAction(copyAction_);
    tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copyAction_, &QAction::triggered, this, &CompareWindow::copyToDocument);
    // The document's changes, undone ones included, change the list.
    connect(&document, &TreeListDocument::contentChanged, this, &CompareWindow::refresh);
    connect(&document, &QObject::destroyed, this, &QWidget::close);
    // Against the saved file, a save gives a new file to compare with.
    if (side == DocumentSide::New)
        connect(&document, &Document::saved, this, [this, path] {
            Other saved;
            if (read(path, std::holds_alternative<ConfigModel>(other_), saved))
                return;
            other_ = std::move(saved);
            refresh();
        });
    refresh();
}

void CompareWindow::refresh() {
    if (document_ == nullptr)
        return;
    const bool documentNew = side_ == DocumentSide::New;
    if (auto* config = qobject_cast<CPallworthDoc*>(document_.data())) {
        const ConfigModel& file = std::get<ConfigModel>(other_);
        differences_ = documentNew ? ConfigDiff::compare(file, config->model())
                                   : ConfigDiff::compare(config->model(), file);
    } else if (auto* tasks = qobject_cast<CPallworthDoc2*>(document_.data())) {
        const TaskFileModel& file = std::get<TaskFileModel>(other_);
        differences_ = documentNew ? TaskFileDiff::compare(file, tasks->model())
                                   : TaskFileDiff::compare(tasks->model(), file);
    }
    fill();
}

void CompareWindow::fill() {
    tree_->clear();
    QTreeWidgetItem* group = nullptr;
    std::string groupName;
    for (std::size_t i = 0; i < differences_.size(); ++i) {
        const Difference& d = differences_[i];
        if (group == nullptr || groupOf(d) != groupName) {
            groupName = groupOf(d);
            group = new QTreeWidgetItem(tree_, {AnsiQt::toQString(groupName)});
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {shown(withinGroup(d))});
        item->setData(0, kIndexRole, static_cast<qulonglong>(i + 1));
    }
    const auto count = static_cast<int>(differences_.size());
    summary_->setText(count == 0   ? tr("No differences.")
                      : count == 1 ? tr("1 difference")
                                   : tr("%1 differences").arg(count));
    updateButton();
}

const Difference* CompareWindow::current() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    const std::size_t index = item != nullptr ? item->data(0, kIndexRole).toULongLong() : 0;
    return index >= 1 && index <= differences_.size() ? &differences_[index - 1] : nullptr;
}

RecordId CompareWindow::documentRecord(const Difference& d) const {
    return side_ == DocumentSide::New ? d.newRecord : d.oldRecord;
}

int CompareWindow::documentEntry(const Difference& d) const {
    return side_ == DocumentSide::New ? d.newEntry : d.oldEntry;
}

void CompareWindow::activate(QTreeWidgetItem* item) {
    tree_->setCurrentItem(item);
    const Difference* d = current();
    if (d == nullptr || document_ == nullptr)
        return;
    // A record the document lacks shows as nothing; its whole entry list
    // where only the entry is missing.
    const RecordId record = documentRecord(*d);
    if (record == 0 && (d->oldRecord != 0 || d->newRecord != 0))
        return;
    if (document_->showPlace(d->node, record, d->row, documentEntry(*d)))
        document_->treeView->window()->activateWindow();
}

int CompareWindow::otherEntry(const Difference& d) const {
    return side_ == DocumentSide::New ? d.oldEntry : d.newEntry;
}

bool CompareWindow::copies(const Difference& d) const {
    // A document that can never be saved takes no edit.
    if (document_ == nullptr || document_->readOnlyReason())
        return false;
    if (entryCopyOf(d, documentEntry(d), otherEntry(d)) != EntryCopy::None)
        return d.node == DetailKind::Tasks || ListTable::row(d.node) != nullptr;
    return d.kind == Difference::Kind::Changed &&
           fieldOf(d, std::holds_alternative<ConfigModel>(other_)).has_value();
}

void CompareWindow::updateButton() {
    const Difference* d = current();
    const bool copy = d != nullptr && copies(*d);
    copy_->setEnabled(copy);
    copyAction_->setEnabled(copy);
}

void CompareWindow::copyToDocument() {
    const Difference* found = current();
    if (found == nullptr || !copies(*found))
        return;
    const Difference d = *found;
    if (entryCopyOf(d, documentEntry(d), otherEntry(d)) != EntryCopy::None) {
        copyEntry(d);
        return;
    }
    const std::string& value = side_ == DocumentSide::New ? d.oldValue : d.newValue;
    const std::string& was = side_ == DocumentSide::New ? d.newValue : d.oldValue;
    const SettingField field = *fieldOf(d, std::holds_alternative<ConfigModel>(other_));
    const RecordId record = documentRecord(d);
    const QString text = tr("Copy %1").arg(AnsiQt::toQString(d.path.back()));
    ChangeValue<std::string>::Locate locate;
    if (auto* config = qobject_cast<CPallworthDoc*>(document_.data())) {
        locate = [config, field, record]() -> std::string* {
            if (field.global != nullptr)
                return &(config->model().global.*field.global);
            if (field.application != nullptr) {
                ApplicationDesc* a = config->application(record);
                return a != nullptr ? &(a->*field.application) : nullptr;
            }
            PackageDesc* p = config->package(record);
            return p != nullptr ? &(p->*field.package) : nullptr;
        };
    } else if (auto* tasks = qobject_cast<CPallworthDoc2*>(document_.data())) {
        locate = [tasks, field]() -> std::string* { return &(tasks->model().*field.task); };
    }
    TreeListDocument& document = *document_;
    document.undoStack().push(
        new ChangeValue<std::string>(document, text, {d.node, record}, locate, was, value));
    document.ContentChanged(this);
}

void CompareWindow::copyEntry(const Difference& d) {
    const QString text = tr("Copy %1").arg(AnsiQt::toQString(d.path.back()));
    const RecordId record = documentRecord(d);
    if (auto* tasks = qobject_cast<CPallworthDoc2*>(document_.data())) {
        copyEntry<std::string>(
            d, text, [tasks] { return &tasks->model().tasks; },
            &std::get<TaskFileModel>(other_).tasks);
        return;
    }
    auto* config = qobject_cast<CPallworthDoc*>(document_.data());
    const ConfigModel& file = std::get<ConfigModel>(other_);
    const RecordId theirs = side_ == DocumentSide::New ? d.oldRecord : d.newRecord;
    const int index = file.packageIndex(theirs);
    const ListRow* row = ListTable::row(d.node);
    if (config == nullptr || row == nullptr || index == 0)
        return;
    ListTable::visit(*row, [&](auto member) {
        using List = std::remove_cvref_t<decltype(file.packages.at(index).*member)>;
        copyEntry<typename List::value_type>(
            d, text,
            [config, record, member]() -> List* {
                PackageDesc* p = config->package(record);
                return p != nullptr ? &(p->*member) : nullptr;
            },
            &(file.packages.at(index).*member));
    });
}

template <typename T>
void CompareWindow::copyEntry(const Difference& d, const QString& text,
                              const std::function<EntryList<T>*()>& list,
                              const EntryList<T>* theirs) {
    EntryList<T>* mine = list();
    const int at = documentEntry(d);
    const int from = otherEntry(d);
    TreeListDocument& document = *document_;
    const ModelCommand::Place place{d.node, documentRecord(d)};
    QUndoCommand* command = nullptr;
    switch (entryCopyOf(d, at, from)) {
    case EntryCopy::Insert:
        // At the other file's place, or at the end of a shorter list.
        if (mine != nullptr && !mine->full() && theirs->validIndex(from))
            command = EntryCommand<T>::insert(document, text, place, list,
                                              std::min(from, mine->count() + 1), theirs->at(from));
        break;
    case EntryCopy::Remove:
        if (mine != nullptr && mine->validIndex(at))
            command = EntryCommand<T>::remove(document, text, place, list, at);
        break;
    case EntryCopy::Field:
        if (mine != nullptr && mine->validIndex(at)) {
            const std::string& value = side_ == DocumentSide::New ? d.oldValue : d.newValue;
            command = new ChangeValue<T>(
                document, text, place,
                [list, at]() -> T* {
                    EntryList<T>* l = list();
                    return l != nullptr && l->validIndex(at) ? &l->at(at) : nullptr;
                },
                mine->at(at), withField(mine->at(at), d.part, value));
        }
        break;
    case EntryCopy::None:
        break;
    }
    if (command == nullptr)
        return;
    document.undoStack().push(command);
    document.ContentChanged(this);
}
