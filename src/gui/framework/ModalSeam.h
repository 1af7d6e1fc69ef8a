#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Every modal dialog, message box and file dialog of the application runs
// through here, so that tests can drive each command headless: a test installs
// hooks that fill a dialog and press OK through its own accept path, answer
// message boxes, and supply file names.
class ModalSeam {
public:
    enum class Icon { None, Information, Warning, Critical, Question };

    struct Message {
        QString text;
        QString caption;
        Icon icon;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        // What Return or Enter would press.
        QMessageBox::StandardButton defaultButton = QMessageBox::Ok;
    };

    struct Hooks {
        // Replaces QDialog::exec(); returns the dialog's result code.
        std::function<int(QDialog&)> dialog;
        // Replaces the message box; returns the button pressed.
        std::function<QMessageBox::StandardButton(const Message&)> message;
        // Replaces the file dialogs; an empty name means Cancel.
        std::function<QString(const QString& caption)> fileName;
    };

    // Runs a dialog modally; QDialog::Accepted when the user pressed OK.
    static int runModal(QDialog& dialog);
    // Runs a dialog modally; true when the user pressed OK.
    static bool accepted(QDialog& dialog);

    // A message box with an OK button.
    static void showMessage(QWidget* parent, const QString& text, const QString& caption,
                            Icon icon = Icon::Warning);
    // A message box with the given buttons; returns the one pressed.
    // QMessageBox::NoToAll is shown as "Discard All", QMessageBox::SaveAll as
    // "Save As...", QMessageBox::Apply as "Show changes".
    static QMessageBox::StandardButton ask(QWidget* parent, const QString& text,
                                           const QString& caption,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton,
                                           Icon icon = Icon::Question);

    // File names as LocalPath holds them; empty when the user cancelled.
    static QString openFileName(QWidget* parent, const QString& caption, const QString& filter);
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                const QString& filter);
    // The name to export a file of one type under: the chosen name with
    // ".suffix" added unless it ends so already; a file of that name is
    // replaced only when the user says so. Empty when cancelled.
    static QString exportFileName(QWidget* parent, const QString& caption, const QString& filter,
                                  const QString& suffix);
    // True when no file `path` exists or the user says to replace it.
    static bool mayReplace(QWidget* parent, const QString& path, const QString& caption);

    // Installs test hooks until the returned guard goes out of scope; hooks
    // left empty keep the real behaviour.
    class Scope {
    public:
        explicit Scope(Hooks hooks);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Hooks previous_;
    };

private:
    static Hooks& hooks();
};
