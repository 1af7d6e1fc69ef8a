#include "ProblemsPanel.h"

#include "config/ConfigChecks.h"
#include "configwindow/CPallworthDoc.h"
#include "framework/AnsiQt.h"
#include "taskfile/TaskFileChecks.h"
#include "taskwindow/CPallworthDoc2.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr char kShownProperty[] = "problemsShown";

QString countText(const Problem::Count& count) {
    const auto part = [](int n, const char* one, const char* many) {
        return QString::number(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
    };
    return part(count.errors, "error", "errors") + QStringLiteral(", ") +
           part(count.warnings, "warning", "warnings");
}

QString placeText(const Problem& p) {
    std::string place = p.nodeText();
    for (const std::string& part :
         {p.rowText(), p.line != 0 ? "line " + std::to_string(p.line) : std::string()})
        if (!part.empty())
            place += (place.empty() ? "" : ", ") + part;
    return AnsiQt::toQString(place);
}

} // namespace

ProblemsPanel::ProblemsPanel(QWidget* parent)
    : QDockWidget(tr("Problems"), parent), list_(new QTreeWidget(this)), count_(new QLabel) {
    setObjectName(QStringLiteral("problemsPanel"));
    list_->setObjectName(QStringLiteral("problemsList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Problem"), tr("Location")});
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    setWidget(list_);
    count_->setObjectName(QStringLiteral("problemCount"));
    toggleViewAction()->setText(tr("&Problems"));
    connect(list_, &QTreeWidget::itemActivated, this, &ProblemsPanel::activate);
    hide();
}

void ProblemsPanel::setDocument(Document* document) {
    auto* treeList = qobject_cast<TreeListDocument*>(document);
    if (treeList == document_)
        return;
    if (document_ != nullptr)
        disconnect(document_, nullptr, this, nullptr);
    document_ = treeList;
    if (treeList != nullptr) {
        connect(treeList, &TreeListDocument::contentChanged, this, &ProblemsPanel::scheduleRecheck);
        connect(treeList, &Document::modifiedChanged, this, &ProblemsPanel::scheduleRecheck);
        // A save renumbers the lines and drops what the reader passed over.
        connect(treeList, &Document::saved, this, &ProblemsPanel::scheduleRecheck);
        // The lines not kept are noted after the window opens, and go with a save.
        connect(treeList, &Document::titleChanged, this, &ProblemsPanel::scheduleRecheck);
        if (auto* config = qobject_cast<CPallworthDoc*>(treeList)) {
            for (auto signal : {&CPallworthDoc::applicationAdded, &CPallworthDoc::packageAdded,
                                &CPallworthDoc::recordRemoved, &CPallworthDoc::recordRenamed})
                connect(config, signal, this, &ProblemsPanel::scheduleRecheck);
            connect(config, &CPallworthDoc::recordsReordered, this,
                    &ProblemsPanel::scheduleRecheck);
        }
    }
    filled_ = false;
    recheck();
    if (treeList != nullptr && !treeList->property(kShownProperty).toBool()) {
        treeList->setProperty(kShownProperty, true);
        if (Problem::count(problems_).errors > 0)
            show();
    }
}

void ProblemsPanel::scheduleRecheck() {
    // Several signals of one edit come in a row: check once after them.
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (pending_)
            recheck();
    });
}

void ProblemsPanel::recheck() {
    pending_ = false;
    std::vector<Problem> found;
    if (auto* config = qobject_cast<CPallworthDoc*>(document_.data()))
        found = ConfigChecks::run(config->model(), &config->unkeptReport());
    else if (auto* tasks = qobject_cast<CPallworthDoc2*>(document_.data()))
        found = TaskFileChecks::run(tasks->model(), &tasks->unkeptReport());
    // Most edits leave the problems as they were: their items stay then.
    if (filled_ && found == problems_)
        return;
    problems_ = std::move(found);
    filled_ = true;
    fill();
}

void ProblemsPanel::fill() {
    list_->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(problems_.size()));
    for (std::size_t i = 0; i < problems_.size(); ++i) {
        const Problem& p = problems_[i];
        auto* item = new QTreeWidgetItem({AnsiQt::toQString(p.message), placeText(p)});
        item->setIcon(0, p.severity == Problem::Severity::Error ? error : warning);
        item->setData(0, kIndexRole, static_cast<qulonglong>(i));
        items.append(item);
    }
    list_->addTopLevelItems(items);
    count_->setText(document_ != nullptr ? countText(Problem::count(problems_)) : QString());
}

void ProblemsPanel::activate(QTreeWidgetItem* item) {
    const std::size_t index = item->data(0, kIndexRole).toULongLong();
    if (document_ == nullptr || index >= problems_.size())
        return;
    const Problem problem = problems_[index];
    document_->showPlace(problem.node, problem.record, problem.row, problem.entry);
}
