#include "ModalSeam.h"

#include "DataExchange.h"
#include "DiskState.h"
#include "LocalPath.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <utility>

namespace {

QMessageBox::Icon boxIcon(ModalSeam::Icon icon) {
    switch (icon) {
    case ModalSeam::Icon::None:
        return QMessageBox::NoIcon;
    case ModalSeam::Icon::Information:
        return QMessageBox::Information;
    case ModalSeam::Icon::Critical:
        return QMessageBox::Critical;
    case ModalSeam::Icon::Question:
        return QMessageBox::Question;
    case ModalSeam::Icon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

const QStringList kLocalFiles{QStringLiteral("file")};

} // namespace

ModalSeam::Hooks& ModalSeam::hooks() {
    static Hooks installed;
    return installed;
}

ModalSeam::Scope::Scope(Hooks hooks)
    : previous_(std::exchange(ModalSeam::hooks(), std::move(hooks))) {}

ModalSeam::Scope::~Scope() {
    ModalSeam::hooks() = std::move(previous_);
}

int ModalSeam::runModal(QDialog& dialog) {
    if (!hooks().dialog)
        return dialog.exec();
    // A dialog run by a test is never shown, so it fills its controls here.
    if (auto* exchange = dynamic_cast<DataExchange*>(&dialog))
        exchange->exchangeIn();
    return hooks().dialog(dialog);
}

bool ModalSeam::accepted(QDialog& dialog) {
    return runModal(dialog) == QDialog::Accepted;
}

void ModalSeam::showMessage(QWidget* parent, const QString& text, const QString& caption,
                            Icon icon) {
    ask(parent, text, caption, QMessageBox::Ok, QMessageBox::Ok, icon);
}

QMessageBox::StandardButton ModalSeam::ask(QWidget* parent, const QString& text,
                                           const QString& caption,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, Icon icon) {
    if (hooks().message)
        return hooks().message(Message{text, caption, icon, buttons, defaultButton});
    QMessageBox box(boxIcon(icon), caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    // Said plainly: the documents not yet asked about are closed unsaved.
    if (QAbstractButton* discard = box.button(QMessageBox::NoToAll))
        discard->setText(QStringLiteral("&Discard All"));
    if (QAbstractButton* saveAs = box.button(QMessageBox::SaveAll))
        saveAs->setText(QStringLiteral("Save &As\u2026"));
    if (QAbstractButton* changes = box.button(QMessageBox::Apply))
        changes->setText(QStringLiteral("S&how changes"));
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString ModalSeam::openFileName(QWidget* parent, const QString& caption, const QString& filter) {
    if (hooks().fileName)
        return hooks().fileName(caption);
    // The URL keeps the bytes of a name that is not UTF-8 where the dialog
    // hands them on (the desktop's portal); a file name string would not.
    return LocalPath::fromUrl(
        QFileDialog::getOpenFileUrl(parent, caption, QUrl(), filter, nullptr, {}, kLocalFiles));
}

QString ModalSeam::saveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                const QString& filter) {
    if (hooks().fileName)
        return hooks().fileName(caption);
    return LocalPath::fromUrl(QFileDialog::getSaveFileUrl(
        parent, caption, suggested.isEmpty() ? QUrl() : LocalPath::toUrl(suggested), filter,
        nullptr, {}, kLocalFiles));
}

QString ModalSeam::exportFileName(QWidget* parent, const QString& caption, const QString& filter,
                                  const QString& suffix) {
    // The file dialog would ask about the name typed, not the one written.
    QString path = hooks().fileName
                       ? hooks().fileName(caption)
                       : QFileDialog::getSaveFileName(parent, caption, QString(), filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0) {
        if (path.endsWith(QLatin1Char('.')))
            path.chop(1);
        path += QLatin1Char('.') + suffix;
    }
    return mayReplace(parent, path, caption) ? path : QString();
}

bool ModalSeam::mayReplace(QWidget* parent, const QString& path, const QString& caption) {
    return !DiskState::of(path).exists() ||
           ask(parent,
               QStringLiteral("%1 already exists.\nDo you want to replace it?")
                   .arg(LocalPath::displayName(path)),
               caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
               Icon::Warning) == QMessageBox::Yes;
}
