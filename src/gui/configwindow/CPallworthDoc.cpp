#include "CPallworthDoc.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/SaveRules.h"
#include "framework/AnsiQt.h"

CPallworthDoc::CPallworthDoc(DocTemplate& docTemplate)
    : ModelDocument(docTemplate), oem_(OemCodePage::fromEnvironment()) {}

ReadStatus CPallworthDoc::readBytes(std::string_view bytes, ReadReport::Mode mode) {
    return ConfigReader(oem_).read(bytes, model_, mode);
}

std::string CPallworthDoc::writeBytes() {
    model_.newerVersion = false;
    return ConfigWriter(oem_).write(model_);
}

std::optional<QString> CPallworthDoc::validateSave() {
    if (const Status save = SaveRules::validateSave(model_, isModified()); !save.ok)
        return AnsiQt::toQString(save.error);
    return std::nullopt;
}

std::optional<QString> CPallworthDoc::readOnlyReason() const {
    if (const Status format = SaveRules::validateFormat(model_); !format.ok)
        return AnsiQt::toQString(format.error);
    return std::nullopt;
}

QString CPallworthDoc::kindName() const {
    return tr("configuration");
}

std::optional<RecordId> CPallworthDoc::AddApplication(const std::string& name) {
    const ApplicationDesc* app = model_.addApplication(name);
    if (app == nullptr)
        return std::nullopt;
    emit applicationAdded(app->id);
    return app->id;
}

std::optional<RecordId> CPallworthDoc::AddPackage(const std::string& name) {
    const PackageDesc* package = model_.addPackage(name);
    if (package == nullptr)
        return std::nullopt;
    emit packageAdded(package->id);
    return package->id;
}

bool CPallworthDoc::RemoveRecord(RecordId id) {
    if (!model_.removeApplication(id) && !model_.removePackage(id))
        return false;
    // An unsaved deletion must be offered for saving on close.
    setModifiedFlag();
    emit recordRemoved(id);
    return true;
}

void CPallworthDoc::RenameRecord(RecordId id, const std::string& name) {
    if (const int a = model_.applicationIndex(id); a > 0)
        model_.applications.at(a).name = name;
    else if (const int p = model_.packageIndex(id); p > 0)
        model_.packages.at(p).name = name;
    else
        return;
    emit recordRenamed(id);
}

void CPallworthDoc::MoveRecord(bool applications, int from, int to) {
    const bool moved =
        applications ? model_.applications.move(from, to) : model_.packages.move(from, to);
    if (moved && from != to)
        emit recordsReordered(applications, from, to);
}
