#include "WeekScheduleWindow.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "WeekPicture.h"
#include "framework/ChildFrame.h"
#include "framework/LocalPath.h"
#include "framework/ModalSeam.h"
#include "io/FileStore.h"

#include <QBuffer>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>
#include <algorithm>

namespace {

// The document's window the user works in: the active one, else the first.
const ChildFrame* documentWindow(const CPallworthDoc& document, const QWidget& parent) {
    const ChildFrame* found = nullptr;
    for (const ChildFrame* frame : parent.findChildren<ChildFrame*>())
        if (&frame->document() == &document &&
            (found == nullptr || frame->mdiArea()->activeSubWindow() == frame))
            found = frame;
    return found;
}

// What the window manager puts around a window, as it does around `window`.
QMargins frameMargins(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

WeekScheduleWindow* WeekScheduleWindow::showFor(CPallworthDoc& document, QWidget* parent) {
    WeekScheduleWindow* window = nullptr;
    for (WeekScheduleWindow* w : parent->findChildren<WeekScheduleWindow*>())
        if (&w->document() == &document)
            window = w;
    if (window == nullptr) {
        window = new WeekScheduleWindow(document, parent);
        window->placeBeside(documentWindow(document, *parent));
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

WeekScheduleWindow::WeekScheduleWindow(CPallworthDoc& document, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), document_(document), picture_(new WeekPicture(this)) {
    setObjectName(QStringLiteral("weekScheduleWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(picture_);
    QMenu* file = menuBar()->addMenu(tr("&Picture"));
    file->addAction(tr("Export as &PNG..."), this, &WeekScheduleWindow::exportPng)
        ->setObjectName(QStringLiteral("exportPng"));
    file->addAction(tr("Export as &SVG..."), this, &WeekScheduleWindow::exportSvg)
        ->setObjectName(QStringLiteral("exportSvg"));
    file->addSeparator();
    file->addAction(tr("&Close"), QKeySequence::Close, this, &QWidget::close);
    resize(kPreferredSize);

    connect(picture_, &WeekPicture::packageClicked, this, &WeekScheduleWindow::selectPackage);
    // Every change of the model reaches the windows through these signals.
    connect(&document, &TreeListDocument::contentChanged, this, &WeekScheduleWindow::refresh);
    connect(&document, &CPallworthDoc::packageAdded, this, &WeekScheduleWindow::refresh);
    connect(&document, &CPallworthDoc::recordRemoved, this, &WeekScheduleWindow::refresh);
    connect(&document, &CPallworthDoc::recordRenamed, this, &WeekScheduleWindow::refresh);
    connect(&document, &CPallworthDoc::recordsReordered, this, &WeekScheduleWindow::refresh);
    connect(&document, &Document::titleChanged, this, &WeekScheduleWindow::refresh);
    connect(&document, &QObject::destroyed, this, &QObject::deleteLater);
    refresh();
}

void WeekScheduleWindow::placeBeside(const QWidget* document) {
    const QWidget* main = parentWidget();
    const QScreen* screen = main != nullptr ? main->screen() : this->screen();
    if (screen == nullptr)
        return;
    const QMargins frame = main != nullptr ? frameMargins(*main) : QMargins();
    // Where the inside of the window may go for its frame to stay on screen.
    const QRect room = screen->availableGeometry().marginsRemoved(frame);
    const QRect beside = document != nullptr
                             ? QRect(document->mapToGlobal(QPoint(0, 0)), document->size())
                             : (main != nullptr ? main->geometry() : room);
    const QSize wanted = kPreferredSize.boundedTo(room.size());
    const int right = room.right() - beside.right() - frame.left();
    const int left = beside.left() - frame.right() - room.left();
    QRect place(QPoint(), wanted);
    if (right >= std::min(kMinWidth, wanted.width())) {
        place.setWidth(std::min(wanted.width(), right));
        place.moveLeft(beside.right() + 1 + frame.left());
    } else if (left >= std::min(kMinWidth, wanted.width())) {
        place.setWidth(std::min(wanted.width(), left));
        place.moveRight(beside.left() - 1 - frame.right());
    } else {
        place.moveLeft(std::clamp(beside.left(), room.left(), room.right() + 1 - place.width()));
    }
    place.moveTop(std::clamp(beside.top(), room.top(), room.bottom() + 1 - place.height()));
    setGeometry(place);
}

void WeekScheduleWindow::refresh() {
    setWindowTitle(tr("Week Schedule - %1").arg(document_.title()));
    picture_->setWeek(WeekSchedule::compute(document_.model()));
}

void WeekScheduleWindow::selectPackage(RecordId id) {
    // The tree used last, else the first of the document's windows.
    auto* tree = qobject_cast<CPallworthTreeView*>(document_.treeView.data());
    for (CPallworthTreeView* t : parentWidget() != nullptr
                                     ? parentWidget()->findChildren<CPallworthTreeView*>()
                                     : QList<CPallworthTreeView*>())
        if (tree == nullptr && &t->document() == &document_)
            tree = t;
    if (tree == nullptr)
        return;
    if (QTreeWidgetItem* node = tree->nodeOf(id))
        tree->setCurrentItem(node);
}

QByteArray WeekScheduleWindow::png() const {
    QImage image(picture_->fullSize(kExportWidth), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    picture_->paintAll(painter, kExportWidth);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray WeekScheduleWindow::svg() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(picture_->fullSize(kExportWidth));
    generator.setViewBox(QRect(QPoint(), picture_->fullSize(kExportWidth)));
    generator.setTitle(windowTitle());
    QPainter painter(&generator);
    picture_->paintAll(painter, kExportWidth);
    painter.end();
    return bytes;
}

void WeekScheduleWindow::exportPng() {
    save(tr("Export as PNG"), tr("PNG images (*.png)"), QStringLiteral("png"), png());
}

void WeekScheduleWindow::exportSvg() {
    save(tr("Export as SVG"), tr("SVG drawings (*.svg)"), QStringLiteral("svg"), svg());
}

void WeekScheduleWindow::save(const QString& caption, const QString& filter, const QString& suffix,
                              const QByteArray& bytes) {
    const QString path = ModalSeam::exportFileName(this, caption, filter, suffix);
    if (path.isEmpty())
        return;
    // A picture is for others to see: a new one gets the modes the umask
    // allows, as any program's new file does.
    constexpr unsigned kPictureMode = 0666;
    const Status written =
        bytes.isEmpty() ? Status::failure("the picture could not be drawn")
                        : FileStore::writeAtomically(LocalPath::toBytes(path),
                                                     std::string_view(bytes.data(), bytes.size()),
                                                     kPictureMode);
    if (!written.ok)
        ModalSeam::showMessage(this, LocalPath::displayMessage(written.error), caption);
}
