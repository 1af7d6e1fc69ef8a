#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

// A context menu, named by its menu resource id, whose items are named
// command actions connected to the slots that carry them out.
class PopupMenu : public QMenu {
public:
    PopupMenu(int resourceId, QWidget* parent) : QMenu(parent) {
        setObjectName(QString::number(resourceId));
    }

    // An item with its command id kept as a property.
    template <typename Receiver, typename Slot>
    QAction* addCommand(const QString& text, const char* name, int commandId, Receiver* receiver,
                        Slot slot) {
        QAction* action = addAction(text, receiver, slot);
        action->setObjectName(QLatin1String(name));
        action->setProperty("commandId", commandId);
        return action;
    }

    // Greys every item, for a document that can never be saved.
    void disableCommands() {
        for (QAction* action : actions())
            action->setEnabled(false);
    }
};
