#include "AboutDialog.h"

#include "AppIcons.h"
#include "framework/CaptionFit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("100"));
    setProperty("resourceId", 100);
    setWindowTitle(tr("About Pallworth"));
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcons::application().pixmap(32, 32));
    auto* name = new QLabel(tr("Pallworth"), this);
    auto* version = new QLabel(tr("Version 1.30 Build 07/14/2003"), this);
    version->setObjectName(QStringLiteral("version"));
    // The line above is the file format's; this one is the program's, as
    // `pallworth --version` prints it.
    auto* program =
        new QLabel(tr("Program version %1").arg(QStringLiteral(PALLWORTH_VERSION)), this);
    program->setObjectName(QStringLiteral("programVersion"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(program, 2, 1);
    layout->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
    setFixedSize(sizeHint().expandedTo(QSize(CaptionFit::width(*this), 0)));
}
