#include "NetworkBrowse.h"

#include "CFolderBrowser.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "netbrowse/NetworkPath.h"

#include <QLineEdit>

namespace {

BrowseResult refuse(QWidget* dialog, const QString& why, const QString& caption) {
    ModalSeam::showMessage(dialog, why, caption, ModalSeam::Icon::Warning);
    return BrowseResult::Refused;
}

// A path counts as local only when the mount table could be read; a kept
// local path is written as the model holds it, or refused by its first
// character the code page lacks.
BrowseResult takeLocal(NetworkClient& client, QWidget* dialog, QLineEdit& field,
                       const std::string& picked, LocalPolicy localPolicy, const QString& caption) {
    const Status ready = client.ready();
    if (!ready.ok)
        return refuse(dialog, QString::fromStdString(ready.error), caption);
    if (localPolicy == LocalPolicy::Ignore)
        return BrowseResult::LocalIgnored;
    std::string model, problem;
    if (!ToModelText(picked, model, problem))
        return refuse(dialog, QString::fromStdString(problem), caption);
    field.setText(AnsiQt::toQString(model));
    return BrowseResult::Filled;
}

} // namespace

BrowseResult BrowseForNetworkPath(const std::shared_ptr<NetworkClient>& client, QWidget* dialog,
                                  QLineEdit* field, bool showFiles, LocalPolicy localPolicy) {
    // The browser has no owner window; the calling dialog owns a message.
    if (field == nullptr)
        return BrowseResult::Cancelled;
    CFolderBrowser browser(client, showFiles);
    if (ModalSeam::runModal(browser) != QDialog::Accepted || browser.selectedPath().isEmpty())
        return BrowseResult::Cancelled;
    const QString caption = browser.windowTitle();
    if (!browser.selectedRefusal().isEmpty())
        return refuse(dialog, browser.selectedRefusal(), caption);
    // The pick goes to the client in the file system's own bytes: converted
    // first, a name the code page lacks would match no mount.
    const std::string picked = browser.selectedBytes().toStdString();
    std::string server, volumeForm, problem;
    switch (ResolvePickedPath(*client, picked, server, volumeForm, problem)) {
    case PickKind::VolumeForm:
        field->setText(AnsiQt::toQString(volumeForm));
        return BrowseResult::Filled;
    case PickKind::LocalPath:
        return takeLocal(*client, dialog, *field, picked, localPolicy, caption);
    case PickKind::Unresolved:
        break;
    }
    // Keeping the local path would put a place the engine cannot reach into
    // the field without a word.
    return refuse(dialog,
                  problem.empty() ? QString::fromLatin1(kUnplacedPick)
                                  : QString::fromStdString(problem),
                  caption);
}
