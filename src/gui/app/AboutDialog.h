#pragma once

#include <QDialog>

// Dialog 100: the program's name, version and icon.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
