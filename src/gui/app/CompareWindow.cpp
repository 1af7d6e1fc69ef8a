#include "CompareWindow.h"

#include "DifferenceCopy.h"

#include "config/ConfigDiff.h"
#include "config/ConfigReader.h"
#include "configwindow/CPallworthDoc.h"
#include "framework/AnsiQt.h"
#include "framework/LocalPath.h"
#include "framework/ModalSeam.h"
#include "io/FileStore.h"
#include "taskfile/TaskFileDiff.h"
#include "taskfile/TaskFileFormat.h"
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

void CompareWindow::activate(QTreeWidgetItem* item) {
    tree_->setCurrentItem(item);
    const Difference* d = current();
    if (d == nullptr || document_ == nullptr)
        return;
    // A record the document lacks shows as nothing; its whole entry list
    // where only the entry is missing.
    const DifferenceCopy copy = copier();
    const RecordId record = copy.documentRecord(*d);
    if (record == 0 && (d->oldRecord != 0 || d->newRecord != 0))
        return;
    if (document_->showPlace(d->node, record, d->row, copy.documentEntry(*d)))
        document_->treeView->window()->activateWindow();
}

DifferenceCopy CompareWindow::copier() const {
    return DifferenceCopy(*document_, other_, side_ == DocumentSide::New);
}

void CompareWindow::updateButton() {
    const Difference* d = current();
    const bool copy = d != nullptr && document_ != nullptr && copier().copies(*d);
    copy_->setEnabled(copy);
    copyAction_->setEnabled(copy);
}

void CompareWindow::copyToDocument() {
    const Difference* found = current();
    if (found == nullptr || document_ == nullptr)
        return;
    // The list is made anew by the change: the difference is copied first.
    const Difference d = *found;
    if (const std::optional<QString> refused = copier().copy(d))
        ModalSeam::showMessage(this, *refused, tr("Compare"));
}
