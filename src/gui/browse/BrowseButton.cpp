#include "BrowseButton.h"

#include "PathBrowser.h"

#include <QLabel>
#include <QLineEdit>
#include <utility>

BrowseButton::BrowseButton(const PathBrowser* browser, QLineEdit& field,
                           std::function<bool()> showFiles, LocalPolicy localPolicy,
                           QWidget* dialog, QLabel* note)
    : QPushButton(dialog) {
    setAutoDefault(false);
    setIconSize(QSize(20, 20));
    setToolTip(QStringLiteral("Browse"));
    if (note != nullptr) {
        note->hide();
        connect(&field, &QLineEdit::textChanged, note, &QWidget::hide);
    }
    if (browser == nullptr)
        return;
    setIcon(browser->icon());
    connect(this, &QPushButton::clicked, this,
            [browser, &field, dialog, showFiles = std::move(showFiles), localPolicy, note] {
                const BrowseResult result = BrowseForNetworkPath(browser->client(), dialog, &field,
                                                                 showFiles(), localPolicy);
                if (result == BrowseResult::LocalIgnored && note != nullptr) {
                    note->setText(QString::fromLatin1(kLocalPickIgnored));
                    note->show();
                }
            });
}
