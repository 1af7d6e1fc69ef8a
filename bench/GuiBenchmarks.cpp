#include "LargeDocuments.h"
#include "app/CMainFrame.h"
#include "app/CPallworthApp.h"
#include "app/ProblemsPanel.h"
#include "config/ConfigWriter.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "configwindow/TreeFilter.h"
#include "configwindow/WeekPicture.h"
#include "configwindow/WeekScheduleWindow.h"
#include "framework/ChildFrame.h"
#include "framework/DocumentManager.h"
#include "framework/ModalSeam.h"
#include "io/FileStore.h"
#include "netbrowse/WorkstationClient.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <malloc.h>
#include <memory>
#include <unistd.h>

// Opening the large configuration in the editor, selecting a node whose list
// has 999 rows and checking the whole file again, offscreen, as a user would.
namespace {

using Clock = std::chrono::steady_clock;

struct Editor {
    QTemporaryDir home;
    std::unique_ptr<CPallworthApp> app;
    QString file;

    Editor() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        app = std::make_unique<CPallworthApp>(std::make_unique<WorkstationClient>());
        app->InitInstance({});
        file = home.filePath(QStringLiteral("large.cfg"));
        const Status written = FileStore::writeAtomically(
            QFile::encodeName(file).toStdString(),
            ConfigWriter(OemCodePage(437)).write(LargeDocuments::largeConfig()));
        if (!written.ok)
            qFatal("%s", written.error.c_str());
    }
};

// Made by the first benchmark that needs it; main ends it while the
// QApplication is still there (a static one outlived it and crashed at exit).
std::unique_ptr<Editor>& editorSlot() {
    static std::unique_ptr<Editor> instance;
    return instance;
}

Editor& editor() {
    if (!editorSlot())
        editorSlot() = std::make_unique<Editor>();
    return *editorSlot();
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void BM_OpenLargeConfig(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    for (auto _ : state) {
        const auto start = Clock::now();
        Document* document = documents.openFile(editor().file);
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(start));
        if (document == nullptr) {
            state.SkipWithError("the large configuration did not open");
            return;
        }
        documents.closeDocument(*document);
    }
}
BENCHMARK(BM_OpenLargeConfig)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SelectNodeWith999Rows(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    Document* document = documents.openFile(editor().file);
    auto* frame = qobject_cast<CSplitterFrame*>(documents.activeFrame()->widget());
    CPallworthTreeView* tree = frame->treeView();
    for (auto _ : state) {
        tree->setCurrentItem(tree->defaultSettingsNode());
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        tree->setCurrentItem(tree->packagesNode());
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(start));
    }
    state.counters["rows"] = frame->listView()->topLevelItemCount();
    documents.closeDocument(*document);
}
BENCHMARK(BM_SelectNodeWith999Rows)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// One keystroke in the tree's filter box with 999 packages and 999
// applications: a letter typed (narrowing) and taken back (widening), with
// the package group expanded so that the tree lays itself out again.
void BM_FilterKeystroke(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    Document* document = documents.openFile(editor().file);
    auto* frame = qobject_cast<CSplitterFrame*>(documents.activeFrame()->widget());
    frame->treeView()->packagesNode()->setExpanded(true);
    TreeFilter* filter = frame->filter();
    const QString texts[2] = {QStringLiteral("1"), QStringLiteral("")};
    int typed = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        filter->setText(texts[typed++ % 2]);
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(start));
    }
    documents.closeDocument(*document);
}
BENCHMARK(BM_FilterKeystroke)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// What the Problems panel does after each edit of the large configuration:
// check the whole model again and refill its list.
void BM_RecheckLargeConfig(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    Document* document = documents.openFile(editor().file);
    ProblemsPanel& panel = *editor().app->mainFrame()->problemsPanel();
    for (auto _ : state) {
        const auto start = Clock::now();
        panel.recheck();
        state.SetIterationTime(seconds(start));
    }
    state.counters["problems"] = static_cast<double>(panel.problems().size());
    documents.closeDocument(*document);
}
BENCHMARK(BM_RecheckLargeConfig)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// The resident memory of the process, in KiB, from /proc/self/status.
double residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return 0;
}

// Deleting every one of the 999 packages from the tree, then undoing every
// deletion: what the undo stack holds beside the document.
void BM_DeleteAndUndo999Packages(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    for (auto _ : state) {
        const double empty = residentKiB();
        Document* document = documents.openFile(editor().file);
        auto* frame = qobject_cast<CSplitterFrame*>(documents.activeFrame()->widget());
        CPallworthTreeView* tree = frame->treeView();
        tree->setCurrentItem(tree->defaultSettingsNode());
        const double loaded = residentKiB();
        const auto start = Clock::now();
        while (tree->packagesNode()->childCount() > 0) {
            tree->setCurrentNode(tree->packagesNode()->child(0));
            tree->DeleteNode();
        }
        const double deleted = residentKiB();
        QUndoStack& stack = document->undoStack();
        while (stack.canUndo())
            stack.undo();
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(start));
        const double undone = residentKiB();
        state.counters["documentKiB"] = loaded - empty;
        state.counters["extraKiB"] = std::max(deleted, undone) - loaded;
        state.counters["ratio"] = (std::max(deleted, undone) - empty) / (loaded - empty);
        state.counters["packages"] = tree->packagesNode()->childCount();
        document->setModifiedFlag(false);
        documents.closeDocument(*document);
    }
}
BENCHMARK(BM_DeleteAndUndo999Packages)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
// The week picture of the 999 packages: computed from the model and drawn
// as the window shows it (1200 by 800), or whole, every lane, as exported.
void BM_DrawWeekPicture(benchmark::State& state) {
    DocumentManager& documents = editor().app->documents();
    Document* document = documents.openFile(editor().file);
    auto& doc = static_cast<CPallworthDoc&>(*document);
    // Goes with the document.
    auto* window = new WeekScheduleWindow(doc, nullptr);
    window->resize(1200, 800);
    window->show();
    QCoreApplication::processEvents();
    WeekPicture* picture = window->picture();
    QImage whole(picture->fullSize(1200), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        const auto start = Clock::now();
        picture->setWeek(WeekSchedule::compute(doc.model()));
        if (state.range(0) == 0) {
            picture->viewport()->repaint();
        } else {
            QPainter painter(&whole);
            picture->paintAll(painter, 1200);
        }
        state.SetIterationTime(seconds(start));
    }
    state.counters["lanes"] = static_cast<double>(picture->week().packages.size());
    documents.closeDocument(*document);
    QCoreApplication::processEvents();
}
BENCHMARK(BM_DrawWeekPicture)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// Opening the full-capacity configuration (268 MiB) in the editor, with its
// progress, and closing it again: the time of the open, and how much of the
// resident memory the open took the close gives back.
void BM_OpenFullCapacity(benchmark::State& state) {
    const QString file = editor().home.filePath(QStringLiteral("full.cfg"));
    // Made by the generator, so that no model of this process is left over
    // from making it.
    if (!QFile::exists(file) && QProcess::execute(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/pallworth-generate"),
                                                  {QStringLiteral("full"), file}) != 0) {
        state.SkipWithError("pallworth-generate did not write the full-capacity configuration");
        return;
    }
    // Written back before the open is timed: the kernel writing 268 MiB to
    // disk meanwhile took the other core.
    ::sync();
    DocumentManager& documents = editor().app->documents();
    for (auto _ : state) {
        // What earlier benchmarks left free is not the close's to give back.
        malloc_trim(0);
        const double before = residentKiB();
        const auto start = Clock::now();
        Document* document = documents.openFile(file);
        QCoreApplication::processEvents();
        state.SetIterationTime(seconds(start));
        if (document == nullptr) {
            state.SkipWithError("the full-capacity configuration did not open");
            return;
        }
        const double open = residentKiB();
        documents.closeDocument(*document);
        QCoreApplication::processEvents();
        const double closed = residentKiB();
        state.counters["openMiB"] = (open - before) / 1024;
        state.counters["keptMiB"] = (closed - before) / 1024;
        state.counters["givenBack"] = (open - closed) / (open - before);
    }
}
BENCHMARK(BM_OpenFullCapacity)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    ModalSeam::Hooks hooks;
    hooks.message = [](const ModalSeam::Message& m) {
        qWarning("%s", qPrintable(m.text));
        return QMessageBox::No;
    };
    ModalSeam::Scope seam(hooks);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editorSlot().reset();
    return 0;
}
