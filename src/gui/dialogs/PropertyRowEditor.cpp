#include "PropertyRowEditor.h"

#include "CChoice.h"
#include "CNumber.h"
#include "CPath.h"
#include "CText.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "text/TextUtil.h"

PropertyRowEditor::PropertyRowEditor(QTreeWidget& list, TreeListDocument& document,
                                     const PathBrowser* browser)
    : list_(list), document_(document), browser_(browser) {}

bool PropertyRowEditor::edits(RowDialog dialog) {
    return dialog == RowDialog::Choice || dialog == RowDialog::Number ||
           dialog == RowDialog::Text || dialog == RowDialog::Path;
}

bool PropertyRowEditor::edit(int row, const RowSpec& spec, Place place,
                             const Locate<std::string>& at) {
    const QTreeWidgetItem* item = list_.topLevelItem(row);
    if (item == nullptr)
        return false;
    const std::string value = AnsiQt::fromQString(item->text(1));
    std::optional<std::string> edited;
    switch (spec.dialog) {
    case RowDialog::Choice:
        edited = askChoice(spec, value);
        break;
    case RowDialog::Number:
        edited = askNumber(spec, value);
        break;
    case RowDialog::Text:
        edited = askText(spec, value);
        break;
    case RowDialog::Path:
        edited = askPath(spec, value);
        break;
    default:
        break;
    }
    if (!edited)
        return false;
    store(row, spec.label(), place, at, *edited);
    return true;
}

void PropertyRowEditor::store(int row, std::string_view label, Place place,
                              const Locate<std::string>& at, const std::string& text) {
    setCell(row, 1, AnsiQt::toQString(text));
    change(label, place, at, text);
}

void PropertyRowEditor::setCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = list_.topLevelItem(row))
        item->setText(column, text);
}

QString PropertyRowEditor::editText(std::string_view label) {
    return QStringLiteral("Edit %1").arg(AnsiQt::toQString(label));
}

std::optional<std::string> PropertyRowEditor::askChoice(const RowSpec& spec,
                                                        const std::string& value) {
    CChoice dialog(&list_);
    dialog.caption = spec.label();
    dialog.kind = spec.choice;
    dialog.current = value;
    if (!ModalSeam::accepted(dialog))
        return std::nullopt;
    return dialog.result;
}

std::optional<std::string> PropertyRowEditor::askNumber(const RowSpec& spec,
                                                        const std::string& value) {
    CNumber dialog(&list_);
    dialog.caption = spec.label();
    dialog.range = spec.range;
    dialog.loadFrom(value);
    if (!ModalSeam::accepted(dialog))
        return std::nullopt;
    return dialog.text();
}

std::optional<std::string> PropertyRowEditor::askText(const RowSpec& spec,
                                                      const std::string& value) {
    CText dialog(&list_);
    dialog.caption = spec.label();
    dialog.text = value;
    dialog.rule = spec.rule;
    if (!ModalSeam::accepted(dialog))
        return std::nullopt;
    return spec.upperCase ? TextUtil::upper(dialog.text) : dialog.text;
}

std::optional<std::string> PropertyRowEditor::askPath(const RowSpec& spec,
                                                      const std::string& value) {
    CPath dialog(&list_, browser_);
    dialog.caption = spec.label();
    dialog.path = value;
    if (!ModalSeam::accepted(dialog))
        return std::nullopt;
    return dialog.path;
}
