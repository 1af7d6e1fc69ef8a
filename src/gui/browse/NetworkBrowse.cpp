#include "NetworkBrowse.h"

#include "CFolderBrowser.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "netbrowse/NetworkPath.h"

#include <QLineEdit>

void BrowseForNetworkPath(NetworkClient& client, QWidget* dialog, QLineEdit* field, bool showFiles,
                          LocalPolicy localPolicy) {
    // The browser has no owner window; the calling dialog owns a message.
    if (field == nullptr)
        return;
    CFolderBrowser browser(client, showFiles);
    if (ModalSeam::runModal(browser) != QDialog::Accepted)
        return;
    const QString picked = browser.selectedPath();
    if (picked.isEmpty())
        return;
    // The pick goes to the client in the file system's own bytes: converted
    // first, a name the code page lacks would match no mount.
    std::string server, volumeForm, problem;
    switch (ResolvePickedPath(client, picked.toStdString(), server, volumeForm, problem)) {
    case PickKind::VolumeForm:
        field->setText(AnsiQt::toQString(volumeForm));
        break;
    case PickKind::LocalPath:
        if (localPolicy == LocalPolicy::Keep)
            field->setText(picked);
        break;
    case PickKind::Unresolved:
        // Keeping the local path would put a place the engine cannot reach
        // into the field without a word.
        ModalSeam::showMessage(dialog,
                               problem.empty() ? QString::fromLatin1(kUnplacedPick)
                                               : QString::fromStdString(problem),
                               browser.windowTitle(), ModalSeam::Icon::Warning);
        break;
    }
}
