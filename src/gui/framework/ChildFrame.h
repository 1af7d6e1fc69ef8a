#pragma once

#include <QMdiSubWindow>

class Document;
class DocumentManager;

// One window on a document inside the main frame. Closing it asks the
// document manager first, which prompts to save when it is the document's
// last window.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    ChildFrame(DocumentManager& manager, Document& document, QWidget* content);

    Document& document() const { return document_; }
    void updateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentManager& manager_;
    Document& document_;
};
