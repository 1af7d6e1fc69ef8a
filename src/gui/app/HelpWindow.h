#pragma once

#include <QDialog>

class QTextBrowser;

// The user guide shipped with the program, opened by F1 and Help Topics.
class HelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
