#include "CChoice.h"

#include "framework/AnsiQt.h"

#include <QComboBox>
#include <array>

namespace {

constexpr std::array<std::string_view, 2> kYesNo{"YES", "NO"};
constexpr std::array<std::string_view, 2> kNamespace{"DOS", "LONG"};
constexpr std::array<std::string_view, 2> kSyncMode{"OVERWRITE", "REPLACE"};
constexpr std::array<std::string_view, 2> kServerThread{"SERVER", "THREAD"};
constexpr std::array<std::string_view, 4> kProtocol{"(default)", "TCP", "UDP", "IPX"};

} // namespace

CChoice::CChoice(QWidget* parent)
    : ValueDialog(kTemplateId, 186, 46, parent), combo_(new QComboBox(this)) {
    setResourceId(*combo_, kComboId);
    combo_->setEditable(false);
    setValueControl(combo_);
}

std::span<const std::string_view> CChoice::items(ChoiceKind kind) {
    switch (kind) {
    case ChoiceYesNo:
        return kYesNo;
    case ChoiceNamespace:
        return kNamespace;
    case ChoiceSyncMode:
        return kSyncMode;
    case ChoiceServerThread:
        return kServerThread;
    case ChoiceProtocol:
        return kProtocol;
    default:
        return {};
    }
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
    combo_->setCurrentIndex(selected);
}

void CChoice::accept() {
    result =
        combo_->currentIndex() < 0 ? std::string() : AnsiQt::fromQString(combo_->currentText());
    QDialog::accept();
}
