#pragma once

#include "config/RecordId.h"

#include <QMainWindow>

class CPallworthDoc;
class WeekPicture;

// View > Week Schedule: the week picture of one configuration in a window
// beside it. It follows every change of the document, selects a clicked
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
    void selectPackage(RecordId id);
    void save(const QString& caption, const QString& filter, const QByteArray& bytes);

    CPallworthDoc& document_;
    WeekPicture* picture_;
};
