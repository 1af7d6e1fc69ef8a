#include "CChoice.h"

#include "config/SettingTable.h"
#include "framework/AnsiQt.h"

#include <QComboBox>

CChoice::CChoice(QWidget* parent)
    : ValueDialog(kTemplateId, 186, 46, parent), combo_(new QComboBox(this)) {
    setResourceId(*combo_, kComboId);
    combo_->setEditable(false);
    setValueControl(combo_);
}

std::span<const std::string_view> CChoice::items(ChoiceKind kind) {
    return SettingTable::choices(kind);
}

void CChoice::exchangeValueIn() {
    combo_->clear();
    int selected = -1;
    for (const std::string_view item : items(kind)) {
        if (item == current)
            selected = combo_->count();
        combo_->addItem(AnsiQt::toQString(item));
    }
    // Adding to an empty list selects the first item; undo that when the
    // current value is not in the list.
    chooseStored(*combo_, selected, current);
}

void CChoice::accept() {
    if (choosesStored(*combo_)) {
        refuse("Please choose one of the listed values.", combo_);
        return;
    }
    // With no item chosen the value is empty, and stays so.
    result = combo_->currentIndex() < 0 ? current : AnsiQt::fromQString(combo_->currentText());
    QDialog::accept();
}
