#pragma once

#include "dialogs/ValueDialog.h"
#include "taskfile/TaskFields.h"

#include <array>
#include <string>
#include <string_view>

class PathBrowser;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QVBoxLayout;

// Edits one task of a task file: the source and target paths, each with a
// Browse button, and the three transfer flags. OK refuses a path the file
// cannot hold and a task with neither path on a workstation drive. A flag
// the task does not give shows as an undecided box and stays missing until
// the user sets it.
class CTaskEdit : public ValueDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 168;
    static constexpr int kSourceId = 1024;
    static constexpr int kSourceBrowseId = 1022;
    static constexpr int kTargetId = 1026;
    static constexpr int kTargetBrowseId = 1023;
    static constexpr int kOverwriteNewerId = 1014;
    static constexpr int kOverwriteReadonlyId = 1015;
    static constexpr int kRemoveStaleId = 1017;

    // Without a browser the Browse buttons do nothing.
    explicit CTaskEdit(QWidget* parent = nullptr, const PathBrowser* browser = nullptr);

    using Flag = TaskFields::Flag;

    // Windows-1252 texts as typed; overwrite newer, overwrite readonly and
    // remove stale in this order.
    std::string sourcePath;
    std::string targetPath;
    std::array<Flag, TaskFields::kFlags> flags = {Flag::Clear, Flag::Clear, Flag::Clear};

    // The members from a stored task.
    void loadFrom(std::string_view task);
    // The task as the file stores it; a flag left as it was keeps its word.
    std::string taskText() const;

    // Why the file could not hold `path` as one word; empty when it can.
    static std::string storageProblem(std::string_view path, std::string_view name);
    // A drive path such as C:\DATA, or a path without a volume.
    static bool onWorkstationDrive(std::string_view path);

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    void exchangeOut();
    // Refuses OK for a path the file cannot hold; true when it did.
    bool refuseUnstorable(const std::string& problem, QLineEdit* box);
    QLineEdit* addPathRow(QGridLayout& grid, int row, const QString& label, int editId,
                          int browseId, const PathBrowser* browser);
    QCheckBox* addFlag(QVBoxLayout& box, const QString& label, int id);
    // Refuses a task whose missing flag comes before a given one.
    bool refuseGap();

    TaskFields stored_;

    QLineEdit* source_ = nullptr;
    QLineEdit* target_ = nullptr;
    std::array<QCheckBox*, TaskFields::kFlags> boxes_{};
};
