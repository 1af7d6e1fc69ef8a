#include "ChildFrame.h"

#include "Document.h"
#include "DocumentManager.h"

#include <QCloseEvent>

ChildFrame::ChildFrame(DocumentManager& manager, Document& document, QWidget* content)
    : manager_(manager), document_(document) {
    setWidget(content);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(&document, &Document::titleChanged, this, &ChildFrame::updateTitle);
    connect(&document, &Document::modifiedChanged, this, &ChildFrame::updateTitle);
    updateTitle();
}

void ChildFrame::updateTitle() {
    const QString title = document_.title();
    const int windows = manager_.framesOf(document_).size();
    const int number = manager_.framesOf(document_).indexOf(this) + 1;
    const QString name =
        windows > 1 && number > 0 ? title + QLatin1Char(':') + QString::number(number) : title;
    setWindowTitle(name + QStringLiteral("[*]") + document_.titleMark());
    setWindowModified(document_.isModified());
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    if (manager_.canCloseFrame(*this))
        event->accept();
    else
        event->ignore();
}
