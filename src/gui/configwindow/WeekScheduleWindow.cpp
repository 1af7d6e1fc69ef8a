#include "WeekScheduleWindow.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "WeekPicture.h"
#include "framework/LocalPath.h"
#include "framework/ModalSeam.h"
#include "io/FileStore.h"

#include <QBuffer>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QSvgGenerator>

WeekScheduleWindow* WeekScheduleWindow::showFor(CPallworthDoc& document, QWidget* parent) {
    WeekScheduleWindow* window = nullptr;
    for (WeekScheduleWindow* w : parent->findChildren<WeekScheduleWindow*>())
        if (&w->document() == &document)
            window = w;
    if (window == nullptr)
        window = new WeekScheduleWindow(document, parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

WeekScheduleWindow::WeekScheduleWindow(CPallworthDoc& document, QWidget* parent)
    : QMainWindow(parent, Qt::Window), document_(document), picture_(new WeekPicture(this)) {
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
    resize(1200, 700);

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
    save(tr("Export as PNG"), tr("PNG images (*.png)"), png());
}

void WeekScheduleWindow::exportSvg() {
    save(tr("Export as SVG"), tr("SVG drawings (*.svg)"), svg());
}

void WeekScheduleWindow::save(const QString& caption, const QString& filter,
                              const QByteArray& bytes) {
    const QString path = ModalSeam::saveFileName(this, caption, QString(), filter);
    if (path.isEmpty())
        return;
    const Status written =
        bytes.isEmpty() ? Status::failure("the picture could not be drawn")
                        : FileStore::writeAtomically(LocalPath::toBytes(path),
                                                     std::string_view(bytes.data(), bytes.size()));
    if (!written.ok)
        ModalSeam::showMessage(this, LocalPath::displayMessage(written.error), caption);
}
