#include "NetworkBrowse.h"

#include "CFolderBrowser.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "netbrowse/NetworkPath.h"

#include <QLineEdit>

void BrowseForNetworkPath(NetworkClient& client, QWidget* dialog, QLineEdit* field, bool showFiles,
                          LocalPolicy localPolicy) {
    // The browser has no owner window, so the calling dialog only names the
    // caller.
    Q_UNUSED(dialog);
    if (field == nullptr)
        return;
    CFolderBrowser browser(client, showFiles);
    if (ModalSeam::runModal(browser) != QDialog::Accepted)
        return;
    const QString picked = browser.selectedPath();
    if (picked.isEmpty())
        return;
    std::string volumeForm;
    switch (ResolvePickedPath(client, AnsiQt::fromQString(picked), volumeForm)) {
    case PickKind::VolumeForm:
        field->setText(AnsiQt::toQString(volumeForm));
        break;
    case PickKind::LocalPath:
        if (localPolicy == LocalPolicy::Keep)
            field->setText(picked);
        break;
    case PickKind::Unresolved:
        break;
    }
}
