#pragma once

#include "text/RecordId.h"

#include <QMainWindow>

class CPallworthDoc;
class WeekPicture;

// View > Week Schedule: the week picture of one configuration in a tool
// window of the main window (above it, beside the document's window, on its
// screen). It follows every change of the document, selects a clicked
// package in the document's tree and exports the picture as PNG or SVG.
class WeekScheduleWindow : public QMainWindow {
    Q_OBJECT

public:
    // The document's window, made when it has none yet, raised.
    static WeekScheduleWindow* showFor(CPallworthDoc& document, QWidget* parent);

    WeekScheduleWindow(CPallworthDoc& document, QWidget* parent);

    CPallworthDoc& document() const { return document_; }
    WeekPicture* picture() const { return picture_; }

    // The picture as file bytes; false when it cannot be written.
    QByteArray png() const;
    QByteArray svg() const;

public slots:
    void refresh();
    void exportPng();
    void exportSvg();

private:
    static constexpr int kExportWidth = 150 + 7 * 24 * 6;
    // Three pixels an hour at the least.
    static constexpr int kMinWidth = 150 + 7 * 24 * 3;
    static constexpr QSize kPreferredSize{1200, 700};
    // On the screen of the main window: right of the document's window where
    // there is room, else left of it, else over it; never past the screen.
    void placeBeside(const QWidget* document);
    void selectPackage(RecordId id);
    void save(const QString& caption, const QString& filter, const QString& suffix,
              const QByteArray& bytes);

    CPallworthDoc& document_;
    WeekPicture* picture_;
};
