#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Document;
class QWidget;

// One document kind: its document string (window title, document name, File
// New name, filter name, extension, file type id and name, separated by line
// feeds), how to make its document and the content of its child frame, and
// the menu shown while one of its windows is active.
class DocTemplate {
public:
    // Every position is named, those nothing reads too: the string keeps its
    // seven fields so that the later ones stay where they are found.
    enum Field {
        WindowTitle,
        DocName,
        FileNewName,
        FilterName,
        FilterExt,
        FileTypeId,
        FileTypeName
    };

    using DocumentFactory = std::function<std::unique_ptr<Document>(DocTemplate&)>;
    // The content of a new child frame on the document; nullptr when it
    // cannot be made.
    using FrameFactory = std::function<QWidget*(Document&)>;

    DocTemplate(int resourceId, const QString& docString, DocumentFactory makeDocument,
                FrameFactory makeFrame, bool openMaximized);

    int resourceId() const { return resourceId_; }
    QString field(Field field) const { return fields_.value(field); }
    // "Sync Files (*.cfg)"
    QString filter() const { return field(FilterName); }
    bool matchesFile(const QString& path) const;
    bool openMaximized() const { return openMaximized_; }

    std::unique_ptr<Document> makeDocument() { return makeDocument_(*this); }
    QWidget* makeFrame(Document& document) const { return makeFrame_(document); }

    // "Sync1", "Sync2", ... for new documents.
    QString nextUntitledName() { return field(DocName) + QString::number(++untitled_); }

private:
    int resourceId_;
    QStringList fields_;
    DocumentFactory makeDocument_;
    FrameFactory makeFrame_;
    bool openMaximized_;
    int untitled_ = 0;
};
