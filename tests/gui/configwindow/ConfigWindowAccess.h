#pragma once

#include "gui/app/AppFixture.h"

#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"

#include <memory>

// What a test of the configuration window reaches through the application's
// active window: its panes, its document and the nodes of a package.
class ConfigWindowAccess {
protected:
    CSplitterFrame* content() const {
        return qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget());
    }
    CPallworthTreeView* tree() const { return content()->treeView(); }
    CSyncView* list() const { return content()->listView(); }
    CPallworthDoc* doc() const {
        return static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    }
    ConfigModel& model() const { return doc()->model(); }
    // The child of package `package` (1-based) labelled `child`.
    QTreeWidgetItem* packageChild(int package, const char* child) const {
        QTreeWidgetItem* node = tree()->packagesNode()->child(package - 1);
        for (int i = 0; i < node->childCount(); ++i)
            if (node->child(i)->text(0) == QLatin1String(child))
                return node->child(i);
        return nullptr;
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
};
