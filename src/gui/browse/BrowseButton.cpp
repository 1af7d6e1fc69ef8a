#include "BrowseButton.h"

#include "PathBrowser.h"

#include <utility>

BrowseButton::BrowseButton(const PathBrowser* browser, QLineEdit& field,
                           std::function<bool()> showFiles, LocalPolicy localPolicy,
                           QWidget* dialog)
    : QPushButton(dialog) {
    setAutoDefault(false);
    setIconSize(QSize(20, 20));
    setToolTip(QStringLiteral("Browse"));
    if (browser == nullptr)
        return;
    setIcon(browser->icon());
    connect(this, &QPushButton::clicked, this,
            [browser, &field, dialog, showFiles = std::move(showFiles), localPolicy] {
                BrowseForNetworkPath(browser->client(), dialog, &field, showFiles(), localPolicy);
            });
}
